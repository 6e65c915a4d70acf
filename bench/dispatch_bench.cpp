// A dispatch call by id beside the direct C++ call it ends in, in one run.
#include <benchmark/benchmark.h>

#include "plexion/component/automation.hpp"
#include "plexion/tabs/tab_set.hpp"

namespace plexion {
namespace {

Ref<CPlexionCtls> ThreeTabs() {
  auto set = MakeRef<CPlexionCtls>();
  for (const char* name : {"General", "ReportType", "Format"}) set->AddPlexion(name, name, "P.X");
  return set;
}

void InvokeItemByPosition(benchmark::State& state) {
  Ref<CPlexionCtls> set = ThreeTabs();
  std::vector<Variant> args{Variant(std::int32_t{2})};
  for (auto _ : state) {
    InvokeResult r =
        component::Invoke(*set, kDispIdValue, InvokeKind::Method | InvokeKind::Get, args);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(InvokeItemByPosition);

// Baseline: the typed call that Invoke ends in.
void DirectItemByPosition(benchmark::State& state) {
  Ref<CPlexionCtls> set = ThreeTabs();
  const Variant position(std::int32_t{2});
  for (auto _ : state) {
    Ref<CPlexionCtl> tab = set->Item(position);
    benchmark::DoNotOptimize(tab);
  }
}
BENCHMARK(DirectItemByPosition);

void InvokeNameGetter(benchmark::State& state) {
  Ref<CPlexionCtls> set = ThreeTabs();
  Ref<CPlexionCtl> tab = set->Item(Variant(std::int32_t{1}));
  std::vector<Variant> none;
  for (auto _ : state) {
    InvokeResult r = component::Invoke(*tab, 0x68030003, InvokeKind::Get, none);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(InvokeNameGetter);

// Baseline: the getter itself, copying the name into a variant as Invoke does.
void DirectNameGetter(benchmark::State& state) {
  Ref<CPlexionCtls> set = ThreeTabs();
  Ref<CPlexionCtl> tab = set->Item(Variant(std::int32_t{1}));
  for (auto _ : state) {
    Variant name(tab->Name());
    benchmark::DoNotOptimize(name);
  }
}
BENCHMARK(DirectNameGetter);

}  // namespace
}  // namespace plexion
