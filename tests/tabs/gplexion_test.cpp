#include <gtest/gtest.h>

#include "../error_of.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;
using Weekdays = std::vector<std::pair<Variant, Variant>>;  // (UIVal, DBVal)

const Weekdays kMondayTwice{{Variant("Mon"), Variant(std::int32_t{2})},
                            {Variant("Tue"), Variant("3")},
                            {Variant("Mon"), Variant(std::int32_t{9})},
                            {Variant::Null(), Variant::Null()}};

TEST(GPlexionWeekdays, TheLastMatchingRowDecidesNoMatchIsNeutral) {
  testing::InstalledDoubles d;
  d.settings->weekdays = kMondayTwice;
  struct Case {
    const char* name;
    std::int32_t day;
  };
  for (const Case& c : {Case{"Mon", 9}, {"Tue", 3}, {"mon", 0}, {"", 0}})
    EXPECT_EQ(GPlexion::Global()->WeekdayToDB(c.name), c.day) << c.name;
  for (const Case& c : {Case{"Tue", 3}, {"Mon", 9}, {"Mon", 2}, {"", 42}}) {
    std::int32_t day = c.day;
    EXPECT_EQ(GPlexion::Global()->DBToWeekday(day), c.name) << c.day;
  }
}

TEST(GPlexionWeekdays, AStoredNumberThatIsNoNumberOrAFailingServiceReachesTheCaller) {
  testing::InstalledDoubles d;
  d.settings->weekdays = {{Variant("Mon"), Variant("two")}};
  EXPECT_EQ(ErrorOf([] { GPlexion::Global()->WeekdayToDB("Mon"); }).number(), errnum::TypeMismatch);
  EXPECT_EQ(ErrorOf([] { GPlexion::Global()->DBToWeekday(2); }).number(), errnum::TypeMismatch);
  d.settings->failOn = {"WeekdayList.Count"};
  const Error e = ErrorOf([] { GPlexion::Global()->WeekdayToDB("Mon"); });
  EXPECT_EQ(std::pair(e.source(), e.status()),
            std::pair(std::string("SettingsService"), static_cast<Status>(0x80041234u)));
}

std::string Query(const std::string& sql) {
  return "DbService.OpenRecordset(" + sql + " | false | \"\" | 0 | \"\" | \"\" | 60)";
}

TEST(GPlexionFolders, TheNameGoesIntoTheQueryAsOneLiteral) {
  testing::InstalledDoubles d;
  d.db->WhenQuery("SELECT id FROM pm_folder WHERE name = 'Reports'", {"id"},
                  {{Variant(std::int32_t{4})}, {Variant(std::int32_t{5})}});
  d.db->WhenQueryReturnsNothing("SELECT id FROM pm_folder WHERE name = 'None'");
  struct Case {
    const char* name;
    std::int32_t id;
    std::string sql;
  };
  for (const Case& c : {Case{"Reports", 4, "SELECT id FROM pm_folder WHERE name = 'Reports'"},
                        {"", 0, "SELECT id FROM pm_folder WHERE name = ''"},
                        {"O'Brien", 0, "SELECT id FROM pm_folder WHERE name = 'O''Brien'"},
                        {"None", 0, "SELECT id FROM pm_folder WHERE name = 'None'"}}) {
    EXPECT_EQ(GPlexion::Global()->GetFolderIdFromName(c.name), c.id) << c.name;
    EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(), Query(c.sql));
  }
  d.db->WhenQuery("SELECT id FROM pm_folder WHERE name = 'Null'", {"Id"}, {{Variant::Null()}});
  EXPECT_EQ(ErrorOf([] { GPlexion::Global()->GetFolderIdFromName("Null"); }).number(),
            errnum::InvalidUseOfNull);
}

TEST(GPlexionServers, TheReportGroupGoesFirstAnOmittedServerGroupAs0) {
  testing::InstalledDoubles d;
  d.db->numericResult = 5;
  EXPECT_EQ(GPlexion::Global()->GetNumServersForReportGroup(12), 5);
  EXPECT_EQ(d.log->Lines().back(),
            "DbService.CallNumericFunction(EA_DD.ea_num_servers_for_repgroup | 12, 0)");
  d.db->FailOn("DbService.CallNumericFunction");
  EXPECT_EQ(ErrorOf([] { GPlexion::Global()->GetNumServersForReportGroup(-3, 7); }).source(),
            "DbService");
  EXPECT_EQ(d.log->Lines().back(),
            "DbService.CallNumericFunction(EA_DD.ea_num_servers_for_repgroup | -3, 7)");
}

TEST(GPlexionTimeOut, AsksForTheTimeOutColumnOfSaSchedule) {
  testing::InstalledDoubles d;
  for (bool exists : {true, false}) {
    d.db->columnExists = exists;
    EXPECT_EQ(GPlexion::Global()->IsSATimeoutEnabled(), exists);
  }
  EXPECT_EQ(d.log->Lines().back(),
            "DbService.ColumnExists(sa_schedule | TimeOut | \"\" | 0 | \"\" | \"\")");
}

}  // namespace
}  // namespace plexion
