#include <gtest/gtest.h>

#include "plexion/schedule/msql.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::Flags;
using testing::Lines;

const std::string kListHead =
    "ID, CLIENTMACHINEID, SCHEDULEACTIVE, RPTGRPID, RUNMODE, RETRIEVEMODE, AUTOPURGE, "
    "PURGEINTERVAL, SUBFOLDERNAME, FINALDATETIME, WHICHMONTHDATE, WHICHWEEK, WHICHWEEKDAY, "
    "PERIODICITY, FREQUENCY, INCLUDEMONDAYS, INCLUDETUESDAYS, INCLUDEWEDNESDAYS, "
    "INCLUDETHURSDAYS, INCLUDEFRIDAYS, INCLUDESATURDAYS, INCLUDESUNDAYS, INCLUDEHOLIDAYS, "
    "INCLUDEDAYAFTERHOL, OVRSCENARIOID, OVRCHANSETID, OVRDESTINATIONID, OVRDTSCOPEID";
const std::string kPlainList = kListHead + ", FIRSTDATETIME";
const std::string kTimeZoneList = kListHead + ", TZREGION, SCHEDULEDTIME AS FIRSTDATETIME";

std::string Open(const std::string& sql, bool byKey = true) {
  return "DbService.OpenRecordset(" + sql + " | " + (byKey ? "true" : "false") +
         " | \"\" | 0 | \"\" | \"\" | 60)";
}

// The reads of the row after the optional columns, as the database service sees them.
Lines RowReads() {
  return {"DbService.FieldLong(ClientMachineID)",
          "DbService.FieldText(ScheduleActive)",
          "DbService.FieldLong(RptGrpID)",
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
          "DbService.FieldText(IncludeDayAfterHol)",
          "DbService.FieldLong(OvrScenarioId)",
          "DbService.FieldLong(OvrChanSetId)",
          "DbService.FieldLong(OvrDestinationId)",
          "DbService.FieldLong(OvrDTScopeId)"};
}

Lines Concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(SchedDataFields, BothEndingsAskedAfreshAndTheSameTextFromTheGlobalObject) {
  testing::InstalledDoubles d;
  EXPECT_EQ(MSQL::SchedDataFields(), kPlainList);
  d.settings->timeZones = true;
  EXPECT_EQ(MSQL::SchedDataFields(), kTimeZoneList);
  EXPECT_EQ(GPlexion::Global()->SchedDataFields(), kTimeZoneList);
  EXPECT_EQ(d.log->Lines(), (Lines(3, "SettingsService.TimeZonesEnabled")));
}

TEST(SchedLoad, PlainModeQueryReadOrderAndFallbacks) {
  testing::InstalledDoubles d;
  testing::ScriptRow(*d.db, "SELECT ", testing::ScheduleRow());
  auto s = MakeRef<CSchedData>();
  s->EditorName("Before");
  s->IsNew(true);
  s->OvrServerGroupID(77);
  s->DLGroupBy("X");
  s->Override(true);
  s->DoDestOverride(true);
  s->NextRunDate(DateTime(300.5));
  s->LoadSchedData(21, "Schedule");

  const std::string sql = "SELECT " + kPlainList + " FROM rg_schedule_view WHERE Id = 21";
  EXPECT_EQ(d.log->Lines().front(), "SystemConfig.EnterpriseMode");
  EXPECT_EQ(d.log->Lines().back(), "DbRecordset.Close");
  EXPECT_EQ(d.log->Matching("DbService."), Concat({Open(sql)}, RowReads()));
  EXPECT_EQ(d.log->Matching("SettingsService."), (Lines(2, "SettingsService.TimeZonesEnabled")))
      << "once for the column list, once before reading the region";
  EXPECT_TRUE(d.log->Matching("DbRecordset.Fields.Item(ID)").empty()) << "ID is selected, not read";

  EXPECT_EQ(s->EditorName(), "");
  EXPECT_FALSE(s->IsNew());
  EXPECT_EQ(s->AppName(), "Schedule");
  EXPECT_EQ(s->ClientMachineID(), 5);
  EXPECT_EQ(s->ScheduleActive(), "Y");
  EXPECT_EQ(s->RptGrpID(), 12);
  EXPECT_EQ(s->RunMode(), "I");
  EXPECT_EQ(s->RetrieveMode(), "A");
  EXPECT_EQ(s->AutoPurge(), "N");
  EXPECT_EQ(s->PurgeInterval(), 0) << "null: the fallback";
  EXPECT_EQ(s->SubFolderName(), "Night");
  EXPECT_EQ(s->FirstDateTime(), DateTime::FromParts(2026, 3, 1, 8, 30));
  EXPECT_EQ(s->FinalDateTime(), DateTime::FromParts(2026, 12, 31));
  EXPECT_EQ(s->WhichMonthDate(), 0);
  EXPECT_EQ(s->WhichWeek(), 1);
  EXPECT_EQ(s->WhichWeekday(), 4);
  EXPECT_EQ(s->Periodicity(), "M");
  EXPECT_EQ(s->Frequency(), 1);
  EXPECT_EQ(Flags(*s), (std::array<std::string, 9>{"Y", "N", "Y", "N", "Y", "N", "N", "Y", "N"}));
  EXPECT_EQ(s->OvrScenarioId(), 9);
  EXPECT_EQ(s->OvrChanSetId(), 8);
  EXPECT_EQ(s->OvrDestinationId(), 7);
  EXPECT_EQ(s->OvrDTScopeId(), 6);
  EXPECT_EQ(s->TimeZone(), "Default TimeZone Region") << "time zones are off";
  EXPECT_EQ(s->DLGroupBy(), "") << "outside enterprise mode the loader passes no code";
  EXPECT_EQ(s->OvrServerGroupID(), 77) << "not read outside enterprise mode";
  EXPECT_TRUE(s->Override());
  EXPECT_TRUE(s->DoDestOverride());
  EXPECT_EQ(s->NextRunDate(), DateTime(300.5));
}

