#include "plexion/dataavail/data_avail_data.hpp"
#include "data_avail_test_support.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion {
namespace {

using testing::ArrayText;
using testing::Columns;
using testing::ErrorOf;
using testing::FieldsByRows;
using testing::Lines;
using testing::List;
using testing::Rows;

// Writes each event it hears into the shared log; may be told to fail.
class EventLog final : public CDataAvailDataEvents {
 public:
  explicit EventLog(testing::SharedLog log) : log_(std::move(log)) {}
  void DataTypesChanged() override { Hear("DataTypesChanged"); }
  void ResetTab() override { Hear("ResetTab"); }
  void UpdateDates() override { Hear("UpdateDates"); }
  bool fail = false;

 private:
  void Hear(const std::string& name) {
    log_->Add("Event." + name);
    if (fail) throw testing::ServiceFailure("Listener");
  }
  testing::SharedLog log_;
};

// A model over a recording search object, with a recording selector and system configuration.
struct Fixture {
  testing::SharedLog log = testing::NewLog();
  Ref<testing::FakeCoverageDb> search = MakeRef<testing::FakeCoverageDb>(log);
  Ref<testing::FakeSystemConfig> system = MakeRef<testing::FakeSystemConfig>(log);
  int created = 0;
  services::ScopedFactory<CoverageDb> factory{[this]() -> Ref<CoverageDb> {
    ++created;
    return search;
  }};
  services::ScopedService<SystemConfig> config{system};
  Ref<CDataAvailData> data = MakeRef<CDataAvailData>();
  Ref<testing::FakeSelectorCtl> selector = MakeRef<testing::FakeSelectorCtl>(log);
  Ref<EventLog> events = MakeRef<EventLog>(log);
  ConnectionPoint::Cookie listening = data->Connect(events);
};

// A market above two levels of plain types and a chained sector whose chain has a type
// without a column and one known only by id.
std::vector<testing::EntityTypeSpec> Network() {
  return {{1, "MARKET", 0, 0, 0}, {2, "SWITCH", 3, 0, 0},       {3, "CELL SITE", 4, 0, 0},
          {4, "SECTOR", 5, 2, 0}, {5, "antenna FACE", 6, 0, 1}, {6, "carrier", 0, 0, 0, false}};
}

TEST(DataTypeControl,
     ColumnsTagEventRowsAndEndInThisOrderTitlesInProperCaseAndTheBoundsDecideWhatIsShown) {
  Fixture x;
  x.search->columns = FieldsByRows({{"DATA TYPE", "140"},
                                    {"description", "300"},
                                    {"LoAdEd", "90"},
                                    {"ID", "0"},
                                    {"ENTITY TYPE", "0"}});
  x.search->tagValue = 2;
  x.search->rows = FieldsByRows({{"Traffic", "hourly traffic", "3/1/2026", "1", "SECTOR"},
                                 {"Paging", "", "", "5", "SWITCH"}});
  x.data->SetupDatatypeControl(x.selector);
  EXPECT_EQ(
      x.log->Lines(),
      (Lines{"CoverageDb.DataTypeColumns", "Selector.AddColumn(Data Type | 140 | 0)",
             "Selector.AddColumn(Description | 300 | 0)",
             "Selector.AddColumn(First Avail | 90 | 0)", "CoverageDb.DataTypeTag",
             "CoverageDb.DataTypeTagValue", "Selector.SetTag(DataType | 2)",
             "Event.DataTypesChanged", "CoverageDb.DataTypeRows", "Selector.AddRow(Traffic | \"\")",
             "Row(Traffic).SubItems(1 | hourly traffic)", "Row(Traffic).SubItems(2 | 3/1/2026)",
             "Selector.AddRow(Paging | \"\")", "Row(Paging).SubItems(1 | \"\")",
             "Row(Paging).SubItems(2 | \"\")", "Selector.EndLoad"}));

  Fixture p;  // proper-case titles
  p.search->columns = FieldsByRows({{"loaded", "1"},
                                    {"LOADED", "2"},
                                    {"first avail", "3"},
                                    {"LOADED DATE", "4"},
                                    {"  two  WORDS", "5"},
                                    {"o'NEIL-smith\tx", "6"},
                                    {"", "7"},
                                    {"hidden", "8"},
                                    {"hidden too", "9"}});
  p.search->rows = FieldsByRows({});
  p.data->SetupDatatypeControl(p.selector);
  EXPECT_EQ(Columns(*p.selector),
            (Lines{"First Avail/1/0", "First Avail/2/0", "First Avail/3/0", "Loaded Date/4/0",
                   "  Two  Words/5/0", "O'neil-smith\tX/6/0", "/7/0"}));
  EXPECT_EQ(p.selector->endLoads, 1) << "no rows still ends the load";

  // Three definitions from 1: only the first is shown. A row of three fields: no sub-items.
  Fixture t;
  t.search->columns = FieldsByRows({{"Name", "10"}, {"a", "1"}, {"b", "1"}});
  t.search->rows = FieldsByRows({{"Traffic", "x", "y"}});
  t.data->SetupDatatypeControl(t.selector);
  EXPECT_EQ(Columns(*t.selector), (Lines{"Name/10/0"}));
  EXPECT_EQ(Rows(*t.selector), (Lines{"Traffic []"}));

  // Columns counted from 1 whatever the lower bound; rows use their own bounds in both dimensions.
  Fixture y;
  y.search->columns = StringArray(Bounds{1, 2}, Bounds{0, 3});
  for (std::int32_t i = 0; i <= 3; ++i) {
    y.search->columns.at(1, i) = "c" + std::to_string(i);
    y.search->columns.at(2, i) = std::to_string(i);
  }
  y.search->rows = StringArray(Bounds{0, 4}, Bounds{-1, 0});
  for (std::int32_t j = -1; j <= 0; ++j)
    for (std::int32_t f = 0; f <= 4; ++f)
      y.search->rows.at(f, j) = std::to_string(f) + "/" + std::to_string(j);
  y.data->SetupDatatypeControl(y.selector);
  EXPECT_EQ(Columns(*y.selector), (Lines{"C1/1/0"})) << "definition 0 is never shown";
  EXPECT_EQ(Rows(*y.selector), (Lines{"0/-1 [] 1:1/-1 2:2/-1", "0/0 [] 1:1/0 2:2/0"}));
}

TEST(DataTypeControl, FailuresStopWhereTheyHappen) {
  struct Case {
    std::vector<std::vector<std::string>> columns;
    bool listenerFails;
    std::int32_t number;
    std::string source, lastCall;
  };
  const auto listenerFailure = static_cast<std::int32_t>(0x80041234u);
  for (const Case& c : {// Columns before a bad width stay; no tag, no event.
                        Case{{{"a", "10"}, {"b", "wide"}, {"c", "1"}, {"d", "1"}, {"e", "1"}},
                             false,
                             errnum::TypeMismatch,
                             "Plexion",
                             "Selector.AddColumn(A | 10 | 0)"},
                        Case{{{"a", "40000"}, {"b", "1"}, {"c", "1"}},
                             false,
                             errnum::Overflow,
                             "Plexion",
                             "CoverageDb.DataTypeColumns"},
                        // A failing listener: the rows are not loaded.
                        Case{{{"a", "1"}, {"b", "1"}, {"c", "1"}},
                             true,
                             listenerFailure,
                             "Listener",
                             "Event.DataTypesChanged"},
                        // The rows were never allocated: the load is not ended.
                        Case{{{"a", "1"}, {"b", "1"}, {"c", "1"}},
                             false,
                             errnum::SubscriptOutOfRange,
                             "Plexion",
                             "CoverageDb.DataTypeRows"}}) {
    Fixture x;
    x.search->columns = FieldsByRows(c.columns);
    x.events->fail = c.listenerFails;
    const Error e = ErrorOf([&] { x.data->SetupDatatypeControl(x.selector); });
    EXPECT_EQ(std::pair(e.number(), e.source()), std::pair(c.number, c.source));
    EXPECT_EQ(x.log->Lines().back(), c.lastCall);
    EXPECT_EQ(x.selector->endLoads, 0);
  }
}

TEST(SystemControl, LevelsBuildPlainColumnsThenTheChainAndFailuresKeepTheIncreasedLevelNotAHang) {
  Fixture x;
  x.search->entityTypes = Network();
  auto sw = MakeRef<testing::FakeSelectorCtl>(x.log, "Switches");
  auto site = MakeRef<testing::FakeSelectorCtl>(x.log, "Sites");
  EXPECT_EQ(x.data->SetupSystemControl(sw), 1);
  EXPECT_EQ(x.data->SetupSystemControl(site), 2);
  x.log->Clear();
  EXPECT_EQ(x.data->SetupSystemControl(x.selector), 3);
  EXPECT_EQ(x.data->SystemControlCount(), 3);
  EXPECT_EQ(Columns(*sw), (Lines{"Market/200/0", "Switch/200/0"}));
  EXPECT_EQ(sw->caption, "SWITCH");
  EXPECT_EQ(Columns(*site), (Lines{"Market/200/0", "Switch/200/0", "Cell Site/200/0"}));

  // The types before the level's own: a plain column each, counted when they link on.
  Lines expected{"CoverageDb.EntityTypes"};
  int j = 0;
  for (const auto& [type, title] : std::vector<std::pair<std::string, std::string>>{
           {"MARKET", "Market"}, {"SWITCH", "Switch"}, {"CELL SITE", "Cell Site"}}) {
    const std::string of = "EntityType(" + type + ").";
    expected.insert(
        expected.end(),
        {"EntityTypes.Item(" + std::to_string(++j) + ")", of + "ChainCount", of + "TypeName",
         "Selector.AddColumn(" + title + " | 200 | 0)", of + "NextTypeId"});
  }
  expected.insert(expected.end(), {"EntityTypes.Item(4)",
                                   "EntityType(SECTOR).ChainCount",
                                   "EntityType(SECTOR).NextTypeId",
                                   "EntityType(SECTOR).TypeName",
                                   "Selector.Caption(SECTOR)",
                                   "EntityType(SECTOR).ChainCount",
                                   "CoverageDb.EntityTypesById",
                                   "EntityType(SECTOR).NoColumn",
                                   "EntityType(SECTOR).TypeName",
                                   "Selector.AddColumn(Sector | 200 | 1)",
                                   "EntityType(SECTOR).NextTypeId",
                                   "EntityTypesById.Item(5)",
                                   "EntityType(antenna FACE).NoColumn",
                                   "EntityType(antenna FACE).NextTypeId",
                                   "EntityTypesById.Item(6)",
                                   "EntityType(carrier).NoColumn",
                                   "EntityType(carrier).TypeName",
                                   "Selector.AddColumn(Carrier | 200 | 1)",
                                   "EntityType(carrier).NextTypeId",
                                   "EntityTypesById.Item(0)",
                                   "Selector.SelIndex(0)",
                                   "Selector.Caption",
                                   "CoverageDb.Systems",
                                   "Systems.Count",
                                   "Selector.EndLoad",
                                   "CoverageDb.EntityTypes",
                                   "EntityTypes.Count"});
  EXPECT_EQ(x.log->Lines(), expected);

  // Failures keep the increased level; a chain that comes back is an error, not a hang.
  Fixture y;
  y.search->entityTypes = {{1, "MARKET", 0, 0, 0}, {2, "SWITCH", 3, 0, 0}, {3, "TAIL", 0, 0, 0}};
  EXPECT_EQ(y.data->SetupSystemControl(y.selector), 1);
  auto second = MakeRef<testing::FakeSelectorCtl>(y.log, "Second");
  Error e = ErrorOf([&] { y.data->SetupSystemControl(second); });
  EXPECT_EQ(std::pair(e.number(), e.source()),
            std::pair(errnum::SubscriptOutOfRange, std::string("CoverageDb")));
  EXPECT_EQ(y.log->Matching("EntityTypes.Item").back(), "EntityTypes.Item(4)")
      << "the first index past the end";
  EXPECT_EQ(std::tuple(y.data->SystemControlCount(), second->columns.size(), second->selIndex,
                       second->endLoads),
            std::tuple(2, 3u, -1, 0))
      << "the count keeps its increase, the columns added before the failure stay";
  EXPECT_THROW(y.data->SetupSystemControl(second), Error);
  EXPECT_EQ(y.data->SystemControlCount(), 3);

  Fixture loop;
  loop.search->entityTypes = {{4, "SECTOR", 5, 1, 0}, {5, "FACE", 4, 0, 0, false}};
  EXPECT_EQ(ErrorOf([&] { loop.data->SetupSystemControl(loop.selector); }).number(),
            errnum::InvalidProcedureCall);
  EXPECT_EQ(loop.selector->columns.size(), 3u)
      << "SECTOR, FACE, then SECTOR again before the loop shows";

  Fixture many;  // no entity types: every column build fails at once
  for (int i = 1; i <= 32767; ++i)
    EXPECT_THROW(many.data->SetupSystemControl(many.selector), Error);
  EXPECT_EQ(many.data->SystemControlCount(), 32767);
  many.log->Clear();
  EXPECT_EQ(ErrorOf([&] { many.data->SetupSystemControl(many.selector); }).number(),
            errnum::Overflow);
  EXPECT_EQ(std::tuple(many.data->SystemControlCount(), many.log->Lines().size()),
            std::tuple(32767, 0u))
      << "nothing is asked once the count cannot grow";
}

TEST(SystemSelector, ListsTheSystemsOfTheCaptionAndRestartsTheLevelCountsThatAddingRecords) {
  Fixture x;
  x.search->entityTypes = Network();
  x.search->systems = {{"SECTOR", "S1-A", {"Dallas", "MSC 1", "Site 1"}, "Sector A"},
                       {"SWITCH", "MSC1", {"Dallas"}, "MSC 1"},
                       {"sector", "lower", {"a"}, "b"},
                       {"SECTOR", "S1-B", {"Dallas"}, "Sector B"}};
  x.selector->caption = "SECTOR";
  auto counts = [&] {
    std::string s;
    for (std::int16_t n : x.data->LevelCounts().elements()) s += std::to_string(n) + " ";
    return s;
  };
  auto add = [&](const StringArray& value, std::int16_t level) {
    return ErrorOf([&] { x.data->AddSelectedSystems(value, level); }).number();
  };
  EXPECT_EQ(add(List({"MSC1"}), 1), errnum::SubscriptOutOfRange) << "before any LoadSystemSelector";
  EXPECT_FALSE(x.data->SelectedSystems().allocated()) << "nothing merged";
  EXPECT_TRUE(x.log->Matching("CoverageDb.SetSelectedSystems").empty());

  x.data->LoadSystemSelector(x.selector);
  EXPECT_EQ(Rows(*x.selector),
            (Lines{"Dallas [S1-A] 1:MSC 1 2:Site 1 3:Sector A", "Dallas [S1-B] 1:Sector B"}))
      << "the type name matches exactly";
  EXPECT_EQ(x.log->Matching("System(S1-A)"),
            (Lines{"System(S1-A).TypeName", "System(S1-A).FieldValue(1)", "System(S1-A).Key",
                   "System(S1-A).FieldCount", "System(S1-A).FieldValue(2)",
                   "System(S1-A).FieldValue(3)", "System(S1-A).TrailingText"}));
  EXPECT_EQ(x.data->LevelCounts().bounds(), (std::vector<Bounds>{{1, 5}}))
      << "one per listed entity type";
  EXPECT_EQ(counts(), "0 0 0 0 0 ");

  x.log->Clear();
  x.data->AddSelectedSystems(List({"MSC1", "MSC2"}), 2);
  EXPECT_EQ(counts(), "0 2 0 0 0 ");
  EXPECT_EQ(x.log->Lines(),
            (Lines{R"(CoverageDb.SetSelectedSystems(String(1 To 2) {"MSC1", "MSC2"}))"}));
  x.data->AddSelectedSystems(List({"S1-A", "MSC1", ""}, 0), 3);
  EXPECT_EQ(counts(), "0 2 0 0 0 ") << "a list ending in \"\" records 0";
  EXPECT_EQ(ArrayText(x.search->chosenSystems), R"(String(1 To 3) {"MSC1", "MSC2", "S1-A"})")
      << "but its names are still merged";
  x.data->AddSelectedSystems(List({"x"}, 4), 1);
  EXPECT_EQ(counts(), "4 2 0 0 0 ") << "the upper bound, not the count";

  x.log->Clear();
  for (std::int16_t level : {0, 6, -1})
    EXPECT_EQ(add(List({"late"}), level), errnum::SubscriptOutOfRange);
  EXPECT_EQ(add(StringArray(), 1), errnum::SubscriptOutOfRange);
  EXPECT_EQ(add(StringArray(0, -1), 1), errnum::SubscriptOutOfRange)
      << "no elements: no last element";
  StringArray big(39999, 40000);
  big.at(40000) = "far";
  EXPECT_EQ(add(big, 1), errnum::Overflow);
  EXPECT_TRUE(x.log->Lines().empty());
  EXPECT_EQ(counts(), "4 2 0 0 0 ");
  EXPECT_EQ(x.data->SelectedSystems().size(), 4u);

  x.data->RemoveSelectedSystems(List({"MSC2", "x"}));
  EXPECT_EQ(ArrayText(x.data->SelectedSystems()), R"(String(1 To 2) {"MSC1", "S1-A"})");
  EXPECT_EQ(x.log->Lines().back(),
            R"(CoverageDb.SetSelectedSystems(String(1 To 2) {"MSC1", "S1-A"}))");
  EXPECT_EQ(counts(), "4 2 0 0 0 ") << "removing leaves the counts alone";

  x.data->LoadSystemSelector(x.selector);
  EXPECT_EQ(counts(), "0 0 0 0 0 ") << "a new load starts the counts afresh";
  x.search->entityTypes.resize(2);
  x.data->LoadSystemSelector(x.selector);
  EXPECT_EQ(counts(), "0 0 ");
  EXPECT_EQ(add(List({"a"}), 3), errnum::SubscriptOutOfRange);
}

TEST(DateTimeControl,
     ScopeFollowsEnterpriseModeTimesAndDatesGoToTheSearchAndTextThatIsNoDateChangesNothing) {
  Fixture x;
  auto ctl = MakeRef<testing::FakeDateTimeCtl>(x.log);
  ctl->times = List({"08:00", "17:00"});
  ctl->minWidth = 320.5f;
  ctl->minHeight = 96;
  EXPECT_EQ(std::pair(x.data->MinPlexionWidth(), x.data->MinPlexionHeight()),
            std::pair(0.0f, 0.0f));
  EXPECT_TRUE(x.log->Lines().empty());

  x.data->SetupDateTimeControl(ctl);
  EXPECT_EQ(
      x.log->Lines(),
      (Lines{"SystemConfig.EnterpriseMode", "DateTimeCtl.Scope(-1)", "DateTimeCtl.SelectedTimesOf",
             R"(CoverageDb.SetSelectedTimes(String(1 To 2) {"08:00", "17:00"}))"}));
  EXPECT_EQ(std::pair(x.data->MinPlexionWidth(), x.data->MinPlexionHeight()),
            std::pair(320.5f, 96.0f));

  x.log->Clear();
  x.system->enterprise = true;
  x.search->timeScope = 16;
  auto other = MakeRef<testing::FakeDateTimeCtl>(x.log);
  other->minWidth = 10;
  x.data->SetupDateTimeControl(other);
  EXPECT_EQ(x.log->Lines(), (Lines{"SystemConfig.EnterpriseMode", "CoverageDb.TimeScopeValue",
                                   "DateTimeCtl.Scope(16)", "DateTimeCtl.SelectedTimesOf",
                                   "CoverageDb.SetSelectedTimes(String())"}));
  EXPECT_EQ(x.data->MinPlexionWidth(), 10.0f) << "the newer control replaces the first";

  x.system->failEnterpriseMode = true;
  auto third = MakeRef<testing::FakeDateTimeCtl>(x.log);
  third->minHeight = 7;
  EXPECT_THROW(x.data->SetupDateTimeControl(third), Error);
  EXPECT_EQ(x.data->MinPlexionHeight(), 7.0f) << "the control is kept before the scope is set";

  x.data->SelectedTimes(List({"9:00 AM"}, 0));
  EXPECT_EQ(ArrayText(x.search->times), R"(String(0 To 0) {"9:00 AM"})");

  // Dates: text round-trips through the search object; text that is no date changes nothing.
  x.log->Clear();
  x.data->StartDate("3/5/2026 2:30 PM");
  EXPECT_EQ(x.search->start, DateTime::FromParts(2026, 3, 5, 14, 30));
  EXPECT_EQ(x.log->Lines(), (Lines{"CoverageDb.StartDateValue(3/5/2026 2:30:00 PM)"}));
  EXPECT_EQ(x.data->StartDate(), "3/5/2026 2:30:00 PM");

  // Any form the platform's dates read (their tests list them); the text form reads back the same.
  x.data->EndDate("2036-12-31T15:04:05");
  x.data->EndDate(x.data->EndDate());
  EXPECT_EQ(x.data->EndDate(), "12/31/2036 3:04:05 PM");

  x.log->Clear();
  for (const char* bad : {"", "soon", "2/30/2026", "45000"}) {
    EXPECT_EQ(ErrorOf([&] { x.data->StartDate(bad); }).number(), errnum::TypeMismatch) << bad;
    EXPECT_EQ(ErrorOf([&] { x.data->EndDate(bad); }).number(), errnum::TypeMismatch) << bad;
  }
  EXPECT_TRUE(x.log->Lines().empty()) << "the search object is not called";
  EXPECT_EQ(x.search->start, DateTime::FromParts(2026, 3, 5, 14, 30));
  EXPECT_EQ(x.search->end, DateTime::FromParts(2036, 12, 31, 15, 4, 5));
}

TEST(Search, ValidityKeepsTheReasonExecuteQueryAnswersNoElementsAndAllComesFromTheSearchObject) {
  Fixture x;
  EXPECT_EQ(x.data->InValidSearchReasonText(), "");
  EXPECT_TRUE(x.log->Lines().empty()) << "the reason text is not asked before ValidSearch";
  x.search->reason = "No system is chosen.";
  EXPECT_FALSE(x.data->ValidSearch());
  EXPECT_EQ(x.data->InValidSearchReasonText(), "No system is chosen.");
  x.search->reason = "";
  EXPECT_EQ(x.data->InValidSearchReasonText(), "No system is chosen.") << "kept until asked again";
  EXPECT_TRUE(x.data->ValidSearch());
  EXPECT_EQ(x.data->InValidSearchReasonText(), "");

  x.log->Clear();
  StringArray answer = x.data->ExecuteQuery();
  EXPECT_EQ(x.log->Lines(), (Lines{"CoverageDb.RunQuery(0 | ExecuteSearchQuery)"}));
  EXPECT_EQ(ArrayText(answer), "String(0 To -1) {}");
  x.search->failOn = {"CoverageDb.RunQuery"};
  EXPECT_EQ(ErrorOf([&] { x.data->ExecuteQuery(); }).status(), static_cast<Status>(0x80041234u));

  // The counts and lists themselves are the real search's, on the database.
  x.search->entityTypes = Network();
  EXPECT_EQ(x.data->PhysicalEntityTypes()->Count(), 5);
  x.search->entityTypeCount = 32768;
  EXPECT_EQ(ErrorOf([&] { x.data->SysEntityTypeCount(); }).number(), errnum::Overflow);
  EXPECT_EQ(x.data->DataTypeTabName() + " " + x.data->DateTabName(), "DataType Date");

  auto other = testing::NewLog();
  auto replacement = MakeRef<testing::FakeCoverageDb>(other);
  x.data->Initialize(replacement);
  x.log->Clear();
  EXPECT_TRUE(x.data->ValidSearch());
  EXPECT_EQ(other->Lines(), (Lines{"CoverageDb.InvalidReason"}));
  EXPECT_TRUE(x.log->Lines().empty()) << "Initialize replaced it";
  x.data->Initialize(nullptr);
  EXPECT_EQ(ErrorOf([&] { x.data->ValidSearch(); }).number(), errnum::ObjectVariableNotSet);
  EXPECT_EQ(ErrorOf([&] { x.data->SetupDatatypeControl(nullptr); }).number(),
            errnum::ObjectVariableNotSet);
  EXPECT_EQ(x.created, 1) << "the model made one search object; Initialize makes none";
}

// The event interface's names and ids, and the raw ids a host sees, are the component surface's
// tests; here: what each member raises, after what, and through which connection point.
TEST(Events, EachMemberRaisesItsEventAfterItsOwnWorkThroughTheModelsConnectionPoint) {
  Fixture x;
  ASSERT_NE(x.data->FindConnectionPoint(DataAvailEventInterface().iid()), nullptr);
  EXPECT_EQ(x.data->FindConnectionPoint(Guid::Parse("{B1479B39-FEC9-45F8-B4D2-5CDE71D24884}")),
            nullptr);
  x.data->UpdateTab();
  x.data->ResetTab();
  x.data->UpdateDates();
  x.data->SelectedDatatypes(List({"Traffic"}));
  EXPECT_EQ(x.log->Lines(), (Lines{"Event.DataTypesChanged", "Event.ResetTab", "Event.UpdateDates",
                                   R"(CoverageDb.SetSelectedDataTypes(String(1 To 1) {"Traffic"}))",
                                   "Event.DataTypesChanged"}))
      << "the search gets the types first";

  x.events->fail = true;
  x.log->Clear();
  EXPECT_THROW(x.data->SelectedDatatypes(List({"Paging"})), Error);
  EXPECT_EQ(x.log->Lines(), (Lines{R"(CoverageDb.SetSelectedDataTypes(String(1 To 1) {"Paging"}))",
                                   "Event.DataTypesChanged"}));

  // Ids the table does not know reach a typed listener as nothing.
  x.events->fail = false;
  x.log->Clear();
  std::vector<Variant> none;
  x.events->OnEvent(99, none);
  x.events->OnEvent(2, none);
  EXPECT_EQ(x.log->Lines(), (Lines{"Event.ResetTab"}));
  x.data->Disconnect(x.listening);
  x.data->ResetTab();
  EXPECT_EQ(x.log->Lines().size(), 1u) << "a disconnected listener hears nothing";
}

}  // namespace
}  // namespace plexion
