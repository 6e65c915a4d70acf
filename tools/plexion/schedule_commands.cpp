// plexion schedule show, schedule new, schedule fields
#include <iostream>

#include "context.hpp"
#include "plexion/schedule/sched_data.hpp"
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
};

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
