#include "plexion/schedule/sched_data.hpp"

#include <gtest/gtest.h>

#include "plexion/testing/doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::EditArgs;
using testing::FakeDateTimeScope;
using testing::FakeDestination;
using testing::Flags;
using testing::Lines;

const std::array<std::string, 9> kAllYes{"Y", "Y", "Y", "Y", "Y", "Y", "Y", "Y", "Y"};

TEST(SchedData, FreshObjectIsZeroAndIsOverrideComparesRunModeExactly) {
  auto s = MakeRef<CSchedData>();
  EXPECT_EQ(s->ScheduleActive(), "");
  EXPECT_EQ(s->RptGrpID(), 0);
  EXPECT_EQ(s->OvrServerGroupID(), 0);
  EXPECT_EQ(s->FirstDateTime(), DateTime());
  EXPECT_EQ(s->WhichWeek(), 0);
  EXPECT_EQ(s->DLGroupBy(), "");
  EXPECT_EQ(s->TimeZone(), "");
  EXPECT_FALSE(s->IsNew());
  EXPECT_FALSE(s->IsOverride());
  s->RunMode("I");
  EXPECT_TRUE(s->IsOverride()) << "Override plays no part";
  EXPECT_FALSE(s->Override());
  for (const char* mode : {"i", " I", "I ", "S", ""}) {
    s->RunMode(mode);
    EXPECT_FALSE(s->IsOverride()) << '"' << mode << '"';
  }
}

TEST(SchedData, InitNewAsksTheDefaultsOfItsKindOfRunInOrder) {
  testing::InstalledDoubles d;
  d.groupBy->code = "T";
  auto s = MakeRef<CSchedData>();
  s->ClientMachineID(4);
  s->OvrDTScopeId(6);
  s->NextRunDate(DateTime(100.5));
  s->InitNew(true, 12, "Schedule", "New schedule");
  EXPECT_EQ(d.log->Lines(),
            (Lines{"SettingsService.ImmediateDefaults", "ImmediateDefaults.Item(Override)",
                   "ImmediateDefaults.Item(Download)", "ImmediateDefaults.Item(Purge)",
                   "ImmediateDefaults.Item(Days)", "GroupByDefaults.DefaultDLGroupBy",
                   "SettingsService.TimeZonesEnabled"}));
  EXPECT_EQ(s->AppName(), "Schedule");
  EXPECT_EQ(s->EditorName(), "New schedule");
  EXPECT_EQ(s->RunMode(), "I");
  EXPECT_TRUE(s->IsOverride());
  EXPECT_TRUE(s->Override());
  EXPECT_EQ(s->RetrieveMode(), "N");
  EXPECT_EQ(s->AutoPurge(), "Y");
  EXPECT_EQ(s->PurgeInterval(), 7);
  EXPECT_EQ(s->ScheduleActive(), "Y");
  EXPECT_EQ(s->RptGrpID(), 12);
  EXPECT_EQ(s->SubFolderName(), "");
  EXPECT_EQ(s->FirstDateTime(), DateTime::Today());
  EXPECT_FALSE(s->FirstDateTime().HasTime());
  EXPECT_EQ(s->FinalDateTime().serial(), 50040.0);
  EXPECT_EQ(s->WhichMonthDate(), 0);
  EXPECT_EQ(s->WhichWeek(), 1);
  EXPECT_EQ(s->WhichWeekday(), 1);
  EXPECT_EQ(s->Periodicity(), "H");
  EXPECT_EQ(s->Frequency(), 1);
  EXPECT_EQ(Flags(*s), kAllYes);
  EXPECT_EQ(s->DLGroupBy(), "T");
  EXPECT_EQ(s->TimeZone(), "") << "time zones are off";
  EXPECT_TRUE(s->IsNew());
  EXPECT_EQ(s->ClientMachineID(), 4);
  EXPECT_EQ(s->OvrDTScopeId(), 6);
  EXPECT_EQ(s->NextRunDate(), DateTime(100.5));

  d.log->Clear();
  d.settings->timeZones = true;
  d.settings->groups["ScheduledDefaults"] = {
      {"Download", Variant("S")}, {"Purge", Variant("N")}, {"Days", Variant("45")}};
  s->Override(true);
  s->InitNew(false, 7, "Schedule", "Scheduled");
  EXPECT_EQ(d.log->Lines(),
            (Lines{"SettingsService.ScheduledDefaults", "ScheduledDefaults.Item(Download)",
                   "ScheduledDefaults.Item(Purge)", "ScheduledDefaults.Item(Days)",
                   "GroupByDefaults.DefaultDLGroupBy", "SettingsService.TimeZonesEnabled",
                   "SettingsService.TimeZoneRegion"}))
      << "a scheduled run reads no Override";
  EXPECT_EQ(s->RunMode(), "S");
  EXPECT_FALSE(s->IsOverride());
  EXPECT_TRUE(s->Override()) << "left as it was";
  EXPECT_EQ(s->RetrieveMode(), "S");
  EXPECT_EQ(s->PurgeInterval(), 45) << "a text number converts";
  EXPECT_EQ(s->TimeZone(), "Central");

  auto fresh = MakeRef<CSchedData>();
  fresh->InitNew(false, 7, "Schedule", "");
  EXPECT_FALSE(fresh->Override());
}

