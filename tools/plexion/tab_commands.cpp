// plexion apps, plexion tabs
#include <iostream>
#include <vector>

#include "context.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/tabs/app_tab_table.hpp"
#include "plexion/tabs/app_tabs.hpp"

namespace plexion::cli {

namespace {
struct TabsOptions {
  std::string app;
  bool enterprise = false;
  std::vector<std::string> features;
};
}  // namespace

void PrintTabSet(std::ostream& out, const CPlexionCtls& set) {
  int position = 0;
  for (const auto& entry : set) {
    const CPlexionCtl& tab = *entry.item;
    out << ++position << '\t' << tab.Name() << '\t' << tab.Label() << '\t' << tab.ProgID() << '\t'
        << ToString(tab.Data()) << '\n';
  }
}

void RegisterTabCommands(CLI::App& app, Context& ctx) {
  app.add_subcommand("apps", "list the application names, one a line, in matching order")
      ->callback([] {
        for (std::string_view name : tabs::ApplicationNames()) std::cout << name << '\n';
      });

  auto opts = std::make_shared<TabsOptions>();
  CLI::App* tabs = app.add_subcommand(
      "tabs",
      "print the tab set of an application\n"
      "Builds the tab set of APP and prints one line per tab:\n"
      "POSITION<TAB>Name<TAB>Label<TAB>ProgID<TAB>Data. A name that is not an application\n"
      "prints a message on stderr and exits 1. Flags override the configuration file.");
  tabs->footer(
      "EXAMPLES\n    plexion tabs Schedule --enterprise\n"
      "    plexion tabs Traffic --feature Express_Reports\n");
  tabs->add_option("APP", opts->app, "application name, matched exactly")->required();
  tabs->add_flag("--enterprise", opts->enterprise, "build in enterprise mode");
  tabs->add_option("--feature", opts->features, "switch a feature on (repeatable)");
  AddConfigOption(*tabs, ctx);
  tabs->callback([opts, &ctx] {
    backends::Configuration config = ctx.LoadConfiguration();
    if (opts->enterprise) config.enterpriseMode = true;
    for (const std::string& key : opts->features) config.features[key] = true;
    ctx.Install(std::move(config));
    Ref<CPlexionCtls> set = MPlexion::AppTabs(opts->app);
    if (!set) {
      std::cerr << "plexion: \"" << opts->app
                << "\" is not an application name (see `plexion apps`)\n";
      ctx.exitCode = 1;
      return;
    }
    PrintTabSet(std::cout, *set);
  });
}

}  // namespace plexion::cli
