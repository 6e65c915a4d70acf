#include <gtest/gtest.h>

#include "plexion/schedule/msql.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::Concat;
using testing::EditArgs;
using testing::ErrorOf;
using testing::Lines;
using testing::OpenLine;

const std::string kListHead =
    "ID, CLIENTMACHINEID, SCHEDULEACTIVE, RPTGRPID, RUNMODE, RETRIEVEMODE, AUTOPURGE, "
    "PURGEINTERVAL, SUBFOLDERNAME, FINALDATETIME, WHICHMONTHDATE, WHICHWEEK, WHICHWEEKDAY, "
    "PERIODICITY, FREQUENCY, INCLUDEMONDAYS, INCLUDETUESDAYS, INCLUDEWEDNESDAYS, "
    "INCLUDETHURSDAYS, INCLUDEFRIDAYS, INCLUDESATURDAYS, INCLUDESUNDAYS, INCLUDEHOLIDAYS, "
    "INCLUDEDAYAFTERHOL, OVRSCENARIOID, OVRCHANSETID, OVRDESTINATIONID, OVRDTSCOPEID";
const std::string kPlainList = kListHead + ", FIRSTDATETIME";
const std::string kTimeZoneList = kListHead + ", TZREGION, SCHEDULEDTIME AS FIRSTDATETIME";

// The reads of the row after the optional columns, as the database service sees them.
Lines RowReads() {
  return Concat(Concat({"DbService.FieldLong(ClientMachineID)",
                        "DbService.FieldText(ScheduleActive)", "DbService.FieldLong(RptGrpID)"},
                       testing::RecurrenceReads()),
                {"DbService.FieldLong(OvrScenarioId)", "DbService.FieldLong(OvrChanSetId)",
                 "DbService.FieldLong(OvrDestinationId)", "DbService.FieldLong(OvrDTScopeId)"});
}

TEST(SchedLoad, ColumnListQueryTextReadOrderAndTheRowThroughInitEditInEachMode) {
  testing::InstalledDoubles d;
  EditArgs a;
  testing::ScriptRow(*d.db, "SELECT ", testing::ScheduleRow(a));
  auto s = MakeRef<CSchedData>();
  s->EditorName("Before");
  s->IsNew(true);
  s->OvrServerGroupID(77);
  s->DLGroupBy("X");
  testing::SetUntouched(*s);
  s->LoadSchedData(21, "Loader");

  EXPECT_EQ(d.log->Lines().front(), "SystemConfig.EnterpriseMode");
  EXPECT_EQ(d.log->Lines().back(), "DbRecordset.Close");
  EXPECT_EQ(d.log->Matching("DbService."),
            Concat({OpenLine("SELECT " + kPlainList + " FROM rg_schedule_view WHERE Id = 21")},
                   RowReads()));
  EXPECT_EQ(d.log->Matching("SettingsService."), (Lines(2, "SettingsService.TimeZonesEnabled")))
      << "once for the column list, once before reading the region";
  EXPECT_TRUE(d.log->Matching("DbRecordset.Fields.Item(ID)").empty()) << "ID is selected, not read";

  a.editor = Variant("");
  testing::ExpectEdited(*s, a);
  EXPECT_EQ(s->AppName(), "Loader");
  EXPECT_EQ(std::tuple(s->OvrScenarioId(), s->OvrChanSetId(), s->OvrDestinationId(),
                       s->OvrDTScopeId(), s->OvrServerGroupID()),
            std::tuple(9, 8, 7, 6, 77))
      << "the server group is not read outside enterprise mode";
  EXPECT_EQ(s->TimeZone(), "Default TimeZone Region") << "time zones are off";
  EXPECT_EQ(s->DLGroupBy(), "") << "outside enterprise mode the loader passes no code";
  testing::ExpectUntouched(*s);

  // Enterprise mode and time zones: their columns come first while the list stays whole.
  d.log->Clear();
  d.system->enterprise = true;
  d.settings->timeZones = true;
  s->LoadSchedData(-4, "Schedule");
  EXPECT_EQ(d.log->Matching("DbService."),
            Concat({OpenLine("SELECT DLGROUPBY, OVRSRVGROUPID, " + kTimeZoneList +
                             " FROM rg_schedule_view WHERE Id = -4"),
                    "DbService.FieldText(DLGroupBy)", "DbService.FieldLong(OvrSrvGroupID)",
                    "DbService.FieldText(TZRegion)"},
                   RowReads()));
  EXPECT_EQ(d.log->Matching("SystemConfig."), (Lines{"SystemConfig.EnterpriseMode"}));
  EXPECT_EQ(GPlexion::Global()->SchedDataFields(), kTimeZoneList) << "the global object's list";
  EXPECT_EQ(std::tuple(s->DLGroupBy(), s->TimeZone()), std::tuple("S", "Central"));
  EXPECT_EQ(s->OvrServerGroupID(), 2);

  for (const char* region : {"NULL", ""}) {
    a.timeZone = region;
    d.db->queries.clear();
    testing::ScriptRow(*d.db, "SELECT ", testing::ScheduleRow(a));
    s->LoadSchedData(0, "Schedule");
    EXPECT_EQ(s->TimeZone(), "Default TimeZone Region") << '"' << region << '"';
  }
  EXPECT_EQ(d.log->Matching("DbService.OpenRecordset").back(),
            OpenLine("SELECT DLGROUPBY, OVRSRVGROUPID, " + kTimeZoneList +
                     " FROM rg_schedule_view WHERE Id = 0"));
}

