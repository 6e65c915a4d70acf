#include "plexion/schedule/sa_sched_data.hpp"

#include <gtest/gtest.h>

#include "plexion/schedule/msql.hpp"
#include "plexion/testing/doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::EditArgs;
using testing::FakeHourExSet;
using testing::Flags;
using testing::Lines;

TEST(SASchedData, FreshObjectIsZero) {
  auto s = MakeRef<CSASchedData>();
  EXPECT_EQ(s->ScheduleID(), 0);
  EXPECT_EQ(s->ScheduleActive(), "");
  EXPECT_EQ(s->Timeout(), 0);
  EXPECT_EQ(s->TimeoutUnit(), "");
  EXPECT_EQ(s->FinalDateTime(), DateTime());
  EXPECT_EQ(s->Frequency(), 0);
  EXPECT_FALSE(s->IsNew());
  EXPECT_FALSE(s->Override());
  EXPECT_FALSE(s->IsOverride());
  s->RunMode("i");
  EXPECT_FALSE(s->IsOverride());
  s->RunMode("I");
  EXPECT_TRUE(s->IsOverride());
}

TEST(SASchedData, InitNewTakesEachRunsOwnDefaultsAndStoresTheOverrides) {
  testing::InstalledDoubles d;
  d.settings->groups["ImmediateDefaults"][1].second = Variant("I");
  d.settings->groups["ScheduledDefaults"][1].second = Variant("S");
  auto s = MakeRef<CSASchedData>();
  s->ScheduleID(9);
  s->ClientMachineID(4);
  s->OvrDestinationId(6);
  s->OvrDTScopeId(7);
  s->Timeout(30);
  s->TimeoutUnit("M");
  s->InitNew(true, 12, "Alarm", 4, 2);
  EXPECT_EQ(d.log->Lines(),
            (Lines{"SettingsService.ImmediateDefaults", "ImmediateDefaults.Item(Override)",
                   "ImmediateDefaults.Item(Download)", "ImmediateDefaults.Item(Purge)",
                   "ImmediateDefaults.Item(Days)"}))
      << "no time zone and no group-by code";
  EXPECT_EQ(s->RunMode(), "I");
  EXPECT_TRUE(s->Override());
  EXPECT_EQ(s->EditorName(), "Alarm");
  EXPECT_EQ(s->RetrieveMode(), "I");
  EXPECT_EQ(s->PurgeInterval(), 7);
  EXPECT_EQ(s->ScheduleActive(), "Y");
  EXPECT_EQ(s->RptGrpID(), 12);
  EXPECT_EQ(s->FirstDateTime(), DateTime::Today());
  EXPECT_EQ(s->FinalDateTime().serial(), 50040.0);
  EXPECT_EQ(s->WhichMonthDate(), 0);
  EXPECT_EQ(s->WhichWeek(), 1);
  EXPECT_EQ(s->WhichWeekday(), 1);
  EXPECT_EQ(s->Periodicity(), "H");
  EXPECT_EQ(s->Frequency(), 1);
  EXPECT_EQ(Flags(*s)[8], "Y");
  EXPECT_EQ(s->OvrScenarioId(), 4);
  EXPECT_EQ(s->OvrChanSetId(), 2);
  EXPECT_TRUE(s->IsNew());
  EXPECT_EQ(s->ScheduleID(), 9);
  EXPECT_EQ(s->ClientMachineID(), 4);
  EXPECT_EQ(s->OvrDestinationId(), 6);
  EXPECT_EQ(s->OvrDTScopeId(), 7);
  EXPECT_EQ(s->Timeout(), 30);
  EXPECT_EQ(s->TimeoutUnit(), "M");

  auto t = MakeRef<CSASchedData>();
  t->InitNew(false, 7, "Scheduled", 0, 0);
  EXPECT_EQ(t->RunMode(), "S");
  EXPECT_FALSE(t->Override());
  EXPECT_EQ(t->RetrieveMode(), "S");
  EXPECT_EQ(t->PurgeInterval(), 30);
  EXPECT_EQ(t->Timeout(), 0);
  EXPECT_EQ(t->TimeoutUnit(), "") << "a new schedule starts without a time-out";

  d.settings->failOn = {"ScheduledDefaults.Item(Days)"};
  auto u = MakeRef<CSASchedData>();
  EXPECT_THROW(u->InitNew(false, 7, "Failing", 3, 3), Error);
  EXPECT_EQ(u->AutoPurge(), "Y");
  EXPECT_EQ(u->ScheduleActive(), "");
  EXPECT_EQ(u->OvrScenarioId(), 0);
  EXPECT_FALSE(u->IsNew());
}

