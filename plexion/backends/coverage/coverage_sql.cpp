// The SQL texts of the coverage search: every query over cov_load is written here, on one
// filter, so that what a search counts and what its days show never drift apart.
#include <string>
#include <string_view>
#include <vector>

#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/backends/sql/dialect.hpp"

namespace plexion::backends {

namespace {

std::string NumberList(const std::vector<std::int32_t>& numbers) {
  std::string list;
  for (std::int32_t n : numbers) list += (list.empty() ? "" : ", ") + std::to_string(n);
  return list;
}

// The hour of the day of a load, in each engine's own words.
std::string HourOfLoad(Engine engine) { return DialectOf(engine).HourOf("period_start"); }

// The day of a load as a date-time serial (days since 30 December 1899), exact on both sides
// of 1900. julianday('1899-12-30') is 2415018.5.
std::string_view DayOfLoad(Engine engine) {
  return engine == Engine::SQLite ? "CAST(julianday(date(period_start)) - 2415018.5 AS integer)"
                                  : "(CAST(period_start AS date) - DATE '1899-12-30')";
}

// The loads a search covers: those data types and systems, from :p0 up to :p1, in those hours
// of the day when any are given.
std::string LoadFilterSql(Engine engine, const std::vector<std::int32_t>& dataTypeIds,
                          const std::vector<std::int32_t>& systemIds, const std::vector<int>& hours,
                          bool wholeEndDay) {
  std::string sql = "data_type_id IN (" + NumberList(dataTypeIds) + ") AND system_id IN (" +
                    NumberList(systemIds) + ") AND period_start >= :p0 AND period_start " +
                    (wholeEndDay ? "<" : "<=") + " :p1";
  if (!hours.empty())
    sql += " AND " + HourOfLoad(engine) + " IN (" +
           NumberList(std::vector<std::int32_t>(hours.begin(), hours.end())) + ")";
  return sql;
}

}  // namespace

std::string LoadsFoundSql(Engine engine, const std::vector<std::int32_t>& dataTypeIds,
                          const std::vector<std::int32_t>& systemIds, const std::vector<int>& hours,
                          bool wholeEndDay) {
  return "SELECT data_type_id, system_id, count(*) AS hours, min(period_start) AS first_hour, "
         "max(period_start) AS last_hour FROM cov_load WHERE " +
         LoadFilterSql(engine, dataTypeIds, systemIds, hours, wholeEndDay) +
         " GROUP BY data_type_id, system_id";
}

std::string HoursPerDaySql(Engine engine, const std::vector<std::int32_t>& dataTypeIds,
                           const std::vector<std::int32_t>& systemIds,
                           const std::vector<int>& hours, bool wholeEndDay) {
  const std::string day(DayOfLoad(engine));
  return "SELECT data_type_id, system_id, " + day +
         " AS load_day, count(*) AS hours FROM cov_load WHERE " +
         LoadFilterSql(engine, dataTypeIds, systemIds, hours, wholeEndDay) +
         " GROUP BY data_type_id, system_id, " + day;
}

}  // namespace plexion::backends
