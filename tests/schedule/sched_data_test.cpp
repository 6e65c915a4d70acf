#include "plexion/schedule/sched_data.hpp"

#include <gtest/gtest.h>

#include <type_traits>

#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::Concat;
using testing::EditArgs;
using testing::ErrorOf;
using testing::FakeDateTimeScope;
using testing::FakeDestination;
using testing::Lines;
using testing::OpenLine;

// What the report-group and the soft-alarm schedule answer alike.
template <class S>
class BothSchedules : public ::testing::Test {};
using ScheduleKinds = ::testing::Types<CSchedData, CSASchedData>;
TYPED_TEST_SUITE(BothSchedules, ScheduleKinds);

TYPED_TEST(BothSchedules, StartAtZeroAndOnlyAnExactIMeansAnImmediateRun) {
  testing::InstalledDoubles d;
  auto s = MakeRef<TypeParam>();
  EXPECT_FALSE(s->IsNew() || s->Override() || s->IsOverride());
  s->RunMode("I");
  EXPECT_TRUE(s->IsOverride() && !s->Override()) << "Override plays no part";
  for (const char* mode : {"i", " I", "I ", "S", ""}) {
    s->RunMode(mode);
    EXPECT_FALSE(s->IsOverride()) << '"' << mode << '"';
  }

  s->FirstDateTime(DateTime::FromParts(2026, 3, 1, 8, 30));
  s->FinalDateTime(DateTime::FromParts(2036, 12, 31));
  s->RunMode("I");
  EXPECT_EQ(s->DBFirstDateTime()->Value(), d.db->now);
  EXPECT_EQ(s->DBFinalDateTime()->Value(), s->FinalDateTime()) << "whatever the run mode";
  s->RunMode("i");
  EXPECT_EQ(s->DBFirstDateTime()->SqlText(), "'2026-03-01 08:30:00'");
  EXPECT_EQ(d.log->Lines(), (Lines{"DbService.DbNow", "DbService.MakeDbDate(12/31/2036)",
                                   "DbService.MakeDbDate(3/1/2026 8:30:00 AM)"}))
      << "asked anew at each get";
  s->RunMode("I");
  d.db->FailOn("DbService.DbNow");
  EXPECT_THROW(s->DBFirstDateTime(), Error) << "asked again, not kept";
}

// InitNew of either schedule with the arguments both take.
void New(CSchedData& s, bool immediate, std::int32_t group, const std::string& name) {
  s.InitNew(immediate, group, "Schedule", name);
}
void New(CSASchedData& s, bool immediate, std::int32_t group, const std::string& name) {
  s.InitNew(immediate, group, name, 4, 2);
}
// What InitNew asks after the run defaults: only the report group has a group-by code and a
// region.
Lines AfterTheDefaults(const CSchedData&) {
  return {"GroupByDefaults.DefaultDLGroupBy", "SettingsService.TimeZonesEnabled"};
}
Lines AfterTheDefaults(const CSASchedData&) { return {}; }