TEST(SASchedData, InitEditConvertsTheNameFirstThenStoresInTableOrder) {
  auto s = MakeRef<CSASchedData>();
  s->OvrChanSetId(5);
  s->OvrDestinationId(6);
  s->Override(true);
  s->DoDestOverride(true);
  s->NextRunDate(DateTime(9.5));
  s->IsNew(true);
  EditArgs a;
  testing::Edit(*s, a);
  EXPECT_EQ(s->ScheduleID(), 9);
  EXPECT_EQ(s->EditorName(), "Ed");
  EXPECT_EQ(s->ClientMachineID(), 3);
  EXPECT_EQ(s->ScheduleActive(), "N");
  EXPECT_EQ(s->RptGrpID(), 12);
  EXPECT_EQ(s->OvrScenarioId(), 4);
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
  EXPECT_EQ(s->Timeout(), 30);
  EXPECT_EQ(s->TimeoutUnit(), "M");
  EXPECT_FALSE(s->IsNew());
  EXPECT_EQ(s->OvrChanSetId(), 5);
  EXPECT_EQ(s->OvrDestinationId(), 6);
  EXPECT_TRUE(s->Override());
  EXPECT_TRUE(s->DoDestOverride());
  EXPECT_EQ(s->NextRunDate(), DateTime(9.5));

  auto t = MakeRef<CSASchedData>();
  a.editor = Variant::Null();
  EXPECT_THROW(testing::Edit(*t, a), Error);
  EXPECT_EQ(t->ScheduleID(), 0) << "argument 2 is converted before argument 1 is stored";
  a.editor = Variant("Ed");
  a.active = Variant::Null();
  try {
    testing::Edit(*t, a);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::InvalidUseOfNull);
  }
  EXPECT_EQ(t->EditorName(), "Ed");
  EXPECT_EQ(t->ScheduleID(), 9);
  EXPECT_EQ(t->ClientMachineID(), 3);
  EXPECT_EQ(t->ScheduleActive(), "");
  EXPECT_EQ(t->RptGrpID(), 0);
}

TEST(SASchedData, ReleasesTheHourSetFirst) {
  auto log = testing::NewLog();
  auto s = MakeRef<CSASchedData>();
  s->DestinationData(MakeRef<testing::FakeDestination>(log));
  s->DTScopeData(MakeRef<testing::FakeDateTimeScope>(log));
  s->HourEXData(MakeRef<FakeHourExSet>(log));
  EXPECT_TRUE(log->Lines().empty()) << "the object holds its own references";
  s.reset();
  EXPECT_EQ(log->Lines(),
            (Lines{"HourExSet.Release", "DateTimeScope.Release", "Destination.Release"}));
}

