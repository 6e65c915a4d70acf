// Plexion's schema, carried in the library from db/: numbered migrations that a database gets
// on first use, each once, recorded in plexion_schema_version; and the demo rows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "plexion/backends/sql/database.hpp"
#include "plexion/backends/sql/dialect.hpp"

namespace plexion::backends {

struct SqlScript {
  std::string_view path;  // "migrations/001_schema/10_core.sql"
  std::string_view text;
};

// Every script of db/, generated into the library by cmake/EmbedSql.cmake.
const std::vector<SqlScript>& EmbeddedScripts();

// One migration: db/migrations/NNN_name/, its scripts common to both engines plus those of
// its engine folders (sqlite/, postgresql/), run in file-name order.
struct Migration {
  int version = 0;
  std::string name;
  std::vector<SqlScript> scripts;

  std::string Title() const;  // "migration 1 (schema)"
  // Its statements on one engine, placeholders expanded.
  std::vector<std::string> StatementsFor(const Dialect& dialect) const;
};

// The library's migrations, versions 1, 2, ... in order.
const std::vector<Migration>& Migrations();

// Where a database stands against a list of migrations.
struct SchemaState {
  int version = 0;  // the highest recorded; 0 when the database has no version table
  int latest = 0;   // the list's highest
  // Plexion's tables without a version table: a database made before migrations were
  // recorded, which is repaired and stamped as version 1.
  bool unversioned = false;
  std::vector<std::string> missing;       // tables and views of recorded migrations not there
  std::vector<const Migration*> pending;  // not recorded, in order
};
SchemaState InspectSchema(Database& db, const std::vector<Migration>& migrations = Migrations());

// Brings a database up to date and says what it did, a line each (nothing when it was). First
// it repairs: what the recorded migrations create and is missing is created again (its rows as
// the migration writes them), and what is present is neither dropped nor changed; then each
// pending migration runs in a transaction of its own that also records it. A migration that
// fails leaves the database at the version before it, with an error naming the migration. A
// database at a version newer than the list's is refused. Concurrent callers run one at a time.
std::vector<std::string> UpgradeSchema(Database& db,
                                       const std::vector<Migration>& migrations = Migrations());
// UpgradeSchema, for the database service's first use of a database.
void EnsureSchema(Database& db);

// What users keep in a database, by kind, as `plexion db status` counts it.
struct DocumentCount {
  std::string_view kind;  // "report-group schedules"
  std::string_view table;
  std::int64_t count = 0;
};
std::vector<DocumentCount> CountDocuments(Database& db);
// The rows Plexion's tables hold beyond the lists the migrations fill, by table: what a reset
// would delete, by kind where it is one ("soft-alarm schedules: 2", "Schedule_Hour_Ex: 2");
// empty when there are none.
std::vector<std::string> RowsAResetDeletes(Database& db);

// In one transaction: drops every object of Plexion's with all its rows, creates the schema
// afresh and, when asked, adds the demo rows (db/demo/). Only `plexion db init` (refusing where
// RowsAResetDeletes finds any, unless forced) and tests call it.
void ResetSchema(Database& db, bool withDemo);

}  // namespace plexion::backends
