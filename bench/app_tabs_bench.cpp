// The cached tab-set lookup beside a plain hash-map lookup of the same key, in one run.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>

#include "plexion/services/locator.hpp"
#include "plexion/tabs/app_tab_table.hpp"
#include "plexion/tabs/app_tabs.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion {
namespace {

void AppTabsCached(benchmark::State& state) {
  auto log = testing::NewLog();
  services::ScopedService<SystemConfig> system(MakeRef<testing::FakeSystemConfig>(log));
  services::ScopedService<FeatureRegistry> features(MakeRef<testing::FakeFeatureRegistry>(log));
  for (std::string_view app : tabs::ApplicationNames()) MPlexion::AppTabs(std::string(app));
  const std::string key = "Sched OverRides";
  log->Clear();
  for (auto _ : state) benchmark::DoNotOptimize(MPlexion::AppTabs(key));
  if (!log->Lines().empty()) state.SkipWithError("the cached path called an external service");
}
BENCHMARK(AppTabsCached);

// Baseline: the same key in a std::unordered_map of the 34 sets, handing back a counted
// reference as AppTabs does.
void BaselineUnorderedMap(benchmark::State& state) {
  std::unordered_map<std::string, Ref<CPlexionCtls>> map;
  for (std::string_view app : tabs::ApplicationNames())
    map.emplace(std::string(app), MakeRef<CPlexionCtls>());
  const std::string key = "Sched OverRides";
  for (auto _ : state) {
    Ref<CPlexionCtls> set = map.find(key)->second;
    benchmark::DoNotOptimize(set);
  }
}
BENCHMARK(BaselineUnorderedMap);

}  // namespace
}  // namespace plexion
