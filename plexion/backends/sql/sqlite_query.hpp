// A query on SQLite read straight from its prepared statement into variants: no generic row in
// between, one pass over the rows.
#pragma once

#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "plexion/backends/sql/database.hpp"

struct sqlite3;

namespace plexion::backends {

// A parameter as either engine takes it: NULL, an integer, a double or text. Booleans are
// integers (True is -1), dates ISO text, anything else its text.
using SqlParam = std::variant<std::monostate, int, double, std::string>;
SqlParam ToSqlParam(const Variant& value);

// A failure with SQLite's result code (0 for one found while reading a value).
class SqliteError : public std::runtime_error {
 public:
  SqliteError(const std::string& message, int result)
      : std::runtime_error(message), result_(result) {}
  int result() const { return result_; }

 private:
  int result_;
};

// Prepares the statement, binds the parameters by position and reads every row.
//
// A column's variant type follows its declared type as SOCI's SQLite backend names it, so that
// both engines' record sets read alike: integer types give Long (Double past 32 bits), bigint
// and int8 the same, real and numeric types Double, date, time and datetime Date (ISO text
// parsed), character types and expressions String. Any other declared type goes by the value
// stored in the first row: integer Long, real Double, anything else String. NULL is Null; a
// value in a blob column fails.
QueryResult SqliteQuery(sqlite3* db, const std::string& sql, const std::vector<Variant>& params);

}  // namespace plexion::backends