TEST(SchedLoad, NoRecordsetChangesNothingAndAFailurePartWayKeepsWhatWasStored) {
  testing::InstalledDoubles d;
  d.system->enterprise = true;
  d.db->WhenQueryReturnsNothing("SELECT DLGROUPBY, OVRSRVGROUPID, " + kPlainList +
                                " FROM rg_schedule_view WHERE Id = 5");
  auto s = MakeRef<CSchedData>();
  s->IsNew(true);
  s->EditorName("Kept");
  s->OvrServerGroupID(3);
  s->LoadSchedData(5, "Schedule");
  EXPECT_TRUE(s->IsNew());
  EXPECT_EQ(std::tuple(s->EditorName(), s->OvrServerGroupID(), s->AppName()),
            std::tuple("Kept", 3, ""));
  EXPECT_EQ(d.log->Matching("DbService.").size(), 1u) << "nothing read after the query";

  testing::ScriptRow(*d.db, "SELECT ", testing::Without(testing::ScheduleRow({}), {"Frequency"}));
  EXPECT_EQ(ErrorOf([&] { s->LoadSchedData(21, "Schedule"); }).number(), 3265)
      << "an unknown column";
  EXPECT_EQ(s->OvrServerGroupID(), 2) << "stored at once, before the failure";
  EXPECT_EQ(s->RptGrpID(), 0) << "the row goes through InitEdit, which never ran";
  EXPECT_TRUE(s->IsNew());
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());

  d.db->queries.clear();
  testing::ScriptRow(*d.db, "SELECT ",
                     testing::Without(testing::ScheduleRow({}), {"OvrChanSetId"}));
  s->OvrChanSetId(55);
  EXPECT_THROW(s->LoadSchedData(21, "Schedule"), Error);
  EXPECT_FALSE(s->IsNew()) << "InitEdit ran";
  EXPECT_EQ(std::tuple(s->OvrScenarioId(), s->OvrChanSetId()), std::tuple(9, 55));
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());

  d.db->queries.clear();
  d.db->WhenQuery("SELECT ", {"ID", "DLGroupBy", "OvrSrvGroupID"}, {});
  auto fresh = MakeRef<CSchedData>();
  EXPECT_EQ(ErrorOf([&] { fresh->LoadSchedData(99, "Schedule"); }).number(), 3021)
      << "no row with that id";
  EXPECT_EQ(fresh->OvrServerGroupID(), 0);
}

}  // namespace
}  // namespace plexion