TEST(SASchedLoad, QueryTimeOutCheckReadOrderAndTheFinalInitEdit) {
  testing::InstalledDoubles d;
  testing::ScriptRow(*d.db, "SELECT * FROM SA_Schedule_View", testing::SoftAlarmRow());
  auto s = MakeRef<CSASchedData>();
  s->EditorName("Before");
  s->OvrChanSetId(8);
  s->IsNew(true);
  s->LoadSASchedData(31);
  EXPECT_EQ(
      d.log->Matching("DbService."),
      (Lines{"DbService.OpenRecordset(SELECT * FROM SA_Schedule_View WHERE Id = 31 | true | \"\" | "
             "0 | \"\" | \"\" | 60)",
             "DbService.ColumnExists(sa_schedule | TimeOut | \"\" | 0 | \"\" | \"\")",
             "DbService.FieldLongOrDefault(Timeout | 0)",
             "DbService.FieldText(Timeout_unit)",
             "DbService.FieldLong(Id)",
             "DbService.FieldLong(ClientMachineID)",
             "DbService.FieldText(ScheduleActive)",
             "DbService.FieldLong(RptGrpID)",
             "DbService.FieldLong(OvrScenarioId)",
             "DbService.FieldText(RunMode)",
             "DbService.FieldText(RetrieveMode)",
             "DbService.FieldText(AutoPurge)",
             "DbService.FieldLongOrDefault(PurgeInterval | 0)",
             "DbService.FieldText(SubFolderName)",
             "DbService.FieldDate(FirstDateTime)",
             "DbService.FieldDate(FinalDateTime)",
             "DbService.FieldLongOrDefault(WhichMonthDate | 0)",
             "DbService.FieldLongOrDefault(WhichWeek | 1)",
             "DbService.FieldLongOrDefault(WhichWeekday | 1)",
             "DbService.FieldText(Periodicity)",
             "DbService.FieldLongOrDefault(Frequency | 1)",
             "DbService.FieldText(IncludeMondays)",
             "DbService.FieldText(IncludeTuesdays)",
             "DbService.FieldText(IncludeWednesdays)",
             "DbService.FieldText(IncludeThursdays)",
             "DbService.FieldText(IncludeFridays)",
             "DbService.FieldText(IncludeSaturdays)",
             "DbService.FieldText(IncludeSundays)",
             "DbService.FieldText(IncludeHolidays)",
             "DbService.FieldText(IncludeDayAfterHol)"}));
  EXPECT_EQ(d.log->Lines().back(), "DbRecordset.Close");
  EXPECT_EQ(s->ScheduleID(), 31);
  EXPECT_EQ(s->EditorName(), "");
  EXPECT_FALSE(s->IsNew());
  EXPECT_EQ(s->OvrScenarioId(), 4);
  EXPECT_EQ(s->Periodicity(), "N");
  EXPECT_EQ(s->FirstDateTime(), DateTime::FromParts(2026, 2, 1));
  EXPECT_EQ(s->WhichWeek(), 1);
  EXPECT_EQ(s->Frequency(), 1);
  EXPECT_EQ(Flags(*s)[2], "N");
  EXPECT_EQ(s->Timeout(), 30);
  EXPECT_EQ(s->TimeoutUnit(), "M");
  EXPECT_EQ(s->OvrChanSetId(), 8) << "no column supplies it";
}

TEST(SASchedLoad, WithoutTheTimeOutColumnTheTimeOutIsClearedOnEveryLoad) {
  testing::InstalledDoubles d;
  d.db->columnExists = false;
  testing::ScriptRow(*d.db, "SELECT * FROM SA_Schedule_View",
                     testing::Without(testing::SoftAlarmRow(), {"TimeOut", "Timeout_unit"}));
  auto s = MakeRef<CSASchedData>();
  s->Timeout(99);
  s->TimeoutUnit("H");
  s->LoadSASchedData(31);
  s->LoadSASchedData(-2);
  EXPECT_EQ(s->Timeout(), 0);
  EXPECT_EQ(s->TimeoutUnit(), "");
  EXPECT_EQ(d.log->Matching("DbService.ColumnExists").size(), 2u) << "asked at every load";
  EXPECT_TRUE(d.log->Matching("DbService.FieldText(Timeout_unit)").empty());
  EXPECT_EQ(
      d.log->Matching("DbService.OpenRecordset").back(),
      "DbService.OpenRecordset(SELECT * FROM SA_Schedule_View WHERE Id = -2 | true | \"\" | 0 "
      "| \"\" | \"\" | 60)");
}

