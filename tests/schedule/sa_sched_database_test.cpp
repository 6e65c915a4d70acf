#include "db_fixture.hpp"
#include "plexion/backends/util/hour_ex_set.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/testing/config_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using Hours = std::vector<std::int32_t>;
using testing::ErrorFrom;

// The demo database with the default hour-exclusion set and a configurable slot count.
class SoftAlarmOnDatabase : public testing::DatabaseTest {
 protected:
  Ref<testing::FakeSystemConfig> system = MakeRef<testing::FakeSystemConfig>();
  services::ScopedService<SystemConfig> system_{system};
  services::ScopedFactory<HourExSet> sets_{&backends::MakeHourExSet};

  Ref<CSASchedData> Load(std::int32_t id) {
    auto s = MakeRef<CSASchedData>();
    s->LoadSASchedData(id);
    return s;
  }
  // The stored values of a side-table column for a schedule, ascending.
  Hours Column(const std::string& table, const std::string& column, std::int32_t id) {
    Hours values;
    for (const auto& row :
         db->Query("SELECT " + column + " AS v FROM " + table +
                   " WHERE Schedule_ID = " + std::to_string(id) + " ORDER BY " + column)
             .rows)
      values.push_back(ToInt32(row.at(0)));
    return values;
  }
  static Hours Excluded(const HourExSet& set) {
    Hours hours;
    for (std::int32_t k = 1; k <= set.SlotCount(); ++k)
      if (set.Excluded(k)) hours.push_back(k - 1);
    return hours;
  }
};

TEST_P(SoftAlarmOnDatabase, LoadsTheDemoRowsWithTheirTimeOut) {
  Ref<CSASchedData> hourly = Load(1);
  EXPECT_EQ(std::tuple(hourly->ScheduleID(), hourly->RptGrpID(), hourly->OvrScenarioId(),
                       hourly->PurgeInterval(), hourly->Timeout()),
            std::tuple(1, 12, 4, 14, 30));
  EXPECT_EQ(std::tuple(hourly->Periodicity(), hourly->TimeoutUnit()), std::tuple("H", "M"));
  EXPECT_EQ(hourly->FirstDateTime(), DateTime::FromParts(2026, 2, 1));
  EXPECT_FALSE(hourly->IsNew());
  Ref<CSASchedData> triggered = Load(2);
  EXPECT_EQ(std::tuple(triggered->Periodicity(), triggered->TimeoutUnit()), std::tuple("N", ""));
  EXPECT_EQ(std::tuple(triggered->Timeout(), triggered->PurgeInterval()), std::tuple(0, 0))
      << "null columns take the fallbacks";
  EXPECT_THROW(Load(3), Error) << "no row";

  const char* cascade = GetParam() == backends::Engine::PostgreSQL ? " CASCADE" : "";
  db->Execute(std::string("DROP VIEW SA_Schedule_View") + cascade);
  db->Execute("ALTER TABLE sa_schedule DROP COLUMN TimeOut");
  db->Execute("CREATE VIEW SA_Schedule_View AS SELECT * FROM sa_schedule");
  hourly->LoadSASchedData(1);
  EXPECT_EQ(std::tuple(hourly->ScheduleID(), hourly->Timeout(), hourly->TimeoutUnit()),
            std::tuple(1, 0, ""))
      << "without the time-out column";
}

TEST_P(SoftAlarmOnDatabase, HoursAndEventsRoundTrip) {
  Ref<CSASchedData> s = Load(1);
  Ref<HourExSet> stored = s->GetHoursEx(1);
  EXPECT_EQ(stored->SlotCount(), 24);
  EXPECT_EQ(Excluded(*stored), (Hours{0, 23}));
  EXPECT_EQ(Excluded(*s->GetHoursEx(2)), Hours{}) << "no stored hours";

  stored->Excluded(1, false);
  stored->Excluded(4, true);
  stored->Excluded(13, true);
  s->HourEXData(stored);
  s->Periodicity("N");
  s->SaveSubTableData();
  EXPECT_EQ(Column("Schedule_Hour_Ex", "Hour", 1), (Hours{3, 12, 23}));
  EXPECT_EQ(Column("Schedule_Event", "Event_Type_ID", 1), (Hours{1}));
  s->SaveSubTableData();
  EXPECT_EQ(Column("Schedule_Event", "Event_Type_ID", 1), (Hours{1})) << "rewritten, not added";
  EXPECT_EQ(Excluded(*Load(1)->GetHoursEx(1)), (Hours{3, 12, 23}));

  stored->ClearAll();
  s->Periodicity("H");
  s->SaveSubTableData();
  EXPECT_EQ(Column("Schedule_Hour_Ex", "Hour", 1), Hours{}) << "an empty set deletes the hours";
  EXPECT_EQ(Column("Schedule_Event", "Event_Type_ID", 1), (Hours{1})) << "events untouched";

  Ref<CSASchedData> fresh = Load(2);
  fresh->ScheduleID(3);
  fresh->IsNew(true);
  fresh->SaveSubTableData();
  fresh->SaveSubTableData();
  EXPECT_EQ(Column("Schedule_Event", "Event_Type_ID", 3), (Hours{1, 1}))
      << "a new schedule only adds";
  EXPECT_EQ(Column("Schedule_Event", "Event_Type_ID", 2), (Hours{1}));
}

TEST_P(SoftAlarmOnDatabase, EventTypesAndHoursOutsideTheSlots) {
  EXPECT_EQ(MSQL::GetEventTypeId("Data load"), 1);
  EXPECT_EQ(MSQL::GetEventTypeId("Threshold crossed"), 2);
  EXPECT_THROW(MSQL::GetEventTypeId("data load"), Error) << "matched exactly";
  system->hourSlots = 12;
  EXPECT_EQ(ErrorFrom([&] { Load(1)->GetHoursEx(1); }).source(), "HourExSet")
      << "hour 23 has no slot among 12";
  db->Execute("INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) VALUES (4, 40000)");
  EXPECT_EQ(ErrorFrom([&] { Load(1)->GetHoursEx(4); }).number(), errnum::Overflow);
}

PLEXION_ON_BOTH_ENGINES(SoftAlarmOnDatabase);

TEST(HourExSetDefault, SlotsFromTheBaseReadBackWhatWasSetAndRefuseOthers) {
  Ref<HourExSet> set = backends::MakeHourExSet();
  set->SlotBase(1);
  set->SlotCount(24);
  set->Excluded(24, true);
  set->Excluded(1, true);
  EXPECT_TRUE(set->Excluded(24));
  EXPECT_FALSE(set->Excluded(2));
  EXPECT_THROW(set->Excluded(0), Error);
  EXPECT_THROW(set->Excluded(25, true), Error);
  set->SlotCount(30);
  EXPECT_TRUE(set->Excluded(24)) << "growing keeps the flags";
  EXPECT_FALSE(set->Excluded(30));
  set->ClearAll();
  EXPECT_FALSE(set->Excluded(1));
  EXPECT_EQ(set->SlotCount(), 30);
  EXPECT_THROW(set->SlotCount(-1), Error);
}

}  // namespace
}  // namespace plexion
