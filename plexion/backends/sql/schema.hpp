// The database schema and demo rows of both engines, carried in the library (from db/).
#pragma once

#include <string_view>
#include <vector>

#include "plexion/backends/sql/database.hpp"

namespace plexion::backends {

struct SqlScript {
  std::string_view path;  // "sqlite/schema/10_core.sql"
  std::string_view text;
};

const std::vector<SqlScript>& EmbeddedScripts();

// Runs the schema scripts of the database's engine in name order (each drops the objects it
// creates first, so this also resets), then its demo scripts when asked.
void CreateSchema(Database& db, bool withDemo);

// Creates the schema when the database has none yet (no "pm_folder" table).
void EnsureSchema(Database& db);

}  // namespace plexion::backends
