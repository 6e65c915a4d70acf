#include <algorithm>
#include <functional>

#include "data_avail_test_support.hpp"
#include "db_fixture.hpp"
#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/dataavail/data_avail_data.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion {
namespace {

using testing::Columns;
using testing::ErrorOf;
using testing::FakeSelectorCtl;
using testing::Lines;
using testing::List;
using testing::Rows;

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

  // Each result row with its fields joined by " | ".
  Lines Results() {
    const StringArray table = search->QueryResults();
    Lines out;
    for (std::int32_t r = table.LBound(2); r <= table.UBound(2); ++r) {
      out.emplace_back();
      for (std::int32_t f = table.LBound(1); f <= table.UBound(1); ++f)
        out.back() += (f > 1 ? " | " : "") + table.at(f, r);
    }
    return out;
  }

  Ref<testing::FakeSystemConfig> system = MakeRef<testing::FakeSystemConfig>();
  services::ScopedService<SystemConfig> config{system};
  Ref<backends::CoverageSearch> search;
  services::ScopedFactory<CoverageDb> factory{[this]() -> Ref<CoverageDb> { return search; }};
  Ref<CDataAvailData> data;
};

TEST_P(CoverageSearchOnDatabase, TheSelectorsShowTheDemoDataTypesAndFollowTheEntityTypeLevels) {
  auto types = MakeRef<FakeSelectorCtl>();
  data->SetupDatatypeControl(types);
  EXPECT_EQ(Columns(*types), (Lines{"Data Type/140/0", "Description/300/0", "First Avail/90/0"}));
  EXPECT_EQ(types->tag + " " + std::to_string(types->tagValue), "DataType 5");
  EXPECT_EQ(Rows(*types),
            (Lines{"Traffic [] 1:Carried traffic and call attempts, hourly 2:3/1/2026",
                   "Failures [] 1:Dropped and blocked calls, hourly 2:3/3/2026",
                   "Handovers [] 1:Handover attempts and successes, hourly 2:3/1/2026",
                   "Switch Load [] 1:Processor load of the switch, hourly 2:2/20/2026",
                   "Paging [] 1:Paging attempts of the switch, hourly 2:"}))
      << "the id and the entity type stay hidden";

  std::vector<Ref<FakeSelectorCtl>> levels;
  for (int level = 1; level <= 3; ++level) {
    levels.push_back(MakeRef<FakeSelectorCtl>());
    EXPECT_EQ(data->SetupSystemControl(levels.back()), level);
  }
  EXPECT_EQ(levels[0]->caption + ", " + levels[1]->caption + ", " + levels[2]->caption,
            "SWITCH, CELL SITE, SECTOR");
  EXPECT_EQ(Columns(*levels[2]),
            (Lines{"Market/200/0", "Switch/200/0", "Cell Site/200/0", "Sector/200/1"}))
      << "the antenna face of the sector's chain has no column";
  ASSERT_EQ(Rows(*levels[0]).size(), 2u);
  EXPECT_EQ(Rows(*levels[0])[1], "Dallas [DAL-MSC2] 1:Dallas MSC 2");
  ASSERT_EQ(Rows(*levels[2]).size(), 5u);
  EXPECT_EQ(Rows(*levels[2])[4], "Dallas [S201-B] 1:Dallas MSC 2 2:Site 201 Airport 3:Sector B");
  for (const auto& level : levels)
    EXPECT_EQ(level->rows[0].subItems.size() + 1, level->columns.size())
        << level->caption << ": every row fills exactly the columns";
  EXPECT_EQ(data->SysEntityTypeCount(), 5);
  EXPECT_EQ(data->LevelCounts().bounds(), (std::vector<Bounds>{{1, 5}}));

  const Error e = ErrorOf([&] { data->SetupSystemControl(MakeRef<FakeSelectorCtl>()); });
  EXPECT_EQ(e.number(), errnum::SubscriptOutOfRange) << "there are three levels";
  EXPECT_EQ(e.source(), "CoverageDb");
  EXPECT_EQ(data->SystemControlCount(), 4);
}

