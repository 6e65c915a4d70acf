// Helpers shared by the schedule tests: InitEdit arguments, scripted view rows and the checks
// that both schedule objects answer alike.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../error_of.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/variant.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/testing/db_doubles.hpp"

namespace plexion::testing {

using Lines = std::vector<std::string>;
using NamedValues = std::vector<std::pair<std::string, Variant>>;

// The day-flag columns, Monday first; the properties carry the same names.
inline const std::array<std::string, 9> kDayColumns{
    "IncludeMondays",   "IncludeTuesdays", "IncludeWednesdays",
    "IncludeThursdays", "IncludeFridays",  "IncludeSaturdays",
    "IncludeSundays",   "IncludeHolidays", "IncludeDayAfterHol"};

// The arguments of InitEdit that both schedules take. Values of one type all differ, so that a
// value stored in the wrong field shows.
struct EditArgs {
  Variant editor = Variant("Ed"), active = Variant("N");
  // ScheduleID, override scenario and time-out are the soft-alarm schedule's only.
  std::int32_t client = 3, group = 12, interval = 14, monthDate = 15, week = 2, weekday = 5,
               frequency = 6, scheduleId = 9, scenario = 4, timeout = 30;
  // Application and time-zone region are the report group's only, the time-out unit the
  // soft-alarm schedule's.
  std::string runMode = "S", retrieve = "A", purge = "Y", folder = "Nightly", periodicity = "W",
              app = "Schedule", timeZone = "Central", timeoutUnit = "M";
  DateTime first = DateTime::FromParts(2026, 1, 5, 2, 0), final = DateTime::FromParts(2030, 6, 30);
  std::array<std::string, 9> flags{"Mo", "Tu", "We", "Th", "Fr", "Sa", "Su", "Ho", "DA"};
};

// InitEdit with the arguments of a; the report-group form takes an optional group-by code.
template <class... GroupBy>
void Edit(CSchedData& s, const EditArgs& a, const GroupBy&... groupBy) {
  s.InitEdit(a.editor, a.client, a.active, a.group, a.runMode, a.retrieve, a.purge, a.interval,
             a.folder, a.first, a.final, a.monthDate, a.week, a.weekday, a.periodicity, a.frequency,
             a.flags[0], a.flags[1], a.flags[2], a.flags[3], a.flags[4], a.flags[5], a.flags[6],
             a.flags[7], a.flags[8], a.app, a.timeZone, groupBy...);
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

// The fields both schedules fill from InitEdit's arguments (and so from a loaded row).
template <class S>
void ExpectEdited(const S& s, const EditArgs& a) {
  EXPECT_EQ(std::tuple(s.EditorName(), s.ScheduleActive(), s.RunMode(), s.RetrieveMode()),
            std::tuple(ToString(a.editor), ToString(a.active), a.runMode, a.retrieve));
  EXPECT_EQ(std::tuple(s.AutoPurge(), s.SubFolderName(), s.Periodicity()),
            std::tuple(a.purge, a.folder, a.periodicity));
  EXPECT_EQ(std::tuple(s.ClientMachineID(), s.RptGrpID(), s.PurgeInterval(), s.WhichMonthDate(),
                       s.WhichWeek(), s.WhichWeekday(), s.Frequency()),
            std::tuple(a.client, a.group, a.interval, a.monthDate, a.week, a.weekday, a.frequency));
  EXPECT_EQ(s.FirstDateTime(), a.first);
  EXPECT_EQ(s.FinalDateTime(), a.final);
  EXPECT_EQ(Flags(s), a.flags);
  EXPECT_FALSE(s.IsNew());
}

// The override flags and run dates, which InitEdit and the loaders leave as they were.
template <class S>
void SetUntouched(S& s) {
  s.Override(true);
  s.DoDTSOverride(true);
  s.DoDestOverride(true);
  s.NextRunDate(DateTime(300.5));
  s.LastRunDate(DateTime(200.25));
}
template <class S>
void ExpectUntouched(const S& s) {
  EXPECT_TRUE(s.Override() && s.DoDTSOverride() && s.DoDestOverride());
  EXPECT_EQ(s.NextRunDate(), DateTime(300.5));
  EXPECT_EQ(s.LastRunDate(), DateTime(200.25));
}

// The log line of a query run with the constant trailing arguments.
inline std::string OpenLine(const std::string& sql, bool byKey = true) {
  return "DbService.OpenRecordset(" + sql + " | " + (byKey ? "true" : "false") +
         " | \"\" | 0 | \"\" | \"\" | 60)";
}

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

// The columns both views carry, holding the values of a, plus the columns given.
inline NamedValues StoredRow(const EditArgs& a, NamedValues more) {
  NamedValues row{
      {"ClientMachineID", a.client}, {"ScheduleActive", a.active},    {"RptGrpID", a.group},
      {"RunMode", a.runMode},        {"RetrieveMode", a.retrieve},    {"AutoPurge", a.purge},
      {"PurgeInterval", a.interval}, {"SubFolderName", a.folder},     {"FirstDateTime", a.first},
      {"FinalDateTime", a.final},    {"WhichMonthDate", a.monthDate}, {"WhichWeek", a.week},
      {"WhichWeekday", a.weekday},   {"Periodicity", a.periodicity},  {"Frequency", a.frequency}};
  for (std::size_t k = 0; k < kDayColumns.size(); ++k) row.emplace_back(kDayColumns[k], a.flags[k]);
  row.insert(row.end(), more.begin(), more.end());
  return row;
}

// A row of "rg_schedule_view" as the loader selects it; override ids 9, 8, 7 and 6.
inline NamedValues ScheduleRow(const EditArgs& a) {
  return StoredRow(a, {{"ID", 21},
                       {"DLGroupBy", "S"},
                       {"OvrSrvGroupID", 2},
                       {"TZRegion", a.timeZone},
                       {"OvrScenarioId", 9},
                       {"OvrChanSetId", 8},
                       {"OvrDestinationId", 7},
                       {"OvrDTScopeId", 6}});
}

// A row of "SA_Schedule_View" (SELECT *: every column of "sa_schedule").
inline NamedValues SoftAlarmRow(const EditArgs& a) {
  return StoredRow(a, {{"Id", a.scheduleId},
                       {"OvrScenarioId", a.scenario},
                       {"TimeOut", a.timeout},
                       {"Timeout_unit", a.timeoutUnit}});
}

// Drops the columns named from a row.
inline NamedValues Without(NamedValues row, const std::vector<std::string>& names) {
  std::erase_if(row, [&](const auto& c) {
    return std::find(names.begin(), names.end(), c.first) != names.end();
  });
  return row;
}

// The row with Null in the columns named.
inline NamedValues WithNulls(NamedValues row, const std::vector<std::string>& names) {
  for (auto& [name, value] : row)
    if (std::find(names.begin(), names.end(), name) != names.end()) value = Variant::Null();
  return row;
}

// The columns that fall back to a new schedule's values when Null: 0, 0, 1, 1 and 1.
inline const std::vector<std::string> kFallbackColumns{"PurgeInterval", "WhichMonthDate",
                                                       "WhichWeek", "WhichWeekday", "Frequency"};
template <class S>
std::array<std::int32_t, 5> Fallbacks(const S& s) {
  return {s.PurgeInterval(), s.WhichMonthDate(), s.WhichWeek(), s.WhichWeekday(), s.Frequency()};
}

}  // namespace plexion::testing
