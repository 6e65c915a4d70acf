// The per-day summary the database keeps of cov_load, and the search over it, against plain
// counts over cov_load: loads generated with gaps, partly deleted and moved after loading, then
// searched over ranges that start and end inside days, at chosen hours of the day.
#include <algorithm>
#include <map>
#include <tuple>

#include "data_avail_test_support.hpp"
#include "db_fixture.hpp"
#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/platform/convert.hpp"

namespace plexion {
namespace {

using testing::List;

constexpr int kHours = 37 * 24;  // from 28 April 2026 (no demo loads), over the whole of May
const std::vector<std::pair<std::int32_t, std::string>> kTypes = {{1, "Traffic"}, {2, "Failures"}};
const std::vector<std::pair<std::int32_t, std::string>> kSystems = {
    {7, "S101-A"}, {8, "S101-B"}, {9, "S102-A"}, {10, "S201-A"}, {11, "S201-B"}};

// The hour and the day (a date-time serial) of a load, written here apart from the library's.
std::string HourOfLoad(backends::Engine e) {
  return e == backends::Engine::SQLite ? "CAST(strftime('%H', period_start) AS integer)"
                                       : "CAST(EXTRACT(HOUR FROM period_start) AS integer)";
}
std::string DayOfLoad(backends::Engine e) {
  return e == backends::Engine::SQLite
             ? "CAST(julianday(date(period_start)) - 2415018.5 AS integer)"
             : "(CAST(period_start AS date) - DATE '1899-12-30')";
}

DateTime HourAt(int h) {
  return DateTime(DateTime::FromParts(2026, 4, 28).serial() + h / 24 + (h % 24) / 24.0);
}
std::string Sql(DateTime d) { return "'" + d.ToIso() + "'"; }

// The same pseudo-random choices on both engines.
struct Draws {
  std::uint32_t state = 20260401;
  int Below(int n) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(n));
  }
};

class CoverageSummaryOnDatabase : public testing::DatabaseTest {
 protected:
  // Rows as "a b c ..." in the order the query gives them.
  std::vector<std::string> Lines(const std::string& sql) {
    std::vector<std::string> out;
    for (const auto& row : db->Query(sql).rows) {
      std::string line;
      for (const Variant& v : row) line += (line.empty() ? "" : " ") + ToString(v);
      out.push_back(line);
    }
    return out;
  }
  std::vector<std::string> Summary() {
    return Lines(
        "SELECT data_type_id, system_id, load_day, hours FROM cov_load_day ORDER BY 1, 2, 3");
  }
  // The summary as the hourly rows say it should be.
  std::vector<std::string> SummaryOfTheLoads() {
    return Lines(
        "SELECT data_type_id, system_id, load_day, sum(1 << load_hour) AS hours FROM "
        "(SELECT DISTINCT data_type_id, system_id, " +
        DayOfLoad(GetParam()) + " AS load_day, " + HourOfLoad(GetParam()) +
        " AS load_hour FROM cov_load) AS h GROUP BY 1, 2, 3 ORDER BY 1, 2, 3");
  }
  // Plain counts over cov_load of the hours first to last (of kHours), at those hours of the
  // day (all when none), grouped by data type, system and what `by` adds.
  std::string PlainFilter(int first, int last, const std::vector<int>& hours) {
    std::string sql = " FROM cov_load WHERE system_id BETWEEN 7 AND 11 AND period_start >= " +
                      Sql(HourAt(first)) + " AND period_start < " + Sql(HourAt(last + 1));
    if (hours.empty()) return sql;
    std::string list;
    for (int h : hours) list += (list.empty() ? "" : ", ") + std::to_string(h);
    return sql + " AND " + HourOfLoad(GetParam()) + " IN (" + list + ")";
  }
};

