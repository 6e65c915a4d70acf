#include "db_fixture.hpp"
#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/dataavail/data_avail_data.hpp"
#include "plexion/testing/config_doubles.hpp"
#include "plexion/testing/coverage_doubles.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;
using SubItems = std::map<std::int16_t, std::string>;

StringArray List(std::vector<std::string> items, std::int32_t lower = 1) {
  return StringArray::FromVector(std::move(items), lower);
}

// The model over the default search on the demo rows.
class CoverageSearchOnDatabase : public testing::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    search = MakeRef<backends::CoverageSearch>(db);
    data = MakeRef<CDataAvailData>();
  }
  void TearDown() override {
    data.reset();
    search.reset();
    DatabaseTest::TearDown();
  }

  // Each result row as "type system name entity loaded/inRange first - last".
  Lines Results() {
    const StringArray table = search->QueryResults();
    Lines out;
    for (std::int32_t r = table.LBound(2); r <= table.UBound(2); ++r) {
      std::string line;
      for (std::int32_t f = table.LBound(1); f <= table.UBound(1); ++f)
        line += (f > 1 ? " | " : "") + table.at(f, r);
      out.push_back(line);
    }
    return out;
  }

  void ChooseTheDemoSearch() {
    data->SelectedDatatypes(List({"Traffic", "Failures"}));
    auto sectors = MakeRef<testing::FakeSelectorCtl>();
    for (int level = 1; level <= 3; ++level) data->SetupSystemControl(sectors);
    data->AddSelectedSystems(List({"S101-A", "S201-B"}), 3);
    data->StartDate("3/3/2026");
    data->EndDate("3/5/2026");
  }

  Ref<testing::FakeSystemConfig> system = MakeRef<testing::FakeSystemConfig>();
  services::ScopedService<SystemConfig> config{system};
  Ref<backends::CoverageSearch> search;
  services::ScopedFactory<CoverageDb> factory{[this]() -> Ref<CoverageDb> { return search; }};
  Ref<CDataAvailData> data;
};

TEST_P(CoverageSearchOnDatabase, TheDataTypeSelectorShowsTheDemoDataTypes) {
  auto selector = MakeRef<testing::FakeSelectorCtl>();
  data->SetupDatatypeControl(selector);
  Lines columns;
  for (const auto& c : selector->columns)
    columns.push_back(c.text + "/" + std::to_string(c.width) + "/" + std::to_string(c.flag));
  EXPECT_EQ(columns, (Lines{"Data Type/140/0", "Description/300/0", "First Avail/90/0"}));
  EXPECT_EQ(selector->tag, "DataType");
  EXPECT_EQ(selector->tagValue, 5);
  Lines rows;
  for (auto& r : selector->rows) rows.push_back(r.text + " | " + r.subItems[2]);
  EXPECT_EQ(rows, (Lines{"Traffic | 3/1/2026", "Failures | 3/3/2026", "Handovers | 3/1/2026",
                         "Switch Load | 2/20/2026", "Paging | "}));
  EXPECT_EQ(selector->rows[0].subItems.size(), 2u) << "the id and the entity type stay hidden";
  EXPECT_EQ(selector->rows[0].key, "");
}