TYPED_TEST(BothSchedules,
           InitNewTakesTheDefaultsOfItsKindOfRunLeavesTheRestAndKeepsWhatItSetBeforeAFailure) {
  testing::InstalledDoubles d;
  d.settings->groups["ImmediateDefaults"][1].second = Variant("I");
  d.settings->groups["ScheduledDefaults"] = {
      {"Download", Variant("S")}, {"Purge", Variant("N")}, {"Days", Variant("45")}};
  auto s = MakeRef<TypeParam>();
  s->ClientMachineID(4);
  s->OvrDestinationId(6);
  s->OvrDTScopeId(7);
  s->SubFolderName("old");
  s->NextRunDate(DateTime(100.5));
  New(*s, true, 12, "Ed");
  EXPECT_EQ(d.log->Lines(),
            Concat({"SettingsService.ImmediateDefaults", "ImmediateDefaults.Item(Override)",
                    "ImmediateDefaults.Item(Download)", "ImmediateDefaults.Item(Purge)",
                    "ImmediateDefaults.Item(Days)"},
                   AfterTheDefaults(*s)));
  EXPECT_EQ(std::tuple(s->RunMode(), s->EditorName(), s->RetrieveMode(), s->AutoPurge(),
                       s->PurgeInterval()),
            std::tuple("I", "Ed", "I", "Y", 7));
  EXPECT_TRUE(s->IsOverride() && s->Override());
  // The start values InitNew gives both schedules.
  EXPECT_EQ(std::tuple(s->ScheduleActive(), s->SubFolderName(), s->Periodicity(), s->RptGrpID(),
                       s->WhichMonthDate(), s->WhichWeek(), s->WhichWeekday(), s->Frequency(),
                       s->IsNew()),
            std::tuple("Y", "", "H", 12, 0, 1, 1, 1, true));
  EXPECT_TRUE(s->FirstDateTime() == DateTime::Today() && !s->FirstDateTime().HasTime());
  EXPECT_EQ(s->FinalDateTime().serial(), 50040.0);
  EXPECT_EQ(testing::Flags(*s),
            (std::array<std::string, 9>{"Y", "Y", "Y", "Y", "Y", "Y", "Y", "Y", "Y"}));
  EXPECT_EQ(
      std::tuple(s->ClientMachineID(), s->OvrDestinationId(), s->OvrDTScopeId(), s->NextRunDate()),
      std::tuple(4, 6, 7, DateTime(100.5)))
      << "unchanged";

  d.log->Clear();
  New(*s, false, 7, "Scheduled");
  EXPECT_EQ(d.log->Lines(),
            Concat({"SettingsService.ScheduledDefaults", "ScheduledDefaults.Item(Download)",
                    "ScheduledDefaults.Item(Purge)", "ScheduledDefaults.Item(Days)"},
                   AfterTheDefaults(*s)))
      << "a scheduled run reads no Override";
  EXPECT_EQ(std::tuple(s->RunMode(), s->RetrieveMode(), s->AutoPurge(), s->PurgeInterval()),
            std::tuple("S", "S", "N", 45))
      << "each run its own defaults; a text number converts";
  EXPECT_FALSE(s->IsOverride());
  EXPECT_TRUE(s->Override()) << "left as it was";
  auto fresh = MakeRef<TypeParam>();
  New(*fresh, false, 7, "");
  EXPECT_FALSE(fresh->Override());

  d.settings->failOn = {"ImmediateDefaults.Item(Download)"};
  auto f = MakeRef<TypeParam>();
  EXPECT_THROW(New(*f, true, 12, "Ed"), Error);
  EXPECT_EQ(std::tuple(f->RunMode(), f->EditorName(), f->RetrieveMode(), f->ScheduleActive(),
                       f->OvrScenarioId(), f->Override(), f->IsNew()),
            std::tuple("I", "Ed", "", "", 0, true, false));
  d.settings->failOn.clear();
  d.settings->groups["ImmediateDefaults"][3].second = Variant("seven");
  auto t = MakeRef<TypeParam>();
  EXPECT_EQ(ErrorOf([&] { New(*t, true, 12, "Ed"); }).number(), errnum::TypeMismatch);
  EXPECT_EQ(std::tuple(t->RetrieveMode(), t->AutoPurge(), t->PurgeInterval()),
            std::tuple("I", "Y", 0));
}

TYPED_TEST(BothSchedules, InitEditStoresEveryArgumentAndStopsAtANullNameOrActiveFlag) {
  auto s = MakeRef<TypeParam>();
  s->OvrChanSetId(5);
  s->OvrDestinationId(6);
  s->OvrDTScopeId(7);
  testing::SetUntouched(*s);
  s->IsNew(true);
  EditArgs a;
  testing::Edit(*s, a);
  testing::ExpectEdited(*s, a);
  EXPECT_EQ(std::tuple(s->OvrChanSetId(), s->OvrDestinationId(), s->OvrDTScopeId()),
            std::tuple(5, 6, 7));
  testing::ExpectUntouched(*s);
  a.editor = Variant(std::int32_t{42});
  testing::Edit(*s, a);
  EXPECT_EQ(s->EditorName(), "42") << "a variant name converts to text";

  // The report group stores its application first; the soft-alarm schedule converts the name
  // before it stores its id.
  auto t = MakeRef<TypeParam>();
  a.editor = Variant::Null();
  EXPECT_EQ(ErrorOf([&] { testing::Edit(*t, a); }).number(), errnum::InvalidUseOfNull);
  EXPECT_EQ(std::tuple(t->EditorName(), t->ClientMachineID()), std::tuple("", 0));
  if constexpr (std::is_same_v<TypeParam, CSchedData>) {
    EXPECT_EQ(t->AppName(), "Schedule");
  } else {
    EXPECT_EQ(t->ScheduleID(), 0);
  }
  a.editor = Variant("Ed");
  a.active = Variant::Null();
  t->IsNew(true);
  EXPECT_THROW(testing::Edit(*t, a), Error);
  EXPECT_EQ(std::tuple(t->EditorName(), t->ScheduleActive(), t->ClientMachineID(), t->RptGrpID(),
                       t->IsNew()),
            std::tuple("Ed", "", 3, 0, true));
  if constexpr (std::is_same_v<TypeParam, CSASchedData>) {
    EXPECT_EQ(std::tuple(t->ScheduleID(), t->OvrScenarioId()), std::tuple(9, 0));
  }
}

