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

  // What the selector and the listeners were given, in order.
  Lines Shown() const { return log->Containing({"Selector.", "Row(", "Event."}); }
};

// A market above two levels of plain types and a chained sector whose chain has a type
// without a column and one known only by id.
std::vector<testing::EntityTypeSpec> Network() {
  return {{1, "MARKET", 0, 0, 0}, {2, "SWITCH", 3, 0, 0},       {3, "CELL SITE", 4, 0, 0},
          {4, "SECTOR", 5, 2, 0}, {5, "antenna FACE", 6, 0, 1}, {6, "carrier", 0, 0, 0, false}};
}

// The event tells the other tabs the columns are in place before the rows arrive.
TEST(DataTypeControl, TheEventComesAfterTheColumnsBeforeTheRows) {
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
      x.Shown(),
      (Lines{"Selector.AddColumn(Data Type | 140 | 0)", "Selector.AddColumn(Description | 300 | 0)",
             "Selector.AddColumn(First Avail | 90 | 0)", "Selector.SetTag(DataType | 2)",
             "Event.DataTypesChanged", "Selector.AddRow(Traffic | \"\")",
             "Row(Traffic).SubItems(1 | hourly traffic)", "Row(Traffic).SubItems(2 | 3/1/2026)",
             "Selector.AddRow(Paging | \"\")", "Row(Paging).SubItems(1 | \"\")",
             "Row(Paging).SubItems(2 | \"\")", "Selector.EndLoad"}));
}

TEST(DataTypeControl, LoadedInAnyCaseShowsAsFirstAvailOtherTitlesInProperCase) {
  Fixture p;
  p.search->columns = FieldsByRows({{"loaded", "1"},
                                    {"LOADED", "2"},
                                    {"first avail", "3"},
                                    {"LOADED DATE", "4"},
                                    {"  two  WORDS", "5"},
                                    {"o'NEIL-smith\tx", "6"},
                                    {"", "7"},
                                    {"~x \xC3\xA9lan", "8"},
                                    {"hidden", "9"},
                                    {"hidden too", "10"}});
  p.search->rows = FieldsByRows({});
  p.data->SetupDatatypeControl(p.selector);
  EXPECT_EQ(Columns(*p.selector),
            (Lines{"First Avail/1/0", "First Avail/2/0", "First Avail/3/0", "Loaded Date/4/0",
                   "  Two  Words/5/0", "O'neil-smith\tX/6/0", "/7/0", "~x \xC3\xA9lan/8/0"}))
      << "only the letters a-z start a word in upper case";
  EXPECT_EQ(p.selector->endLoads, 1) << "no rows still ends the load";
}

TEST(DataTypeControl, ColumnsCountFromOneRowsFromTheirOwnBounds) {
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

TEST(DataTypeControl, AFailureStopsWhereItHappens) {
  const Lines columnsShown{"Selector.AddColumn(A | 1 | 0)", "Selector.SetTag(DataType | 0)",
                           "Event.DataTypesChanged"};
  const std::vector<std::vector<std::string>> three{{"a", "1"}, {"b", "1"}, {"c", "1"}};
  struct Case {
    const char* what;
    std::vector<std::vector<std::string>> columns;
    std::int32_t number;
    Lines shown;
  };
  for (const Case& c :
       {Case{"a bad width",
             {{"a", "10"}, {"b", "wide"}, {"c", "1"}, {"d", "1"}, {"e", "1"}},
             errnum::TypeMismatch,
             {"Selector.AddColumn(A | 10 | 0)"}},
        Case{
            "a width past 16 bits", {{"a", "40000"}, {"b", "1"}, {"c", "1"}}, errnum::Overflow, {}},
        Case{"a failing listener", three, static_cast<std::int32_t>(0x80041234u), columnsShown},
        Case{"rows never allocated", three, errnum::SubscriptOutOfRange, columnsShown}}) {
    Fixture x;
    x.search->columns = FieldsByRows(c.columns);
    x.events->fail = std::string(c.what) == "a failing listener";
    EXPECT_EQ(ErrorOf([&] { x.data->SetupDatatypeControl(x.selector); }).number(), c.number)
        << c.what;
    EXPECT_EQ(x.Shown(), c.shown) << c.what;
  }
}

TEST(SystemControl, EachControlIsTheNextLevelWithThePlainColumnsAboveIt) {
  Fixture x;
  x.search->entityTypes = Network();
  auto sw = MakeRef<testing::FakeSelectorCtl>(x.log, "Switches");
  auto site = MakeRef<testing::FakeSelectorCtl>(x.log, "Sites");
  EXPECT_EQ(x.data->SetupSystemControl(sw), 1);
  EXPECT_EQ(x.data->SetupSystemControl(site), 2);
  EXPECT_EQ(std::tuple(Columns(*sw), sw->caption, sw->selIndex, sw->endLoads),
            std::tuple(Lines{"Market/200/0", "Switch/200/0"}, "SWITCH", 0, 1));
  EXPECT_EQ(Columns(*site), (Lines{"Market/200/0", "Switch/200/0", "Cell Site/200/0"}));
  EXPECT_EQ(x.data->SystemControlCount(), 2);
}

TEST(SystemControl, AChainedLevelAddsAColumnPerLinkThatHasOne) {
  Fixture x;
  x.search->entityTypes = Network();
  for (int level = 1; level < 3; ++level)
    x.data->SetupSystemControl(MakeRef<testing::FakeSelectorCtl>(x.log));
  EXPECT_EQ(x.data->SetupSystemControl(x.selector), 3);
  EXPECT_EQ(std::tuple(Columns(*x.selector), x.selector->caption),
            std::tuple(Lines{"Market/200/0", "Switch/200/0", "Cell Site/200/0", "Sector/200/1",
                             "Carrier/200/1"},
                       "SECTOR"))
      << "the antenna face has no column; the carrier is known only by id";
}

TEST(SystemControl, AFailingColumnBuildKeepsTheIncreasedLevel) {
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
            std::tuple(2, 3u, -1, 0));
  EXPECT_THROW(y.data->SetupSystemControl(second), Error);
  EXPECT_EQ(y.data->SystemControlCount(), 3);
}

