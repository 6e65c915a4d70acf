// One connection to the database, through SOCI: embedded SQLite or PostgreSQL.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plexion/platform/error.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion::backends {

enum class Engine { SQLite, PostgreSQL };

// A statement stopped at its time-out (the status ADO gives a command time-out), and a
// connection found lost, which the next call reopens. Both with source "DbService".
inline constexpr Status kTimeoutStatus = static_cast<Status>(0x80040E31u);
inline constexpr Status kConnectionLostStatus = static_cast<Status>(0x80040E18u);

using Milliseconds = std::chrono::milliseconds;

// How every connection the library opens behaves under load and failures (the [database]
// section of the configuration file).
struct DatabaseOptions {
  // SQLite: how long a statement waits for another connection's lock before it fails with
  // "database is locked".
  Milliseconds busyTimeout{5000};
  // The limit of a statement whose call names none (ExecuteStatement, procedures, functions,
  // the objects that store themselves, the coverage search); 0 is no limit.
  Milliseconds statementTimeout{60000};
  // How long a call keeps trying to reopen a lost connection before it fails.
  Milliseconds reconnectTimeout{5000};
};

// "sqlite3://db=FILE" or "postgresql://host=... dbname=...": the engine and SOCI's connection
// string. A bare "sqlite3://FILE" names the file.
struct DatabaseUrl {
  Engine engine = Engine::SQLite;
  std::string connect;  // what SOCI is given
  std::string text;     // as written
  std::string shown;    // as written, its password masked: what every message shows

  // A message about this database with its password masked wherever it shows.
  std::string Masked(std::string_view message) const;

  static DatabaseUrl Parse(const std::string& url);
  // The per-user SQLite file: $XDG_DATA_HOME/plexion/plexion.db, else
  // ~/.local/share/plexion/plexion.db (its folder is created).
  static std::string DefaultSqliteUrl();
};

struct QueryResult {
  std::vector<std::string> columns;
  std::vector<std::vector<Variant>> rows;
};

// Every failure is a plexion::Error with source "DbService" and the database's own message:
// status::Database, kTimeoutStatus for a statement stopped at its limit, kConnectionLostStatus
// for a lost connection. Parameters are bound to :p0, :p1, ... in order.
//
// Every connection is set up alike, reopened ones too: SQLite in WAL journal mode with the busy
// timeout; PostgreSQL bounding each statement by statement_timeout. A connection found lost
// while a statement runs fails that call, and the next call reopens it; one found closed before
// anything is sent (a server restarted meanwhile) is reopened at once. Nothing is ever run
// twice: a statement that failed is not retried.
class Database {
 public:
  static std::shared_ptr<Database> Open(const DatabaseUrl& url,
                                        const DatabaseOptions& options = {});
  ~Database();

  Engine engine() const;
  const DatabaseUrl& url() const;
  const DatabaseOptions& options() const;

  // Statements bounded by the default limit (options().statementTimeout), or by their own
  // (0: none).
  QueryResult Query(const std::string& sql, const std::vector<Variant>& params = {});
  QueryResult Query(const std::string& sql, const std::vector<Variant>& params, Milliseconds limit);
  void Execute(const std::string& sql, const std::vector<Variant>& params = {});
  void Execute(const std::string& sql, const std::vector<Variant>& params, Milliseconds limit);
  // Runs a script statement by statement (a string of several statements would run only its
  // first on SQLite).
  void RunScript(const std::string& script);
  // Runs work as one transaction: committed when it returns, rolled back when it throws (the
  // error then goes on). A transaction already open on this connection is joined instead.
  void InTransaction(const std::function<void()>& work);

  // A transaction spanning calls (a host's unit of work). SQLite takes the write lock at the
  // start (BEGIN IMMEDIATE), waiting the busy timeout for it, so that a transaction never
  // fails half-way on another writer's lock. The first statement that fails inside it undoes
  // it whole: its error, and that of every later call until it ends, begins "the save was
  // undone: ", and CommitWork then rolls back and fails. A connection lost inside it is
  // reopened by the first call after it ends.
  void BeginWork();
  // Holds every other transaction that locks the same document waiting until this one ends:
  // a transaction-level advisory lock on PostgreSQL; nothing more on SQLite, whose write lock
  // excludes every other writer already.
  void LockDocument(const std::string& kind, std::int64_t id);
  // A commit that fails rolls back.
  void CommitWork();
  void RollbackWork() noexcept;  // does nothing when no transaction is open

  bool HasTable(const std::string& table);
  bool HasColumn(const std::string& table, const std::string& column);

 private:
  struct Impl;
  explicit Database(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

// The text with every password masked ("password=***"): the value of each password keyword,
// quoted or not, and of a URI's user:password@; and, when given, the password itself wherever
// it stands quoted or after '=' (libpq quotes what it cannot parse in a connection string).
std::string MaskPassword(std::string_view text, std::string_view password = {});
// The value of a connection string's password keyword ("" when it has none).
std::string PasswordOf(std::string_view connect);

// Splits a script at the semicolons that end its statements, leaving $$-quoted bodies whole.
std::vector<std::string> SplitSqlScript(const std::string& script);

}  // namespace plexion::backends
