// What the two engines write differently, in one place: the schema's column types, dropping
// what depends on an object, the catalogue queries, and the few expressions that differ.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plexion/backends/sql/database.hpp"

namespace plexion::backends {

struct Dialect {
  Engine engine;
  // "sqlite" or "postgresql": also the folder of a migration's part for this engine only.
  std::string_view name;
  // {{id}} in a migration: an integer primary key that the database numbers, never handing
  // out an id twice.
  std::string_view idColumn;
  // {{timestamp}} in a migration: a date and time of day.
  std::string_view timestampType;
  // {{clustered}} after a CREATE TABLE's closing bracket: the rows stored in the order of the
  // primary key, so that reading it in that order reads no second structure.
  std::string_view clustered;
  // The database keeps the hours loaded per month too (cov_load_month), which a search over
  // many days reads instead of each day's row.
  bool monthSummary;
  // After DROP TABLE or DROP VIEW: PostgreSQL refuses to drop what others depend on without it.
  std::string_view dropDependents;
  // Statement that serialises the migrators of one database inside their transaction (empty:
  // the transaction's own write lock does).
  std::string_view migrationLock;

  // Catalogue queries of the current schema. Names compare without regard to letter case.
  std::string_view tablesAndViewsSql;  // one row per table or view: name
  std::string_view hasTableSql;        // :p0 table or view
  std::string_view hasColumnSql;       // :p0 table, :p1 column
  // One row per column of every table and view: table, column, type, not null, default,
  // position in the primary key; ordered. Two databases with the same rows here have the
  // same tables.
  std::string_view columnsSql;

  // The text of a migration or demo script for this engine: {{id}} and {{timestamp}} replaced,
  // and the expressions {{hours_after('YYYY-MM-DD HH:MM:SS', N)}}, {{hour_of(E)}},
  // {{day_of(E)}} and {{bit_count(E)}} written as below.
  std::string Expand(std::string_view script) const;
  // The hour of the day (0 to 23) of a date-time expression, as an integer.
  std::string HourOf(std::string_view expression) const;
  // The day of a date-time expression as a date-time serial (whole days since 30 December
  // 1899, negative before it), an integer.
  std::string DayOf(std::string_view expression) const;
  // A date-time literal plus a number of hours.
  std::string HoursAfter(std::string_view quotedStart, std::string_view hours) const;
  // {{name(arguments)}} of a script: one of the expressions above.
  std::string Expression(const std::string& name, const std::string& arguments) const;
  // The number of bits set in a 24-bit integer expression (an hour mask), as an integer.
  std::string BitCount(std::string_view expression) const;
};

const Dialect& DialectOf(Engine engine);

}  // namespace plexion::backends
