#include "plexion/schedule/sa_sched_data.hpp"

#include <gtest/gtest.h>

#include "plexion/schedule/msql.hpp"
#include "plexion/testing/doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::EditArgs;
using testing::ErrorOf;
using testing::FakeHourExSet;
using testing::Lines;
using testing::OpenLine;

TEST(SASchedData, InitNewSetsTheOverridePlanButKeepsTheIdWithTheTimeOut) {
  testing::InstalledDoubles d;
  auto s = MakeRef<CSASchedData>();
  testing::Edit(*s, EditArgs());
  EXPECT_EQ(std::tuple(s->ScheduleID(), s->OvrScenarioId(), s->Timeout(), s->TimeoutUnit()),
            std::tuple(9, 4, 30, "M"));
  s->InitNew(true, 12, "Alarm", 5, 2);
  EXPECT_EQ(std::tuple(s->OvrScenarioId(), s->OvrChanSetId(), s->ScheduleID(), s->Timeout(),
                       s->TimeoutUnit()),
            std::tuple(5, 2, 9, 30, "M"));
}

const char* const kView = "SELECT * FROM SA_Schedule_View";

TEST(SASchedLoad, TheQueryReadsTheWholeRowOfTheIdInDecimal) {
  testing::InstalledDoubles d;
  d.db->WhenQueryReturnsNothing(kView);
  for (std::int32_t id : {31, -2}) MakeRef<CSASchedData>()->LoadSASchedData(id);
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset"),
            (Lines{OpenLine("SELECT * FROM SA_Schedule_View WHERE Id = 31"),
                   OpenLine("SELECT * FROM SA_Schedule_View WHERE Id = -2")}));
}

TEST(SASchedLoad, WithoutATimeOutColumnALoadClearsTheTimeOut) {
  testing::InstalledDoubles d;
  testing::ScriptRow(*d.db, kView,
                     testing::Without(testing::SoftAlarmRow({}), {"TimeOut", "Timeout_unit"}));
  auto s = MakeRef<CSASchedData>();
  d.db->columnExists = false;
  s->Timeout(99);
  s->TimeoutUnit("H");
  s->LoadSASchedData(31);
  EXPECT_EQ(std::tuple(s->Timeout(), s->TimeoutUnit()), std::tuple(0, ""));
  d.db->columnExists = true;
  EXPECT_EQ(ErrorOf([&] { s->LoadSASchedData(31); }).number(), 3265)
      << "the column is asked for again and read";
}

TEST(SASchedLoad, NoRowOrAMissingColumnChangesNothing) {
  testing::InstalledDoubles d;
  d.db->WhenQuery("SELECT * FROM SA_Schedule_View WHERE Id = 2", {"Id"}, {});
  EditArgs other;
  other.scheduleId = 44;
  testing::ScriptRow(*d.db, kView,
                     testing::Without(testing::SoftAlarmRow(other), {"IncludeDayAfterHol"}));
  auto t = MakeRef<CSASchedData>();
  testing::Edit(*t, EditArgs());
  t->IsNew(true);
  EXPECT_EQ(ErrorOf([&] { t->LoadSASchedData(2); }).number(), 3021);
  EXPECT_EQ(ErrorOf([&] { t->LoadSASchedData(4); }).number(), 3265);
  EXPECT_EQ(std::tuple(t->IsNew(), t->ScheduleID(), t->EditorName(), t->Timeout()),
            std::tuple(true, 9, "Ed", 30));
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());
}

// ---- excluded hours and trigger events ----

struct SideTables {
  testing::InstalledDoubles d;
  Ref<CSASchedData> s = MakeRef<CSASchedData>();
};

std::string HoursOf(std::int32_t id) {
  return "Select * from Schedule_Hour_Ex where Schedule_ID=" + std::to_string(id);
}

