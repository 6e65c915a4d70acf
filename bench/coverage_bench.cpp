// The coverage search beside the SQL it runs, on the same generated loads, in one run: through
// raw sqlite3 and, when PLEXION_BENCH_PG names a throwaway PostgreSQL database (its Plexion
// tables are reset), through libpq; the peak memory of a process that runs one search; and a
// loader's bulk load of hours with the summary's triggers beside one without them.
#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "db_bench_support.hpp"
#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/backends/sql/dialect.hpp"
#include "plexion/backends/sql/schema.hpp"

namespace plexion::bench {
namespace {

constexpr int kSectors = 500;
constexpr int kDays = 50;
constexpr std::int64_t kFirstDay = 46023;     // 1 January 2026, as a date-time serial
constexpr const char* kEndDay = "2/19/2026";  // the last of the 50 days

// Hourly Traffic and Failures loads of 500 sectors over 50 days, one day in ten missing for
// each sector: 1,080,000 rows through the summary's triggers, generated once per run.
void GenerateLoads(Database& db) {
  backends::ResetSchema(db, true);
  db.InTransaction([&] {
    db.Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
               std::to_string(kSectors - 1) +
               ") INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) "
               "SELECT 1000 + i, 'G' || i, 'Generated ' || i, 4, 4, 1000 + i FROM n");
    db.Execute("WITH RECURSIVE h(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM h WHERE i < " +
               std::to_string(kDays * 24 - 1) +
               ") INSERT INTO cov_load (data_type_id, system_id, period_start) "
               "SELECT d.id, s.id, " +
               backends::DialectOf(db.engine()).HoursAfter("'2026-01-01 00:00:00'", "h.i") +
               " FROM cov_data_type d, cov_system s, h "
               "WHERE d.id IN (1, 2) AND s.id >= 1000 AND (h.i / 24 + s.id) % 10 <> 0");
  });
}

const TempDatabase& CoverageDatabase() {
  static const TempDatabase loads("coverage", &GenerateLoads);
  return loads;
}

std::vector<std::string> GeneratedKeys() {
  std::vector<std::string> keys;
  for (int i = 0; i < kSectors; ++i) keys.push_back("G" + std::to_string(i));
  return keys;
}

// The search of both data types over every generated sector and the whole 50 days.
Ref<backends::CoverageSearch> PreparedSearch(const std::string& url) {
  auto search = MakeRef<backends::CoverageSearch>(Database::Open(DatabaseUrl::Parse(url)));
  search->SetSelectedDataTypes(StringArray::FromVector({"Traffic", "Failures"}, 1));
  search->SetSelectedSystems(StringArray::FromVector(GeneratedKeys(), 1));
  search->StartDateValue(DateTime::FromParts(2026, 1, 1));
  search->EndDateValue(*DateTime::TryParse(kEndDay));
  if (!search->InvalidReason().empty()) throw std::runtime_error(search->InvalidReason());
  return search;
}

backends::HoursSearched GeneratedSearch() {
  backends::HoursSearched searched{{1, 2}, {}, kFirstDay * 24, (kFirstDay + kDays) * 24 - 1};
  for (int i = 0; i < kSectors; ++i) searched.systemIds.push_back(1000 + i);
  return searched;
}

// The SQL that search runs, through sqlite3 with the bit count the library gives SQLite.
void RawGroupBy(const RawConnection& raw, const std::string& sql) {
  sqlite3_create_function_v2(
      raw.handle(), "bit_count", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
      [](sqlite3_context* c, int, sqlite3_value** v) {
        sqlite3_result_int(c, std::popcount(static_cast<std::uint64_t>(sqlite3_value_int64(v[0]))));
      },
      nullptr, nullptr, nullptr);
  sqlite3_stmt* st = raw.Prepare(sql);
  while (sqlite3_step(st) == SQLITE_ROW) ReadRow(st);
  sqlite3_finalize(st);
}

std::string GroupBySql(backends::Engine engine = backends::Engine::SQLite) {
  return backends::LoadsFoundSql(engine, GeneratedSearch());
}

// What the search ran before the summary: the same counts over the hourly rows.
std::string HourlyGroupBySql() {
  std::string ids;
  for (std::int32_t id : GeneratedSearch().systemIds)
    ids += (ids.empty() ? "" : ", ") + std::to_string(id);
  return "SELECT data_type_id, system_id, count(*) AS hours, min(period_start) AS first_hour, "
         "max(period_start) AS last_hour FROM cov_load WHERE data_type_id IN (1, 2) AND "
         "system_id IN (" +
         ids +
         ") AND period_start >= '2026-01-01 00:00:00' AND "
         "period_start < '2026-02-20 00:00:00' GROUP BY data_type_id, system_id";
}

// The peak resident memory, in MB, of a fresh process that runs one search ("library" or
// "raw") over the generated loads: this program run again in its child mode.
double PeakMegabytesOfOneSearch(const char* kind) {
  int out[2];
  if (pipe(out) != 0) return -1;
  const std::string file = CoverageDatabase().file();
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    execl("/proc/self/exe", "plexion_db_bench", "--search-peak", kind, file.c_str(),
          static_cast<char*>(nullptr));
    _exit(127);
  }
  close(out[1]);
  char text[64] = {};
  const ssize_t n = read(out[0], text, sizeof text - 1);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return std::atof(text) / 1024.0;
}