TEST_P(CoverageSummaryOnDatabase, SearchesOverTheSummaryEqualPlainCountsOfTheHourlyRows) {
  Draws draw;
  // Per pair in one statement (a bulk load), the first hours of S102-A row by row: about one hour
  // in six missing.
  for (const auto& [type, typeName] : kTypes) {
    for (const auto& [system, key] : kSystems) {
      std::vector<std::string> values;
      for (int h = 0; h < kHours; ++h)
        if (draw.Below(6) != 0)
          values.push_back("(" + std::to_string(type) + ", " + std::to_string(system) + ", " +
                           Sql(HourAt(h)) + ")");
      const std::string insert =
          "INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES ";
      std::string all;
      for (std::size_t i = 0; i < values.size(); ++i) {
        if (system == 9 && i < 40) db->Execute(insert + values[i]);
        else all += (all.empty() ? "" : ", ") + values[i];
      }
      db->Execute(insert + all);
    }
  }
  // After loading: single hours, a whole day, a span across midnight; moved loads; an update
  // that moves nothing.
  for (int i = 0; i < 12; ++i)
    db->Execute("DELETE FROM cov_load WHERE system_id = " + std::to_string(7 + draw.Below(5)) +
                " AND period_start = " + Sql(HourAt(draw.Below(kHours))));
  db->Execute("DELETE FROM cov_load WHERE data_type_id = 1 AND system_id = 8 AND period_start >= " +
              Sql(HourAt(48)) + " AND period_start < " + Sql(HourAt(72)));
  db->Execute("DELETE FROM cov_load WHERE data_type_id = 2 AND period_start >= " + Sql(HourAt(90)) +
              " AND period_start < " + Sql(HourAt(100)));
  db->Execute("DELETE FROM cov_load WHERE data_type_id = 2 AND system_id = 10 AND period_start < " +
              Sql(HourAt(30)));
  db->Execute(
      "UPDATE cov_load SET system_id = 10 WHERE data_type_id = 2 AND system_id = 11 AND "
      "period_start < " +
      Sql(HourAt(30)));
  db->Execute("UPDATE cov_load SET row_count = row_count + 1 WHERE system_id = 7");
  ASSERT_EQ(Summary(), SummaryOfTheLoads());

  auto search = MakeRef<backends::CoverageSearch>(db);
  search->SetSelectedDataTypes(List({"Traffic", "Failures"}));
  search->SetSelectedSystems(List({"S201-B", "S101-A", "S101-B", "S102-A", "S201-A"}));
  for (int round = 0; round < 30; ++round) {
    // Starting on the hour or inside it; ending inside an hour or with a whole day.
    // The first two over every day, the first at every hour: a whole month in between.
    const int start = round < 2 ? 0 : draw.Below(kHours - 2);
    const int startMinute = round < 2 ? 0 : draw.Below(2) * 30;
    const bool wholeEndDay = round < 2 || draw.Below(3) == 0;
    const int end = round < 2     ? kHours - 1
                    : wholeEndDay ? (start / 24 + draw.Below(kHours / 24 - start / 24)) * 24 + 23
                                  : start + 1 + draw.Below(kHours - start - 1);
    std::vector<std::string> times;
    std::vector<int> hours;
    for (int n = round == 0 ? 0 : draw.Below(4); n > 0; --n) {
      const int h = draw.Below(24);
      times.push_back(std::to_string(h) + ":" + (draw.Below(2) ? "00" : "40"));
      if (std::find(hours.begin(), hours.end(), h) == hours.end()) hours.push_back(h);
    }
    const int first = start + (startMinute > 0 ? 1 : 0);
    search->StartDateValue(DateTime(HourAt(start).serial() + startMinute / 1440.0));
    search->EndDateValue(wholeEndDay ? HourAt(end).DatePart()
                                     : DateTime(HourAt(end).serial() + 15 / 1440.0));
    search->SetSelectedTimes(List(times));
    const std::string what = "hours " + std::to_string(first) + " to " + std::to_string(end);

    std::map<std::pair<std::int32_t, std::int32_t>, std::string> plain;
    for (const auto& r : db->Query("SELECT data_type_id, system_id, count(*) AS n, "
                                   "min(period_start) AS f, max(period_start) AS l" +
                                   PlainFilter(first, end, hours) + " GROUP BY 1, 2")
                             .rows)
      plain[{ToInt32(r[0]), ToInt32(r[1])}] =
          ToString(r[2]) + " " + ToDate(r[3]).ToText() + " " + ToDate(r[4]).ToText();
    std::int32_t options = 0;
    search->RunQuery(options, "ExecuteSearchQuery");
    const StringArray table = search->QueryResults();
    std::int32_t row = 1;
    for (const auto& [type, typeName] : kTypes)
      for (std::int32_t system : {11, 7, 8, 9, 10}) {
        const std::string expected = plain.count({type, system}) ? plain[{type, system}] : "0  ";
        EXPECT_EQ(table.at(5, row) + " " + table.at(7, row) + " " + table.at(8, row), expected)
            << what << ", " << typeName << " " << table.at(2, row);
        ++row;
      }

    std::map<std::tuple<int, int, int>, int> perDay;
    for (const auto& r : db->Query("SELECT data_type_id, system_id, " + DayOfLoad(GetParam()) +
                                   " AS load_day, count(*) AS n" + PlainFilter(first, end, hours) +
                                   " GROUP BY 1, 2, 3")
                             .rows)
      perDay[{ToInt32(r[0]) - 1, ToInt32(r[1]) == 11 ? 0 : ToInt32(r[1]) - 6, ToInt32(r[2])}] =
          ToInt32(r[3]);
    std::map<std::tuple<int, int, int>, int> days;
    const auto found = search->HoursPerDay();
    for (const auto& d : found.loaded) days[{d.type, d.system, found.firstDay + d.day}] = d.hours;
    EXPECT_EQ(days, perDay) << what;
  }

  if (GetParam() == backends::Engine::PostgreSQL) {
    db->Execute("TRUNCATE cov_load");
    EXPECT_TRUE(Summary().empty()) << "emptied with the loads";
  }
}