TEST_P(CoverageSearchOnDatabase, SystemSelectorsFollowTheEntityTypeLevels) {
  std::vector<Ref<testing::FakeSelectorCtl>> levels;
  for (int level = 1; level <= 3; ++level) {
    levels.push_back(MakeRef<testing::FakeSelectorCtl>());
    EXPECT_EQ(data->SetupSystemControl(levels.back()), level);
  }
  EXPECT_EQ(levels[0]->caption, "SWITCH");
  EXPECT_EQ(levels[1]->caption, "CELL SITE");
  EXPECT_EQ(levels[2]->caption, "SECTOR");
  Lines titles;
  for (const auto& c : levels[2]->columns) titles.push_back(c.text + "/" + std::to_string(c.flag));
  EXPECT_EQ(titles, (Lines{"Market/0", "Switch/0", "Cell Site/0", "Sector/1"}))
      << "the antenna face of the sector's chain has no column";
  ASSERT_EQ(levels[0]->rows.size(), 2u);
  EXPECT_EQ(levels[0]->rows[1].text, "Dallas");
  EXPECT_EQ(levels[0]->rows[1].key, "DAL-MSC2");
  EXPECT_EQ(levels[0]->rows[1].subItems, (SubItems{{1, "Dallas MSC 2"}}));
  ASSERT_EQ(levels[2]->rows.size(), 5u);
  EXPECT_EQ(levels[2]->rows[4].key, "S201-B");
  EXPECT_EQ(levels[2]->rows[4].subItems,
            (SubItems{{1, "Dallas MSC 2"}, {2, "Site 201 Airport"}, {3, "Sector B"}}));
  for (const auto& level : levels)
    EXPECT_EQ(level->rows[0].subItems.size() + 1, level->columns.size())
        << level->caption << ": every row fills exactly the columns";
  EXPECT_EQ(data->SysEntityTypeCount(), 5);
  EXPECT_EQ(data->LevelCounts().bounds(), (std::vector<Bounds>{{1, 5}}));

  auto fourth = MakeRef<testing::FakeSelectorCtl>();
  try {
    data->SetupSystemControl(fourth);
    FAIL() << "there are three levels";
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::SubscriptOutOfRange);
    EXPECT_EQ(e.source(), "CoverageDb");
  }
  EXPECT_EQ(data->SystemControlCount(), 4);
}

TEST_P(CoverageSearchOnDatabase, ASearchFindsTheHoursLoadedAndTheGaps) {
  ChooseTheDemoSearch();
  EXPECT_TRUE(data->ValidSearch()) << data->InValidSearchReasonText();
  EXPECT_EQ(search->QueryResults().bounds(), (std::vector<Bounds>{{1, 8}, {0, 0}}))
      << "only the field names before a query";
  const StringArray answer = data->ExecuteQuery();
  EXPECT_EQ(answer.bounds(), (std::vector<Bounds>{{0, -1}}));
  EXPECT_EQ(Results(),
            (Lines{"Data type | System | Name | Entity type | Hours loaded | Hours in range | "
                   "First loaded | Last loaded",
                   "Traffic | S101-A | Sector A | SECTOR | 72 | 72 | 3/3/2026 | 3/5/2026 11:00:00 PM",
                   "Traffic | S201-B | Sector B | SECTOR | 48 | 72 | 3/3/2026 | 3/5/2026 11:00:00 PM",
                   "Failures | S101-A | Sector A | SECTOR | 72 | 72 | 3/3/2026 | 3/5/2026 11:00:00 PM",
                   "Failures | S201-B | Sector B | SECTOR | 0 | 72 |  | "}));

  data->SelectedTimes(List({"8:00 AM", "17:30", ""}));
  data->RemoveSelectedSystems(List({"S101-A"}));
  data->ExecuteQuery();
  EXPECT_EQ(Results()[1], "Traffic | S201-B | Sector B | SECTOR | 4 | 6 | 3/3/2026 8:00:00 AM | "
                          "3/5/2026 5:00:00 PM")
      << "two hours a day, 4 March missing";

  data->SelectedTimes(List({}));
  data->StartDate("3/3/2026 10:30 PM");
  data->EndDate("3/4/2026 1:00 AM");
  data->ExecuteQuery();
  EXPECT_EQ(Results()[1],
            "Traffic | S201-B | Sector B | SECTOR | 1 | 3 | 3/3/2026 11:00:00 PM | 3/3/2026 11:00:00 PM")
      << "whole hours from the start to the end, the end's own hour included";
}

