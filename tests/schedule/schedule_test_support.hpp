// Helpers shared by the schedule tests: InitEdit argument sets and scripted schedule rows.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "plexion/platform/variant.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/testing/db_doubles.hpp"

namespace plexion::testing {

using Lines = std::vector<std::string>;

// The arguments of InitEdit that both schedules take, each different from InitNew's values.
struct EditArgs {
  Variant editor = Variant("Ed");
  std::int32_t client = 3;
  Variant active = Variant("N");
  std::int32_t group = 12;
  std::int32_t scenario = 4;  // soft-alarm only
  std::string runMode = "S", retrieve = "A", purge = "N";
  std::int32_t interval = 14;
  std::string folder = "Nightly";
  DateTime first = DateTime::FromParts(2026, 1, 5, 2, 0);
  DateTime final = DateTime::FromParts(2030, 6, 30);
  std::int32_t monthDate = 15, week = 2, weekday = 3;
  std::string periodicity = "W";
  std::int32_t frequency = 2;
  std::array<std::string, 9> flags{"Y", "N", "Y", "N", "Y", "N", "Y", "N", "Y"};
  std::string app = "Schedule", timeZone = "Central";  // report-group only
  std::int32_t scheduleId = 9, timeout = 30;           // soft-alarm only
  std::string timeoutUnit = "M";
};

inline void Edit(CSchedData& s, const EditArgs& a) {
  s.InitEdit(a.editor, a.client, a.active, a.group, a.runMode, a.retrieve, a.purge, a.interval,
             a.folder, a.first, a.final, a.monthDate, a.week, a.weekday, a.periodicity, a.frequency,
             a.flags[0], a.flags[1], a.flags[2], a.flags[3], a.flags[4], a.flags[5], a.flags[6],
             a.flags[7], a.flags[8], a.app, a.timeZone);
}

inline void Edit(CSchedData& s, const EditArgs& a, const std::string& groupBy) {
  s.InitEdit(a.editor, a.client, a.active, a.group, a.runMode, a.retrieve, a.purge, a.interval,
             a.folder, a.first, a.final, a.monthDate, a.week, a.weekday, a.periodicity, a.frequency,
             a.flags[0], a.flags[1], a.flags[2], a.flags[3], a.flags[4], a.flags[5], a.flags[6],
             a.flags[7], a.flags[8], a.app, a.timeZone, groupBy);
}

inline void Edit(CSASchedData& s, const EditArgs& a) {
  s.InitEdit(a.scheduleId, a.editor, a.client, a.active, a.group, a.scenario, a.runMode, a.retrieve,
             a.purge, a.interval, a.folder, a.first, a.final, a.monthDate, a.week, a.weekday,
             a.periodicity, a.frequency, a.flags[0], a.flags[1], a.flags[2], a.flags[3], a.flags[4],
             a.flags[5], a.flags[6], a.flags[7], a.flags[8], a.timeout, a.timeoutUnit);
}

// The nine day flags of a schedule, Monday first.
template <class S>
std::array<std::string, 9> Flags(const S& s) {
  return {s.IncludeMondays(),   s.IncludeTuesdays(), s.IncludeWednesdays(),
          s.IncludeThursdays(), s.IncludeFridays(),  s.IncludeSaturdays(),
          s.IncludeSundays(),   s.IncludeHolidays(), s.IncludeDayAfterHol()};
}

using NamedValues = std::vector<std::pair<std::string, Variant>>;

// A one-row answer to queries starting with sqlPrefix.
inline void ScriptRow(FakeDbService& db, std::string sqlPrefix, const NamedValues& row) {
  std::vector<std::string> columns;
  MemoryRecordset::Row values;
  for (const auto& [name, value] : row) {
    columns.push_back(name);
    values.push_back(value);
  }
  db.WhenQuery(std::move(sqlPrefix), std::move(columns), {std::move(values)});
}

// A row of "rg_schedule_view" as the loader selects it (column names as the view spells them).
inline NamedValues ScheduleRow() {
  return {{"ID", Variant(std::int32_t{21})},
          {"DLGroupBy", Variant("S")},
          {"OvrSrvGroupID", Variant(std::int32_t{2})},
          {"TZRegion", Variant("Central")},
          {"ClientMachineID", Variant(std::int32_t{5})},
          {"ScheduleActive", Variant("Y")},
          {"RptGrpID", Variant(std::int32_t{12})},
          {"RunMode", Variant("I")},
          {"RetrieveMode", Variant("A")},
          {"AutoPurge", Variant("N")},
          {"PurgeInterval", Variant::Null()},
          {"SubFolderName", Variant("Night")},
          {"FirstDateTime", Variant(DateTime::FromParts(2026, 3, 1, 8, 30))},
          {"FinalDateTime", Variant(DateTime::FromParts(2026, 12, 31))},
          {"WhichMonthDate", Variant::Null()},
          {"WhichWeek", Variant::Null()},
          {"WhichWeekday", Variant(std::int32_t{4})},
          {"Periodicity", Variant("M")},
          {"Frequency", Variant::Null()},
          {"IncludeMondays", Variant("Y")},
          {"IncludeTuesdays", Variant("N")},
          {"IncludeWednesdays", Variant("Y")},
          {"IncludeThursdays", Variant("N")},
          {"IncludeFridays", Variant("Y")},
          {"IncludeSaturdays", Variant("N")},
          {"IncludeSundays", Variant("N")},
          {"IncludeHolidays", Variant("Y")},
          {"IncludeDayAfterHol", Variant("N")},
          {"OvrScenarioId", Variant(std::int32_t{9})},
          {"OvrChanSetId", Variant(std::int32_t{8})},
          {"OvrDestinationId", Variant(std::int32_t{7})},
          {"OvrDTScopeId", Variant(std::int32_t{6})}};
}

// A row of "SA_Schedule_View" (SELECT *: every column of "sa_schedule").
inline NamedValues SoftAlarmRow() {
  return {{"Id", Variant(std::int32_t{31})},
          {"ClientMachineID", Variant(std::int32_t{5})},
          {"ScheduleActive", Variant("Y")},
          {"RptGrpID", Variant(std::int32_t{12})},
          {"RunMode", Variant("S")},
          {"RetrieveMode", Variant("A")},
          {"AutoPurge", Variant("N")},
          {"PurgeInterval", Variant(std::int32_t{14})},
          {"SubFolderName", Variant("Alarms")},
          {"FirstDateTime", Variant(DateTime::FromParts(2026, 2, 1))},
          {"FinalDateTime", Variant(DateTime::FromParts(2036, 12, 31))},
          {"WhichMonthDate", Variant::Null()},
          {"WhichWeek", Variant::Null()},
          {"WhichWeekday", Variant::Null()},
          {"Periodicity", Variant("N")},
          {"Frequency", Variant::Null()},
          {"IncludeMondays", Variant("Y")},
          {"IncludeTuesdays", Variant("Y")},
          {"IncludeWednesdays", Variant("N")},
          {"IncludeThursdays", Variant("Y")},
          {"IncludeFridays", Variant("Y")},
          {"IncludeSaturdays", Variant("N")},
          {"IncludeSundays", Variant("N")},
          {"IncludeHolidays", Variant("Y")},
          {"IncludeDayAfterHol", Variant("Y")},
          {"OvrScenarioId", Variant(std::int32_t{4})},
          {"TimeOut", Variant(std::int32_t{30})},
          {"Timeout_unit", Variant("M")}};
}

// Drops the columns named from a row.
inline NamedValues Without(NamedValues row, const std::vector<std::string>& names) {
  std::erase_if(row, [&](const auto& c) {
    for (const auto& n : names)
      if (n == c.first) return true;
    return false;
  });
  return row;
}

}  // namespace plexion::testing
