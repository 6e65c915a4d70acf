#include "plexion/schedule/sa_sched_data.hpp"

#include <gtest/gtest.h>

#include "plexion/schedule/msql.hpp"
#include "plexion/testing/doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::Concat;
using testing::EditArgs;
using testing::ErrorOf;
using testing::FakeHourExSet;
using testing::Lines;
using testing::OpenLine;

TEST(SASchedData, InitEditStoresTheIdTheScenarioAndTheTimeOutWhichInitNewLeaves) {
  testing::InstalledDoubles d;
  auto s = MakeRef<CSASchedData>();
  EditArgs a;
  testing::Edit(*s, a);
  EXPECT_EQ(std::tuple(s->ScheduleID(), s->OvrScenarioId(), s->Timeout(), s->TimeoutUnit()),
            std::tuple(9, 4, 30, "M"));
  s->InitNew(true, 12, "Alarm", 5, 2);
  EXPECT_EQ(std::tuple(s->OvrScenarioId(), s->OvrChanSetId(), s->ScheduleID(), s->Timeout(),
                       s->TimeoutUnit()),
            std::tuple(5, 2, 9, 30, "M"))
      << "InitNew stores the override plan and leaves the id and the time-out";
}

TEST(SASchedLoad, QueryTimeOutCheckReadOrderFinalInitEditAndWhatNoRowOrNoTimeOutColumnLeave) {
  testing::InstalledDoubles d;
  EditArgs a;
  testing::ScriptRow(*d.db, "SELECT * FROM SA_Schedule_View", testing::SoftAlarmRow(a));
  auto s = MakeRef<CSASchedData>();
  s->EditorName("Before");
  s->OvrChanSetId(8);
  s->OvrDestinationId(7);
  s->OvrDTScopeId(6);
  testing::SetUntouched(*s);
  s->IsNew(true);
  s->LoadSASchedData(31);
  EXPECT_EQ(d.log->Matching("DbService."),
            Concat({OpenLine("SELECT * FROM SA_Schedule_View WHERE Id = 31"),
                    "DbService.ColumnExists(sa_schedule | TimeOut | \"\" | 0 | \"\" | \"\")",
                    "DbService.FieldLongOrDefault(Timeout | 0)",
                    "DbService.FieldText(Timeout_unit)", "DbService.FieldLong(Id)",
                    "DbService.FieldLong(ClientMachineID)", "DbService.FieldText(ScheduleActive)",
                    "DbService.FieldLong(RptGrpID)", "DbService.FieldLong(OvrScenarioId)"},
                   testing::RecurrenceReads()));
  EXPECT_EQ(d.log->Lines().back(), "DbRecordset.Close");
  a.editor = Variant("");
  testing::ExpectEdited(*s, a);
  EXPECT_EQ(std::tuple(s->ScheduleID(), s->OvrScenarioId(), s->Timeout(), s->TimeoutUnit(),
                       s->OvrChanSetId(), s->OvrDestinationId(), s->OvrDTScopeId()),
            std::tuple(9, 4, 30, "M", 8, 7, 6))
      << "the id comes from the row; no column supplies the other overrides";
  testing::ExpectUntouched(*s);

  // No recordset or no row changes nothing; no time-out column clears the time-out.
  d.db->queries.clear();
  d.log->Clear();
  d.db->columnExists = false;
  d.db->WhenQueryReturnsNothing("SELECT * FROM SA_Schedule_View WHERE Id = 1");
  d.db->WhenQuery("SELECT * FROM SA_Schedule_View WHERE Id = 2", {"Id"}, {});
  EditArgs other;
  other.scheduleId = 44;
  testing::ScriptRow(*d.db, "SELECT * FROM SA_Schedule_View WHERE Id = 4",
                     testing::Without(testing::SoftAlarmRow(other), {"IncludeDayAfterHol"}));
  testing::ScriptRow(*d.db, "SELECT * FROM SA_Schedule_View",
                     testing::Without(testing::SoftAlarmRow({}), {"TimeOut", "Timeout_unit"}));
  auto t = MakeRef<CSASchedData>();
  testing::Edit(*t, EditArgs());
  t->IsNew(true);
  t->LoadSASchedData(1);
  EXPECT_EQ(d.log->Lines().size(), 1u) << "not even the time-out check";
  EXPECT_EQ(ErrorOf([&] { t->LoadSASchedData(2); }).number(), 3021);
  EXPECT_EQ(ErrorOf([&] { t->LoadSASchedData(4); }).number(), 3265) << "a column missing";
  EXPECT_EQ(std::tuple(t->IsNew(), t->ScheduleID(), t->EditorName(), t->Timeout()),
            std::tuple(true, 9, "Ed", 30));
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());

  t->LoadSASchedData(31);
  t->Timeout(99);
  t->TimeoutUnit("H");
  t->LoadSASchedData(-2);
  EXPECT_EQ(std::tuple(t->Timeout(), t->TimeoutUnit()), std::tuple(0, ""));
  EXPECT_EQ(d.log->Matching("DbService.ColumnExists").size(), 4u) << "asked at every load";
  EXPECT_TRUE(d.log->Matching("DbService.FieldText(Timeout_unit)").empty());
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(),
            OpenLine("SELECT * FROM SA_Schedule_View WHERE Id = -2"));
}