TYPED_TEST(BothSchedules, HoldOneReferenceToEachAttachedObjectAndReleaseThemInOrder) {
  auto log = testing::NewLog();
  auto s = MakeRef<TypeParam>();
  Lines released{"FirstScope.Release", "DateTimeScope.Release", "Destination.Release"};
  if constexpr (std::is_same_v<TypeParam, CSASchedData>) {
    s->HourEXData(MakeRef<testing::FakeHourExSet>(log));
    released.insert(released.begin() + 1, "HourExSet.Release");
  }
  {
    auto first = MakeRef<FakeDateTimeScope>(log, "FirstScope");
    s->DestinationData(MakeRef<FakeDestination>(log));
    s->DTScopeData(first);
    EXPECT_EQ(first->RefCount(), 2);
    s->DTScopeData(MakeRef<FakeDateTimeScope>(log));
  }
  EXPECT_EQ(log->Lines(), (Lines{"FirstScope.Release"}))
      << "setting again replaces the earlier reference";
  s.reset();
  EXPECT_EQ(log->Lines(), released);

  auto t = MakeRef<TypeParam>();
  t->DTScopeData(MakeRef<FakeDateTimeScope>(log, "Dropped"));
  t->DTScopeData(nullptr);
  EXPECT_EQ(log->Lines().back(), "Dropped.Release");
}

TEST(SchedData, InitNewAndInitEditAlsoSetTheApplicationTheGroupByCodeAndTheRegion) {
  testing::InstalledDoubles d;
  d.groupBy->code = "T";
  d.settings->timeZones = true;
  auto s = MakeRef<CSchedData>();
  s->InitNew(false, 7, "Reports", "Ed");
  EXPECT_EQ(d.log->Matching("SettingsService.TimeZone"),
            (Lines{"SettingsService.TimeZonesEnabled", "SettingsService.TimeZoneRegion"}));
  EXPECT_EQ(d.log->Lines().back(), "SettingsService.TimeZoneRegion") << "the last step";
  EXPECT_EQ(std::tuple(s->AppName(), s->DLGroupBy(), s->TimeZone()),
            std::tuple("Reports", "T", "Central"));
  d.settings->timeZones = false;
  s->TimeZone("Kept");
  s->InitNew(true, 7, "Reports", "Ed");
  EXPECT_EQ(s->TimeZone(), "Kept") << "time zones are off";

  d.groupBy->fail = true;
  auto u = MakeRef<CSchedData>();
  u->DLGroupBy("old");
  EXPECT_THROW(u->InitNew(true, 12, "Schedule", "Ed"), Error);
  EXPECT_EQ(std::tuple(u->IncludeDayAfterHol(), u->DLGroupBy(), u->IsNew()),
            std::tuple("Y", "old", false))
      << "the day flags are set before the group-by default is asked";
  EXPECT_EQ(d.log->Lines().back(), "GroupByDefaults.DefaultDLGroupBy")
      << "time zones are not asked after the failure";

  // InitEdit stores them as given.
  d.log->Clear();
  auto t = MakeRef<CSchedData>();
  t->OvrServerGroupID(8);
  EditArgs a;
  testing::Edit(*t, a);
  EXPECT_TRUE(d.log->Lines().empty()) << "InitEdit asks no service, the group-by defaults included";
  EXPECT_EQ(std::tuple(t->AppName(), t->TimeZone(), t->OvrServerGroupID(), t->DLGroupBy()),
            std::tuple("Schedule", "Central", 8, "R"))
      << "the group-by code's default";
  testing::Edit(*t, a, "");
  EXPECT_EQ(t->DLGroupBy(), "") << "the stored code, even an empty one, not the default";
  testing::Edit(*t, a, "S");
  EXPECT_EQ(t->DLGroupBy(), "S");

  const std::string kDefault = "Default TimeZone Region";
  for (const auto& [given, stored] : std::vector<std::pair<std::string, std::string>>{
           {"NULL", kDefault}, {"", kDefault}, {"null", "null"}, {"NULL ", "NULL "}}) {
    a.timeZone = given;
    testing::Edit(*t, a);
    EXPECT_EQ(t->TimeZone(), stored) << '"' << given << '"';
  }
}

// A schedule holding a recording scope and destination, both to be saved.
struct SaveScene {
  testing::SharedLog log = testing::NewLog();
  Ref<FakeDateTimeScope> scope = MakeRef<FakeDateTimeScope>(log);
  Ref<FakeDestination> destination = MakeRef<FakeDestination>(log);
  Ref<CSchedData> s = MakeRef<CSchedData>();
  SaveScene() {
    s->DTScopeData(scope);
    s->DestinationData(destination);
    s->DoDTSOverride(true);
    s->DoDestOverride(true);
  }
};

