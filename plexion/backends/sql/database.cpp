#include "plexion/backends/sql/database.hpp"

#include <poll.h>

#include <soci/postgresql/soci-postgresql.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>
#include <algorithm>
#include <bit>
#include <ctime>
#include <deque>
#include <optional>
#include <thread>
#include <variant>

#include "plexion/backends/sql/dialect.hpp"
#include "plexion/backends/sql/sqlite_query.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/services/unit_of_work.hpp"

namespace plexion::backends {

namespace {

constexpr std::string_view kSource = "DbService";
// SQLSTATE query_canceled: what PostgreSQL answers when statement_timeout stops a statement.
constexpr std::string_view kQueryCanceled = "57014";

using Clock = std::chrono::steady_clock;

std::string Trimmed(std::string m) {
  while (!m.empty() && (m.back() == '\n' || m.back() == ' ')) m.pop_back();
  return m;
}

Error DbError(const std::string& message, Status status = status::Database) {
  return Error::External(status, std::string(kSource), Trimmed(message));
}

[[noreturn]] void Fail(const std::string& message) { throw DbError(message); }

// A failure that undid the transaction it happened in.
Error Undone(const Error& e) {
  return Error::External(e.status(), e.source(),
                         std::string(services::kSaveUndone) + e.description());
}

std::string SecondsText(Milliseconds ms) {
  return NumberText(static_cast<double>(ms.count()) / 1000.0) + " s";
}

sqlite_api::sqlite3* SqliteHandle(soci::session& s) {
  auto* backend = static_cast<soci::sqlite3_session_backend*>(s.get_backend());
  return backend ? backend->conn_ : nullptr;
}

PGconn* PgHandle(soci::session& s) {
  auto* backend = static_cast<soci::postgresql_session_backend*>(s.get_backend());
  return backend ? backend->conn_ : nullptr;
}

// SQLite's primary result code of a failure (0 when it is not SQLite's).
int SqliteResult(const soci::soci_error& e) {
  const auto* sqlite = dynamic_cast<const soci::sqlite3_soci_error*>(&e);
  return sqlite ? (sqlite->result() & 0xFF) : 0;
}

// SQLite failures after which the file itself is unreachable: the next call reopens it.
bool SqliteConnectionLost(int result) {
  return result == SQLITE_IOERR || result == SQLITE_CANTOPEN || result == SQLITE_NOTADB ||
         result == SQLITE_CORRUPT;
}

std::string PgSqlState(const soci::soci_error& e) {
  const auto* pg = dynamic_cast<const soci::postgresql_soci_error*>(&e);
  return pg ? pg->sqlstate() : std::string();
}

// The application functions every SQLite connection gets, for what PostgreSQL has built in.
void SqliteBitCount(sqlite_api::sqlite3_context* context, int, sqlite_api::sqlite3_value** args) {
  if (sqlite_api::sqlite3_value_type(args[0]) == SQLITE_NULL) {
    sqlite_api::sqlite3_result_null(context);
    return;
  }
  const auto bits = static_cast<std::uint64_t>(sqlite_api::sqlite3_value_int64(args[0]));
  sqlite_api::sqlite3_result_int(context, std::popcount(bits));
}

void AddSqliteFunctions(sqlite_api::sqlite3* handle) {
  sqlite_api::sqlite3_create_function_v2(handle, "bit_count", 1,
                                         SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
                                         nullptr, &SqliteBitCount, nullptr, nullptr, nullptr);
}

DateTime FromTm(const std::tm& tm) {
  return DateTime::FromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                             tm.tm_sec > 59 ? 59 : tm.tm_sec);
}

Variant FromColumn(const soci::row& row, std::size_t i) {
  if (row.get_indicator(i) == soci::i_null) return Variant::Null();
  switch (row.get_properties(i).get_data_type()) {
    case soci::dt_string:
    case soci::dt_xml: return Variant(row.get<std::string>(i));
    case soci::dt_double: return Variant(row.get<double>(i));
    case soci::dt_integer: return Variant(std::int32_t(row.get<int>(i)));
    case soci::dt_long_long: {
      const long long v = row.get<long long>(i);
      if (v >= INT32_MIN && v <= INT32_MAX) return Variant(std::int32_t(v));
      return Variant(double(v));
    }
    case soci::dt_unsigned_long_long: {
      const unsigned long long v = row.get<unsigned long long>(i);
      if (v <= INT32_MAX) return Variant(std::int32_t(v));
      return Variant(double(v));
    }
    case soci::dt_date: return Variant(FromTm(row.get<std::tm>(i)));
    case soci::dt_blob: break;
  }
  Fail("column " + row.get_properties(i).get_name() + " has a type Plexion does not read");
}

// Holds bound parameter values alive until the statement has run.
class Binder {
 public:
  void Bind(soci::details::prepare_temp_type& prep, const Variant& value) {
    const SqlParam p = ToSqlParam(value);
    soci::indicator& ind = indicators_.emplace_back(soci::i_ok);
    if (const int* i = std::get_if<int>(&p)) {
      prep, soci::use(ints_.emplace_back(*i), ind);
    } else if (const double* d = std::get_if<double>(&p)) {
      prep, soci::use(doubles_.emplace_back(*d), ind);
    } else if (const std::string* text = std::get_if<std::string>(&p)) {
      prep, soci::use(strings_.emplace_back(*text), ind);
    } else {
      ind = soci::i_null;
      prep, soci::use(strings_.emplace_back(), ind);
    }
  }

