// The default database service beside raw sqlite3 doing the same work on the same file, in one
// run: a thread's first use of a database, a schedule load, a soft-alarm save of 24 excluded
// hours (statement by statement and as one unit of work); and, in coverage_bench.cpp, the
// coverage search and bulk loads of hours.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "db_bench_support.hpp"
#include "plexion/backends/config/config_services.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/backends/util/hour_ex_set.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/unit_of_work.hpp"

namespace plexion {
namespace {

using backends::Database;
using backends::DatabaseUrl;
using bench::RawConnection;
using bench::ReadRow;
using bench::TempDatabase;

// The demo rows, made once for the schedule benchmarks.
const TempDatabase& DemoDatabase() {
  static const TempDatabase demo("demo", [](Database& db) { backends::ResetSchema(db, true); });
  return demo;
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
// Wall time: most of a save's cost is its commits, which wait for the disk, not the CPU.

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
BENCHMARK(SaveSoftAlarmHours)->UseRealTime();

// The same save as a host makes it: one unit of work, one commit.
void SaveSoftAlarmHoursInAUnitOfWork(benchmark::State& state) {
  Library library(DemoDatabase().url());
  Ref<CSASchedData> schedule = SoftAlarmWithEveryHourExcluded();
  for (auto _ : state) {
    services::UnitOfWork unit("sa_schedule", 1);
    schedule->SaveSubTableData();
    unit.Commit();
  }
}
BENCHMARK(SaveSoftAlarmHoursInAUnitOfWork)->UseRealTime();

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

// The statements of that save, as the database service receives them.
std::vector<std::string> SaveStatements(const Library& library) {
  auto recorder = MakeRef<StatementRecorder>(library.service());
  services::ScopedService<DbService> recording(recorder);
  SoftAlarmWithEveryHourExcluded()->SaveSubTableData();
  return recorder->statements;
}

// Baselines: those statements through sqlite3, each prepared, stepped and finalized; one by
// one (each committed), or in one transaction.
void BaselineRawSaveHours(benchmark::State& state, bool oneTransaction) {
  Library library(DemoDatabase().url());
  const std::vector<std::string> statements = SaveStatements(library);
  if (statements.size() != 25) state.SkipWithError("the save did not run 25 statements");
  RawConnection raw(DemoDatabase().file());
  for (auto _ : state) {
    if (oneTransaction) raw.Run("BEGIN IMMEDIATE");
    for (const std::string& sql : statements) raw.Run(sql);
    if (oneTransaction) raw.Run("COMMIT");
  }
}
BENCHMARK_CAPTURE(BaselineRawSaveHours, OneByOne, false)->UseRealTime();
BENCHMARK_CAPTURE(BaselineRawSaveHours, InOneTransaction, true)->UseRealTime();

}  // namespace
}  // namespace plexion

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--search-peak")
    return plexion::bench::SearchPeakChild(argv[2], argv[3]);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
