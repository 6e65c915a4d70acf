#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;
using testing::ErrorOf;

TEST(GPlexionWeekdays, AsksTheListAnewAtEachAccessTheLastMatchingRowWinsAndErrorsReachTheCaller) {
  testing::InstalledDoubles d;
  d.settings->weekdays = {{Variant("Mon"), Variant(std::int32_t{2})},
                          {Variant("Tue"), Variant("3")},
                          {Variant("Mon"), Variant(std::int32_t{9})}};
  EXPECT_EQ(GPlexion::Global()->WeekdayToDB("Mon"), 9);
  EXPECT_EQ(
      d.log->Lines(),
      (Lines{"SettingsService.WeekdayList", "WeekdayList.Count", "SettingsService.WeekdayList",
             "WeekdayList.Item(1)", "WeekdayRow(1).Item(UIVal)", "SettingsService.WeekdayList",
             "WeekdayList.Item(1)", "WeekdayRow(1).Item(DBVal)", "SettingsService.WeekdayList",
             "WeekdayList.Item(2)", "WeekdayRow(2).Item(UIVal)", "SettingsService.WeekdayList",
             "WeekdayList.Item(3)", "WeekdayRow(3).Item(UIVal)", "SettingsService.WeekdayList",
             "WeekdayList.Item(3)", "WeekdayRow(3).Item(DBVal)"}));
  EXPECT_EQ(GPlexion::Global()->WeekdayToDB("mon"), 0) << "letter case counts";
  EXPECT_EQ(GPlexion::Global()->WeekdayToDB("Tue"), 3) << "a stored text number converts";
  EXPECT_EQ(GPlexion::Global()->DBToWeekday(3), "Tue") << "a text number compares as a number";
  EXPECT_EQ(GPlexion::Global()->DBToWeekday(42), "");

  d.settings->weekdays = {{Variant("Mon"), Variant("two")}};
  EXPECT_EQ(ErrorOf([] { GPlexion::Global()->WeekdayToDB("Mon"); }).number(), errnum::TypeMismatch);
  EXPECT_THROW(GPlexion::Global()->DBToWeekday(2), Error) << "a DBVal that is not a number";
  d.settings->weekdays = {{Variant::Null(), Variant::Null()}};
  EXPECT_EQ(GPlexion::Global()->WeekdayToDB("Mon"), 0) << "Null matches nothing";
  d.settings->failOn = {"WeekdayList.Count"};
  const Error e = ErrorOf([] { GPlexion::Global()->WeekdayToDB("Mon"); });
  EXPECT_EQ(e.source(), "SettingsService");
  EXPECT_EQ(e.status(), static_cast<Status>(0x80041234u));
}

TEST(GPlexionDatabase, FoldersServersAndTheTimeOutAskTheDatabaseServiceExactly) {
  testing::InstalledDoubles d;
  d.db->WhenQuery("SELECT id FROM pm_folder WHERE name = 'Reports'", {"id"},
                  {{Variant(std::int32_t{4})}, {Variant(std::int32_t{5})}});
  EXPECT_EQ(GPlexion::Global()->GetFolderIdFromName("Reports"), 4);
  EXPECT_EQ(
      d.log->Lines(),
      (Lines{"DbService.OpenRecordset(SELECT id FROM pm_folder WHERE name = 'Reports' | false "
             "| \"\" | 0 | \"\" | \"\" | 60)",
             "DbRecordset.Fields.Item(Id).Value"}))
      << "read by name without regard to case, and not closed";
  d.log->Clear();
  EXPECT_EQ(GPlexion::Global()->GetFolderIdFromName(""), 0);
  EXPECT_EQ(GPlexion::Global()->GetFolderIdFromName("O'Brien"), 0);
  EXPECT_EQ(
      d.log->Matching("DbService.OpenRecordset"),
      (Lines{"DbService.OpenRecordset(SELECT id FROM pm_folder WHERE name = '' | false | \"\" "
             "| 0 | \"\" | \"\" | 60)",
             "DbService.OpenRecordset(SELECT id FROM pm_folder WHERE name = 'O''Brien' | false "
             "| \"\" | 0 | \"\" | \"\" | 60)"}));
  d.db->WhenQueryReturnsNothing("SELECT id FROM pm_folder WHERE name = 'None'");
  EXPECT_EQ(GPlexion::Global()->GetFolderIdFromName("None"), 0);
  d.db->WhenQuery("SELECT id FROM pm_folder WHERE name = 'Null'", {"Id"}, {{Variant::Null()}});
  EXPECT_THROW(GPlexion::Global()->GetFolderIdFromName("Null"), Error);

  // The server count wraps both ids in order and returns the function's answer.
  d.log->Clear();
  d.db->numericResult = 5;
  EXPECT_EQ(GPlexion::Global()->GetNumServersForReportGroup(12), 5);
  EXPECT_EQ(d.log->Lines(),
            (Lines{"DbService.MakeLongValue(12)", "DbService.MakeLongValue(0)",
                   "DbService.FormatValueList(Value(12), Value(0))",
                   "DbService.CallNumericFunction(EA_DD.ea_num_servers_for_repgroup | 12, 0)"}));
  d.db->FailOn("DbService.CallNumericFunction");
  EXPECT_THROW(GPlexion::Global()->GetNumServersForReportGroup(-3, 7), Error);
  EXPECT_EQ(d.log->Lines().back(),
            "DbService.CallNumericFunction(EA_DD.ea_num_servers_for_repgroup | -3, 7)");

  d.db->columnExists = false;
  EXPECT_FALSE(GPlexion::Global()->IsSATimeoutEnabled());
  EXPECT_EQ(d.log->Lines().back(),
            "DbService.ColumnExists(sa_schedule | TimeOut | \"\" | 0 | \"\" | \"\")");
}

}  // namespace
}  // namespace plexion
