// plexion db init, status, upgrade; weekday, folder-id, servers, sa-timeout
#include <algorithm>
#include <chrono>
#include <iostream>

#include "context.hpp"
#include "plexion/backends/defaults.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/tabs/gplexion.hpp"

namespace plexion::cli {

namespace {

std::shared_ptr<backends::Database> OpenForCommand(const std::string& url, std::ostream& progress,
                                                   const backends::DatabaseOptions& options) {
  const backends::DatabaseUrl parsed = backends::DatabaseUrl::Parse(url);
  progress << "opening " << parsed.shown << "\n";
  return backends::Database::Open(parsed, options);
}

std::string EngineName(backends::Engine engine) {
  return engine == backends::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

std::string Joined(const std::vector<std::string>& items, const std::string& none) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text.empty() ? none : text;
}

void PrintStatus(backends::Database& db, std::ostream& out) {
  const backends::SchemaState state = backends::InspectSchema(db);
  out << "engine     " << EngineName(db.engine()) << "\n";
  out << "database   " << db.url().shown << "\n";
  out << "schema     ";
  if (state.unversioned)
    out << "made before versions were kept (an upgrade records it as version 1)";
  else if (state.version == 0) out << "none";
  else out << "version " << state.version;
  out << "; this Plexion's is version " << state.latest
      << (state.version > state.latest ? ": the database is newer, this Plexion refuses it" : "")
      << "\n";
  std::vector<std::string> pending;
  for (const backends::Migration* m : state.pending) pending.push_back(m->Title());
  out << "pending    " << Joined(pending, "none") << "\n";
  out << "missing    " << Joined(state.missing, "none") << "\n";
  out << "documents\n";
  for (const backends::DocumentCount& d : backends::CountDocuments(db)) {
    std::string kind(d.kind);
    kind.resize(std::max<std::size_t>(kind.size() + 2, 42), ' ');
    out << "  " << kind << d.count << "\n";
  }
}

void Upgrade(backends::Database& db, std::ostream& out) {
  const std::vector<std::string> done = backends::UpgradeSchema(db);
  for (const std::string& line : done) out << line << "\n";
  if (done.empty())
    out << "up to date at version " << backends::InspectSchema(db).version << "; nothing to do\n";
}

// The database of --db, else of the configuration, with the configuration's [database] options.
backends::Configuration CommandConfiguration(const Context& ctx) {
  backends::Configuration config = ctx.LoadConfiguration();
  if (!ctx.dbUrl.empty()) config.databaseUrl = ctx.dbUrl;
  return config;
}

}  // namespace

void InitDatabase(const std::string& url, bool withDemo, bool force, std::ostream& progress,
                  const backends::DatabaseOptions& options) {
  const auto start = std::chrono::steady_clock::now();
  auto db = OpenForCommand(url, progress, options);
  const std::vector<std::string> held = backends::RowsAResetDeletes(*db);
  if (!held.empty() && !force)
    throw Error::External(status::Database, "plexion",
                          "the database holds documents, which creating the schema anew would "
                          "delete: " +
                              Joined(held, "") + "; give --force to delete them");
  progress << "creating the schema" << (withDemo ? " and the demo rows" : "")
           << (held.empty() ? "" : ", deleting " + Joined(held, "")) << "\n";
  backends::ResetSchema(*db, withDemo);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  progress << "done in " << NumberText(std::round(seconds * 100) / 100) << " s\n";
}

void InitDatabase(const std::string& url, bool withDemo, bool force, std::ostream& progress) {
  InitDatabase(url, withDemo, force, progress, {});
}

void RegisterDatabaseCommands(CLI::App& app, Context& ctx) {
  CLI::App* db = app.add_subcommand("db", "database set-up: init, status, upgrade");
  db->require_subcommand(1);
  auto demo = std::make_shared<bool>(false);
  auto force = std::make_shared<bool>(false);
  CLI::App* init = db->add_subcommand(
      "init",
      "create Plexion's schema in the database\n"
      "Create Plexion's tables, views, functions and procedures at the latest version,\n"
      "dropping Plexion's own objects first; --demo also loads the demo rows. A database\n"
      "that holds documents is refused, naming what would be deleted, unless --force.");
  Examples(*init,
           {"plexion db init --demo",
            "plexion db init --db \"postgresql://host=db.example dbname=plexion user=plexion\"",
            "plexion db init --demo --force"});
  init->add_flag("--demo", *demo, "load the demo rows");
  init->add_flag("--force", *force, "delete the documents the database holds");
  AddDatabaseOptions(*init, ctx);
  init->callback([demo, force, &ctx] {
    const backends::Configuration config = CommandConfiguration(ctx);
    InitDatabase(backends::DatabaseUrlOf(config), *demo, *force, std::cout, config.database);
  });

  CLI::App* status = db->add_subcommand(
      "status",
      "the database's engine, schema version, pending migrations and documents\n"
      "The engine, the URL (its password masked), the schema version against this Plexion's,\n"
      "the migrations pending, the tables missing, and the number of documents of each kind.\n"
      "Changes nothing.");
  Examples(*status, {"plexion db status", "plexion db status --db sqlite3://db=old.db"});
  AddDatabaseOptions(*status, ctx);
  status->callback([&ctx] {
    const backends::Configuration config = CommandConfiguration(ctx);
    PrintStatus(*backends::Database::Open(
                    backends::DatabaseUrl::Parse(backends::DatabaseUrlOf(config)), config.database),
                std::cout);
  });

  CLI::App* upgrade = db->add_subcommand(
      "upgrade",
      "bring the database's schema up to date\n"
      "Create the tables and views the database should have and lacks (nothing present is\n"
      "dropped or changed), then run each pending migration in a transaction of its own,\n"
      "printing each. Run again, it changes nothing. Every other command does the same on\n"
      "first use, silently.");
  Examples(*upgrade, {"plexion db upgrade",
                      "plexion db upgrade --db \"postgresql://host=db.example dbname=plexion\""});
  AddDatabaseOptions(*upgrade, ctx);
  upgrade->callback([&ctx] {
    const backends::Configuration config = CommandConfiguration(ctx);
    Upgrade(*OpenForCommand(backends::DatabaseUrlOf(config), std::cout, config.database),
            std::cout);
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
