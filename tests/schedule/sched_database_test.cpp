#include <functional>

#include "db_fixture.hpp"
#include "plexion/backends/output/schedule_outputs.hpp"
#include "plexion/backends/util/hour_ex_set.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/testing/config_doubles.hpp"
#include "plexion/testing/settings_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using backends::DbDateTimeScope;
using backends::DbDestination;
using testing::ErrorOf;
using Hours = std::vector<std::int32_t>;

// The demo database with the default hour-exclusion set, and settings and system
// configuration this test controls.
class ScheduleOnDatabase : public testing::DatabaseTest {
 protected:
  Ref<testing::FakeSettingsService> settings = MakeRef<testing::FakeSettingsService>();
  Ref<testing::FakeSystemConfig> system = MakeRef<testing::FakeSystemConfig>();
  services::ScopedService<SettingsService> settings_{settings};
  services::ScopedService<SystemConfig> system_{system};
  services::ScopedFactory<HourExSet> sets_{&backends::MakeHourExSet};

  Ref<CSchedData> Load(std::int32_t id) {
    auto s = MakeRef<CSchedData>();
    s->LoadSchedData(id, "Schedule");
    return s;
  }
  Ref<CSASchedData> LoadSoftAlarm(std::int32_t id) {
    auto s = MakeRef<CSASchedData>();
    s->LoadSASchedData(id);
    return s;
  }
  std::int32_t Count(const std::string& sql) { return ToInt32(db->Query(sql).rows.at(0).at(0)); }
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

TEST_P(ScheduleOnDatabase, ReportGroupRowsLoadInEachMode) {
  Ref<CSchedData> plain = Load(1);
  EXPECT_EQ(
      std::tuple(plain->ClientMachineID(), plain->RptGrpID(), plain->PurgeInterval(),
                 plain->RunMode(), plain->SubFolderName(), plain->Periodicity(),
                 plain->IncludeSundays(), plain->TimeZone(), plain->DLGroupBy(), plain->IsNew()),
      std::tuple(3, 12, 30, "S", "Nightly", "D", "Y", "Default TimeZone Region", "", false));
  EXPECT_EQ(std::pair(plain->FirstDateTime(), plain->FinalDateTime()),
            std::pair(DateTime::FromParts(2026, 1, 5, 2, 0), kFarFutureEnd));
  Ref<CSchedData> zoned = Load(2);
  EXPECT_EQ(std::tuple(zoned->FirstDateTime(), zoned->PurgeInterval(), zoned->WhichWeekday(),
                       zoned->OvrScenarioId(), zoned->OvrChanSetId(), zoned->IncludeSaturdays()),
            std::tuple(DateTime::FromParts(2026, 3, 1, 14, 30), 0, 3, 4, 2, "N"))
      << "server time; a null interval takes the fallback";
  settings->timeZones = true;
  zoned = Load(2);
  EXPECT_EQ(std::pair(zoned->FirstDateTime(), zoned->TimeZone()),
            std::pair(DateTime::FromParts(2026, 3, 1, 8, 30), std::string("Central")))
      << "the scheduled time in the schedule's own region";
  system->enterprise = true;
  Ref<CSchedData> enterprise = Load(3);
  EXPECT_EQ(std::tuple(enterprise->DLGroupBy(), enterprise->ScheduleActive(), enterprise->RunMode(),
                       enterprise->OvrServerGroupID(), enterprise->WhichMonthDate(),
                       enterprise->OvrDestinationId(), enterprise->OvrDTScopeId()),
            std::tuple("S", "N", "I", 2, 15, 1, 1));
  EXPECT_EQ(ErrorOf([&] { Load(42); }).number(), 3021) << "no schedule 42";
}

TEST_P(ScheduleOnDatabase, SoftAlarmRowsLoadWithTheirFallbacks) {
  Ref<CSASchedData> hourly = LoadSoftAlarm(1);
  EXPECT_EQ(std::tuple(hourly->ScheduleID(), hourly->RptGrpID(), hourly->OvrScenarioId(),
                       hourly->PurgeInterval(), hourly->Timeout(), hourly->Periodicity(),
                       hourly->TimeoutUnit(), hourly->FirstDateTime()),
            std::tuple(1, 12, 4, 14, 30, "H", "M", DateTime::FromParts(2026, 2, 1)));
  Ref<CSASchedData> triggered = LoadSoftAlarm(2);
  EXPECT_EQ(std::tuple(triggered->Periodicity(), triggered->TimeoutUnit(), triggered->Timeout(),
                       triggered->PurgeInterval()),
            std::tuple("N", "", 0, 0));
  EXPECT_THROW(LoadSoftAlarm(3), Error) << "no row";
}

TEST_P(ScheduleOnDatabase, OverridesAreInsertedThenUpdated) {
  Ref<CSchedData> s = Load(1);
  auto scope = MakeRef<DbDateTimeScope>();
  scope->Count(3);
  scope->Unit("W");
  auto destination = MakeRef<DbDestination>();
  destination->Kind("Email");
  destination->Target("ops@example.com");
  auto attach = [&](CSchedData& to) {
    to.DTScopeData(scope);
    to.DestinationData(destination);
    to.DoDTSOverride(true);
    to.DoDestOverride(true);
  };
  attach(*s);
  s->SaveSubTableData();
  EXPECT_EQ(std::tuple(s->OvrDTScopeId(), s->OvrDestinationId()), std::tuple(2, 2))
      << "the demo rows have id 1; the database numbers the next";
  EXPECT_EQ(Count("SELECT count(*) AS n FROM dt_scope"), 2);

  // The editor writes the schedule row from the object, dates included.
  s->RunMode("I");
  db->Execute("UPDATE rg_schedule SET OvrDTScopeId = " + std::to_string(s->OvrDTScopeId()) +
              ", OvrDestinationId = " + std::to_string(s->OvrDestinationId()) +
              ", RunMode = 'I', FirstDateTime = " + s->DBFirstDateTime()->SqlText() +
              ", FinalDateTime = " + s->DBFinalDateTime()->SqlText() + " WHERE Id = 1");
  Ref<CSchedData> again = Load(1);
  EXPECT_EQ(std::tuple(again->OvrDTScopeId(), again->OvrDestinationId()), std::tuple(2, 2));
  EXPECT_GT(again->FirstDateTime().serial(), DateTime::FromParts(2026, 1, 5).serial())
      << "an immediate run starts at the database's now";
  EXPECT_EQ(again->FinalDateTime(), kFarFutureEnd);

  scope->Count(5);
  destination->Target("noc@example.com");
  attach(*again);
  again->SaveSubTableData();
  EXPECT_EQ(again->OvrDTScopeId(), 2) << "a stored schedule updates what it points at";
  EXPECT_EQ(Count("SELECT count(*) AS n FROM dt_scope"), 2);
  auto stored = MakeRef<DbDateTimeScope>();
  stored->Load(2);
  EXPECT_EQ(stored->Describe(), "last 5 W");
  auto storedDestination = MakeRef<DbDestination>();
  storedDestination->Load(2);
  EXPECT_EQ(storedDestination->Describe(), "Email noc@example.com (CSV)");
}

TEST_P(ScheduleOnDatabase, OverrideObjectsRefuseBadValuesOrMissingRows) {
  auto scope = MakeRef<DbDateTimeScope>();
  auto destination = MakeRef<DbDestination>();
  const std::pair<const char*, std::function<void()>> refused[] = {
      {"a unit that is none", [&] { scope->Unit("Y"), scope->Insert(); }},
      {"an end before the start",
       [&] {
         scope->Unit("W"), scope->Relative(false);
         scope->StartDateTime(DateTime::FromParts(2026, 1, 5));
         scope->EndDateTime(DateTime::FromParts(2026, 1, 2));
         scope->Insert();
       }},
      {"a scope that is not stored", [&] { scope->Id(999), scope->Update(); }},
      {"a kind that is none", [&] { destination->Kind("Fax"), destination->Insert(); }},
      {"a destination that is not stored", [&] { destination->Load(999); }},
      {"a destination without an id", [&] { destination->Id(0), destination->Update(); }}};
  for (const auto& [what, call] : refused) EXPECT_THROW(call(), Error) << what;
  EXPECT_EQ(Count("SELECT count(*) AS n FROM dt_scope"), 1) << "no row written";
}

TEST_P(ScheduleOnDatabase, EventTypesMatchTheirNameExactly) {
  EXPECT_EQ(MSQL::GetEventTypeId("Threshold crossed"), 2) << "the row of that name";
  EXPECT_THROW(MSQL::GetEventTypeId("data load"), Error);
}

TEST_P(ScheduleOnDatabase, AStoredHourWithoutASlotIsTheSetsError) {
  system->hourSlots = 12;
  EXPECT_EQ(ErrorOf([&] { LoadSoftAlarm(1)->GetHoursEx(1); }).source(), "HourExSet")
      << "hour 23 has no slot among 12";
}

TEST_P(ScheduleOnDatabase, SoftAlarmHoursAndEventsAreRewrittenWhole) {
  Ref<CSASchedData> s = LoadSoftAlarm(1);
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
  EXPECT_EQ(Excluded(*LoadSoftAlarm(1)->GetHoursEx(1)), (Hours{3, 12, 23}));

  stored->ClearAll();
  s->Periodicity("H");
  s->SaveSubTableData();
  EXPECT_EQ(Column("Schedule_Hour_Ex", "Hour", 1), Hours{}) << "an empty set deletes the hours";
  EXPECT_EQ(Column("Schedule_Event", "Event_Type_ID", 1), (Hours{1})) << "events untouched";
}

PLEXION_ON_BOTH_ENGINES(ScheduleOnDatabase);

// Reading, setting and clearing the default set are the round trip's; here its bounds.
TEST(HourExSetDefault, TheDefaultSetRefusesSlotsOutsideItsCount) {
  Ref<HourExSet> set = backends::MakeHourExSet();
  set->SlotBase(1);
  set->SlotCount(24);
  set->Excluded(24, true);
  EXPECT_THROW(set->Excluded(0), Error);
  EXPECT_THROW(set->Excluded(25, true), Error);
  set->SlotCount(30);
  EXPECT_TRUE(set->Excluded(24) && !set->Excluded(30)) << "growing keeps the flags";
  EXPECT_THROW(set->SlotCount(-1), Error);
}

}  // namespace
}  // namespace plexion
