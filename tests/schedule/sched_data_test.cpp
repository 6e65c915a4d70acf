#include "plexion/schedule/sched_data.hpp"

#include <gtest/gtest.h>

#include <type_traits>

#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "schedule_test_support.hpp"

namespace plexion {
namespace {

using testing::EditArgs;
using testing::ErrorOf;
using testing::FakeDateTimeScope;
using testing::FakeDestination;
using testing::Lines;
using testing::OpenLine;

// What the report-group and the soft-alarm schedule answer alike.
template <class S>
class BothSchedules : public ::testing::Test {
 protected:
  testing::InstalledDoubles d;
  Ref<S> s = MakeRef<S>();
};
using ScheduleKinds = ::testing::Types<CSchedData, CSASchedData>;
TYPED_TEST_SUITE(BothSchedules, ScheduleKinds);

TYPED_TEST(BothSchedules, OnlyAnExactCapitalIMeansAnImmediateRun) {
  auto& s = this->s;
  EXPECT_FALSE(s->IsNew() || s->Override() || s->IsOverride()) << "a fresh object";
  for (const char* mode : {"I", "i", " I", "I ", "S", ""}) {
    s->RunMode(mode);
    EXPECT_EQ(s->IsOverride(), std::string(mode) == "I") << '"' << mode << '"';
  }
  EXPECT_FALSE(s->Override()) << "Override plays no part";
}

TYPED_TEST(BothSchedules, TheFirstRunIsTheDatabasesNowOnlyForAnImmediateRun) {
  auto& s = this->s;
  s->FirstDateTime(DateTime::FromParts(2026, 3, 1, 8, 30));
  s->FinalDateTime(DateTime::FromParts(2036, 12, 31));
  s->RunMode("I");
  EXPECT_EQ(s->DBFirstDateTime()->Value(), this->d.db->now);
  EXPECT_EQ(s->DBFinalDateTime()->Value(), s->FinalDateTime()) << "whatever the run mode";
  s->RunMode("i");
  EXPECT_EQ(s->DBFirstDateTime()->SqlText(), "'2026-03-01 08:30:00'");
  s->RunMode("I");
  this->d.db->FailOn("DbService.DbNow");
  EXPECT_THROW(s->DBFirstDateTime(), Error) << "asked again, not kept";
}

// InitNew of either schedule with the arguments both take.
void New(CSchedData& s, bool immediate, std::int32_t group, const std::string& name) {
  s.InitNew(immediate, group, "Schedule", name);
}
void New(CSASchedData& s, bool immediate, std::int32_t group, const std::string& name) {
  s.InitNew(immediate, group, name, 4, 2);
}

TYPED_TEST(BothSchedules, InitNewTakesTheDefaultsOfItsKindOfRun) {
  auto& s = this->s;
  this->d.settings->groups["ImmediateDefaults"][1].second = Variant("I");
  this->d.settings->groups["ScheduledDefaults"] = {
      {"Download", Variant("S")}, {"Purge", Variant("N")}, {"Days", Variant("45")}};
  New(*s, false, 7, "Scheduled");
  EXPECT_EQ(std::tuple(s->RunMode(), s->RetrieveMode(), s->AutoPurge(), s->PurgeInterval(),
                       s->Override()),
            std::tuple("S", "S", "N", 45, false))
      << "a scheduled run reads no Override";
  New(*s, true, 12, "Ed");
  EXPECT_EQ(std::tuple(s->RunMode(), s->RetrieveMode(), s->AutoPurge(), s->PurgeInterval(),
                       s->Override()),
            std::tuple("I", "I", "Y", 7, true));
  New(*s, false, 7, "Scheduled");
  EXPECT_TRUE(s->Override()) << "left as it was";
}

TYPED_TEST(BothSchedules, InitNewGivesTheStartValuesLeavingTheStoredIds) {
  auto& s = this->s;
  s->ClientMachineID(4);
  s->OvrDestinationId(6);
  s->OvrDTScopeId(7);
  s->SubFolderName("old");
  s->NextRunDate(DateTime(100.5));
  New(*s, true, 12, "Ed");
  EXPECT_EQ(std::tuple(s->EditorName(), s->ScheduleActive(), s->SubFolderName(), s->Periodicity(),
                       s->RptGrpID(), s->WhichMonthDate(), s->WhichWeek(), s->WhichWeekday(),
                       s->Frequency(), s->IsNew()),
            std::tuple("Ed", "Y", "", "H", 12, 0, 1, 1, 1, true));
  EXPECT_TRUE(s->FirstDateTime() == DateTime::Today() && !s->FirstDateTime().HasTime());
  EXPECT_EQ(s->FinalDateTime().serial(), 50040.0);
  EXPECT_EQ(testing::Flags(*s),
            (std::array<std::string, 9>{"Y", "Y", "Y", "Y", "Y", "Y", "Y", "Y", "Y"}));
  EXPECT_EQ(
      std::tuple(s->ClientMachineID(), s->OvrDestinationId(), s->OvrDTScopeId(), s->NextRunDate()),
      std::tuple(4, 6, 7, DateTime(100.5)));
}

TYPED_TEST(BothSchedules, InitNewKeepsWhatItSetBeforeAFailingDefault) {
  auto& s = this->s;
  this->d.settings->failOn = {"ImmediateDefaults.Item(Download)"};
  EXPECT_THROW(New(*s, true, 12, "Ed"), Error);
  EXPECT_EQ(std::tuple(s->RunMode(), s->EditorName(), s->RetrieveMode(), s->ScheduleActive(),
                       s->OvrScenarioId(), s->Override(), s->IsNew()),
            std::tuple("I", "Ed", "", "", 0, true, false));
  this->d.settings->failOn.clear();
  this->d.settings->groups["ImmediateDefaults"][3].second = Variant("seven");
  EXPECT_EQ(ErrorOf([&] { New(*s, true, 12, "Ed"); }).number(), errnum::TypeMismatch);
  EXPECT_EQ(std::pair(s->AutoPurge(), s->PurgeInterval()), std::pair(std::string("Y"), 0));
}

TYPED_TEST(BothSchedules, InitEditStoresEachArgumentInItsOwnField) {
  auto& s = this->s;
  s->OvrChanSetId(5);
  s->OvrDestinationId(6);
  s->OvrDTScopeId(7);
  testing::SetUntouched(*s);
  s->IsNew(true);
  EditArgs a;
  a.editor = Variant(std::int32_t{42});
  testing::Edit(*s, a);
  a.editor = Variant("42");
  testing::ExpectEdited(*s, a);
  EXPECT_EQ(std::tuple(s->OvrChanSetId(), s->OvrDestinationId(), s->OvrDTScopeId()),
            std::tuple(5, 6, 7));
  testing::ExpectUntouched(*s);
}

// The report group stores its application first; the soft-alarm schedule converts the name
// before it stores its id.
TYPED_TEST(BothSchedules, InitEditStopsAtANullNameOrActiveFlag) {
  auto& t = this->s;
  EditArgs a;
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

// The order of the releases is the schedule's promise to the objects it holds.
TYPED_TEST(BothSchedules, AttachedObjectsAreReleasedInTheirOrder) {
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
  EXPECT_EQ(log->Lines(), (Lines{"FirstScope.Release"})) << "replaced: released at once";
  s.reset();
  EXPECT_EQ(log->Lines(), released);
}

TEST(SchedData, InitNewTakesTheGroupByDefaultWithTheRegionWhenTimeZonesAreOn) {
  testing::InstalledDoubles d;
  d.groupBy->code = "T";
  auto s = MakeRef<CSchedData>();
  s->TimeZone("Kept");
  s->InitNew(true, 7, "Reports", "Ed");
  EXPECT_EQ(std::tuple(s->AppName(), s->DLGroupBy(), s->TimeZone()),
            std::tuple("Reports", "T", "Kept"));
  d.settings->timeZones = true;
  s->InitNew(false, 7, "Reports", "Ed");
  EXPECT_EQ(s->TimeZone(), "Central");
}

TEST(SchedData, InitNewAsksTheGroupByDefaultBetweenTheDayFlagsAndTheRegion) {
  testing::InstalledDoubles d;
  d.groupBy->fail = true;
  d.settings->timeZones = true;
  auto u = MakeRef<CSchedData>();
  u->DLGroupBy("old");
  EXPECT_THROW(u->InitNew(true, 12, "Schedule", "Ed"), Error);
  EXPECT_EQ(std::tuple(u->IncludeDayAfterHol(), u->DLGroupBy(), u->TimeZone(), u->IsNew()),
            std::tuple("Y", "old", "", false));
}

TEST(SchedData, InitEditStoresTheGroupByCodeAsGivenAskingNoService) {
  testing::InstalledDoubles d;
  d.groupBy->fail = true;
  d.settings->failOn = {"SettingsService."};
  auto t = MakeRef<CSchedData>();
  t->OvrServerGroupID(8);
  EditArgs a;
  testing::Edit(*t, a);
  EXPECT_EQ(std::tuple(t->AppName(), t->TimeZone(), t->OvrServerGroupID(), t->DLGroupBy()),
            std::tuple("Schedule", "Central", 8, "R"))
      << "the group-by code's default";
  for (const char* code : {"", "S"}) {
    testing::Edit(*t, a, code);
    EXPECT_EQ(t->DLGroupBy(), code) << "the stored code, even an empty one";
  }
}

TEST(SchedData, InitEditTakesANullOrEmptyRegionAsTheDefaultRegion) {
  auto t = MakeRef<CSchedData>();
  EditArgs a;
  const std::string kDefault = "Default TimeZone Region";
  for (const auto& [given, stored] : std::vector<std::pair<std::string, std::string>>{
           {"NULL", kDefault}, {"", kDefault}, {"null", "null"}, {"NULL ", "NULL "}}) {
    a.timeZone = given;
    testing::Edit(*t, a);
    EXPECT_EQ(t->TimeZone(), stored) << '"' << given << '"';
  }
}

// A schedule holding a recording scope and destination, both to be saved. The scope is saved
// before the destination, which these tests state.
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
  Lines Saves() const { return log->Containing({".Insert", ".Update"}); }
};

// A new schedule inserts fresh records even when its ids are not 0; a stored one updates the
// records it points at (taking the scope's id afterwards) and inserts where its id is 0.
TEST(SchedSave, EachOverrideIsInsertedOrUpdatedAsTheScheduleStands) {
  struct Case {
    const char* what;
    bool isNew;
    std::int32_t scopeId, destinationId;
    Lines saves;
    std::pair<std::int32_t, std::int32_t> ids;
  };
  for (const Case& c :
       {Case{"new", true, 5, 6, {"DateTimeScope.Insert", "Destination.Insert"}, {501, 701}},
        Case{"stored", false, 5, 6, {"DateTimeScope.Update", "Destination.Update"}, {502, 6}},
        Case{"stored, ids 0",
             false,
             0,
             0,
             {"DateTimeScope.Insert", "Destination.Insert"},
             {501, 701}}}) {
    SaveScene f;
    f.s->IsNew(c.isNew);
    f.s->OvrDTScopeId(c.scopeId);
    f.s->OvrDestinationId(c.destinationId);
    f.scope->id = 502;
    EXPECT_TRUE(f.s->SaveSubTableData() == f.s) << "the object itself";
    EXPECT_EQ(f.Saves(), c.saves) << c.what;
    EXPECT_EQ(std::pair(f.s->OvrDTScopeId(), f.s->OvrDestinationId()), c.ids) << c.what;
  }
  SaveScene f;
  f.s->DTScopeData(nullptr);
  f.s->DoDestOverride(false);
  f.s->SaveSubTableData();
  EXPECT_TRUE(f.log->Lines().empty()) << "a flag without its object, an object without its flag";
}

TEST(SchedSave, AnIdIsWrittenOnlyAfterItsCallsSucceeded) {
  const Lines all{"DateTimeScope.Insert", "DateTimeScope.Id", "Destination.Insert"};
  for (std::size_t failing = 0; failing < all.size(); ++failing) {
    SaveScene f;
    f.scope->failOn = f.destination->failOn = {all[failing]};
    const Error e = ErrorOf([&] { f.s->SaveSubTableData(); });
    EXPECT_EQ(e.source() + ".", all[failing].substr(0, all[failing].find('.') + 1));
    EXPECT_EQ(f.log->Matching("Destination.").size(), failing == 2 ? 1u : 0u) << all[failing];
    EXPECT_EQ(std::pair(f.s->OvrDTScopeId(), f.s->OvrDestinationId()),
              std::pair(failing == 2 ? 501 : 0, 0))
        << all[failing];
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

TEST(SchedLoad, TheQuerySelectsTheColumnListOfEachModeForTheIdInDecimal) {
  struct Case {
    bool enterprise, timeZones;
    std::int32_t id;
    std::string sql;
  };
  for (const Case& c :
       {Case{false, false, 21, "SELECT " + kPlainList + " FROM rg_schedule_view WHERE Id = 21"},
        Case{false, true, 0, "SELECT " + kTimeZoneList + " FROM rg_schedule_view WHERE Id = 0"},
        Case{true, true, -4,
             "SELECT DLGROUPBY, OVRSRVGROUPID, " + kTimeZoneList +
                 " FROM rg_schedule_view WHERE Id = -4"}}) {
    testing::InstalledDoubles d;
    d.system->enterprise = c.enterprise;
    d.settings->timeZones = c.timeZones;
    d.db->WhenQueryReturnsNothing("SELECT ");
    MakeRef<CSchedData>()->LoadSchedData(c.id, "Schedule");
    EXPECT_EQ(d.log->Matching("DbService.OpenRecordset"), Lines{OpenLine(c.sql)});
    EXPECT_EQ(GPlexion::Global()->SchedDataFields(), c.timeZones ? kTimeZoneList : kPlainList);
  }
}

// Either schedule loaded from its view, scripted with the row of a.
void Load(CSchedData& s, std::int32_t id) { s.LoadSchedData(id, "Loader"); }
void Load(CSASchedData& s, std::int32_t id) { s.LoadSASchedData(id); }
testing::NamedValues RowOf(const CSchedData&, const EditArgs& a) { return testing::ScheduleRow(a); }
testing::NamedValues RowOf(const CSASchedData&, const EditArgs& a) {
  return testing::SoftAlarmRow(a);
}

TYPED_TEST(BothSchedules, ALoadedRowReachesEveryFieldThroughInitEdit) {
  auto& s = this->s;
  EditArgs a;
  testing::ScriptRow(*this->d.db, "SELECT ", RowOf(*s, a));
  s->EditorName("Before");
  s->IsNew(true);
  s->OvrChanSetId(55);
  testing::SetUntouched(*s);
  Load(*s, 21);
  a.editor = Variant("");
  testing::ExpectEdited(*s, a);
  testing::ExpectUntouched(*s);
  EXPECT_EQ(this->d.log->Matching("DbRecordset.Close").size(), 1u);
  if constexpr (std::is_same_v<TypeParam, CSchedData>) {
    EXPECT_EQ(std::tuple(s->AppName(), s->OvrScenarioId(), s->OvrChanSetId(), s->OvrDestinationId(),
                         s->OvrDTScopeId(), s->TimeZone(), s->DLGroupBy()),
              std::tuple("Loader", 9, 8, 7, 6, "Default TimeZone Region", ""))
        << "time zones are off, and outside enterprise mode no group-by code is passed";
  } else {
    EXPECT_EQ(std::tuple(s->ScheduleID(), s->OvrScenarioId(), s->Timeout(), s->TimeoutUnit(),
                         s->OvrChanSetId()),
              std::tuple(9, 4, 30, "M", 55))
        << "no column supplies the override plan";
  }
}

TYPED_TEST(BothSchedules, NullColumnsLoadAsTheValuesOfANewSchedule) {
  testing::ScriptRow(*this->d.db, "SELECT ",
                     testing::WithNulls(RowOf(*this->s, {}), testing::kFallbackColumns));
  Load(*this->s, 21);
  EXPECT_EQ(testing::Fallbacks(*this->s), (std::array{0, 0, 1, 1, 1}));
}

TYPED_TEST(BothSchedules, ALoadWithoutARecordsetChangesNothing) {
  auto& s = this->s;
  this->d.system->enterprise = true;
  this->d.db->WhenQueryReturnsNothing("SELECT ");
  s->IsNew(true);
  s->EditorName("Kept");
  Load(*s, 5);
  EXPECT_EQ(std::pair(s->IsNew(), s->EditorName()), std::pair(true, std::string("Kept")));
}

TEST(SchedLoad, ModeDependentColumnsAreReadWhenTheirModeIsOn) {
  testing::InstalledDoubles d;
  d.system->enterprise = true;
  d.settings->timeZones = true;
  testing::ScriptRow(*d.db, "SELECT ", testing::ScheduleRow(EditArgs()));
  auto s = MakeRef<CSchedData>();
  s->OvrServerGroupID(77);
  s->LoadSchedData(21, "Schedule");
  EXPECT_EQ(std::tuple(s->DLGroupBy(), s->TimeZone(), s->OvrServerGroupID()),
            std::tuple("S", "Central", 2));
  d.system->enterprise = false;
  s->LoadSchedData(21, "Schedule");
  EXPECT_EQ(s->OvrServerGroupID(), 2) << "outside enterprise mode the server group is not read";
}

TEST(SchedLoad, AFailurePartWayKeepsWhatWasStored) {
  testing::InstalledDoubles d;
  d.system->enterprise = true;
  auto s = MakeRef<CSchedData>();
  s->IsNew(true);
  testing::ScriptRow(*d.db, "SELECT ", testing::Without(testing::ScheduleRow({}), {"Frequency"}));
  EXPECT_EQ(ErrorOf([&] { s->LoadSchedData(21, "Schedule"); }).number(), 3265)
      << "an unknown column";
  EXPECT_EQ(std::tuple(s->OvrServerGroupID(), s->RptGrpID(), s->IsNew()), std::tuple(2, 0, true))
      << "the server group is stored at once; the row goes through InitEdit, which never ran";

  d.db->queries.clear();
  testing::ScriptRow(*d.db, "SELECT ",
                     testing::Without(testing::ScheduleRow({}), {"OvrChanSetId"}));
  s->OvrChanSetId(55);
  EXPECT_THROW(s->LoadSchedData(21, "Schedule"), Error);
  EXPECT_EQ(std::tuple(s->IsNew(), s->OvrScenarioId(), s->OvrChanSetId()), std::tuple(false, 9, 55))
      << "InitEdit ran";

  d.db->queries.clear();
  d.db->WhenQuery("SELECT ", {"ID", "DLGroupBy", "OvrSrvGroupID"}, {});
  EXPECT_EQ(ErrorOf([&] { MakeRef<CSchedData>()->LoadSchedData(99, "Schedule"); }).number(), 3021)
      << "no row with that id";
  EXPECT_TRUE(d.log->Matching("DbRecordset.Close").empty());
}

}  // namespace
}  // namespace plexion