TEST_P(CoverageSearchOnDatabase, ASearchFindsTheHoursLoadedAndTheGaps) {
  data->SelectedDatatypes(List({"Traffic", "Failures"}));
  auto sectors = MakeRef<FakeSelectorCtl>();
  for (int level = 1; level <= 3; ++level) data->SetupSystemControl(sectors);
  data->AddSelectedSystems(List({"S101-A", "S201-B"}), 3);
  data->StartDate("3/3/2026");
  data->EndDate("3/5/2026");
  EXPECT_TRUE(data->ValidSearch()) << data->InValidSearchReasonText();
  EXPECT_EQ(search->QueryResults().bounds(), (std::vector<Bounds>{{1, 8}, {0, 0}}))
      << "only the field names before a query";
  EXPECT_EQ(data->ExecuteQuery().bounds(), (std::vector<Bounds>{{0, -1}}));
  EXPECT_EQ(
      Results(),
      (Lines{"Data type | System | Name | Entity type | Hours loaded | Hours in range | "
             "First loaded | Last loaded",
             "Traffic | S101-A | Sector A | SECTOR | 72 | 72 | 3/3/2026 | 3/5/2026 11:00:00 PM",
             "Traffic | S201-B | Sector B | SECTOR | 48 | 72 | 3/3/2026 | 3/5/2026 11:00:00 PM",
             "Failures | S101-A | Sector A | SECTOR | 72 | 72 | 3/3/2026 | 3/5/2026 11:00:00 PM",
             "Failures | S201-B | Sector B | SECTOR | 0 | 72 |  | "}));

  data->SelectedTimes(List({"8:00 AM", "17:30", ""}));
  data->RemoveSelectedSystems(List({"S101-A"}));
  data->ExecuteQuery();
  EXPECT_EQ(Results()[1],
            "Traffic | S201-B | Sector B | SECTOR | 4 | 6 | 3/3/2026 8:00:00 AM | "
            "3/5/2026 5:00:00 PM")
      << "two hours a day, 4 March missing";

  data->SelectedTimes(List({}));
  data->StartDate("3/3/2026 10:30 PM");
  data->EndDate("3/4/2026 1:00 AM");
  data->ExecuteQuery();
  EXPECT_EQ(
      Results()[1],
      "Traffic | S201-B | Sector B | SECTOR | 1 | 3 | 3/3/2026 11:00:00 PM | 3/3/2026 11:00:00 PM")
      << "whole hours from the start to the end, the end's own hour included";
}

