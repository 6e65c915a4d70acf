#include "db_fixture.hpp"
#include "plexion/backends/output/schedule_outputs.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/testing/config_doubles.hpp"
#include "plexion/testing/settings_doubles.hpp"

namespace plexion {
namespace {

using backends::DbDateTimeScope;
using backends::DbDestination;

// The demo database with settings and system configuration this test controls.
class ScheduleOnDatabase : public testing::DatabaseTest {
 protected:
  Ref<testing::FakeSettingsService> settings = MakeRef<testing::FakeSettingsService>();
  Ref<testing::FakeSystemConfig> system = MakeRef<testing::FakeSystemConfig>();
  services::ScopedService<SettingsService> settings_{settings};
  services::ScopedService<SystemConfig> system_{system};

  Ref<CSchedData> Load(std::int32_t id) {
    auto s = MakeRef<CSchedData>();
    s->LoadSchedData(id, "Schedule");
    return s;
  }
  std::int32_t Count(const std::string& sql) { return ToInt32(db->Query(sql).rows.at(0).at(0)); }
};

TEST_P(ScheduleOnDatabase, LoadsTheDemoRowsInEachMode) {
  Ref<CSchedData> plain = Load(1);
  EXPECT_EQ(plain->ClientMachineID(), 3);
  EXPECT_EQ(plain->RptGrpID(), 12);
  EXPECT_EQ(plain->RunMode(), "S");
  EXPECT_EQ(plain->SubFolderName(), "Nightly");
  EXPECT_EQ(plain->PurgeInterval(), 30);
  EXPECT_EQ(plain->FirstDateTime(), DateTime::FromParts(2026, 1, 5, 2, 0));
  EXPECT_EQ(plain->FinalDateTime(), kFarFutureEnd);
  EXPECT_EQ(plain->Periodicity(), "D");
  EXPECT_EQ(plain->IncludeSundays(), "Y");
  EXPECT_EQ(plain->TimeZone(), "Default TimeZone Region");
  EXPECT_EQ(plain->DLGroupBy(), "");
  EXPECT_FALSE(plain->IsNew());

  Ref<CSchedData> zoned = Load(2);
  EXPECT_EQ(zoned->FirstDateTime(), DateTime::FromParts(2026, 3, 1, 14, 30)) << "server time";
  EXPECT_EQ(zoned->PurgeInterval(), 0) << "a null interval takes the fallback";
  EXPECT_EQ(zoned->WhichWeekday(), 3);
  EXPECT_EQ(zoned->IncludeSaturdays(), "N");
  EXPECT_EQ(zoned->OvrScenarioId(), 4);
  EXPECT_EQ(zoned->OvrChanSetId(), 2);
  settings->timeZones = true;
  zoned = Load(2);
  EXPECT_EQ(zoned->FirstDateTime(), DateTime::FromParts(2026, 3, 1, 8, 30))
      << "the scheduled time in the schedule's own region";
  EXPECT_EQ(zoned->TimeZone(), "Central");
  EXPECT_EQ(Load(1)->TimeZone(), "Default TimeZone Region") << "a null region";

  system->enterprise = true;
  Ref<CSchedData> enterprise = Load(3);
  EXPECT_EQ(enterprise->DLGroupBy(), "S");
  EXPECT_EQ(enterprise->OvrServerGroupID(), 2);
  EXPECT_EQ(enterprise->ScheduleActive(), "N");
  EXPECT_EQ(enterprise->RunMode(), "I");
  EXPECT_TRUE(enterprise->IsOverride());
  EXPECT_EQ(enterprise->WhichMonthDate(), 15);
  EXPECT_EQ(enterprise->OvrDestinationId(), 1);
  EXPECT_EQ(enterprise->OvrDTScopeId(), 1);

  try {
    Load(42);
    FAIL() << "no schedule 42";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 3021);
  }
}

TEST_P(ScheduleOnDatabase, OverridesAreInsertedThenUpdatedAndTheRowIsWrittenWithTheirIds) {
  Ref<CSchedData> s = Load(1);
  auto scope = MakeRef<DbDateTimeScope>();
  scope->Count(3);
  scope->Unit("W");
  auto destination = MakeRef<DbDestination>();
  destination->Kind("Email");
  destination->Target("ops@example.com");
  s->DTScopeData(scope);
  s->DestinationData(destination);
  s->DoDTSOverride(true);
  s->DoDestOverride(true);
  s->SaveSubTableData();
  EXPECT_EQ(s->OvrDTScopeId(), 2) << "the demo scope has id 1; the database numbers the next";
  EXPECT_EQ(s->OvrDestinationId(), 2);
  EXPECT_EQ(Count("SELECT count(*) AS n FROM dt_scope"), 2);

  // The editor writes the schedule row from the object, dates included.
  s->RunMode("I");
  db->Execute("UPDATE rg_schedule SET OvrDTScopeId = " + std::to_string(s->OvrDTScopeId()) +
              ", OvrDestinationId = " + std::to_string(s->OvrDestinationId()) +
              ", RunMode = 'I', FirstDateTime = " + s->DBFirstDateTime()->SqlText() +
              ", FinalDateTime = " + s->DBFinalDateTime()->SqlText() + " WHERE Id = 1");
  Ref<CSchedData> again = Load(1);
  EXPECT_EQ(again->OvrDTScopeId(), 2);
  EXPECT_EQ(again->OvrDestinationId(), 2);
  EXPECT_GT(again->FirstDateTime().serial(), DateTime::FromParts(2026, 1, 5).serial())
      << "an immediate run starts at the database's now";
  EXPECT_EQ(again->FinalDateTime(), kFarFutureEnd);

  scope->Count(5);
  destination->Target("noc@example.com");
  again->DTScopeData(scope);
  again->DestinationData(destination);
  again->DoDTSOverride(true);
  again->DoDestOverride(true);
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

TEST_P(ScheduleOnDatabase, ScopesAndDestinationsRefuseBadValuesAndMissingRows) {
  auto scope = MakeRef<DbDateTimeScope>();
  scope->Unit("Y");
  EXPECT_THROW(scope->Insert(), Error);
  scope->Relative(false);
  scope->StartDateTime(DateTime::FromParts(2026, 1, 5));
  scope->EndDateTime(DateTime::FromParts(2026, 1, 2));
  EXPECT_THROW(scope->Insert(), Error) << "an end before the start";
  EXPECT_EQ(Count("SELECT count(*) AS n FROM dt_scope"), 1) << "no row written";
  scope->EndDateTime(DateTime::FromParts(2026, 2, 1, 12, 0));
  scope->Insert();
  const std::int32_t id = scope->Id();
  auto loaded = MakeRef<DbDateTimeScope>();
  loaded->Load(id);
  EXPECT_FALSE(loaded->Relative());
  EXPECT_EQ(loaded->EndDateTime(), DateTime::FromParts(2026, 2, 1, 12, 0));
  scope->Id(999);
  EXPECT_THROW(scope->Update(), Error);

  auto destination = MakeRef<DbDestination>();
  destination->Kind("Fax");
  EXPECT_THROW(destination->Insert(), Error);
  destination->Kind("Folder");
  destination->Target("O'Brien's reports");
  destination->WebAutoOrganize("Y");
  const std::int32_t first = destination->Insert();
  const std::int32_t second = destination->Insert();
  EXPECT_EQ(second, first + 1);
  EXPECT_EQ(destination->Id(), second);
  auto read = MakeRef<DbDestination>();
  read->Load(first);
  EXPECT_EQ(read->Target(), "O'Brien's reports");
  EXPECT_EQ(read->WebAutoOrganize(), "Y");
  EXPECT_THROW(read->Load(999), Error);
  read->Id(0);
  EXPECT_THROW(read->Update(), Error);
}

PLEXION_ON_BOTH_ENGINES(ScheduleOnDatabase);

}  // namespace
}  // namespace plexion
