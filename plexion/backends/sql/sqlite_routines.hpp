// The stored functions and procedures that PostgreSQL keeps in the database, provided by the
// backend on SQLite (which has none). Each runs real SQL on the connection it is given.
#pragma once

#include <string_view>
#include <vector>

#include "plexion/backends/sql/database.hpp"

namespace plexion::backends {

using SqliteRoutine = Variant (*)(Database& db, const std::vector<Variant>& args);

// A routine by name, letter case ignored; null when SQLite has none of that name.
SqliteRoutine FindSqliteRoutine(std::string_view name);

}  // namespace plexion::backends