TEST(SystemControl, AChainThatComesBackIsAnErrorNotAHang) {
  Fixture loop;
  loop.search->entityTypes = {{4, "SECTOR", 5, 1, 0}, {5, "FACE", 4, 0, 0, false}};
  EXPECT_EQ(ErrorOf([&] { loop.data->SetupSystemControl(loop.selector); }).number(),
            errnum::InvalidProcedureCall);
  EXPECT_EQ(loop.selector->columns.size(), 3u)
      << "SECTOR, FACE, then SECTOR again before the loop shows";
}

TEST(SystemControl, TheLevelStopsAtTheLargestSixteenBitValue) {
  Fixture many;  // no entity types: every column build fails at once
  for (int i = 1; i <= 32767; ++i)
    EXPECT_THROW(many.data->SetupSystemControl(many.selector), Error);
  many.log->Clear();
  EXPECT_EQ(ErrorOf([&] { many.data->SetupSystemControl(many.selector); }).number(),
            errnum::Overflow);
  EXPECT_EQ(std::tuple(many.data->SystemControlCount(), many.log->Lines().size()),
            std::tuple(32767, 0u))
      << "nothing is asked once the count cannot grow";
}

// A model whose selector lists the sectors of Network().
struct SystemsFixture : Fixture {
  SystemsFixture() {
    search->entityTypes = Network();
    search->systems = {{"SECTOR", "S1-A", {"Dallas", "MSC 1", "Site 1"}, "Sector A"},
                       {"SWITCH", "MSC1", {"Dallas"}, "MSC 1"},
                       {"sector", "lower", {"a"}, "b"},
                       {"SECTOR", "S1-B", {"Dallas"}, "Sector B"}};
    selector->caption = "SECTOR";
  }
  std::string Counts() const {
    std::string s;
    for (std::int16_t n : data->LevelCounts().elements()) s += std::to_string(n) + " ";
    return s;
  }
  std::int32_t Add(const StringArray& value, std::int16_t level) {
    return ErrorOf([&] { data->AddSelectedSystems(value, level); }).number();
  }
};

TEST(SystemSelector, ListsTheSystemsWhoseTypeIsExactlyTheCaption) {
  SystemsFixture x;
  x.data->LoadSystemSelector(x.selector);
  EXPECT_EQ(Rows(*x.selector),
            (Lines{"Dallas [S1-A] 1:MSC 1 2:Site 1 3:Sector A", "Dallas [S1-B] 1:Sector B"}));
  EXPECT_EQ(x.selector->endLoads, 1);
  EXPECT_EQ(x.data->LevelCounts().bounds(), (std::vector<Bounds>{{1, 5}}))
      << "one per listed entity type";
  EXPECT_EQ(x.Counts(), "0 0 0 0 0 ");
}