TEST(SchedData, SaveInsertsForANewScheduleAndUpdatesWhatAStoredOnePointsAt) {
  SaveScene f;
  f.s->OvrDTScopeId(5);
  f.s->OvrDestinationId(6);
  f.s->IsNew(true);
  EXPECT_TRUE(f.s->SaveSubTableData() == f.s) << "the object itself";
  EXPECT_EQ(f.log->Lines(),
            (Lines{"DateTimeScope.Insert", "DateTimeScope.Id", "Destination.Insert"}))
      << "a new schedule inserts even with ids that are not 0";
  EXPECT_EQ(std::tuple(f.s->OvrDTScopeId(), f.s->OvrDestinationId()), std::tuple(501, 701));

  f.log->Clear();
  f.s->IsNew(false);
  f.scope->id = 502;
  f.destination->id = 702;
  f.s->SaveSubTableData();
  EXPECT_EQ(f.log->Lines(),
            (Lines{"DateTimeScope.Update", "DateTimeScope.Id", "Destination.Update"}));
  EXPECT_EQ(std::tuple(f.s->OvrDTScopeId(), f.s->OvrDestinationId()), std::tuple(502, 701))
      << "the scope's id is taken after the update, the destination's left unchanged";

  f.log->Clear();
  f.s->OvrDTScopeId(0);
  f.s->OvrDestinationId(0);
  f.destination->nextId = 703;
  f.s->SaveSubTableData();
  EXPECT_EQ(f.log->Lines(),
            (Lines{"DateTimeScope.Insert", "DateTimeScope.Id", "Destination.Insert"}))
      << "a stored schedule inserts where its id is still 0";
  EXPECT_EQ(f.s->OvrDestinationId(), 703);

  f.log->Clear();
  f.s->DTScopeData(nullptr);
  f.s->DoDestOverride(false);
  f.s->SaveSubTableData();
  EXPECT_TRUE(f.log->Lines().empty()) << "a flag without its object, an object without its flag";
  EXPECT_EQ(std::tuple(f.s->OvrDTScopeId(), f.s->OvrDestinationId()), std::tuple(501, 703));
}

TEST(SchedData, SaveWritesAnIdOnlyAfterItsCallSucceededAndStopsAtAFailingScope) {
  const Lines all{"DateTimeScope.Insert", "DateTimeScope.Id", "Destination.Insert"};
  for (std::size_t failing = 0; failing < all.size(); ++failing) {
    SaveScene f;
    f.scope->failOn = f.destination->failOn = {all[failing]};
    const Error e = ErrorOf([&] { f.s->SaveSubTableData(); });
    EXPECT_EQ(e.source() + ".", all[failing].substr(0, all[failing].find('.') + 1));
    EXPECT_EQ(f.log->Lines(), Lines(all.begin(), all.begin() + failing + 1))
        << "nothing after the failure";
    EXPECT_EQ(std::pair(f.s->OvrDTScopeId(), f.s->OvrDestinationId()),
              std::pair(failing == 2 ? 501 : 0, 0))
        << all[failing] << ": the scope's id only once both its calls succeeded";
  }
}

// ---- loading ----

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
  EXPECT_EQ(std::tuple(s->AppName(), s->OvrScenarioId(), s->OvrChanSetId(), s->OvrDestinationId(),
                       s->OvrDTScopeId(), s->OvrServerGroupID(), s->TimeZone(), s->DLGroupBy()),
            std::tuple("Loader", 9, 8, 7, 6, 77, "Default TimeZone Region", ""))
      << "outside enterprise mode no server group is read and no code passed; time zones are off";
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
  EXPECT_EQ(std::tuple(s->DLGroupBy(), s->TimeZone(), s->OvrServerGroupID()),
            std::tuple("S", "Central", 2));

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
  EXPECT_EQ(std::tuple(s->IsNew(), s->EditorName(), s->OvrServerGroupID(), s->AppName()),
            std::tuple(true, "Kept", 3, ""));
  EXPECT_EQ(d.log->Matching("DbService.").size(), 1u) << "nothing read after the query";

  testing::ScriptRow(*d.db, "SELECT ", testing::Without(testing::ScheduleRow({}), {"Frequency"}));
  EXPECT_EQ(ErrorOf([&] { s->LoadSchedData(21, "Schedule"); }).number(), 3265)
      << "an unknown column";
  EXPECT_EQ(std::tuple(s->OvrServerGroupID(), s->RptGrpID(), s->IsNew()), std::tuple(2, 0, true))
      << "the server group is stored at once; the row goes through InitEdit, which never ran";
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());

  d.db->queries.clear();
  testing::ScriptRow(*d.db, "SELECT ",
                     testing::Without(testing::ScheduleRow({}), {"OvrChanSetId"}));
  s->OvrChanSetId(55);
  EXPECT_THROW(s->LoadSchedData(21, "Schedule"), Error);
  EXPECT_EQ(std::tuple(s->IsNew(), s->OvrScenarioId(), s->OvrChanSetId()), std::tuple(false, 9, 55))
      << "InitEdit ran";
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