// ---- excluded hours and trigger events ----

struct SideTables {
  testing::InstalledDoubles d;
  Ref<CSASchedData> s = MakeRef<CSASchedData>();
};

std::string EventInsert(const std::string& values) {
  return "INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (" + values + ")";
}
std::string HourInsert(const std::string& values) {
  return "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (" + values + ")";
}

TEST(SAHoursEx, BuildsANewClearedSetAndMarksEachStoredSixteenBitHour) {
  SideTables f;
  f.d.db->WhenQuery("Select * from Schedule_Hour_Ex where Schedule_ID=5", {"Schedule_ID", "Hour"},
                    {{Variant(std::int32_t{5}), Variant(std::int32_t{0})},
                     {Variant(std::int32_t{5}), Variant("23")}});
  auto attached = MakeRef<FakeHourExSet>(f.d.log, "Attached");
  f.s->HourEXData(attached);
  Ref<HourExSet> set = f.s->GetHoursEx(5);
  const auto& made = f.d.outputs.hourSets;
  ASSERT_EQ(made.size(), 1u);
  EXPECT_TRUE(set == made[0]);
  EXPECT_EQ(f.d.log->Lines(),
            (Lines{"HourExSet.SlotBase(1)", "SystemConfig.HourSlotCount(0)",
                   "HourExSet.SlotCount(24)", "HourExSet.ClearAll",
                   OpenLine("Select * from Schedule_Hour_Ex where Schedule_ID=5", false),
                   "DbRecordset.MoveFirst", "DbRecordset.Fields.Item(Hour).Value",
                   "HourExSet.Excluded(1 | true)", "DbRecordset.MoveNext",
                   "DbRecordset.Fields.Item(Hour).Value", "HourExSet.Excluded(24 | true)",
                   "DbRecordset.MoveNext", "DbRecordset.Close"}));
  EXPECT_TRUE(attached->slots.empty()) << "HourEXData is left alone";

  f.d.log->Clear();
  f.d.system->hourSlots = 12;
  f.d.db->WhenQuery("Select * from Schedule_Hour_Ex where Schedule_ID=0", {"Hour"}, {});
  EXPECT_FALSE(f.s->GetHoursEx(0) == set) << "a new set each time";
  EXPECT_EQ(f.d.log->Lines(),
            (Lines{"HourExSet.SlotBase(1)", "SystemConfig.HourSlotCount(0)",
                   "HourExSet.SlotCount(12)", "HourExSet.ClearAll",
                   OpenLine("Select * from Schedule_Hour_Ex where Schedule_ID=0", false)}))
      << "no row: nothing moved, nothing closed";

  f.d.db->WhenQueryReturnsNothing("Select * from Schedule_Hour_Ex where Schedule_ID=-1");
  f.s->GetHoursEx(-1);
  EXPECT_EQ(f.d.log->Lines().back(),
            OpenLine("Select * from Schedule_Hour_Ex where Schedule_ID=-1", false));

  // Stored hours are 16-bit integers; a slot out of the set's range is the set's to handle.
  auto script = [&](std::int32_t hour) {
    f.d.db->queries.clear();
    f.d.db->WhenQuery("Select", {"Hour"}, {{Variant(hour)}});
  };
  for (std::int32_t hour : {24, -1, 32766}) {
    script(hour);
    f.s->GetHoursEx(1);
    EXPECT_EQ(f.d.log->Matching("HourExSet.Excluded").back(),
              "HourExSet.Excluded(" + std::to_string(hour + 1) + " | true)");
  }
  for (std::int32_t overflowing : {32767, 40000, -32769}) {
    script(overflowing);
    EXPECT_EQ(ErrorOf([&] { f.s->GetHoursEx(1); }).number(), errnum::Overflow) << overflowing;
  }
}

// Schedule 5, run by events ("N"), where "Data load" is event type 1.
struct EventSchedule : SideTables {
  EventSchedule() {
    d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant(std::int32_t{1})}});
    s->ScheduleID(5);
    s->Periodicity("N");
  }
};