TEST_P(CoverageSearchOnDatabase, InvalidSearchesSayWhyAndDoNotRun) {
  auto switches = MakeRef<FakeSelectorCtl>();
  // Each step, then why the search is still not valid.
  const std::vector<std::pair<std::function<void()>, std::string>> steps = {
      {[] {}, "No data type is chosen."},
      {[&] { data->SelectedDatatypes(List({""})); }, "No data type is chosen."},
      {[&] {
         data->SelectedDatatypes(List({"Traffic", "traffic"}));
       },
       "The data type \"traffic\" is not known."},
      {[&] { data->SelectedDatatypes(List({"Traffic"})); }, "No system is chosen."},
      {[&] {
         data->SetupSystemControl(switches);
         data->AddSelectedSystems(List({"ZZZ"}), 1);
       },
       "The system \"ZZZ\" is not known."},
      {[&] { data->RemoveSelectedSystems(List({"ZZZ"})); },
       "No system is chosen."},  // the empty form
      {[&] { data->AddSelectedSystems(List({"DAL-MSC1"}), 1); }, "No start date is set."},
      {[&] { data->StartDate("3/5/2026 10:00 AM"); }, "No end date is set."},
      {[&] { data->EndDate("3/4/2026"); }, "The end date is before the start date."},
      {[&] { data->EndDate("3/5/2026 9:59 AM"); }, "The end date is before the start date."},
      // An end date alone covers its whole day.
      {[&] {
         data->EndDate("3/5/2026");
         data->SelectedTimes(List({"noon"}));
       },
       "\"noon\" is not a time of day."},
      {[&] { data->SelectedTimes(List({"3/5/2026"})); }, "\"3/5/2026\" is not a time of day."}};
  for (const auto& [step, why] : steps) {
    step();
    EXPECT_FALSE(data->ValidSearch()) << why;
    EXPECT_EQ(data->InValidSearchReasonText(), why);
  }
  const Error e = ErrorOf([&] { data->ExecuteQuery(); });
  EXPECT_EQ(e.status(), backends::kCoverageStatus);
  EXPECT_EQ(e.source(), "CoverageDb");
  EXPECT_EQ(e.description(), "\"3/5/2026\" is not a time of day.");

  data->SelectedTimes(List({"10:00"}));
  EXPECT_TRUE(data->ValidSearch());
  data->ExecuteQuery();
  EXPECT_EQ(Results()[1], "Traffic | DAL-MSC1 | Dallas MSC 1 | SWITCH | 0 | 1 |  | ")
      << "a switch has no traffic of its own";
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
  data->SetupSystemControl(MakeRef<FakeSelectorCtl>());
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

// Loads generated over four April days with gaps, searched in several ways; each result row
// must equal a plain count of the generated hours.
TEST_P(CoverageSearchOnDatabase, CountsInTheDatabaseEqualAPlainCountOfTheLoads) {
  const std::vector<std::pair<std::int32_t, std::string>> types = {{1, "Traffic"}, {2, "Failures"}};
  const std::vector<std::pair<std::int32_t, std::string>> systems = {
      {7, "S101-A"}, {8, "S101-B"}, {11, "S201-B"}};
  auto hour = [](int h) { return DateTime::FromParts(2026, 4, 1 + h / 24, h % 24); };
  // Hour h of the four days is loaded for a pair unless the pattern leaves a gap there; S101-B
  // has no Failures at all.
  auto loaded = [](std::int32_t type, std::int32_t system, int h) {
    return !(type == 2 && system == 8) && (h * 7 + system * 3 + type) % 5 != 0;
  };
  db->InTransaction([&] {
    for (const auto& [type, typeName] : types)
      for (const auto& [system, key] : systems)
        for (int h = 0; h < 96; ++h)
          if (loaded(type, system, h))
            db->Execute(
                "INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES (:p0, :p1, "
                ":p2)",
                {Variant(type), Variant(system), Variant(hour(h))});
  });

  struct Search {
    std::string start, end;
    std::vector<std::string> times;
    int firstHour, lastHour;  // of the four days, both searched
    std::vector<int> hoursOfDay;
  };
  const std::vector<Search> searches = {
      {"4/1/2026", "4/4/2026", {}, 0, 95, {}},
      {"4/1/2026 5:30 AM", "4/3/2026 7:00 PM", {}, 6, 67, {}},
      {"4/2/2026", "4/4/2026", {"8:00 AM", "17:00", "8:15"}, 24, 95, {8, 17}},
      {"4/1/2026 11:00 PM", "4/2/2026", {"23:00", "0:00"}, 23, 47, {0, 23}}};
  data->SelectedDatatypes(List({"Traffic", "Failures"}));
  data->SetupSystemControl(MakeRef<FakeSelectorCtl>());
  data->AddSelectedSystems(List({"S101-A", "S101-B", "S201-B"}), 1);
  for (const Search& search : searches) {
    data->StartDate(search.start);
    data->EndDate(search.end);
    data->SelectedTimes(List(search.times));
    data->ExecuteQuery();
    auto chosen = [&](int h) {
      return search.hoursOfDay.empty() ||
             std::count(search.hoursOfDay.begin(), search.hoursOfDay.end(), h % 24) > 0;
    };
    int inRange = 0;
    for (int h = search.firstHour; h <= search.lastHour; ++h) inRange += chosen(h);
    Lines expected;
    for (const auto& [type, typeName] : types) {
      for (const auto& [system, key] : systems) {
        int hours = 0;
        std::string firstText, lastText;
        for (int h = search.firstHour; h <= search.lastHour; ++h) {
          if (!chosen(h) || !loaded(type, system, h)) continue;
          ++hours;
          lastText = hour(h).ToText();
          if (firstText.empty()) firstText = lastText;
        }
        expected.push_back(typeName + " | " + key + " | " + std::to_string(hours) + " | " +
                           std::to_string(inRange) + " | " + firstText + " | " + lastText);
      }
    }
    Lines found;
    for (const std::string& row : Results()) {
      // Data type | System | Name | Entity type | Hours loaded | in range | First | Last
      std::vector<std::string> f;
      for (std::size_t at = 0, bar; at <= row.size(); at = bar + 3) {
        bar = std::min(row.find(" | ", at), row.size());
        f.push_back(row.substr(at, bar - at));
      }
      if (f[0] != "Data type")
        found.push_back(f[0] + " | " + f[1] + " | " + f[4] + " | " + f[5] + " | " + f[6] + " | " +
                        f[7]);
    }
    EXPECT_EQ(found, expected) << search.start << " to " << search.end;
  }
}

PLEXION_ON_BOTH_ENGINES(CoverageSearchOnDatabase);

}  // namespace
}  // namespace plexion
