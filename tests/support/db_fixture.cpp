#include "db_fixture.hpp"

#include <unistd.h>
#include <atomic>
#include <cstdlib>

#include "plexion/backends/sql/schema.hpp"

namespace plexion::testing {

void DatabaseTest::SetUp() {
  if (GetParam() == backends::Engine::PostgreSQL) {
    const char* pg = std::getenv("PLEXION_TEST_PG");
    if (!pg || !*pg) GTEST_SKIP() << "PLEXION_TEST_PG names no PostgreSQL server";
    url = pg;
  } else {
    static std::atomic<int> counter{0};
    dir_ = std::filesystem::temp_directory_path() /
           ("plexion-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(dir_);
    url = "sqlite3://db=" + (dir_ / "test.db").string();
  }
  db = backends::Database::Open(backends::DatabaseUrl::Parse(url));
  backends::ResetSchema(*db, true);
  service = MakeRef<backends::SociDbService>(db);
  installed_.emplace(service);
}

void DatabaseTest::TearDown() {
  installed_.reset();
  service.reset();
  db.reset();
  if (!dir_.empty()) {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
}

std::string EngineName(const ::testing::TestParamInfo<backends::Engine>& info) {
  return info.param == backends::Engine::SQLite ? "SQLite" : "PostgreSQL";
}

}  // namespace plexion::testing