 private:
  std::deque<soci::indicator> indicators_;
  std::deque<std::string> strings_;
  std::deque<int> ints_;
  std::deque<double> doubles_;
};

// The rows through SOCI's generic row (PostgreSQL).
QueryResult SociQuery(soci::session& session, const std::string& sql,
                      const std::vector<Variant>& params) {
  QueryResult result;
  soci::row row;
  Binder binder;
  soci::details::prepare_temp_type prep = (session.prepare << sql);
  prep, soci::into(row);
  for (const Variant& p : params) binder.Bind(prep, p);
  soci::statement st(prep);
  bool more = st.execute(true);
  for (std::size_t i = 0; i < row.size(); ++i)
    result.columns.push_back(row.get_properties(i).get_name());
  while (more) {
    std::vector<Variant> values;
    values.reserve(row.size());
    for (std::size_t i = 0; i < row.size(); ++i) values.push_back(FromColumn(row, i));
    result.rows.push_back(std::move(values));
    more = st.fetch();
  }
  return result;
}

// The rows straight from SQLite's statement; its failures go the way of SOCI's own.
QueryResult NativeSqliteQuery(soci::session& session, const std::string& sql,
                              const std::vector<Variant>& params) {
  try {
    return SqliteQuery(reinterpret_cast<::sqlite3*>(SqliteHandle(session)), sql, params);
  } catch (const SqliteError& e) {
    throw soci::sqlite3_soci_error(e.what(), e.result());
  }
}

}  // namespace

struct Database::Impl {
  DatabaseUrl url;
  DatabaseOptions options;
  soci::session session;
  bool inTransaction = false;
  bool lost = false;                          // reopened by the next call
  std::optional<long long> serverLimitMs;     // PostgreSQL's statement_timeout, when known
  long long busyMs = -1;                      // SQLite's busy timeout now
  std::optional<Clock::time_point> deadline;  // of the statement running on SQLite
  std::string serverNotice;  // what PostgreSQL said outside a result (its goodbye), this call
  // The first failure inside the open transaction, which then takes nothing more.
  std::optional<Error> failure;

  void Open();
  void SetUp();
  void Reopen();
  void EnsureOpen();
  bool ClosedByServer();
  void Limit(Milliseconds limit);
  Error Translate(const soci::soci_error& e, Milliseconds limit, bool pastLimit);
  void EndTransaction(const char* sql) noexcept;

  // Runs one call's statements on an open connection within the limit (0: none).
  template <class Body>
  auto Run(Milliseconds limit, Body&& body) -> decltype(body()) {
    if (inTransaction && failure) throw Undone(*failure);
    EnsureOpen();
    serverNotice.clear();
    const Clock::time_point start = Clock::now();
    try {
      Limit(limit);
      struct EndOfStatement {
        Impl& impl;
        ~EndOfStatement() { impl.deadline.reset(); }
      } end{*this};
      return body();
    } catch (const soci::soci_error& e) {
      Error error = Translate(e, limit, limit.count() > 0 && Clock::now() - start >= limit);
      if (!inTransaction) throw error;
      // PostgreSQL has aborted the transaction, SQLite may have: on both it is undone whole.
      failure = error;
      throw Undone(error);
    }
  }

  // Keeps PostgreSQL's messages out of the host's standard error; the last one goes into the
  // error of a lost connection.
  static void OnNotice(void* impl, const char* message) {
    static_cast<Impl*>(impl)->serverNotice = Trimmed(message);
  }

  // Stops an SQLite statement past its deadline (SQLite then fails it with SQLITE_INTERRUPT).
  static int Progress(void* impl) {
    const auto& deadline = static_cast<Impl*>(impl)->deadline;
    return deadline && Clock::now() >= *deadline ? 1 : 0;
  }
};

