// The database schema and demo rows of both engines, carried in the library (from db/).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plexion/backends/sql/database.hpp"

namespace plexion::backends {

struct SqlScript {
  std::string_view path;  // "sqlite/schema/10_core.sql"
  std::string_view text;
};

const std::vector<SqlScript>& EmbeddedScripts();

// The scripts of one kind ("schema" or "demo") that an engine runs: its own and the common
// ones, in file-name order.
std::vector<SqlScript> ScriptsFor(Engine engine, std::string_view kind);

// Runs the schema scripts of the database's engine (each drops the objects it creates first, so
// this also resets), then its demo scripts when asked.
void CreateSchema(Database& db, bool withDemo);

// Creates what a database lacks: each schema script runs when the first table it creates is
// missing, so a database made by an earlier release gains the tables added since, and a
// database with all of them is left alone.
void EnsureSchema(Database& db);
// The first table a script creates ("" when it creates none).
std::string FirstTableOf(std::string_view script);

}  // namespace plexion::backends
