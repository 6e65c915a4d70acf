// The default database service beside raw sqlite3 doing the same work on the same file, in one
// run: a thread's first use of a database, a schedule load, a soft-alarm save of 24 excluded
// hours, and the coverage search over loads the benchmark generates (with the peak memory of a
// process that runs it).
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "plexion/backends/config/config_services.hpp"
#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/backends/util/hour_ex_set.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/services/locator.hpp"

namespace plexion {
namespace {

namespace fs = std::filesystem;
using backends::Database;
using backends::DatabaseUrl;

// A database file in a folder of its own, filled once, removed at exit.
class TempDatabase {
 public:
  TempDatabase(const std::string& name, void (*fill)(Database& db))
      : dir_(fs::temp_directory_path() /
             ("plexion-bench-" + std::to_string(getpid()) + "-" + name)) {
    fs::create_directories(dir_);
    fill(*Database::Open(DatabaseUrl::Parse(url())));
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;
  ~TempDatabase() {
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }
  std::string file() const { return (dir_ / "bench.db").string(); }
  std::string url() const { return "sqlite3://db=" + file(); }

 private:
  fs::path dir_;
};

// The demo rows, made once for the schedule benchmarks.
const TempDatabase& DemoDatabase() {
  static const TempDatabase demo("demo", [](Database& db) { backends::ResetSchema(db, true); });
  return demo;
}

// A raw sqlite3 connection set up as the library sets up its own: WAL, 5 s busy timeout.
class RawConnection {
 public:
  explicit RawConnection(const std::string& file) {
    if (sqlite3_open_v2(file.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK)
      throw std::runtime_error("cannot open " + file);
    sqlite3_busy_timeout(db_, 5000);
    Run("PRAGMA journal_mode=WAL");
  }
  ~RawConnection() { sqlite3_close(db_); }
  sqlite3* handle() const { return db_; }

  sqlite3_stmt* Prepare(const std::string& sql) const {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
      throw std::runtime_error(sqlite3_errmsg(db_));
    return st;
  }
  // Runs a statement to its end.
  void Run(const std::string& sql) const {
    sqlite3_stmt* st = Prepare(sql);
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw std::runtime_error(sqlite3_errmsg(db_));
  }

 private:
  sqlite3* db_ = nullptr;
};

// Reads every column of the current row as the library does: numbers and texts.
void ReadRow(sqlite3_stmt* st) {
  for (int i = 0; i < sqlite3_column_count(st); ++i) {
    switch (sqlite3_column_type(st, i)) {
      case SQLITE_INTEGER: benchmark::DoNotOptimize(sqlite3_column_int64(st, i)); break;
      case SQLITE_FLOAT: benchmark::DoNotOptimize(sqlite3_column_double(st, i)); break;
      case SQLITE_NULL: break;
      default: {
        std::string text(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
        benchmark::DoNotOptimize(text);
      }
    }
  }
}

// This thread's database service on a file, with the built-in configuration.
class Library {
 public:
  explicit Library(const std::string& url)
      : service_(MakeRef<backends::SociDbService>(Database::Open(DatabaseUrl::Parse(url)))),
        installed_(service_) {
    backends::InstallConfigServices(
        std::make_shared<const backends::Configuration>(backends::Configuration::Defaults()));
  }
  backends::SociDbService& service() const { return *service_; }

 private:
  Ref<backends::SociDbService> service_;
  services::ScopedService<DbService> installed_;
  services::ScopedFactory<HourExSet> sets_{&backends::MakeHourExSet};
};

// ---- a schedule load ----------------------------------------------------------------------

void LoadSchedData(benchmark::State& state) {
  Library library(DemoDatabase().url());
  for (auto _ : state) {
    auto schedule = MakeRef<CSchedData>();
    schedule->LoadSchedData(1, "Schedule");
    benchmark::DoNotOptimize(schedule);
  }
}
BENCHMARK(LoadSchedData);

// Baseline: the same row through sqlite3: prepare, step, read each column, finalize.
void BaselineRawScheduleRow(benchmark::State& state) {
  Library library(DemoDatabase().url());
  const std::string sql =
      "SELECT " + MSQL::SchedDataFields() + " FROM rg_schedule_view WHERE Id = 1";
  RawConnection raw(DemoDatabase().file());
  for (auto _ : state) {
    sqlite3_stmt* st = raw.Prepare(sql);
    if (sqlite3_step(st) != SQLITE_ROW) state.SkipWithError("no schedule row");
    ReadRow(st);
    sqlite3_finalize(st);
  }
}
BENCHMARK(BaselineRawScheduleRow);

// ---- a thread's first use of the database ------------------------------------------------

// A connection opened and its schema checked (up to date: nothing to run), as each thread's
// database service does once.
void OpenWithSchemaCheck(benchmark::State& state) {
  const DatabaseUrl url = DatabaseUrl::Parse(DemoDatabase().url());
  for (auto _ : state) {
    auto db = Database::Open(url);
    backends::EnsureSchema(*db);
    benchmark::DoNotOptimize(db);
  }
}
BENCHMARK(OpenWithSchemaCheck);

// Baseline: the connection opened and set up alone.
void BaselineOpen(benchmark::State& state) {
  const DatabaseUrl url = DatabaseUrl::Parse(DemoDatabase().url());
  for (auto _ : state) benchmark::DoNotOptimize(Database::Open(url));
}
BENCHMARK(BaselineOpen);

// ---- a soft-alarm save of 24 excluded hours -----------------------------------------------

// Soft-alarm schedule 1 (hourly, so no trigger event) with every hour of the day excluded.
Ref<CSASchedData> SoftAlarmWithEveryHourExcluded() {
  auto schedule = MakeRef<CSASchedData>();
  schedule->LoadSASchedData(1);
  Ref<HourExSet> hours = backends::MakeHourExSet();
  hours->SlotBase(1);
  hours->SlotCount(24);
  hours->ClearAll();
  for (std::int32_t k = 1; k <= 24; ++k) hours->Excluded(k, true);
  schedule->HourEXData(hours);
  return schedule;
}

void SaveSoftAlarmHours(benchmark::State& state) {
  Library library(DemoDatabase().url());
  Ref<CSASchedData> schedule = SoftAlarmWithEveryHourExcluded();
  for (auto _ : state) schedule->SaveSubTableData();
}
BENCHMARK(SaveSoftAlarmHours);

// The statements a save runs, as the database service receives them.
class StatementRecorder final : public DbService {
 public:
  explicit StatementRecorder(DbService& inner) : inner_(inner) {}
  std::vector<std::string> statements;

  Ref<DbRecordset> OpenRecordset(const std::string& sql, bool byKey, const std::string& source,
                                 std::int32_t options, const std::string& user,
                                 const std::string& password, std::int32_t timeout) override {
    return inner_.OpenRecordset(sql, byKey, source, options, user, password, timeout);
  }
  void ExecuteStatement(const std::string& sql) override {
    statements.push_back(sql);
    inner_.ExecuteStatement(sql);
  }
  void ExecuteProcedure(const std::string& name, const VariantArray& params) override {
    inner_.ExecuteProcedure(name, params);
  }
  std::int32_t CallNumericFunction(const std::string& name, const std::string& list) override {
    return inner_.CallNumericFunction(name, list);
  }
  std::string FormatValueList(const VariantArray& values) override {
    return inner_.FormatValueList(values);
  }
  Ref<DbValue> MakeLongValue(std::int32_t value) override { return inner_.MakeLongValue(value); }
  Ref<DbDate> MakeDbDate(DateTime value) override { return inner_.MakeDbDate(value); }
  Ref<DbDate> DbNow() override { return inner_.DbNow(); }
  std::string FieldText(const Ref<DbField>& f) override { return inner_.FieldText(f); }
  std::int32_t FieldLong(const Ref<DbField>& f) override { return inner_.FieldLong(f); }
  std::int32_t FieldLongOrDefault(const Ref<DbField>& f, std::int32_t fallback) override {
    return inner_.FieldLongOrDefault(f, fallback);
  }
  DateTime FieldDate(const Ref<DbField>& f) override { return inner_.FieldDate(f); }
  bool ColumnExists(const std::string& table, const std::string& column, const std::string& source,
                    std::int32_t options, const std::string& user,
                    const std::string& password) override {
    return inner_.ColumnExists(table, column, source, options, user, password);
  }

 private:
  DbService& inner_;
};

// Baseline: the statements of that save through sqlite3, each prepared, stepped and finalized.
void BaselineRawSaveHours(benchmark::State& state) {
  Library library(DemoDatabase().url());
  auto recorder = MakeRef<StatementRecorder>(library.service());
  {
    services::ScopedService<DbService> recording(recorder);
    SoftAlarmWithEveryHourExcluded()->SaveSubTableData();
  }
  if (recorder->statements.size() != 25) state.SkipWithError("the save did not run 25 statements");
  RawConnection raw(DemoDatabase().file());
  for (auto _ : state)
    for (const std::string& sql : recorder->statements) raw.Run(sql);
}
BENCHMARK(BaselineRawSaveHours);

// ---- the coverage search ------------------------------------------------------------------

constexpr int kSectors = 500;
constexpr int kDays = 50;
constexpr const char* kFirstHour = "2026-01-01 00:00:00";
constexpr const char* kEndDay = "2/19/2026";  // the last of the 50 days
constexpr const char* kUntil = "2026-02-20 00:00:00";

// Hourly Traffic and Failures loads of 500 sectors over 50 days, one day in ten missing for
// each sector: 1,080,000 rows, generated once per run.
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
               "SELECT d.id, s.id, datetime('" +
               std::string(kFirstHour) +
               "', '+' || h.i || ' hours') FROM cov_data_type d, cov_system s, h "
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

// The raw GROUP BY of that search, its rows read column by column.
void RawGroupBy(const RawConnection& raw, const std::string& sql) {
  sqlite3_stmt* st = raw.Prepare(sql);
  sqlite3_bind_text(st, 1, kFirstHour, -1, SQLITE_STATIC);
  sqlite3_bind_text(st, 2, kUntil, -1, SQLITE_STATIC);
  while (sqlite3_step(st) == SQLITE_ROW) ReadRow(st);
  sqlite3_finalize(st);
}

std::string GroupBySql() {
  std::vector<std::int32_t> systems;
  for (int i = 0; i < kSectors; ++i) systems.push_back(1000 + i);
  return backends::LoadsFoundSql(backends::Engine::SQLite, {1, 2}, systems, {}, true);
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

// Baseline: the same GROUP BY through sqlite3.
void BaselineRawGroupBy(benchmark::State& state) {
  RawConnection raw(CoverageDatabase().file());
  const std::string sql = GroupBySql();
  for (auto _ : state) RawGroupBy(raw, sql);
  state.counters["peak_MB"] = PeakMegabytesOfOneSearch("raw");
}
BENCHMARK(BaselineRawGroupBy)->Unit(benchmark::kMillisecond);

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

}  // namespace
}  // namespace plexion

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--search-peak")
    return plexion::SearchPeakChild(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