TEST_P(CoverageSearchOnDatabase, InvalidSearchesSayWhy) {
  auto reason = [&] {
    EXPECT_FALSE(data->ValidSearch());
    return data->InValidSearchReasonText();
  };
  auto sectors = MakeRef<testing::FakeSelectorCtl>();
  EXPECT_EQ(reason(), "No data type is chosen.");
  data->SelectedDatatypes(List({""}));
  EXPECT_EQ(reason(), "No data type is chosen.");
  data->SelectedDatatypes(List({"Traffic", "traffic"}));
  EXPECT_EQ(reason(), "The data type \"traffic\" is not known.");
  data->SelectedDatatypes(List({"Traffic"}));
  EXPECT_EQ(reason(), "No system is chosen.");
  data->SetupSystemControl(sectors);
  data->AddSelectedSystems(List({"ZZZ"}), 1);
  EXPECT_EQ(reason(), "The system \"ZZZ\" is not known.");
  data->RemoveSelectedSystems(List({"ZZZ"}));
  EXPECT_EQ(reason(), "No system is chosen.") << "the empty form chooses nothing";
  data->AddSelectedSystems(List({"DAL-MSC1"}), 1);
  EXPECT_EQ(reason(), "No start date is set.");
  data->StartDate("3/5/2026 10:00 AM");
  EXPECT_EQ(reason(), "No end date is set.");
  data->EndDate("3/4/2026");
  EXPECT_EQ(reason(), "The end date is before the start date.");
  try {
    data->ExecuteQuery();
    FAIL() << "an invalid search does not run";
  } catch (const Error& e) {
    EXPECT_EQ(e.status(), backends::kCoverageStatus);
    EXPECT_EQ(e.source(), "CoverageDb");
    EXPECT_EQ(e.description(), "The end date is before the start date.");
  }
  data->EndDate("3/5/2026 9:59 AM");
  EXPECT_EQ(reason(), "The end date is before the start date.");
  data->EndDate("3/5/2026");
  data->SelectedTimes(List({"noon"}));
  EXPECT_EQ(reason(), "\"noon\" is not a time of day.") << "an end date alone covers its whole day";
  data->SelectedTimes(List({"3/5/2026"}));
  EXPECT_EQ(reason(), "\"3/5/2026\" is not a time of day.");
  data->SelectedTimes(List({"10:00"}));
  EXPECT_TRUE(data->ValidSearch());
  data->ExecuteQuery();
  EXPECT_EQ(search->QueryResults().at(5, 1), "0") << "a switch has no traffic of its own";
  EXPECT_EQ(search->QueryResults().at(6, 1), "1");

  std::int32_t options = 0;
  EXPECT_THROW(search->RunQuery(options, "Other"), Error);
}

TEST_P(CoverageSearchOnDatabase, CountsDatesAndScopeComeFromTheLoads) {
  EXPECT_EQ(data->MinLoadDate(), "2/20/2026");
  system->enterprise = true;
  auto control = MakeRef<testing::FakeDateTimeCtl>();
  data->SetupDateTimeControl(control);
  EXPECT_EQ(control->scope, 16) << "20 February to 7 March";
  EXPECT_EQ(data->StartDate(), "12/30/1899") << "not set";

  data->SelectedDatatypes(List({"Traffic", "", "Traffic", "Nope"}));
  EXPECT_EQ(data->DataTypesSelCount(), 2);
  auto selector = MakeRef<testing::FakeSelectorCtl>();
  data->SetupSystemControl(selector);
  data->AddSelectedSystems(List({"S101-A", "DAL-MSC1", "S101-B", "gone"}), 1);
  EXPECT_EQ(testing::ArrayText(data->SysTypesChosen()), R"(String(1 To 2) {"SECTOR", "SWITCH"})");
  data->RemoveSelectedSystems(List({"S101-A", "DAL-MSC1", "S101-B", "gone"}));
  EXPECT_EQ(data->SysTypesChosen().bounds(), (std::vector<Bounds>{{1, 0}}));

  db->Execute("DELETE FROM cov_load");
  auto fresh = MakeRef<backends::CoverageSearch>(db);
  EXPECT_EQ(fresh->MinLoadDateText(), "");
  EXPECT_EQ(fresh->TimeScopeValue(), 0);
  EXPECT_EQ(data->MinLoadDate(), "2/20/2026") << "a search object reads its tables once";
}

PLEXION_ON_BOTH_ENGINES(CoverageSearchOnDatabase);

}  // namespace
}  // namespace plexion
