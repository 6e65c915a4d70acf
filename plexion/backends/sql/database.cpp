#include "plexion/backends/sql/database.hpp"

#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <soci/postgresql/soci-postgresql.h>
#include <soci/soci.h>
#include <soci/sqlite3/soci-sqlite3.h>

#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {

namespace {

constexpr std::string_view kSource = "DbService";

[[noreturn]] void Fail(const std::string& message) {
  std::string m = message;
  while (!m.empty() && (m.back() == '\n' || m.back() == ' ')) m.pop_back();
  throw Error::External(status::Database, std::string(kSource), m);
}

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
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
  void Bind(soci::details::prepare_temp_type& prep, const Variant& in) {
    const Variant v = in.Value();
    indicators_.push_back(soci::i_ok);
    soci::indicator& ind = indicators_.back();
    switch (v.Type()) {
      case VarType::Empty:
      case VarType::Null:
        ind = soci::i_null;
        strings_.emplace_back();
        prep, soci::use(strings_.back(), ind);
        break;
      case VarType::Int16:
      case VarType::Int32:
      case VarType::Bool:
        ints_.push_back(ToInt32(v));
        prep, soci::use(ints_.back(), ind);
        break;
      case VarType::Float32:
      case VarType::Float64:
        doubles_.push_back(ToDouble(v));
        prep, soci::use(doubles_.back(), ind);
        break;
      case VarType::Date:
        strings_.push_back(ToDate(v).ToIso());
        prep, soci::use(strings_.back(), ind);
        break;
      default:
        strings_.push_back(ToString(v));
        prep, soci::use(strings_.back(), ind);
        break;
    }
  }

 private:
  std::deque<soci::indicator> indicators_;
  std::deque<std::string> strings_;
  std::deque<int> ints_;
  std::deque<double> doubles_;
};

}  // namespace

struct Database::Impl {
  DatabaseUrl url;
  soci::session session;
  bool inTransaction = false;
};

DatabaseUrl DatabaseUrl::Parse(const std::string& url) {
  DatabaseUrl u;
  u.text = url;
  if (StartsWith(url, "sqlite3://")) {
    u.engine = Engine::SQLite;
    u.connect = url.substr(10);
    if (u.connect.find('=') == std::string::npos) u.connect = "db=" + u.connect;
  } else if (StartsWith(url, "postgresql://")) {
    u.engine = Engine::PostgreSQL;
    u.connect = url.substr(13);
    if (Trim(u.connect).empty()) u.connect.clear();
    // Keep the server's notices off the command's output.
    if (!u.connect.empty() && u.connect.find("client_min_messages") == std::string::npos)
      u.connect += " options='-c client_min_messages=warning'";
  } else {
    throw Error::External(status::Configuration, std::string(kSource),
                          "\"" + url + "\" is not a database URL: use sqlite3://db=FILE or "
                                       "postgresql://host=HOST dbname=NAME");
  }
  if (Trim(u.connect).empty() || u.connect == "db=")
    throw Error::External(status::Configuration, std::string(kSource),
                          "\"" + url + "\" names no database");
  return u;
}

std::string DatabaseUrl::DefaultSqliteUrl() {
  namespace fs = std::filesystem;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home) base = fs::path(home) / ".local/share";
  else base = fs::temp_directory_path();
  const fs::path dir = base / "plexion";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return "sqlite3://db=" + (dir / "plexion.db").string();
}

Database::Database(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
Database::~Database() = default;

std::shared_ptr<Database> Database::Open(const DatabaseUrl& url) {
  auto impl = std::make_unique<Impl>();
  impl->url = url;
  try {
    if (url.engine == Engine::SQLite) impl->session.open(soci::sqlite3, url.connect);
    else impl->session.open(soci::postgresql, url.connect);
  } catch (const soci::soci_error& e) {
    Fail("cannot open " + url.text + ": " + e.what());
  }
  return std::shared_ptr<Database>(new Database(std::move(impl)));
}

Engine Database::engine() const { return impl_->url.engine; }
const DatabaseUrl& Database::url() const { return impl_->url; }

QueryResult Database::Query(const std::string& sql, const std::vector<Variant>& params) {
  QueryResult result;
  try {
    soci::row row;
    Binder binder;
    soci::details::prepare_temp_type prep = (impl_->session.prepare << sql);
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
  } catch (const soci::soci_error& e) {
    Fail(e.what());
  }
  return result;
}

void Database::Execute(const std::string& sql, const std::vector<Variant>& params) {
  try {
    Binder binder;
    soci::details::prepare_temp_type prep = (impl_->session.prepare << sql);
    for (const Variant& p : params) binder.Bind(prep, p);
    soci::statement st(prep);
    st.execute(true);
  } catch (const soci::soci_error& e) {
    Fail(e.what());
  }
}

void Database::RunScript(const std::string& script) {
  for (const std::string& statement : SplitSqlScript(script)) Execute(statement);
}

void Database::InTransaction(const std::function<void()>& work) {
  if (impl_->inTransaction) {
    work();
    return;
  }
  try {
    impl_->session.begin();
  } catch (const soci::soci_error& e) {
    Fail(e.what());
  }
  impl_->inTransaction = true;
  try {
    work();
  } catch (...) {
    impl_->inTransaction = false;
    try {
      impl_->session.rollback();
    } catch (const soci::soci_error&) {
      // The work's own error says more than a failed rollback; the connection drops the
      // transaction anyway when it closes.
    }
    throw;
  }
  impl_->inTransaction = false;
  try {
    impl_->session.commit();
  } catch (const soci::soci_error& e) {
    Fail(e.what());
  }
}

bool Database::HasTable(const std::string& table) {
  const std::string sql =
      engine() == Engine::SQLite
          ? "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') AND lower(name) = lower(:p0)"
          : "SELECT table_name FROM information_schema.tables WHERE table_schema = current_schema() "
            "AND lower(table_name) = lower(:p0)";
  return !Query(sql, {Variant(table)}).rows.empty();
}

bool Database::HasColumn(const std::string& table, const std::string& column) {
  const std::string sql =
      engine() == Engine::SQLite
          ? "SELECT name FROM pragma_table_info(:p0) WHERE lower(name) = lower(:p1)"
          : "SELECT column_name FROM information_schema.columns WHERE table_schema = "
            "current_schema() AND lower(table_name) = lower(:p0) AND lower(column_name) = "
            "lower(:p1)";
  return !Query(sql, {Variant(table), Variant(column)}).rows.empty();
}

std::vector<std::string> SplitSqlScript(const std::string& script) {
  std::vector<std::string> statements;
  std::string current;
  bool inBody = false;
  bool inString = false;
  bool inLineComment = false;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (inString) {
      current += c;
      if (c == '\'') inString = false;  // a doubled quote closes and reopens
      continue;
    }
    if (inLineComment) {
      if (c == '\n') inLineComment = false;
      continue;
    }
    if (!inBody && c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
      inLineComment = true;
      continue;
    }
    if (c == '$' && i + 1 < script.size() && script[i + 1] == '$') {
      inBody = !inBody;
      current += "$$";
      ++i;
      continue;
    }
    if (c == '\'' && !inBody) {
      inString = true;
      current += c;
      continue;
    }
    if (c == ';' && !inBody) {
      if (!Trim(current).empty()) statements.push_back(Trim(current));
      current.clear();
      continue;
    }
    current += c;
  }
  if (!Trim(current).empty()) statements.push_back(Trim(current));
  return statements;
}

}  // namespace plexion::backends