TEST(SystemSelector, AddingRecordsTheUpperBoundOfTheLevel) {
  SystemsFixture x;
  x.data->LoadSystemSelector(x.selector);
  x.log->Clear();
  x.data->AddSelectedSystems(List({"MSC1", "MSC2"}), 2);
  EXPECT_EQ(x.Counts(), "0 2 0 0 0 ");
  EXPECT_EQ(x.log->Lines(),
            (Lines{R"(CoverageDb.SetSelectedSystems(String(1 To 2) {"MSC1", "MSC2"}))"}));
  x.data->AddSelectedSystems(List({"S1-A", "MSC1", ""}, 0), 3);
  EXPECT_EQ(x.Counts(), "0 2 0 0 0 ") << "a list ending in \"\" records 0";
  EXPECT_EQ(ArrayText(x.search->chosenSystems), R"(String(1 To 3) {"MSC1", "MSC2", "S1-A"})")
      << "but its names are still merged";
  x.data->AddSelectedSystems(List({"x"}, 4), 1);
  EXPECT_EQ(x.Counts(), "4 2 0 0 0 ") << "the upper bound, not the count";
}

TEST(SystemSelector, AddingOutsideTheLevelsOrAnUnusableListChangesNothing) {
  SystemsFixture x;
  EXPECT_EQ(x.Add(List({"MSC1"}), 1), errnum::SubscriptOutOfRange) << "before any load";
  x.data->LoadSystemSelector(x.selector);
  x.log->Clear();
  for (std::int16_t level : {0, 6, -1})
    EXPECT_EQ(x.Add(List({"late"}), level), errnum::SubscriptOutOfRange);
  EXPECT_EQ(x.Add(StringArray(), 1), errnum::SubscriptOutOfRange);
  EXPECT_EQ(x.Add(StringArray(0, -1), 1), errnum::SubscriptOutOfRange) << "no last element";
  StringArray big(39999, 40000);
  big.at(40000) = "far";
  EXPECT_EQ(x.Add(big, 1), errnum::Overflow);
  EXPECT_TRUE(x.log->Lines().empty());
  EXPECT_EQ(x.Counts(), "0 0 0 0 0 ");
  EXPECT_FALSE(x.data->SelectedSystems().allocated());
}

TEST(SystemSelector, RemovingLeavesTheCounts) {
  SystemsFixture x;
  x.data->LoadSystemSelector(x.selector);
  x.data->AddSelectedSystems(List({"MSC1", "MSC2", "S1-A"}), 1);
  x.data->RemoveSelectedSystems(List({"MSC2", "x"}));
  EXPECT_EQ(ArrayText(x.search->chosenSystems), R"(String(1 To 2) {"MSC1", "S1-A"})");
  EXPECT_EQ(x.Counts(), "3 0 0 0 0 ");
}

TEST(SystemSelector, ANewLoadRestartsTheCountsForTheTypesListedNow) {
  SystemsFixture x;
  x.data->LoadSystemSelector(x.selector);
  x.data->AddSelectedSystems(List({"MSC1"}), 1);
  x.search->entityTypes.resize(2);
  x.data->LoadSystemSelector(x.selector);
  EXPECT_EQ(x.Counts(), "0 0 ");
  EXPECT_EQ(x.Add(List({"a"}), 3), errnum::SubscriptOutOfRange);
}

TEST(DateTimeControl, TheScopeIsTheSearchsOnlyInEnterpriseMode) {
  Fixture x;
  auto ctl = MakeRef<testing::FakeDateTimeCtl>(x.log);
  ctl->times = List({"08:00", "17:00"});
  x.search->timeScope = 16;
  x.data->SetupDateTimeControl(ctl);
  EXPECT_EQ(std::pair(ctl->scope, ArrayText(x.search->times)),
            std::pair(-1, std::string(R"(String(1 To 2) {"08:00", "17:00"})")));
  x.system->enterprise = true;
  x.data->SetupDateTimeControl(ctl);
  EXPECT_EQ(ctl->scope, 16);
  x.data->SelectedTimes(List({"9:00 AM"}, 0));
  EXPECT_EQ(ArrayText(x.search->times), R"(String(0 To 0) {"9:00 AM"})");
}

TEST(DateTimeControl, TheMinimumSizeIsTheNewestControls) {
  Fixture x;
  EXPECT_EQ(std::pair(x.data->MinPlexionWidth(), x.data->MinPlexionHeight()),
            std::pair(0.0f, 0.0f));
  auto ctl = MakeRef<testing::FakeDateTimeCtl>(x.log);
  ctl->minWidth = 320.5f;
  ctl->minHeight = 96;
  x.data->SetupDateTimeControl(ctl);
  EXPECT_EQ(std::pair(x.data->MinPlexionWidth(), x.data->MinPlexionHeight()),
            std::pair(320.5f, 96.0f));
  x.system->failEnterpriseMode = true;
  auto third = MakeRef<testing::FakeDateTimeCtl>(x.log);
  third->minHeight = 7;
  EXPECT_THROW(x.data->SetupDateTimeControl(third), Error);
  EXPECT_EQ(x.data->MinPlexionHeight(), 7.0f);
}

