// Database tests run on SQLite always and on PostgreSQL when PLEXION_TEST_PG names a server
// (scripts/test starts a throwaway one).
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

#include "plexion/backends/sql/database.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::testing {

class DatabaseTest : public ::testing::TestWithParam<backends::Engine> {
 protected:
  // A fresh database with the schema and the demo rows, installed as this thread's DbService.
  void SetUp() override;
  void TearDown() override;

  std::string url;
  std::shared_ptr<backends::Database> db;
  Ref<backends::SociDbService> service;

 private:
  std::optional<services::ScopedService<DbService>> installed_;
  std::filesystem::path dir_;
};

std::string EngineName(const ::testing::TestParamInfo<backends::Engine>& info);

}  // namespace plexion::testing

#define PLEXION_ON_BOTH_ENGINES(Suite)                                                 \
  INSTANTIATE_TEST_SUITE_P(Engines, Suite,                                             \
                           ::testing::Values(::plexion::backends::Engine::SQLite,      \
                                             ::plexion::backends::Engine::PostgreSQL), \
                           ::plexion::testing::EngineName)
