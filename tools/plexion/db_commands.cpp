// plexion db init, weekday, folder-id, servers, sa-timeout
#include <chrono>
#include <iostream>

#include "context.hpp"
#include "plexion/backends/defaults.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/tabs/gplexion.hpp"

namespace plexion::cli {

void InitDatabase(const std::string& url, bool withDemo, std::ostream& progress,
                  const backends::DatabaseOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  progress << "opening " << url << "\n";
  auto db = backends::Database::Open(backends::DatabaseUrl::Parse(url), options);
  progress << "creating the schema" << (withDemo ? " and the demo rows" : "") << "\n";
  backends::CreateSchema(*db, withDemo);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  progress << "done in " << NumberText(std::round(seconds * 100) / 100) << " s\n";
}

void InitDatabase(const std::string& url, bool withDemo, std::ostream& progress) {
  InitDatabase(url, withDemo, progress, {});
}

void RegisterDatabaseCommands(CLI::App& app, Context& ctx) {
  CLI::App* db = app.add_subcommand("db", "database set-up");
  db->require_subcommand(1);
  auto demo = std::make_shared<bool>(false);
  CLI::App* init = db->add_subcommand(
      "init",
      "create Plexion's schema in the database\n"
      "Create Plexion's tables, views, functions and procedures in the database, dropping\n"
      "Plexion's own objects first; --demo also loads the demo rows.");
  Examples(*init,
           {"plexion db init --demo",
            "plexion db init --db \"postgresql://host=db.example dbname=plexion user=plexion\""});
  init->add_flag("--demo", *demo, "load the demo rows");
  AddDatabaseOptions(*init, ctx);
  init->callback([demo, &ctx] {
    backends::Configuration config = ctx.LoadConfiguration();
    if (!ctx.dbUrl.empty()) config.databaseUrl = ctx.dbUrl;
    InitDatabase(backends::DatabaseUrlOf(config), *demo, std::cout, config.database);
  });

  auto day = std::make_shared<std::string>();
  CLI::App* weekday = app.add_subcommand(
      "weekday",
      "a weekday's stored number from its name, or its name from the number\n"
      "A weekday's stored number from its screen name, or the name from the number");
  Examples(*weekday, {"plexion weekday Friday", "plexion weekday 6"});
  weekday->add_option("NAME_OR_NUMBER", *day)->required();
  AddDatabaseOptions(*weekday, ctx);
  weekday->callback([day, &ctx] {
    ctx.InstallFromOptions();
    double number;
    if (ParseNumber(*day, number))
      std::cout << GPlexion::Global()->DBToWeekday(ToInt32(Variant(*day))) << "\n";
    else std::cout << GPlexion::Global()->WeekdayToDB(*day) << "\n";
  });

  auto name = std::make_shared<std::string>();
  CLI::App* folder = app.add_subcommand("folder-id", "the id of a document folder (0: none)");
  Examples(*folder, {"plexion folder-id \"O'Brien's reports\""});
  folder->add_option("NAME", *name)->required();
  AddDatabaseOptions(*folder, ctx);
  folder->callback([name, &ctx] {
    ctx.InstallFromOptions();
    std::cout << GPlexion::Global()->GetFolderIdFromName(*name) << "\n";
  });

  auto groups = std::make_shared<std::vector<std::int32_t>>();
  CLI::App* servers = app.add_subcommand(
      "servers",
      "the number of servers of a report group\n"
      "The number of servers of a report group, of one server group unless it is 0");
  Examples(*servers, {"plexion servers 12", "plexion servers 12 1"});
  servers->add_option("REPORT_GROUP SERVER_GROUP", *groups)->required()->expected(1, 2);
  AddDatabaseOptions(*servers, ctx);
  servers->callback([groups, &ctx] {
    ctx.InstallFromOptions();
    const std::int32_t serverGroup = groups->size() > 1 ? (*groups)[1] : 0;
    std::cout << GPlexion::Global()->GetNumServersForReportGroup((*groups)[0], serverGroup) << "\n";
  });

  CLI::App* timeout = app.add_subcommand(
      "sa-timeout",
      "whether soft-alarm schedules carry a time-out here (yes or no)\n"
      "Whether soft-alarm schedules carry a time-out in this database (yes or no)");
  Examples(*timeout, {"PLEXION_DB=sqlite3://db=old.db plexion sa-timeout"});
  AddDatabaseOptions(*timeout, ctx);
  timeout->callback([&ctx] {
    ctx.InstallFromOptions();
    std::cout << (GPlexion::Global()->IsSATimeoutEnabled() ? "yes" : "no") << "\n";
  });
}

}  // namespace plexion::cli