TEST(SchedData, InitNewKeepsTheFieldsSetBeforeAFailure) {
  testing::InstalledDoubles d;
  auto s = MakeRef<CSchedData>();
  d.settings->failOn = {"ImmediateDefaults.Item(Purge)"};
  EXPECT_THROW(s->InitNew(true, 12, "Schedule", "Ed"), Error);
  EXPECT_EQ(s->AppName(), "Schedule");
  EXPECT_EQ(s->RunMode(), "I");
  EXPECT_TRUE(s->Override());
  EXPECT_EQ(s->EditorName(), "Ed");
  EXPECT_EQ(s->RetrieveMode(), "N");
  EXPECT_EQ(s->AutoPurge(), "");
  EXPECT_EQ(s->ScheduleActive(), "");
  EXPECT_FALSE(s->IsNew());

  d.settings->failOn.clear();
  d.settings->groups["ImmediateDefaults"][3].second = Variant("seven");
  auto t = MakeRef<CSchedData>();
  try {
    t->InitNew(true, 12, "Schedule", "Ed");
    FAIL() << "a Days default that is not a number";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::TypeMismatch);
  }
  EXPECT_EQ(t->AutoPurge(), "Y");
  EXPECT_EQ(t->PurgeInterval(), 0);

  d.settings->groups["ImmediateDefaults"][3].second = Variant(std::int32_t{7});
  d.groupBy->fail = true;
  auto u = MakeRef<CSchedData>();
  u->DLGroupBy("old");
  EXPECT_THROW(u->InitNew(true, 12, "Schedule", "Ed"), Error);
  EXPECT_EQ(Flags(*u), kAllYes) << "set before the group-by default was asked";
  EXPECT_EQ(u->DLGroupBy(), "old");
  EXPECT_FALSE(u->IsNew());
  EXPECT_EQ(d.log->Lines().back(), "GroupByDefaults.DefaultDLGroupBy")
      << "time zones are not asked after the failure";
}

TEST(SchedData, InitEditStoresEveryArgumentAndKeepsTheOverrides) {
  testing::InstalledDoubles d;
  auto s = MakeRef<CSchedData>();
  s->OvrDTScopeId(6);
  s->OvrDestinationId(7);
  s->OvrServerGroupID(8);
  s->Override(true);
  s->DoDTSOverride(true);
  s->LastRunDate(DateTime(200.25));
  s->IsNew(true);
  EditArgs a;
  testing::Edit(*s, a);
  EXPECT_TRUE(d.log->Lines().empty()) << "InitEdit asks no service, the group-by defaults included";
  EXPECT_EQ(s->EditorName(), "Ed");
  EXPECT_EQ(s->ClientMachineID(), 3);
  EXPECT_EQ(s->ScheduleActive(), "N");
  EXPECT_EQ(s->RptGrpID(), 12);
  EXPECT_EQ(s->RunMode(), "S");
  EXPECT_EQ(s->RetrieveMode(), "A");
  EXPECT_EQ(s->AutoPurge(), "N");
  EXPECT_EQ(s->PurgeInterval(), 14);
  EXPECT_EQ(s->SubFolderName(), "Nightly");
  EXPECT_EQ(s->FirstDateTime(), a.first);
  EXPECT_EQ(s->FinalDateTime(), a.final);
  EXPECT_EQ(s->WhichMonthDate(), 15);
  EXPECT_EQ(s->WhichWeek(), 2);
  EXPECT_EQ(s->WhichWeekday(), 3);
  EXPECT_EQ(s->Periodicity(), "W");
  EXPECT_EQ(s->Frequency(), 2);
  EXPECT_EQ(Flags(*s), a.flags);
  EXPECT_EQ(s->AppName(), "Schedule");
  EXPECT_EQ(s->TimeZone(), "Central");
  EXPECT_EQ(s->DLGroupBy(), "R") << "the argument's default";
  EXPECT_FALSE(s->IsNew());
  EXPECT_EQ(s->OvrDTScopeId(), 6);
  EXPECT_EQ(s->OvrDestinationId(), 7);
  EXPECT_EQ(s->OvrServerGroupID(), 8);
  EXPECT_TRUE(s->Override());
  EXPECT_TRUE(s->DoDTSOverride());
  EXPECT_EQ(s->LastRunDate(), DateTime(200.25));

  testing::Edit(*s, a, "");
  EXPECT_EQ(s->DLGroupBy(), "") << "the stored code, even an empty one, not the default";
  testing::Edit(*s, a, "S");
  EXPECT_EQ(s->DLGroupBy(), "S");

  for (const auto& [given, stored] :
       std::vector<std::pair<std::string, std::string>>{{"NULL", "Default TimeZone Region"},
                                                        {"", "Default TimeZone Region"},
                                                        {"null", "null"},
                                                        {"NULL ", "NULL "},
                                                        {"Eastern", "Eastern"}}) {
    a.timeZone = given;
    testing::Edit(*s, a);
    EXPECT_EQ(s->TimeZone(), stored) << '"' << given << '"';
  }

  a.editor = Variant(std::int32_t{42});
  testing::Edit(*s, a);
  EXPECT_EQ(s->EditorName(), "42") << "a variant name converts to text";
}