void Database::Impl::Open() {
  if (url.engine == Engine::SQLite) {
    session.open(soci::sqlite3, url.connect);
  } else {
    // A server that does not answer fails the connect instead of holding the call.
    std::string connect = url.connect;
    if (connect.find("connect_timeout") == std::string::npos) {
      const auto seconds = std::chrono::ceil<std::chrono::seconds>(options.reconnectTimeout);
      connect += " connect_timeout=" + std::to_string(std::max<long long>(2, seconds.count()));
    }
    session.open(soci::postgresql, connect);
  }
  SetUp();
}

// What every connection gets, a reopened one too.
void Database::Impl::SetUp() {
  lost = false;
  serverLimitMs.reset();
  busyMs = -1;
  deadline.reset();
  if (url.engine == Engine::PostgreSQL) {
    PQsetNoticeProcessor(PgHandle(session), &Impl::OnNotice, this);
    return;
  }
  sqlite_api::sqlite3* handle = SqliteHandle(session);
  busyMs = options.busyTimeout.count();
  sqlite_api::sqlite3_busy_timeout(handle, static_cast<int>(busyMs));
  sqlite_api::sqlite3_progress_handler(handle, 1000, &Impl::Progress, this);
  AddSqliteFunctions(handle);
  // Readers and one writer at a time, each waiting for the others' locks: the journal mode
  // stays with the file, so this switches a database once.
  std::string mode;
  session << "PRAGMA journal_mode=WAL", soci::into(mode);
}

void Database::Impl::Reopen() {
  const Clock::time_point giveUp = Clock::now() + options.reconnectTimeout;
  while (true) {
    try {
      session.reconnect();
      SetUp();
      return;
    } catch (const soci::soci_error& e) {
      lost = true;
      const auto left = std::chrono::duration_cast<Milliseconds>(giveUp - Clock::now());
      if (left.count() <= 0)
        throw DbError(
            "cannot reopen the lost connection to " + url.shown + ": " + url.Masked(e.what()),
            kConnectionLostStatus);
      std::this_thread::sleep_for(std::min(left, Milliseconds(200)));
    }
  }
}

void Database::Impl::EnsureOpen() {
  // Inside a transaction a closed connection must fail the work, not be replaced under it.
  if (!lost && !inTransaction && url.engine == Engine::PostgreSQL && ClosedByServer()) lost = true;
  if (!lost) return;
  if (inTransaction)
    throw DbError(
        "the connection to the database was lost during a transaction; the next call "
        "reopens it",
        kConnectionLostStatus);
  Reopen();
}

// True when the server has closed the connection (a restart, an administrator): its goodbye
// is already waiting on the socket, so nothing is sent on a dead connection.
bool Database::Impl::ClosedByServer() {
  PGconn* conn = PgHandle(session);
  if (!conn || PQstatus(conn) == CONNECTION_BAD) return true;
  // The goodbye message and the end of the stream may arrive in separate reads.
  for (int read = 0; read < 4; ++read) {
    pollfd fd{PQsocket(conn), POLLIN, 0};
    if (poll(&fd, 1, 0) <= 0) return false;
    if (PQconsumeInput(conn) == 0 || PQstatus(conn) == CONNECTION_BAD) return true;
  }
  return false;
}

void Database::Impl::Limit(Milliseconds limit) {
  if (url.engine == Engine::SQLite) {
    // A lock is waited for no longer than the statement may run.
    const long long busy = limit.count() > 0 ? std::min(options.busyTimeout, limit).count()
                                             : options.busyTimeout.count();
    if (busy != busyMs) {
      sqlite_api::sqlite3_busy_timeout(SqliteHandle(session), static_cast<int>(busy));
      busyMs = busy;
    }
    if (limit.count() > 0) deadline = Clock::now() + limit;
    return;
  }
  // The server takes at most 2^31 - 1 ms (24 days).
  const long long ms = std::min<long long>(limit.count(), INT32_MAX);
  if (serverLimitMs == ms) return;
  session << "SET statement_timeout = " + std::to_string(ms);
  serverLimitMs = ms;
}

Error Database::Impl::Translate(const soci::soci_error& e, Milliseconds limit, bool pastLimit) {
  const std::string message = url.Masked(Trimmed(e.what()));
  const std::string timedOut = "the statement ran past its time-out of " + SecondsText(limit) +
                               " and was stopped; the connection stays usable (" + message + ")";
  if (url.engine == Engine::SQLite) {
    const int result = SqliteResult(e);
    if (pastLimit && (result == SQLITE_INTERRUPT || result == SQLITE_BUSY))
      return DbError(timedOut, kTimeoutStatus);
    if (result == SQLITE_BUSY || result == SQLITE_LOCKED)
      return DbError(message + " (another connection kept its lock past the busy timeout of " +
                     SecondsText(options.busyTimeout) + ")");
    if (SqliteConnectionLost(result)) lost = true;
  } else {
    PGconn* conn = PgHandle(session);
    if (!conn || PQstatus(conn) == CONNECTION_BAD) lost = true;
    else if (limit.count() > 0 && PgSqlState(e) == kQueryCanceled)
      return DbError(timedOut, kTimeoutStatus);
  }
  if (lost)
    return DbError("the connection to the database was lost; the next call reopens it (" + message +
                       (serverNotice.empty() ? "" : "; the server said: " + serverNotice) + ")",
                   kConnectionLostStatus);
  return DbError(message);
}