TEST(SASchedLoad, NoRecordsetOrNoRowChangesNothing) {
  testing::InstalledDoubles d;
  d.db->WhenQueryReturnsNothing("SELECT * FROM SA_Schedule_View WHERE Id = 1");
  d.db->WhenQuery("SELECT * FROM SA_Schedule_View WHERE Id = 2", {"Id", "TimeOut"}, {});
  auto s = MakeRef<CSASchedData>();
  EditArgs a;
  testing::Edit(*s, a);
  s->IsNew(true);
  s->LoadSASchedData(1);
  EXPECT_TRUE(s->IsNew());
  EXPECT_EQ(d.log->Lines().size(), 1u) << "not even the time-out check";
  try {
    s->LoadSASchedData(2);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 3021);
  }
  EXPECT_TRUE(s->IsNew());
  EXPECT_EQ(s->ScheduleID(), 9);
  EXPECT_EQ(s->EditorName(), "Ed");
  EXPECT_EQ(s->Timeout(), 30);
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());
}

// ---- excluded hours and trigger events ----

struct HourFixture {
  testing::InstalledDoubles d;
  testing::InstalledOutputDoubles made{d.log};
  Ref<CSASchedData> s = MakeRef<CSASchedData>();
};

std::string HourQuery(const std::string& id) {
  return "DbService.OpenRecordset(Select * from Schedule_Hour_Ex where Schedule_ID=" + id +
         " | false | \"\" | 0 | \"\" | \"\" | 60)";
}

TEST(SAHoursEx, BuildsANewClearedSetAndMarksEachStoredHour) {
  HourFixture f;
  f.d.db->WhenQuery("Select * from Schedule_Hour_Ex where Schedule_ID=5", {"Schedule_ID", "Hour"},
                    {{Variant(std::int32_t{5}), Variant(std::int32_t{0})},
                     {Variant(std::int32_t{5}), Variant("23")}});
  auto attached = MakeRef<FakeHourExSet>(f.d.log, "Attached");
  f.s->HourEXData(attached);
  Ref<HourExSet> set = f.s->GetHoursEx(5);
  ASSERT_EQ(f.made.hourSets.size(), 1u);
  EXPECT_TRUE(set == f.made.hourSets[0]);
  EXPECT_EQ(
      f.d.log->Lines(),
      (Lines{"HourExSet.SlotBase(1)", "SystemConfig.HourSlotCount(0)", "HourExSet.SlotCount(24)",
             "HourExSet.ClearAll", HourQuery("5"), "DbRecordset.MoveFirst",
             "DbRecordset.Fields.Item(Hour).Value", "HourExSet.Excluded(1 | true)",
             "DbRecordset.MoveNext", "DbRecordset.Fields.Item(Hour).Value",
             "HourExSet.Excluded(24 | true)", "DbRecordset.MoveNext", "DbRecordset.Close"}));
  EXPECT_EQ(f.made.hourSets[0]->ExcludedSlots(), (std::vector<std::int32_t>{1, 24}));
  EXPECT_TRUE(attached->slots.empty()) << "HourEXData is left alone";

  f.d.log->Clear();
  f.d.system->hourSlots = 12;
  f.d.db->WhenQuery("Select * from Schedule_Hour_Ex where Schedule_ID=0", {"Hour"}, {});
  Ref<HourExSet> empty = f.s->GetHoursEx(0);
  EXPECT_FALSE(empty == set) << "a new set each time";
  EXPECT_EQ(f.d.log->Lines(),
            (Lines{"HourExSet.SlotBase(1)", "SystemConfig.HourSlotCount(0)",
                   "HourExSet.SlotCount(12)", "HourExSet.ClearAll", HourQuery("0")}))
      << "no row: nothing moved, nothing closed";

  f.d.log->Clear();
  f.d.db->WhenQueryReturnsNothing("Select * from Schedule_Hour_Ex where Schedule_ID=-1");
  f.s->GetHoursEx(-1);
  EXPECT_EQ(f.d.log->Lines().back(), HourQuery("-1"));
}