TEST_P(CoverageSummaryOnDatabase, TwoLoadsInOneHourCountOnceAndTheHourStaysWhileOneRemains) {
  db->Execute("DELETE FROM cov_load");
  db->Execute("INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES (1, 7, " +
              Sql(HourAt(5)) + "), (1, 7, " + Sql(DateTime(HourAt(5).serial() + 20 / 1440.0)) +
              ")");
  db->Execute("DELETE FROM cov_load WHERE period_start = " + Sql(HourAt(5)));
  EXPECT_EQ(Summary(), SummaryOfTheLoads());
  EXPECT_EQ(Summary().size(), 1u) << "the hour starting at 5:00 is still loaded";
  // Days and hours before 1900 (negative date-time serials) are counted as after it.
  db->Execute(
      "INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES (1, 7, "
      "'1899-12-29 23:00:00'), (1, 7, '1899-12-30 00:00:00'), (1, 7, '1850-06-01 "
      "07:00:00')");
  EXPECT_EQ(Summary(), SummaryOfTheLoads());
}

// A database from before the summary, holding loads, gains it filled from them on upgrade.
TEST_P(CoverageSummaryOnDatabase, AnUpgradeFillsTheSummaryFromTheLoadsAlreadyStored) {
  const std::vector<std::string> demo = Summary();
  ASSERT_FALSE(demo.empty());
  if (GetParam() == backends::Engine::PostgreSQL) {
    db->Execute("DROP FUNCTION cov_load_day_follow CASCADE");
    db->Execute("DROP TABLE cov_load_month");
  } else
    for (const char* on : {"insert", "delete", "update"})
      db->Execute(std::string("DROP TRIGGER cov_load_day_on_") + on);
  db->Execute("DROP TABLE cov_load_day");
  db->Execute("DELETE FROM plexion_schema_version WHERE version > 1");
  db->Execute("INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES (5, 2, " +
              Sql(HourAt(7)) + ")");

  EXPECT_EQ(backends::UpgradeSchema(*db),
            std::vector<std::string>{"applied migration 2 (coverage_days)"});
  EXPECT_EQ(Summary(), SummaryOfTheLoads());
  EXPECT_EQ(Summary().size(), demo.size() + 1);
  db->Execute("DELETE FROM cov_load WHERE data_type_id = 5");
  EXPECT_EQ(Summary(), demo) << "and keeps it from then on";
}

PLEXION_ON_BOTH_ENGINES(CoverageSummaryOnDatabase);

}  // namespace
}  // namespace plexion