TEST(SchedData, InitEditWithANullNameOrActiveFlagStopsWhereItFails) {
  auto s = MakeRef<CSchedData>();
  EditArgs a;
  a.editor = Variant::Null();
  a.app = "First";
  try {
    testing::Edit(*s, a);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::InvalidUseOfNull);
  }
  EXPECT_EQ(s->AppName(), "First") << "stored before the name";
  EXPECT_EQ(s->EditorName(), "");
  EXPECT_EQ(s->ClientMachineID(), 0);

  a.editor = Variant("Ed");
  a.active = Variant::Null();
  s->IsNew(true);
  EXPECT_THROW(testing::Edit(*s, a), Error);
  EXPECT_EQ(s->EditorName(), "Ed");
  EXPECT_EQ(s->ClientMachineID(), 3);
  EXPECT_EQ(s->ScheduleActive(), "");
  EXPECT_EQ(s->RptGrpID(), 0);
  EXPECT_TRUE(s->IsNew());
}

TEST(SchedData, HoldsOneReferenceToEachOverrideObjectAndReleasesTheScopeFirst) {
  auto log = testing::NewLog();
  auto s = MakeRef<CSchedData>();
  {
    auto destination = MakeRef<FakeDestination>(log);
    auto first = MakeRef<FakeDateTimeScope>(log, "FirstScope");
    s->DestinationData(destination);
    s->DTScopeData(first);
    EXPECT_EQ(first->RefCount(), 2);
    s->DTScopeData(MakeRef<FakeDateTimeScope>(log));
    EXPECT_EQ(first->RefCount(), 1) << "setting again replaces the earlier reference";
  }
  EXPECT_EQ(log->Lines(), (Lines{"FirstScope.Release"}));
  s.reset();
  EXPECT_EQ(log->Lines(),
            (Lines{"FirstScope.Release", "DateTimeScope.Release", "Destination.Release"}));

  auto t = MakeRef<CSchedData>();
  t->DTScopeData(MakeRef<FakeDateTimeScope>(log, "Dropped"));
  t->DTScopeData(nullptr);
  EXPECT_EQ(log->Lines().back(), "Dropped.Release");
}

TEST(SchedData, SaveInsertsForANewScheduleAndUpdatesWhatAStoredOnePointsAt) {
  auto log = testing::NewLog();
  auto scope = MakeRef<FakeDateTimeScope>(log);
  auto destination = MakeRef<FakeDestination>(log);
  auto s = MakeRef<CSchedData>();
  s->DTScopeData(scope);
  s->DestinationData(destination);
  s->DoDTSOverride(true);
  s->DoDestOverride(true);
  s->OvrDTScopeId(5);
  s->OvrDestinationId(6);
  s->IsNew(true);
  Ref<CSchedData> self = s->SaveSubTableData();
  EXPECT_TRUE(self == s);
  EXPECT_EQ(log->Lines(), (Lines{"DateTimeScope.Insert", "DateTimeScope.Id", "Destination.Insert"}))
      << "a new schedule inserts even with ids that are not 0";
  EXPECT_EQ(s->OvrDTScopeId(), 501);
  EXPECT_EQ(s->OvrDestinationId(), 701);

  log->Clear();
  s->IsNew(false);
  scope->id = 502;
  destination->id = 702;
  s->SaveSubTableData();
  EXPECT_EQ(log->Lines(),
            (Lines{"DateTimeScope.Update", "DateTimeScope.Id", "Destination.Update"}));
  EXPECT_EQ(s->OvrDTScopeId(), 502) << "taken from the scope after the update";
  EXPECT_EQ(s->OvrDestinationId(), 701) << "left unchanged by an update";

  log->Clear();
  s->OvrDTScopeId(0);
  s->OvrDestinationId(0);
  destination->nextId = 703;
  s->SaveSubTableData();
  EXPECT_EQ(log->Lines(), (Lines{"DateTimeScope.Insert", "DateTimeScope.Id", "Destination.Insert"}))
      << "a stored schedule inserts where its id is still 0";
  EXPECT_EQ(s->OvrDestinationId(), 703);
}