TEST(SAHoursEx, MarksEachStoredHourInANewClearedSetOfTheConfiguredSlots) {
  SideTables f;
  f.d.db->WhenQuery(HoursOf(5), {"Schedule_ID", "Hour"},
                    {{Variant(std::int32_t{5}), Variant(std::int32_t{0})},
                     {Variant(std::int32_t{5}), Variant("23")}});
  auto attached = MakeRef<FakeHourExSet>(f.d.log, "Attached");
  f.s->HourEXData(attached);
  Ref<HourExSet> set = f.s->GetHoursEx(5);
  ASSERT_EQ(f.d.outputs.hourSets.size(), 1u);
  EXPECT_TRUE(set == f.d.outputs.hourSets[0]);
  EXPECT_EQ(f.d.log->Matching("HourExSet."),
            (Lines{"HourExSet.SlotBase(1)", "HourExSet.SlotCount(24)", "HourExSet.ClearAll",
                   "HourExSet.Excluded(1 | true)", "HourExSet.Excluded(24 | true)"}));
  EXPECT_EQ(f.d.log->Matching("DbService.OpenRecordset"), Lines{OpenLine(HoursOf(5), false)});
  EXPECT_EQ(f.d.log->Matching("DbRecordset.Close").size(), 1u);
  EXPECT_TRUE(f.d.log->Matching("Attached.").empty()) << "HourEXData is left alone";
}

TEST(SAHoursEx, NoRowsOrNoRecordsetGiveANewClearedSet) {
  SideTables f;
  f.d.system->hourSlots = 12;
  f.d.db->WhenQuery(HoursOf(0), {"Hour"}, {});
  f.d.db->WhenQueryReturnsNothing(HoursOf(-1));
  Ref<HourExSet> first = f.s->GetHoursEx(0);
  EXPECT_FALSE(f.s->GetHoursEx(-1) == first);
  for (const auto& set : f.d.outputs.hourSets)
    EXPECT_EQ(std::pair(set->count, set->ExcludedSlots()), std::pair(12, std::vector<int>{}));
}

TEST(SAHoursEx, StoredHoursAreSixteenBitIntegersHandedToTheSetAsTheyAre) {
  SideTables f;
  auto script = [&](std::int32_t hour) {
    f.d.db->queries.clear();
    f.d.db->WhenQuery("Select", {"Hour"}, {{Variant(hour)}});
  };
  for (std::int32_t hour : {24, -1, 32766}) {
    script(hour);
    f.s->GetHoursEx(1);
    EXPECT_EQ(f.d.outputs.hourSets.back()->ExcludedSlots(), std::vector<int>{hour + 1});
  }
  for (std::int32_t overflowing : {32767, 40000, -32769}) {
    script(overflowing);
    EXPECT_EQ(ErrorOf([&] { f.s->GetHoursEx(1); }).number(), errnum::Overflow) << overflowing;
  }
}

std::string EventInsert(const std::string& values) {
  return "INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (" + values + ")";
}
std::string HourInsert(const std::string& values) {
  return "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (" + values + ")";
}
const std::string kDeleteEvents = "Delete From Schedule_Event where Schedule_ID = ";
const std::string kDeleteHours = "Delete From Schedule_Hour_Ex where Schedule_ID = ";

// Schedule 5, run by events ("N"), where "Data load" is event type 1, with hours 0 and 23 (slots
// 1 and 24) excluded. The statements run in an order these tests state.
struct EventSchedule : SideTables {
  Ref<FakeHourExSet> set = MakeRef<FakeHourExSet>(d.log);
  EventSchedule() {
    d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant(std::int32_t{1})}});
    s->ScheduleID(5);
    s->Periodicity("N");
    set->slots = {{24, true}, {1, true}, {5, false}};
    s->HourEXData(set);
  }
};