void CoverageSearchRunQuery(benchmark::State& state) {
  Ref<backends::CoverageSearch> search = PreparedSearch(CoverageDatabase().url());
  std::int32_t options = 0;
  for (auto _ : state) {
    search->RunQuery(options, "ExecuteSearchQuery");
    benchmark::DoNotOptimize(search->QueryResults());
  }
  state.counters["load_rows"] = kSectors * 2 * kDays * 24 * 9 / 10;
  state.counters["peak_MB"] = PeakMegabytesOfOneSearch("library");
}
BENCHMARK(CoverageSearchRunQuery)->Unit(benchmark::kMillisecond);

// Baseline: the SQL the search runs, through sqlite3.
void BaselineRawGroupBy(benchmark::State& state) {
  RawConnection raw(CoverageDatabase().file());
  const std::string sql = GroupBySql();
  for (auto _ : state) RawGroupBy(raw, sql);
  state.counters["peak_MB"] = PeakMegabytesOfOneSearch("raw");
}
BENCHMARK(BaselineRawGroupBy)->Unit(benchmark::kMillisecond);

// For comparison: the GROUP BY over the hourly rows that the search ran before.
void RawHourlyGroupBy(benchmark::State& state) {
  RawConnection raw(CoverageDatabase().file());
  const std::string sql = HourlyGroupBySql();
  for (auto _ : state) RawGroupBy(raw, sql);
}
BENCHMARK(RawHourlyGroupBy)->Unit(benchmark::kMillisecond);

// 500 sectors without loads, with the summary's triggers or with none.
void GenerateSectors(Database& db) {
  backends::ResetSchema(db, true);
  db.Execute("DELETE FROM cov_load");
  db.Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
             std::to_string(kSectors - 1) +
             ") INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) "
             "SELECT 1000 + i, 'G' || i, 'Generated ' || i, 4, 4, 1000 + i FROM n");
}
const TempDatabase& SectorsDatabase(bool withSummary) {
  static const TempDatabase with("bulk", &GenerateSectors);
  static const TempDatabase without("bulk-plain", [](Database& db) {
    GenerateSectors(db);
    for (const char* on : {"insert", "delete", "update"})
      db.Execute(std::string("DROP TRIGGER cov_load_day_on_") + on);
  });
  return withSummary ? with : without;
}

