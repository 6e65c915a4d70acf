// One connection to the database, through SOCI: embedded SQLite or PostgreSQL.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "plexion/platform/variant.hpp"

namespace plexion::backends {

enum class Engine { SQLite, PostgreSQL };

// "sqlite3://db=FILE" or "postgresql://host=... dbname=...": the engine and SOCI's connection
// string. A bare "sqlite3://FILE" names the file.
struct DatabaseUrl {
  Engine engine = Engine::SQLite;
  std::string connect;  // what SOCI is given
  std::string text;     // as written

  static DatabaseUrl Parse(const std::string& url);
  // The per-user SQLite file: $XDG_DATA_HOME/plexion/plexion.db, else
  // ~/.local/share/plexion/plexion.db (its folder is created).
  static std::string DefaultSqliteUrl();
};

struct QueryResult {
  std::vector<std::string> columns;
  std::vector<std::vector<Variant>> rows;
};

// Every failure is a plexion::Error with status::Database, source "DbService" and the
// database's own message. Parameters are bound to :p0, :p1, ... in order.
class Database {
 public:
  static std::shared_ptr<Database> Open(const DatabaseUrl& url);
  ~Database();

  Engine engine() const;
  const DatabaseUrl& url() const;

  QueryResult Query(const std::string& sql, const std::vector<Variant>& params = {});
  void Execute(const std::string& sql, const std::vector<Variant>& params = {});
  // Runs a script statement by statement (a string of several statements would run only its
  // first on SQLite).
  void RunScript(const std::string& script);
  // Runs work as one transaction: committed when it returns, rolled back when it throws (the
  // error then goes on). A transaction already open on this connection is joined instead.
  void InTransaction(const std::function<void()>& work);

  bool HasTable(const std::string& table);
  bool HasColumn(const std::string& table, const std::string& column);

 private:
  struct Impl;
  explicit Database(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// Splits a script at the semicolons that end its statements, leaving $$-quoted bodies whole.
std::vector<std::string> SplitSqlScript(const std::string& script);

}  // namespace plexion::backends