TEST(SASave, StoredScheduleDeletesThenInsertsTheEventAndOneRowPerHourAscending) {
  EventSchedule f;
  auto set = MakeRef<FakeHourExSet>(f.d.log);
  set->slots = {{24, true}, {1, true}, {5, false}};
  f.s->HourEXData(set);
  EXPECT_TRUE(f.s->SaveSubTableData() == f.s) << "the object itself";
  Lines expected{OpenLine("SELECT * FROM EN_Event_Type WHERE Name = 'Data load'"),
                 "DbRecordset.Fields.Item(Event_Type_ID).Value",
                 "DbRecordset.Close",
                 "DbService.ExecuteStatement(Delete From Schedule_Event where Schedule_ID = 5)",
                 "DbService.FormatValueList(5&, 1&)",
                 "DbService.ExecuteStatement(" + EventInsert("5, 1") + ")",
                 "DbService.ExecuteStatement(Delete From Schedule_Hour_Ex where Schedule_ID = 5)",
                 "SystemConfig.HourSlotCount(0)"};
  for (int k = 1; k <= 24; ++k) {
    expected.push_back("HourExSet.Excluded(" + std::to_string(k) + ")");
    if (k != 1 && k != 24) continue;
    const std::string hour = std::to_string(k - 1);
    expected.push_back("DbService.FormatValueList(5&, " + hour + "&)");
    expected.push_back("DbService.ExecuteStatement(" + HourInsert("5, " + hour) + ")");
  }
  EXPECT_EQ(f.d.log->Lines(), expected) << "N asked once, every slot read in ascending order";
}

TEST(SASave, NewScheduleOrIdZeroDeletesNothingAndAddsEachTimeAndOnlyAnExactNTouchesEvents) {
  EventSchedule f;
  f.s->IsNew(true);
  f.s->SaveSubTableData();
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements, (Lines(2, EventInsert("5, 1"))));
  EXPECT_TRUE(f.d.log->Matching("SystemConfig.").empty()) << "no set attached: hours untouched";

  f.d.db->statements.clear();
  auto set = MakeRef<FakeHourExSet>(f.d.log);
  set->slots = {{3, true}};
  f.s->HourEXData(set);
  f.s->IsNew(false);
  f.s->ScheduleID(0);
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements, (Lines{EventInsert("0, 1"), HourInsert("0, 2")}));

  // Only an exact N touches the events; an empty set only deletes.
  f.d.db->statements.clear();
  f.d.log->Clear();
  f.s->ScheduleID(-7);
  f.s->HourEXData(MakeRef<FakeHourExSet>(f.d.log));
  for (const char* periodicity : {"n", "H", "N "}) {
    f.s->Periodicity(periodicity);
    f.s->SaveSubTableData();
  }
  EXPECT_TRUE(f.d.log->Matching("DbService.OpenRecordset").empty()) << "no event type asked";
  EXPECT_EQ(f.d.db->statements, (Lines(3, "Delete From Schedule_Hour_Ex where Schedule_ID = -7")));
}

TEST(SASave, AFailureMidSaveLeavesTheStatementsAlreadyRunAndEventTypeNamesGoInUnquoted) {
  SideTables f;
  auto set = MakeRef<FakeHourExSet>(f.d.log);
  set->slots = {{1, true}, {24, true}};
  f.s->ScheduleID(5);
  f.s->Periodicity("N");
  f.s->HourEXData(set);
  EXPECT_EQ(ErrorOf([&] { f.s->SaveSubTableData(); }).number(), 3021) << "no \"Data load\" row";
  EXPECT_TRUE(f.d.db->statements.empty()) << "the event type is read before any delete";

  f.d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant(std::int32_t{1})}});
  f.d.db->FailOn("DbService.ExecuteStatement(" + HourInsert("5, 23"));
  EXPECT_THROW(f.s->SaveSubTableData(), Error);
  EXPECT_EQ(f.d.db->statements,
            (Lines{"Delete From Schedule_Event where Schedule_ID = 5", EventInsert("5, 1"),
                   "Delete From Schedule_Hour_Ex where Schedule_ID = 5", HourInsert("5, 0")}));

  f.d.db->statements.clear();
  f.d.db->failOn.clear();
  set->failOn = {"HourExSet.Excluded(2)"};
  EXPECT_THROW(f.s->SaveSubTableData(), Error);
  EXPECT_EQ(f.d.db->statements.back(), HourInsert("5, 0"));

  // Event type names go in unquoted; no recordset means event type 0.
  testing::InstalledDoubles d;
  d.db->WhenQueryReturnsNothing("SELECT * FROM EN_Event_Type WHERE Name = 'Absent'");
  EXPECT_EQ(MSQL::GetEventTypeId("Absent"), 0);
  d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant("2")}});
  EXPECT_EQ(MSQL::GetEventTypeId("O'Brien"), 2);
  MSQL::DeleteScheduleEvents(-3);
  MSQL::DeleteScheduleHourEx(2147483647);
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(),
            OpenLine("SELECT * FROM EN_Event_Type WHERE Name = 'O'Brien'"));
  EXPECT_EQ(d.db->statements,
            (Lines{"Delete From Schedule_Event where Schedule_ID = -3",
                   "Delete From Schedule_Hour_Ex where Schedule_ID = 2147483647"}));
}

}  // namespace
}  // namespace plexion