TEST(SASave, AStoredScheduleRewritesItsEventThenOneRowPerExcludedHourAscending) {
  EventSchedule f;
  EXPECT_TRUE(f.s->SaveSubTableData() == f.s) << "the object itself";
  EXPECT_EQ(f.d.db->statements, (Lines{kDeleteEvents + "5", EventInsert("5, 1"), kDeleteHours + "5",
                                       HourInsert("5, 0"), HourInsert("5, 23")}));
  EXPECT_EQ(f.d.log->Matching("DbService.OpenRecordset"),
            Lines{OpenLine("SELECT * FROM EN_Event_Type WHERE Name = 'Data load'")});
}

TEST(SASave, ANewScheduleOrId0DeletesNothing) {
  EventSchedule f;
  f.s->IsNew(true);
  f.s->SaveSubTableData();
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements,
            (Lines{EventInsert("5, 1"), HourInsert("5, 0"), HourInsert("5, 23"),
                   EventInsert("5, 1"), HourInsert("5, 0"), HourInsert("5, 23")}));
  f.d.db->statements.clear();
  f.s->IsNew(false);
  f.s->ScheduleID(0);
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements,
            (Lines{EventInsert("0, 1"), HourInsert("0, 0"), HourInsert("0, 23")}));
}

TEST(SASave, EachSideTableIsTouchedOnlyWhenItsConditionHolds) {
  EventSchedule f;
  f.s->ScheduleID(-7);
  f.s->HourEXData(MakeRef<FakeHourExSet>(f.d.log));
  for (const char* periodicity : {"n", "H", "N "}) {
    f.s->Periodicity(periodicity);
    f.s->SaveSubTableData();
  }
  EXPECT_EQ(f.d.db->statements, (Lines(3, kDeleteHours + "-7"))) << "an empty set only deletes";
  f.d.db->statements.clear();
  f.s->HourEXData(nullptr);
  f.s->Periodicity("N");
  f.s->SaveSubTableData();
  EXPECT_EQ(f.d.db->statements, (Lines{kDeleteEvents + "-7", EventInsert("-7, 1")}));
}

TEST(SASave, TheEventTypeIsReadBeforeAnyDelete) {
  EventSchedule f;
  f.d.db->queries.clear();
  EXPECT_EQ(ErrorOf([&] { f.s->SaveSubTableData(); }).number(), 3021) << "no \"Data load\" row";
  EXPECT_TRUE(f.d.db->statements.empty());
}

TEST(SASave, AFailureMidSaveLeavesTheStatementsThatRan) {
  EventSchedule f;
  f.d.db->FailOn("DbService.ExecuteStatement(" + HourInsert("5, 23"));
  EXPECT_THROW(f.s->SaveSubTableData(), Error);
  EXPECT_EQ(f.d.db->statements, (Lines{kDeleteEvents + "5", EventInsert("5, 1"), kDeleteHours + "5",
                                       HourInsert("5, 0")}));
  f.d.db->statements.clear();
  f.d.db->failOn.clear();
  f.set->failOn = {"HourExSet.Excluded(2)"};
  EXPECT_THROW(f.s->SaveSubTableData(), Error);
  EXPECT_EQ(f.d.db->statements.back(), HourInsert("5, 0"));
}

TEST(MSQL, EventTypeNamesGoInUnquoted) {
  testing::InstalledDoubles d;
  d.db->WhenQueryReturnsNothing("SELECT * FROM EN_Event_Type WHERE Name = 'Absent'");
  EXPECT_EQ(MSQL::GetEventTypeId("Absent"), 0);
  d.db->WhenQuery("SELECT * FROM EN_Event_Type", {"Event_Type_ID"}, {{Variant("2")}});
  EXPECT_EQ(MSQL::GetEventTypeId("O'Brien"), 2);
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(),
            OpenLine("SELECT * FROM EN_Event_Type WHERE Name = 'O'Brien'"));
  MSQL::DeleteScheduleEvents(-3);
  MSQL::DeleteScheduleHourEx(2147483647);
  EXPECT_EQ(d.db->statements, (Lines{kDeleteEvents + "-3", kDeleteHours + "2147483647"}));
}

}  // namespace
}  // namespace plexion