TEST(SAHoursEx, StoredHoursAreSixteenBitIntegersAndOutOfRangeSlotsAreTheSetsToHandle) {
  HourFixture f;
  auto script = [&](Variant hour) {
    f.d.db->queries.clear();
    f.d.db->WhenQuery("Select", {"Hour"}, {{std::move(hour)}});
  };
  script(Variant(std::int32_t{24}));
  f.s->GetHoursEx(1);
  script(Variant(std::int32_t{-1}));
  f.s->GetHoursEx(1);
  EXPECT_EQ(f.d.log->Matching("HourExSet.Excluded"),
            (Lines{"HourExSet.Excluded(25 | true)", "HourExSet.Excluded(0 | true)"}));
  for (Variant overflowing : {Variant(std::int32_t{32767}), Variant(std::int32_t{40000}),
                              Variant(std::int32_t{-32769})}) {
    script(overflowing);
    try {
      f.s->GetHoursEx(1);
      FAIL() << overflowing.Describe();
    } catch (const Error& e) {
      EXPECT_EQ(e.number(), errnum::Overflow) << overflowing.Describe();
    }
  }
  script(Variant(std::int32_t{32766}));
  f.s->GetHoursEx(1);
  EXPECT_EQ(f.d.log->Matching("HourExSet.Excluded").back(), "HourExSet.Excluded(32767 | true)");
}

TEST(SASave, StoredScheduleDeletesThenInsertsTheEventAndOneRowPerHourAscending) {
  HourFixture f;
  f.d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID", "Name"},
                    {{Variant(std::int32_t{1}), Variant("Data load")}});
  auto set = MakeRef<FakeHourExSet>(f.d.log);
  set->slots = {{24, true}, {1, true}, {5, false}};
  f.s->ScheduleID(5);
  f.s->Periodicity("N");
  f.s->HourEXData(set);
  Ref<CSASchedData> self = f.s->SaveSubTableData();
  EXPECT_TRUE(self == f.s);
  EXPECT_EQ(f.d.db->statements,
            (Lines{"Delete From Schedule_Event where Schedule_ID = 5",
                   "INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (5, 1)",
                   "Delete From Schedule_Hour_Ex where Schedule_ID = 5",
                   "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (5, 0)",
                   "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (5, 23)"}));
  Lines expected{
      "DbService.OpenRecordset(SELECT * FROM EN_Event_Type WHERE Name = 'Data load' | true | \"\" "
      "| 0 | \"\" | \"\" | 60)",
      "DbRecordset.Fields.Item(Event_Type_ID).Value",
      "DbRecordset.Close",
      "DbService.ExecuteStatement(Delete From Schedule_Event where Schedule_ID = 5)",
      "DbService.FormatValueList(5&, 1&)",
      "DbService.ExecuteStatement(INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values "
      "(5, 1))",
      "DbService.ExecuteStatement(Delete From Schedule_Hour_Ex where Schedule_ID = 5)",
      "SystemConfig.HourSlotCount(0)"};
  const Lines& lines = f.d.log->Lines();
  ASSERT_GE(lines.size(), expected.size());
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + std::ptrdiff_t(expected.size())), expected);
  Lines reads;
  for (int k = 1; k <= 24; ++k) reads.push_back("HourExSet.Excluded(" + std::to_string(k) + ")");
  EXPECT_EQ(f.d.log->Matching("HourExSet.Excluded"), reads) << "every slot, ascending";
  EXPECT_EQ(f.d.log->Matching("SystemConfig.HourSlotCount").size(), 1u) << "N asked once";
  EXPECT_EQ(f.d.log->Matching("DbService.FormatValueList"),
            (Lines{"DbService.FormatValueList(5&, 1&)", "DbService.FormatValueList(5&, 0&)",
                   "DbService.FormatValueList(5&, 23&)"}));
}

TEST(SASave, NewScheduleOrIdZeroDeletesNothingAndAddsEachTime) {
  HourFixture f;
  f.d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant(std::int32_t{1})}});
  f.s->ScheduleID(5);
  f.s->Periodicity("N");
  f.s->IsNew(true);
  f.s->SaveSubTableData();
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements,
            (Lines(2, "INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (5, 1)")));
  EXPECT_TRUE(f.d.log->Matching("SystemConfig.").empty()) << "no set attached: hours untouched";

  f.d.db->statements.clear();
  auto set = MakeRef<FakeHourExSet>(f.d.log);
  set->slots = {{3, true}};
  f.s->HourEXData(set);
  f.s->IsNew(false);
  f.s->ScheduleID(0);
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements,
            (Lines{"INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (0, 1)",
                   "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (0, 2)"}));
}