// A loader's bulk load: a day of hourly rows for every sector (12,000 rows) in one transaction,
// each row a prepared insert; the next day each time.
void BulkLoad(benchmark::State& state, bool withSummary) {
  RawConnection raw(SectorsDatabase(withSummary).file());
  sqlite3_stmt* insert =
      raw.Prepare("INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES (1, ?, ?)");
  static int nextDay[2] = {0, 0};
  for (auto _ : state) {
    std::vector<std::string> hours;
    const double day = DateTime::FromParts(2030, 1, 1).serial() + nextDay[withSummary]++;
    for (int h = 0; h < 24; ++h) hours.push_back(DateTime(day + h / 24.0).ToIso());
    raw.Run("BEGIN");
    for (int s = 0; s < kSectors; ++s)
      for (const std::string& hour : hours) {
        sqlite3_bind_int(insert, 1, 1000 + s);
        sqlite3_bind_text(insert, 2, hour.c_str(), -1, SQLITE_STATIC);
        if (sqlite3_step(insert) != SQLITE_DONE) state.SkipWithError(sqlite3_errmsg(raw.handle()));
        sqlite3_reset(insert);
      }
    raw.Run("COMMIT");
  }
  sqlite3_finalize(insert);
  state.SetItemsProcessed(state.iterations() * kSectors * 24);
}
void BulkLoadWithSummary(benchmark::State& state) { BulkLoad(state, true); }
BENCHMARK(BulkLoadWithSummary)->Unit(benchmark::kMillisecond);
// Baseline: the same rows into cov_load without the summary's triggers.
void BaselineBulkLoadWithoutSummary(benchmark::State& state) { BulkLoad(state, false); }
BENCHMARK(BaselineBulkLoadWithoutSummary)->Unit(benchmark::kMillisecond);

// ---- the same search on PostgreSQL ------------------------------------------------------

const char* PostgresUrl() {
  const char* url = std::getenv("PLEXION_BENCH_PG");
  return url && *url ? url : nullptr;
}

// The generated loads on that database, made once per run.
const std::string& PostgresLoads() {
  static const std::string url = [] {
    auto db = Database::Open(DatabaseUrl::Parse(PostgresUrl()));
    GenerateLoads(*db);
    db->Execute("VACUUM ANALYZE cov_load_day");
    return std::string(PostgresUrl());
  }();
  return url;
}

void CoverageSearchRunQueryPostgres(benchmark::State& state) {
  Ref<backends::CoverageSearch> search = PreparedSearch(PostgresLoads());
  std::int32_t options = 0;
  for (auto _ : state) {
    search->RunQuery(options, "ExecuteSearchQuery");
    benchmark::DoNotOptimize(search->QueryResults());
  }
}

// Baseline: the SQL the search runs, through libpq, every field of every row read as a number.
void BaselineLibpqGroupBy(benchmark::State& state) {
  PGconn* conn = PQconnectdb(DatabaseUrl::Parse(PostgresLoads()).connect.c_str());
  const std::string sql = GroupBySql(backends::Engine::PostgreSQL);
  for (auto _ : state) {
    PGresult* result = PQexec(conn, sql.c_str());
    if (PQresultStatus(result) != PGRES_TUPLES_OK) state.SkipWithError(PQerrorMessage(conn));
    for (int row = 0; row < PQntuples(result); ++row)
      for (int field = 0; field < PQnfields(result); ++field)
        benchmark::DoNotOptimize(std::strtoll(PQgetvalue(result, row, field), nullptr, 10));
    PQclear(result);
  }
  PQfinish(conn);
}

const bool kOnPostgres = [] {
  if (!PostgresUrl()) return false;
  benchmark::RegisterBenchmark("CoverageSearchRunQueryPostgres", &CoverageSearchRunQueryPostgres)
      ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BaselineLibpqGroupBy", &BaselineLibpqGroupBy)
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

// The child: one search, then its peak resident set in kB on standard output.
int SearchPeakChild(const std::string& kind, const std::string& file) {
  if (kind == "library") {
    Ref<backends::CoverageSearch> search = PreparedSearch("sqlite3://db=" + file);
    std::int32_t options = 0;
    search->RunQuery(options, "ExecuteSearchQuery");
    benchmark::DoNotOptimize(search->QueryResults());
  } else {
    RawGroupBy(RawConnection(file), GroupBySql());
  }
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%ld\n", usage.ru_maxrss);
  return 0;
}

}  // namespace plexion::bench
