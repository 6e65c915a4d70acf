// The time from a data-availability search to its picture at site scale (2,000 sectors by 90
// days of hourly Traffic loads), beside the two GROUP BYs it needs run in one go each.
//   qt_editor_bench [benchmark options]
// The site is generated once into a SQLite file ($TMPDIR/plexion-qt-editor-site.db, with the
// demo rows) and kept for later runs; `plexion-editor data-avail --db sqlite3://db=THAT_FILE`
// shows the same search in the window.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>

#include <QApplication>

#include <plexion/backends/defaults.hpp>
#include <plexion/backends/sql/schema.hpp>
#include <plexion/platform/convert.hpp>

#include "heat_map.hpp"
#include "search_runner.hpp"

namespace {

using namespace plexion;
using namespace qt_editor;

constexpr int kSectors = 2000, kDays = 90;

std::string SiteFile() {
  return (std::filesystem::temp_directory_path() / "plexion-qt-editor-site.db").string();
}

// Generated sectors X0 to X1999 under the demo's sites, with hourly Traffic from 1 January 2026
// for 90 days: each sector misses one day in ten, and three hours of another day in seven.
void GenerateSite(backends::Database& db) {
  std::cerr << "generating " << kSectors << " sectors x " << kDays << " days into " << SiteFile()
            << "...\n";
  backends::ResetSchema(db, true);
  db.InTransaction([&] {
    db.Execute("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < " +
               std::to_string(kSectors - 1) +
               ") INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) "
               "SELECT 1000 + i, 'X' || i, 'Sector ' || i, 4, 4 + i % 3, 1000 + i FROM n");
    db.Execute("WITH RECURSIVE h(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM h WHERE i < " +
                   std::to_string(kDays * 24 - 1) +
                   ") INSERT INTO cov_load (data_type_id, system_id, period_start) "
                   "SELECT 1, s.id, datetime('2026-01-01 00:00:00', '+' || h.i || ' hours') "
                   "FROM cov_system s, h WHERE s.id >= 1000 AND (h.i / 24 + s.id) % 10 <> 0 "
                   "AND NOT ((h.i / 24 + s.id) % 7 = 0 AND h.i % 24 BETWEEN 9 AND 11)",
               {}, backends::Milliseconds(0));  // no time limit: millions of rows
  });
}

const std::string& SiteUrl() {
  static const std::string url = [] {
    const std::string url = "sqlite3://db=" + SiteFile();
    auto db = backends::Database::Open(backends::DatabaseUrl::Parse(url));
    const bool generated =
        db->HasTable("cov_system") &&
        ToInt32(db->Query("SELECT count(*) AS n FROM cov_system WHERE id >= 1000").rows[0][0]) ==
            kSectors;
    if (!generated) GenerateSite(*db);
    return url;
  }();
  return url;
}

SearchRequest SiteSearch() {
  SearchRequest request{
      {"Traffic"}, {}, {}, DateTime::FromParts(2026, 1, 1), DateTime::FromParts(2026, 3, 31)};
  for (int i = 0; i < kSectors; ++i) request.systems.push_back("X" + std::to_string(i));
  return request;
}

// What the window does between Search and the picture on screen: the search a slice at a
// time, the picture's cells, and the picture drawn.
void SearchToPicture(benchmark::State& state) {
  backends::Configuration config = backends::Configuration::Discover();
  config.databaseUrl = SiteUrl();
  backends::InstallDefaults(config);
  const SearchRequest request = SiteSearch();
  const std::atomic<bool> cancel{false};
  HeatMap map;
  for (auto _ : state) {
    const SearchOutcome outcome = RunSearch(request, cancel, [](int, int) {});
    if (!outcome.error.empty()) state.SkipWithError(outcome.error.c_str());
    map.Show(HeatMapOf(request, outcome, 0));
    benchmark::DoNotOptimize(map.grab());
  }
  state.counters["cells"] = double(kSectors) * kDays;
}
BENCHMARK(SearchToPicture)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// Baseline: the search's two GROUP BYs over the database's summary of the loads (per system,
// and per system and day) for all 2,000 sectors, one statement each on the same connection
// layer, their rows read and dropped.
void BaselineTwoGroupBys(benchmark::State& state) {
  auto db = backends::Database::Open(backends::DatabaseUrl::Parse(SiteUrl()));
  backends::HoursSearched searched;
  searched.dataTypeIds = {1};
  for (int i = 0; i < kSectors; ++i) searched.systemIds.push_back(1000 + i);
  searched.firstHour = static_cast<std::int64_t>(DateTime::FromParts(2026, 1, 1).serial()) * 24;
  searched.lastHour = static_cast<std::int64_t>(DateTime::FromParts(2026, 4, 1).serial()) * 24 - 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(db->Query(backends::LoadsFoundSql(db->engine(), searched)));
    benchmark::DoNotOptimize(db->Query(backends::HoursPerDaySql(db->engine(), searched)));
  }
}
BENCHMARK(BaselineTwoGroupBys)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  SiteUrl();  // generated before any timing
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
