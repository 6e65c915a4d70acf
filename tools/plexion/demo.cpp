// plexion demo: the main job, a walk through what the library does.
#include <iostream>
#include <thread>

#include "context.hpp"
#include "plexion/backends/config/config_services.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/tabs/app_tabs.hpp"

namespace plexion::cli {

void PrintTabSet(std::ostream& out, const CPlexionCtls& set);

namespace {

void Heading(const std::string& text) { std::cout << "\n== " << text << " ==\n"; }

// Tab sets are cached per thread, so each mode is shown from a thread of its own.
void ShowTabSets(const backends::Configuration& base, bool enterprise) {
  std::thread([&] {
    auto config = std::make_shared<backends::Configuration>(base);
    config->enterpriseMode = enterprise;
    config->features["Express_Reports"] = !enterprise;
    services::ScopedService<SystemConfig> system(MakeRef<backends::ConfigSystemConfig>(config));
    services::ScopedService<FeatureRegistry> features(
        MakeRef<backends::ConfigFeatureRegistry>(config));
    for (const char* app : {"Traffic", "Schedule", "Soft Alarm Schedule"}) {
      std::cout << "\n" << app << (enterprise ? " (enterprise mode)" : " (Express_Reports on)")
                << ":\n";
      PrintTabSet(std::cout, *MPlexion::AppTabs(app));
    }
  }).join();
}

void Run(Context& ctx) {
  backends::Configuration config = ctx.LoadConfiguration();
  std::cout << "Plexion demo (configuration: " << config.source << ")\n";
  Heading("Tab sets");
  ShowTabSets(config, false);
  ShowTabSets(config, true);
  ctx.Install(std::move(config));
}

}  // namespace

void RegisterDemo(CLI::App& app, Context& ctx) {
  CLI::App* demo = app.add_subcommand("demo", "Walk through what the library does and print it");
  AddConfigOption(*demo, ctx);
  demo->callback([&ctx] { Run(ctx); });
}

}  // namespace plexion::cli