// Ends a transaction that failed; its own error says more than a failed rollback, and a lost
// connection has dropped the transaction already.
void Database::Impl::EndTransaction(const char* sql) noexcept {
  serverLimitMs.reset();  // a rollback undoes a SET made inside the transaction
  if (lost) return;
  try {
    session << sql;
  } catch (const soci::soci_error&) {
  }
}

Database::Database(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Database::~Database() = default;

std::shared_ptr<Database> Database::Open(const DatabaseUrl& url, const DatabaseOptions& options) {
  auto impl = std::make_unique<Impl>();
  impl->url = url;
  impl->options = options;
  try {
    impl->Open();
  } catch (const soci::soci_error& e) {
    Fail("cannot open " + url.shown + ": " + url.Masked(e.what()));
  }
  return std::shared_ptr<Database>(new Database(std::move(impl)));
}

Engine Database::engine() const { return impl_->url.engine; }
const DatabaseUrl& Database::url() const { return impl_->url; }
const DatabaseOptions& Database::options() const { return impl_->options; }

QueryResult Database::Query(const std::string& sql, const std::vector<Variant>& params) {
  return Query(sql, params, impl_->options.statementTimeout);
}

QueryResult Database::Query(const std::string& sql, const std::vector<Variant>& params,
                            Milliseconds limit) {
  return impl_->Run(limit, [&] {
    if (engine() == Engine::SQLite) return NativeSqliteQuery(impl_->session, sql, params);
    return SociQuery(impl_->session, sql, params);
  });
}

void Database::Execute(const std::string& sql, const std::vector<Variant>& params) {
  Execute(sql, params, impl_->options.statementTimeout);
}

void Database::Execute(const std::string& sql, const std::vector<Variant>& params,
                       Milliseconds limit) {
  impl_->Run(limit, [&] {
    Binder binder;
    soci::details::prepare_temp_type prep = (impl_->session.prepare << sql);
    for (const Variant& p : params) binder.Bind(prep, p);
    soci::statement st(prep);
    st.execute(true);
  });
}

void Database::RunScript(const std::string& script) {
  for (const std::string& statement : SplitSqlScript(script)) Execute(statement);
}

void Database::InTransaction(const std::function<void()>& work) {
  if (impl_->inTransaction) {
    work();
    return;
  }
  BeginWork();
  try {
    work();
  } catch (...) {
    RollbackWork();
    throw;
  }
  CommitWork();
}

void Database::BeginWork() {
  if (impl_->inTransaction) Fail("a transaction is open on this connection already");
  try {
    Execute(engine() == Engine::SQLite ? "BEGIN IMMEDIATE" : "BEGIN");
  } catch (const Error& e) {
    throw Undone(e);  // the write lock not had in time, or the connection gone
  }
  impl_->inTransaction = true;
  impl_->failure.reset();
}

void Database::LockDocument(const std::string& kind, std::int64_t id) {
  if (!impl_->inTransaction) Fail("a document is locked inside a transaction only");
  // SQLite's one write lock, taken by BEGIN IMMEDIATE, keeps every other writer out already.
  if (engine() == Engine::SQLite) return;
  Execute("SELECT pg_advisory_xact_lock(hashtextextended(:p0, 0))",
          {Variant(FoldCase(kind) + " " + std::to_string(id))});
}

void Database::CommitWork() {
  if (!impl_->inTransaction) Fail("no transaction is open on this connection");
  try {
    Execute("COMMIT");
  } catch (...) {
    RollbackWork();
    throw;
  }
  impl_->inTransaction = false;
}

void Database::RollbackWork() noexcept {
  if (!impl_->inTransaction) return;
  impl_->EndTransaction("ROLLBACK");
  impl_->inTransaction = false;
  impl_->failure.reset();
}

bool Database::HasTable(const std::string& table) {
  return !Query(std::string(DialectOf(engine()).hasTableSql), {Variant(table)}).rows.empty();
}

bool Database::HasColumn(const std::string& table, const std::string& column) {
  return !Query(std::string(DialectOf(engine()).hasColumnSql), {Variant(table), Variant(column)})
              .rows.empty();
}

}  // namespace plexion::backends
