// plexion sa-schedule show, hours, save
#include <iostream>
#include <optional>

#include "context.hpp"
#include "echo_db_service.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/system_config.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "schedule_print.hpp"

namespace plexion::cli {

namespace {

struct SoftAlarmOptions {
  std::int32_t id = 0;
  std::string exclude;
  std::string periodicity;
  bool markNew = false;
};

// Loads a stored soft-alarm schedule; an id without a row is a message and exit code 1.
Ref<CSASchedData> LoadOrReport(std::int32_t id, Context& ctx) {
  auto s = MakeRef<CSASchedData>();
  try {
    s->LoadSASchedData(id);
  } catch (const Error& e) {
    if (e.number() != 3021) throw;
    std::cerr << "plexion: there is no soft-alarm schedule " << id << "\n";
    ctx.exitCode = 1;
    return {};
  }
  return s;
}

// "3,12,23" (or "" for none) as a new set of the configured number of slots.
Ref<HourExSet> HourSetOf(const std::string& list) {
  std::int32_t reserved = 0;
  const std::int32_t slots = services::Locate<SystemConfig>().HourSlotCount(reserved);
  Ref<HourExSet> set = services::Create<HourExSet>();
  set->SlotBase(1);
  set->SlotCount(slots);
  set->ClearAll();
  std::size_t start = 0;
  while (start <= list.size() && !Trim(list).empty()) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string token = Trim(list.substr(start, comma - start));
    double hour;
    if (!ParseNumber(token, hour) || hour != std::int32_t(hour) || hour < 0 || hour >= slots)
      throw CLI::ValidationError(
          "--exclude", "\"" + token + "\" is not an hour from 0 to " + std::to_string(slots - 1));
    set->Excluded(std::int32_t(hour) + 1, true);
    start = comma + 1;
  }
  return set;
}

}  // namespace

void RegisterSoftAlarmCommands(CLI::App& app, Context& ctx) {
  CLI::App* sa = app.add_subcommand("sa-schedule", "soft-alarm schedules");
  sa->require_subcommand(1);
  auto opts = std::make_shared<SoftAlarmOptions>();

  CLI::App* show = sa->add_subcommand(
      "show",
      "print a stored soft-alarm schedule\n"
      "Load the soft-alarm schedule ID from SA_Schedule_View (LoadSASchedData) and print\n"
      "every property, one a line: texts quoted, dates in the en-US form, then the database\n"
      "dates as SQL text. Timeout and TimeoutUnit are read only when sa_schedule has a\n"
      "TimeOut column (see `plexion sa-timeout`); otherwise they are 0 and \"\". An id\n"
      "without a row exits 1.");
  Examples(*show, {"plexion sa-schedule show 1"});
  show->add_option("ID", opts->id, "soft-alarm schedule id")->required();
  AddDatabaseOptions(*show, ctx);
  show->callback([opts, &ctx] {
    ctx.InstallFromOptions();
    Ref<CSASchedData> s = LoadOrReport(opts->id, ctx);
    if (!s) return;
    std::cout << "Soft-alarm schedule " << opts->id << ":\n";
    PrintSoftAlarmSchedule(std::cout, *s, true);
    std::cout << "  excluded hours      " << ExcludedHours(*s->GetHoursEx(opts->id)) << "\n";
    std::cout << "  trigger events      " << StoredEvents(opts->id) << "\n";
  });

  CLI::App* hours = sa->add_subcommand(
      "hours",
      "print a soft-alarm schedule's excluded hours\n"
      "Print the hours of the day in which soft-alarm schedule ID must not run, as stored in\n"
      "Schedule_Hour_Ex and read through GetHoursEx: \"0,23\", or \"none\". The set has\n"
      "[system] hour_slot_count slots (24 by default); a stored hour outside them is an error.");
  Examples(*hours, {"plexion sa-schedule hours 1"});
  hours->add_option("ID", opts->id, "soft-alarm schedule id")->required();
  AddDatabaseOptions(*hours, ctx);
  hours->callback([opts, &ctx] {
    ctx.InstallFromOptions();
    std::cout << ExcludedHours(*MakeRef<CSASchedData>()->GetHoursEx(opts->id)) << "\n";
  });

  CLI::App* save = sa->add_subcommand(
      "save",
      "change a soft-alarm schedule and save its side rows\n"
      "Load soft-alarm schedule ID, change it, and save its side rows (SaveSubTableData),\n"
      "printing each statement run, then the excluded hours and trigger events read back.\n"
      "--exclude attaches a set with exactly those hours (\"\" for none: the stored hours are\n"
      "deleted); without it no set is attached and the hours are not touched. --periodicity\n"
      "sets the recurrence unit first: \"N\" (exactly) rewrites the \"Data load\" trigger\n"
      "event. --new saves as a schedule without a stored row: nothing is deleted and the rows\n"
      "are only added. The save is one unit of work: all of it is stored, or none of it.");
  Examples(*save, {"plexion sa-schedule save 1 --exclude 3,12,23 --periodicity N",
                   "plexion sa-schedule save 2 --new"});
  save->add_option("ID", opts->id, "soft-alarm schedule id")->required();
  CLI::Option* exclude =
      save->add_option("--exclude", opts->exclude, "excluded hours, comma-separated: 0,1,23");
  save->add_option("--periodicity", opts->periodicity, "recurrence unit, for example N or H");
  save->add_flag("--new", opts->markNew, "save as a new schedule (IsNew true)");
  AddDatabaseOptions(*save, ctx);
  save->callback([opts, exclude, &ctx] {
    ctx.InstallFromOptions();
    Ref<CSASchedData> s = LoadOrReport(opts->id, ctx);
    if (!s) return;
    if (exclude->count() > 0) s->HourEXData(HourSetOf(opts->exclude));
    if (!opts->periodicity.empty()) s->Periodicity(opts->periodicity);
    if (opts->markNew) s->IsNew(true);
    std::cout << "Saving soft-alarm schedule " << opts->id << " (Periodicity \"" << s->Periodicity()
              << "\", IsNew " << BoolText(s->IsNew()) << ", "
              << (exclude->count() > 0 ? "hours attached" : "no hours attached") << "):\n";
    auto echo = MakeRef<EchoingDbService>(services::Locate<DbService>(), std::cout, "  ran: ");
    {
      services::ScopedService<DbService> echoing(echo);
      services::UnitOfWork unit("sa_schedule", opts->id);
      s->SaveSubTableData();
      unit.Commit();
    }
    if (echo->statements() == 0) std::cout << "  no statement run\n";
    std::cout << "  excluded hours now: " << ExcludedHours(*s->GetHoursEx(opts->id)) << "\n";
    std::cout << "  trigger events now: " << StoredEvents(opts->id) << "\n";
  });
}

}  // namespace plexion::cli
