// The hours loaded per day, as a picture of availability draws them: each day of each data
// type and system must equal a plain count of the hours generated for it.
#include <algorithm>
#include <map>
#include <tuple>

#include "data_avail_test_support.hpp"
#include "db_fixture.hpp"
#include "plexion/backends/coverage/coverage_search.hpp"

namespace plexion {
namespace {

using testing::List;

class HoursPerDayOnDatabase : public testing::DatabaseTest {};

// Hour h (from 1 April 2026 00:00) of a pair is loaded unless the pattern leaves a gap there;
// S101-B has no Failures at all.
bool Generated(std::int32_t type, std::int32_t system, int h) {
  return !(type == 2 && system == 8) && (h * 7 + system * 3 + type) % 5 != 0;
}
DateTime HourAt(int h) { return DateTime::FromParts(2026, 4, 1 + h / 24, h % 24); }

TEST_P(HoursPerDayOnDatabase, EachDayEqualsAPlainCountOfTheGeneratedHours) {
  const std::vector<std::int32_t> types = {1, 2}, systems = {7, 8, 11};
  db->InTransaction([&] {
    for (std::int32_t type : types)
      for (std::int32_t system : systems)
        for (int h = 0; h < 96; ++h)
          if (Generated(type, system, h))
            db->Execute(
                "INSERT INTO cov_load (data_type_id, system_id, period_start) "
                "VALUES (:p0, :p1, :p2)",
                {Variant(type), Variant(system), Variant(HourAt(h))});
  });
  // A load deleted after loading is a gap again.
  db->Execute(
      "DELETE FROM cov_load WHERE data_type_id = 1 AND system_id = 7 AND period_start = :p0",
      {Variant(HourAt(30))});
  auto loaded = [](std::int32_t type, std::int32_t system, int h) {
    return Generated(type, system, h) && !(type == 1 && system == 7 && h == 30);
  };

  struct Search {
    std::string start, end;
    std::vector<std::string> times;
    int firstHour, lastHour;  // of the four days, both searched
    std::vector<int> hoursOfDay;
  };
  const std::vector<Search> searches = {
      {"4/1/2026", "4/4/2026", {}, 0, 95, {}},
      {"4/1/2026 5:30 AM", "4/3/2026 7:00 PM", {}, 6, 67, {}},
      {"4/2/2026", "4/4/2026", {"8:00 AM", "17:00"}, 24, 95, {8, 17}},
      {"4/1/2026 11:00 PM", "4/2/2026", {"23:00", "0:00"}, 23, 47, {0, 23}}};
  auto search = MakeRef<backends::CoverageSearch>(db);
  search->SetSelectedDataTypes(List({"Traffic", "Failures"}));
  search->SetSelectedSystems(List({"S101-A", "S101-B", "S201-B"}));
  for (const Search& s : searches) {
    search->StartDateValue(DateTime::Parse(s.start));
    search->EndDateValue(DateTime::Parse(s.end));
    search->SetSelectedTimes(List(s.times));
    auto searched = [&](int h) {
      return h >= s.firstHour && h <= s.lastHour &&
             (s.hoursOfDay.empty() ||
              std::count(s.hoursOfDay.begin(), s.hoursOfDay.end(), h % 24) > 0);
    };
    const int firstDay = s.firstHour / 24, lastDay = s.lastHour / 24;
    std::vector<std::int32_t> inRange(std::size_t(lastDay - firstDay + 1), 0);
    std::map<std::tuple<int, int, int>, int> expected;  // type, system, day -> hours
    for (int h = 0; h < 96; ++h) {
      if (!searched(h)) continue;
      ++inRange[std::size_t(h / 24 - firstDay)];
      for (std::size_t t = 0; t < types.size(); ++t)
        for (std::size_t y = 0; y < systems.size(); ++y)
          if (loaded(types[t], systems[y], h)) ++expected[{int(t), int(y), h / 24 - firstDay}];
    }

    const auto days = search->HoursPerDay();
    EXPECT_EQ(days.firstDay, std::int32_t(HourAt(firstDay * 24).serial())) << s.start;
    EXPECT_EQ(days.hoursInRange, inRange) << s.start << " to " << s.end;
    std::map<std::tuple<int, int, int>, int> found;
    for (const auto& d : days.loaded) found[{d.type, d.system, d.day}] = d.hours;
    EXPECT_EQ(found, expected) << s.start << " to " << s.end;
  }
}

TEST_P(HoursPerDayOnDatabase, AnInvalidSearchSaysWhyAsTheSearchDoes) {
  auto search = MakeRef<backends::CoverageSearch>(db);
  search->SetSelectedDataTypes(List({"Traffic"}));
  EXPECT_EQ(testing::ErrorOf([&] { search->HoursPerDay(); }).description(), "No system is chosen.");
}

PLEXION_ON_BOTH_ENGINES(HoursPerDayOnDatabase);

}  // namespace
}  // namespace plexion