TEST(SASave, OnlyAnExactNTouchesEventsAndAnEmptySetOnlyDeletes) {
  HourFixture f;
  f.s->ScheduleID(-7);
  f.s->HourEXData(MakeRef<FakeHourExSet>(f.d.log));
  for (const char* periodicity : {"n", "H", "N "}) {
    f.s->Periodicity(periodicity);
    f.s->SaveSubTableData();
  }
  EXPECT_TRUE(f.d.log->Matching("DbService.OpenRecordset").empty()) << "no event type asked";
  EXPECT_EQ(f.d.db->statements, (Lines(3, "Delete From Schedule_Hour_Ex where Schedule_ID = -7")));
}

TEST(SASave, AFailureMidSaveLeavesTheStatementsAlreadyRun) {
  HourFixture f;
  auto set = MakeRef<FakeHourExSet>(f.d.log);
  set->slots = {{1, true}, {24, true}};
  f.s->ScheduleID(5);
  f.s->Periodicity("N");
  f.s->HourEXData(set);
  try {
    f.s->SaveSubTableData();
    FAIL() << "no \"Data load\" row";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 3021);
  }
  EXPECT_TRUE(f.d.db->statements.empty()) << "the event type is read before any delete";

  f.d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant(std::int32_t{1})}});
  f.d.db->FailOn(
      "DbService.ExecuteStatement(INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (5, 23)");
  EXPECT_THROW(f.s->SaveSubTableData(), Error);
  EXPECT_EQ(f.d.db->statements,
            (Lines{"Delete From Schedule_Event where Schedule_ID = 5",
                   "INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (5, 1)",
                   "Delete From Schedule_Hour_Ex where Schedule_ID = 5",
                   "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (5, 0)"}));

  f.d.db->statements.clear();
  f.d.db->failOn.clear();
  set->failOn = {"HourExSet.Excluded(2)"};
  EXPECT_THROW(f.s->SaveSubTableData(), Error);
  EXPECT_EQ(f.d.db->statements.back(),
            "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (5, 0)");
}

TEST(SAMsql, EventTypeNamesGoInUnquotedAndNoRecordsetMeansZero) {
  testing::InstalledDoubles d;
  d.db->WhenQueryReturnsNothing("SELECT * FROM EN_Event_Type WHERE Name = 'Absent'");
  EXPECT_EQ(MSQL::GetEventTypeId("Absent"), 0);
  d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant("2")}});
  EXPECT_EQ(MSQL::GetEventTypeId("O'Brien"), 2);
  MSQL::DeleteScheduleEvents(-3);
  MSQL::DeleteScheduleHourEx(2147483647);
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(),
            "DbService.OpenRecordset(SELECT * FROM EN_Event_Type WHERE Name = 'O'Brien' | true | "
            "\"\" | 0 | \"\" | \"\" | 60)");
  EXPECT_EQ(d.db->statements,
            (Lines{"Delete From Schedule_Event where Schedule_ID = -3",
                   "Delete From Schedule_Hour_Ex where Schedule_ID = 2147483647"}));
}

TEST(SASchedData, DatabaseDatesFollowTheRunMode) {
  testing::InstalledDoubles d;
  auto s = MakeRef<CSASchedData>();
  s->RunMode("I");
  s->FirstDateTime(DateTime::FromParts(2026, 2, 1));
  EXPECT_EQ(s->DBFirstDateTime()->SqlText(), "CURRENT_TIMESTAMP");
  s->RunMode("S");
  EXPECT_EQ(s->DBFirstDateTime()->SqlText(), "'2026-02-01 00:00:00'");
  EXPECT_EQ(s->DBFinalDateTime()->SqlText(), "'1899-12-30 00:00:00'");
}

}  // namespace
}  // namespace plexion
