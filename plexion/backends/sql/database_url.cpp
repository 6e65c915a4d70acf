#include <cstdlib>
#include <filesystem>

#include "plexion/backends/sql/database.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {

namespace {

constexpr std::string_view kSource = "DbService";
constexpr std::string_view kSqliteScheme = "sqlite3://";
constexpr std::string_view kPostgresScheme = "postgresql://";

bool StartsWith(const std::string& s, std::string_view prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

DatabaseUrl DatabaseUrl::Parse(const std::string& url) {
  DatabaseUrl u;
  u.text = url;
  u.shown = MaskPassword(url);
  if (StartsWith(url, kSqliteScheme)) {
    u.engine = Engine::SQLite;
    u.connect = url.substr(kSqliteScheme.size());
    if (u.connect.find('=') == std::string::npos) u.connect = "db=" + u.connect;
  } else if (StartsWith(url, kPostgresScheme)) {
    u.engine = Engine::PostgreSQL;
    u.connect = url.substr(kPostgresScheme.size());
    if (Trim(u.connect).empty()) u.connect.clear();
    // Keep the server's notices off the command's output.
    if (!u.connect.empty() && u.connect.find("client_min_messages") == std::string::npos)
      u.connect += " options='-c client_min_messages=warning'";
  } else {
    throw Error::External(status::Configuration, std::string(kSource),
                          "\"" + u.shown +
                              "\" is not a database URL: use sqlite3://db=FILE or "
                              "postgresql://host=HOST dbname=NAME");
  }
  if (Trim(u.connect).empty() || u.connect == "db=")
    throw Error::External(status::Configuration, std::string(kSource),
                          "\"" + u.shown + "\" names no database");
  return u;
}

std::string DatabaseUrl::DefaultSqliteUrl() {
  namespace fs = std::filesystem;
  fs::path base;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) base = xdg;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = fs::path(home) / ".local/share";
  else base = fs::temp_directory_path();
  const fs::path dir = base / "plexion";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return "sqlite3://db=" + (dir / "plexion.db").string();
}

}  // namespace plexion::backends
