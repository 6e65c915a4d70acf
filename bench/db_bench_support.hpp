// What the database benchmarks share: files of their own, raw sqlite3 set up as the library
// sets up its connections, and the child mode that measures one search's peak memory.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>

#include "plexion/backends/sql/database.hpp"

namespace plexion::bench {

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
inline void ReadRow(sqlite3_stmt* st) {
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

// The child process of the coverage benchmarks: one search ("library" or "raw") over the
// generated loads in that file, then its peak resident set in kB on standard output.
int SearchPeakChild(const std::string& kind, const std::string& file);

}  // namespace plexion::bench