TEST(SchedData, SaveSkipsAFlagWithoutItsObjectAndAnObjectWithoutItsFlag) {
  auto log = testing::NewLog();
  auto s = MakeRef<CSchedData>();
  s->DoDTSOverride(true);
  s->DestinationData(MakeRef<FakeDestination>(log));
  s->OvrDTScopeId(5);
  s->OvrDestinationId(6);
  s->SaveSubTableData();
  EXPECT_TRUE(log->Lines().empty());
  EXPECT_EQ(s->OvrDTScopeId(), 5);
  EXPECT_EQ(s->OvrDestinationId(), 6);
}

TEST(SchedData, SaveWritesAnIdOnlyAfterItsCallSucceededAndStopsAtAFailingScope) {
  auto log = testing::NewLog();
  auto scope = MakeRef<FakeDateTimeScope>(log);
  auto destination = MakeRef<FakeDestination>(log);
  auto s = MakeRef<CSchedData>();
  s->DTScopeData(scope);
  s->DestinationData(destination);
  s->DoDTSOverride(true);
  s->DoDestOverride(true);

  scope->failOn = {"DateTimeScope.Insert"};
  EXPECT_THROW(s->SaveSubTableData(), Error);
  EXPECT_EQ(log->Lines(), (Lines{"DateTimeScope.Insert"})) << "the destination is not attempted";
  EXPECT_EQ(s->OvrDTScopeId(), 0);

  log->Clear();
  scope->failOn = {"DateTimeScope.Id"};
  EXPECT_THROW(s->SaveSubTableData(), Error);
  EXPECT_EQ(log->Lines(), (Lines{"DateTimeScope.Insert", "DateTimeScope.Id"}));
  EXPECT_EQ(s->OvrDTScopeId(), 0);

  log->Clear();
  scope->failOn.clear();
  destination->failOn = {"Destination.Insert"};
  try {
    s->SaveSubTableData();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.source(), "Destination");
  }
  EXPECT_EQ(s->OvrDTScopeId(), 501) << "the scope was saved before the destination failed";
  EXPECT_EQ(s->OvrDestinationId(), 0);
}

TEST(SchedData, DatabaseDatesAreAskedAnewAndOnlyAnExactIMeansNow) {
  testing::InstalledDoubles d;
  auto s = MakeRef<CSchedData>();
  s->FirstDateTime(DateTime::FromParts(2026, 3, 1, 8, 30));
  s->FinalDateTime(DateTime::FromParts(2036, 12, 31));
  s->RunMode("I");
  EXPECT_EQ(s->DBFirstDateTime()->SqlText(), "CURRENT_TIMESTAMP");
  EXPECT_EQ(s->DBFirstDateTime()->Value(), d.db->now);
  s->RunMode("i");
  EXPECT_EQ(s->DBFirstDateTime()->SqlText(), "'2026-03-01 08:30:00'");
  EXPECT_EQ(s->DBFinalDateTime()->SqlText(), "'2036-12-31 00:00:00'");
  s->RunMode("I");
  EXPECT_EQ(s->DBFinalDateTime()->Value(), s->FinalDateTime()) << "whatever the run mode";
  EXPECT_EQ(
      d.log->Lines(),
      (Lines{"DbService.DbNow", "DbService.DbNow", "DbService.MakeDbDate(3/1/2026 8:30:00 AM)",
             "DbService.MakeDbDate(12/31/2036)", "DbService.MakeDbDate(12/31/2036)"}));
  d.db->FailOn("DbService.DbNow");
  EXPECT_THROW(s->DBFirstDateTime(), Error);
}

}  // namespace
}  // namespace plexion