TEST(SchedLoad, EnterpriseAndTimeZoneColumnsComeFirstWhileTheListStaysWhole) {
  testing::InstalledDoubles d;
  d.system->enterprise = true;
  d.settings->timeZones = true;
  testing::ScriptRow(*d.db, "SELECT ", testing::ScheduleRow());
  auto s = MakeRef<CSchedData>();
  s->LoadSchedData(-4, "Schedule");
  const std::string sql =
      "SELECT DLGROUPBY, OVRSRVGROUPID, " + kTimeZoneList + " FROM rg_schedule_view WHERE Id = -4";
  EXPECT_EQ(d.log->Matching("DbService."),
            Concat({Open(sql), "DbService.FieldText(DLGroupBy)",
                    "DbService.FieldLong(OvrSrvGroupID)", "DbService.FieldText(TZRegion)"},
                   RowReads()));
  EXPECT_EQ(d.log->Matching("SystemConfig."), (Lines{"SystemConfig.EnterpriseMode"}));
  EXPECT_EQ(s->DLGroupBy(), "S");
  EXPECT_EQ(s->OvrServerGroupID(), 2);
  EXPECT_EQ(s->TimeZone(), "Central");

  for (const char* region : {"NULL", ""}) {
    auto row = testing::ScheduleRow();
    for (auto& [name, value] : row)
      if (name == "TZRegion") value = Variant(region);
    d.db->queries.clear();
    testing::ScriptRow(*d.db, "SELECT ", row);
    s->LoadSchedData(0, "Schedule");
    EXPECT_EQ(s->TimeZone(), "Default TimeZone Region") << '"' << region << '"';
  }
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(),
            Open("SELECT DLGROUPBY, OVRSRVGROUPID, " + kTimeZoneList +
                 " FROM rg_schedule_view WHERE Id = 0"));
}

TEST(SchedLoad, NoRecordsetLeavesTheObjectUntouched) {
  testing::InstalledDoubles d;
  d.system->enterprise = true;
  d.db->WhenQueryReturnsNothing("SELECT ");
  auto s = MakeRef<CSchedData>();
  s->IsNew(true);
  s->EditorName("Kept");
  s->OvrServerGroupID(3);
  s->LoadSchedData(5, "Schedule");
  EXPECT_TRUE(s->IsNew());
  EXPECT_EQ(s->EditorName(), "Kept");
  EXPECT_EQ(s->OvrServerGroupID(), 3);
  EXPECT_EQ(s->AppName(), "");
  EXPECT_EQ(d.log->Matching("DbService.").size(), 1u) << "nothing read after the query";
}

TEST(SchedLoad, AFailurePartWayKeepsWhatWasStoredAndLeavesTheRecordsetOpen) {
  testing::InstalledDoubles d;
  d.system->enterprise = true;
  auto s = MakeRef<CSchedData>();
  s->IsNew(true);
  testing::ScriptRow(*d.db, "SELECT ", testing::Without(testing::ScheduleRow(), {"Frequency"}));
  try {
    s->LoadSchedData(21, "Schedule");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 3265) << "an unknown column";
  }
  EXPECT_EQ(s->OvrServerGroupID(), 2) << "stored at once, before the failure";
  EXPECT_EQ(s->RptGrpID(), 0) << "the row goes through InitEdit, which never ran";
  EXPECT_TRUE(s->IsNew());
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());

  d.db->queries.clear();
  d.log->Clear();
  testing::ScriptRow(*d.db, "SELECT ", testing::Without(testing::ScheduleRow(), {"OvrChanSetId"}));
  s->OvrChanSetId(55);
  EXPECT_THROW(s->LoadSchedData(21, "Schedule"), Error);
  EXPECT_FALSE(s->IsNew()) << "InitEdit ran";
  EXPECT_EQ(s->OvrScenarioId(), 9);
  EXPECT_EQ(s->OvrChanSetId(), 55);
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());

  d.db->queries.clear();
  d.db->WhenQuery("SELECT ", {"ID", "DLGroupBy", "OvrSrvGroupID"}, {});
  auto fresh = MakeRef<CSchedData>();
  try {
    fresh->LoadSchedData(99, "Schedule");
    FAIL() << "no row with that id";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 3021);
  }
  EXPECT_EQ(fresh->OvrServerGroupID(), 0);
}

}  // namespace
}  // namespace plexion
