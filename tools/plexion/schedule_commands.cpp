// plexion schedule show, schedule new, schedule fields
#include <iostream>

#include "context.hpp"
#include "plexion/backends/output/schedule_outputs.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "schedule_print.hpp"

namespace plexion::cli {

namespace {

struct ScheduleOptions {
  std::int32_t id = 0;
  std::string app = "Schedule";
  std::string name = "New schedule";
  bool immediate = false;
  bool scheduled = false;
  std::string scope;        // "COUNT UNIT"
  std::string destination;  // "KIND [TARGET]"
};

// The first word of a text and the rest, both trimmed.
std::pair<std::string, std::string> FirstWordAndRest(const std::string& text) {
  const std::string t = Trim(text);
  const std::size_t blank = t.find_first_of(" \t");
  if (blank == std::string::npos) return {t, ""};
  return {t.substr(0, blank), Trim(t.substr(blank))};
}

// Loads a stored schedule; an id without a row is a message and exit code 1.
Ref<CSchedData> LoadOrReport(std::int32_t id, const std::string& app, Context& ctx) {
  auto s = MakeRef<CSchedData>();
  try {
    s->LoadSchedData(id, app);
  } catch (const Error& e) {
    if (e.number() != 3021) throw;
    std::cerr << "plexion: there is no report-group schedule " << id << "\n";
    ctx.exitCode = 1;
    return {};
  }
  return s;
}

// "3 W": the stored override scope of the schedule (a new one when it has none), now covering
// the last 3 weeks.
Ref<backends::DbDateTimeScope> ScopeOf(const CSchedData& s, const std::string& text) {
  const auto [number, unit] = FirstWordAndRest(text);
  double count = 0;
  if (unit.empty() || unit.find(' ') != std::string::npos || !ParseNumber(number, count) ||
      count != std::int32_t(count))
    throw CLI::ValidationError("--scope", "\"" + text + "\" is not COUNT UNIT, as in \"3 W\"");
  auto scope = MakeRef<backends::DbDateTimeScope>();
  if (s.OvrDTScopeId() != 0) scope->Load(s.OvrDTScopeId());
  scope->Relative(true);
  scope->Count(std::int32_t(count));
  scope->Unit(unit);
  return scope;
}

// "Email noc@example.com": the stored override destination of the schedule (a new one when it
// has none), now sending there.
Ref<backends::DbDestination> DestinationOf(const CSchedData& s, const std::string& text) {
  const auto [kind, target] = FirstWordAndRest(text);
  if (kind.empty())
    throw CLI::ValidationError("--destination",
                               "\"" + text + "\" is not KIND [TARGET], as in \"Folder Nightly\"");
  auto destination = MakeRef<backends::DbDestination>();
  if (s.OvrDestinationId() != 0) destination->Load(s.OvrDestinationId());
  destination->Kind(kind);
  destination->Target(target);
  return destination;
}

}  // namespace

void RegisterScheduleCommands(CLI::App& app, Context& ctx) {
  CLI::App* schedule = app.add_subcommand("schedule", "report-group schedules");
  schedule->require_subcommand(1);
  auto opts = std::make_shared<ScheduleOptions>();

  CLI::App* show = schedule->add_subcommand(
      "show",
      "print a stored report-group schedule\n"
      "Load the report-group schedule ID from rg_schedule_view, as the schedule editor does\n"
      "(LoadSchedData), and print every property, one a line: texts quoted, dates in the\n"
      "en-US form, then the database dates the editor writes (DBFirstDateTime,\n"
      "DBFinalDateTime) as SQL text. The configuration decides enterprise mode (which adds\n"
      "DLGroupBy and OvrServerGroupID) and time zones (FirstDateTime is then the scheduled\n"
      "time in the schedule's region). An id without a row exits 1.");
  Examples(*show, {"plexion schedule show 2", "plexion schedule show 3 --config enterprise.toml"});
  show->add_option("ID", opts->id, "schedule id")->required();
  show->add_option("--app", opts->app, "application name handed to the load (default Schedule)");
  AddDatabaseOptions(*show, ctx);
  show->callback([opts, &ctx] {
    ctx.InstallFromOptions();
    auto s = MakeRef<CSchedData>();
    try {
      s->LoadSchedData(opts->id, opts->app);
    } catch (const Error& e) {
      if (e.number() != 3021) throw;
      std::cerr << "plexion: there is no report-group schedule " << opts->id << "\n";
      ctx.exitCode = 1;
      return;
    }
    std::cout << "Report-group schedule " << opts->id << ":\n";
    PrintSchedule(std::cout, *s, true);
  });

  CLI::App* create = schedule->add_subcommand(
      "new",
      "print a new report-group schedule\n"
      "Prepare a new schedule of REPORT_GROUP (InitNew) and print every property: an\n"
      "--immediate run takes the [settings.immediate_defaults] of the configuration (with\n"
      "Override), a --scheduled one the [settings.scheduled_defaults]; DLGroupBy comes from\n"
      "[group_by] default_dl_group_by, TimeZone from [settings] time_zone_region when\n"
      "time_zones_enabled. Nothing is written to the database.");
  Examples(*create, {"plexion schedule new --immediate 12"});
  CLI::Option* immediate =
      create->add_flag("--immediate", opts->immediate, "a run started at once");
  CLI::Option* scheduled = create->add_flag("--scheduled", opts->scheduled, "a scheduled run");
  immediate->excludes(scheduled);
  create->add_option("REPORT_GROUP", opts->id, "report group id")->required();
  create->add_option("--name", opts->name, "editor name (default \"New schedule\")");
  create->add_option("--app", opts->app, "application name (default Schedule)");
  AddDatabaseOptions(*create, ctx);
  create->callback([opts, &ctx] {
    if (!opts->immediate && !opts->scheduled)
      throw CLI::RequiredError("--immediate or --scheduled");
    ctx.InstallFromOptions();
    auto s = MakeRef<CSchedData>();
    s->InitNew(opts->immediate, opts->id, opts->app, opts->name);
    std::cout << "New " << (opts->immediate ? "immediate" : "scheduled")
              << " schedule of report group " << opts->id << ":\n";
    PrintSchedule(std::cout, *s, false);
  });

  CLI::App* save = schedule->add_subcommand(
      "save",
      "change a report-group schedule's overrides and save them\n"
      "Load report-group schedule ID, give it an override date-time scope (--scope \"3 W\": the\n"
      "last 3 weeks; units H, D, W, M) and an override destination (--destination \"Email\n"
      "noc@example.com\"; kinds Folder, Email, Printer, Web), then save them as the schedule\n"
      "editor does: SaveSubTableData updates the scope and destination the schedule already\n"
      "points at, or inserts new ones, and the schedule row is then pointed at their ids, all\n"
      "in one unit of work: the row never points at overrides that were not stored. An id\n"
      "without a row exits 1.");
  Examples(*save,
           {"plexion schedule save 1 --scope \"3 W\" --destination \"Email noc@example.com\""});
  save->add_option("ID", opts->id, "schedule id")->required();
  save->add_option("--scope", opts->scope, "override date-time scope: COUNT UNIT");
  save->add_option("--destination", opts->destination, "override destination: KIND [TARGET]");
  AddDatabaseOptions(*save, ctx);
  save->callback([opts, &ctx] {
    if (opts->scope.empty() && opts->destination.empty())
      throw CLI::RequiredError("--scope or --destination");
    ctx.InstallFromOptions();
    // Loaded inside the unit, so that a save of the same schedule running meanwhile is seen:
    // its overrides are updated rather than inserted again.
    services::UnitOfWork unit("rg_schedule", opts->id);
    Ref<CSchedData> s = LoadOrReport(opts->id, opts->app, ctx);
    if (!s) return;
    if (!opts->scope.empty()) {
      s->DTScopeData(ScopeOf(*s, opts->scope));
      s->DoDTSOverride(true);
    }
    if (!opts->destination.empty()) {
      s->DestinationData(DestinationOf(*s, opts->destination));
      s->DoDestOverride(true);
    }
    s->SaveSubTableData();
    services::Locate<DbService>().ExecuteStatement(
        "UPDATE rg_schedule SET OvrDTScopeId = " + std::to_string(s->OvrDTScopeId()) +
        ", OvrDestinationId = " + std::to_string(s->OvrDestinationId()) +
        " WHERE Id = " + std::to_string(opts->id));
    unit.Commit();
    std::cout << "Saved report-group schedule " << opts->id << ": scope " << s->OvrDTScopeId()
              << ", destination " << s->OvrDestinationId() << "\n";
  });

  CLI::App* fields = schedule->add_subcommand(
      "fields",
      "print the column list of the schedule loader\n"
      "Print the column list the schedule loader selects (GPlexion.SchedDataFields); with\n"
      "[settings] time_zones_enabled it ends in TZREGION and the scheduled time under the\n"
      "name FIRSTDATETIME.");
  Examples(*fields, {"plexion schedule fields"});
  AddDatabaseOptions(*fields, ctx);
  fields->callback([&ctx] {
    ctx.InstallFromOptions();
    std::cout << GPlexion::Global()->SchedDataFields() << "\n";
  });
}

}  // namespace plexion::cli