TEST(Dates, TextRoundTripsThroughTheSearch) {
  Fixture x;
  x.data->StartDate("3/5/2026 2:30 PM");
  EXPECT_EQ(x.search->start, DateTime::FromParts(2026, 3, 5, 14, 30));
  EXPECT_EQ(x.data->StartDate(), "3/5/2026 2:30:00 PM");
  x.data->EndDate("2036-12-31T15:04:05");
  EXPECT_EQ(x.data->EndDate(), "12/31/2036 3:04:05 PM");
}

TEST(Dates, TextThatIsNoDateLeavesTheSearchAlone) {
  Fixture x;
  for (const char* bad : {"", "soon", "2/30/2026", "45000"}) {
    EXPECT_EQ(ErrorOf([&] { x.data->StartDate(bad); }).number(), errnum::TypeMismatch) << bad;
    EXPECT_EQ(ErrorOf([&] { x.data->EndDate(bad); }).number(), errnum::TypeMismatch) << bad;
  }
  EXPECT_TRUE(x.log->Lines().empty()) << "the search object is not called";
}

TEST(Search, ValidityKeepsTheSearchsReasonUntilAskedAgain) {
  Fixture x;
  EXPECT_EQ(x.data->InValidSearchReasonText(), "");
  x.search->reason = "No system is chosen.";
  EXPECT_FALSE(x.data->ValidSearch());
  x.search->reason = "";
  EXPECT_EQ(x.data->InValidSearchReasonText(), "No system is chosen.");
  EXPECT_TRUE(x.data->ValidSearch());
  EXPECT_EQ(x.data->InValidSearchReasonText(), "");
}

TEST(Search, ExecuteQueryAnswersNoElements) {
  Fixture x;
  EXPECT_EQ(ArrayText(x.data->ExecuteQuery()), "String(0 To -1) {}");
  EXPECT_EQ(x.log->Lines(), (Lines{"CoverageDb.RunQuery(0 | ExecuteSearchQuery)"}));
  x.search->failOn = {"CoverageDb.RunQuery"};
  EXPECT_EQ(ErrorOf([&] { x.data->ExecuteQuery(); }).source(), "CoverageDb");
}

TEST(Search, CountsComeFromTheSearchObject) {
  Fixture x;
  x.search->entityTypes = Network();
  EXPECT_EQ(x.data->PhysicalEntityTypes()->Count(), 5);
  x.search->entityTypeCount = 32768;
  EXPECT_EQ(ErrorOf([&] { x.data->SysEntityTypeCount(); }).number(), errnum::Overflow);
}

TEST(Search, InitializeReplacesTheSearchObjectTheModelMade) {
  Fixture x;
  auto other = testing::NewLog();
  x.data->Initialize(MakeRef<testing::FakeCoverageDb>(other));
  x.log->Clear();
  EXPECT_TRUE(x.data->ValidSearch());
  EXPECT_EQ(other->Lines(), (Lines{"CoverageDb.InvalidReason"}));
  EXPECT_TRUE(x.log->Lines().empty());
  x.data->Initialize(nullptr);
  EXPECT_EQ(ErrorOf([&] { x.data->ValidSearch(); }).number(), errnum::ObjectVariableNotSet);
  EXPECT_EQ(x.created, 1) << "the model made one search object; Initialize makes none";
}

// The event interface's names and ids are the component surface's tests; here: what each member
// raises, after what (an order the other tabs rely on), and through which connection point.
TEST(Events, EachMemberRaisesItsEventAfterItsOwnWork) {
  Fixture x;
  x.data->UpdateTab();
  x.data->ResetTab();
  x.data->UpdateDates();
  x.data->SelectedDatatypes(List({"Traffic"}));
  EXPECT_EQ(x.log->Lines(), (Lines{"Event.DataTypesChanged", "Event.ResetTab", "Event.UpdateDates",
                                   R"(CoverageDb.SetSelectedDataTypes(String(1 To 1) {"Traffic"}))",
                                   "Event.DataTypesChanged"}));
  x.events->fail = true;
  EXPECT_THROW(x.data->SelectedDatatypes(List({"Paging"})), Error);
  EXPECT_EQ(ArrayText(x.search->dataTypes), R"(String(1 To 1) {"Paging"})");
}

}  // namespace
}  // namespace plexion
