#include "plexion/backends/sql/schema.hpp"

#include <algorithm>
#include <regex>
#include <string>

namespace plexion::backends {

namespace {
std::string_view FileName(std::string_view path) { return path.substr(path.rfind('/') + 1); }
}  // namespace

std::vector<SqlScript> ScriptsFor(Engine engine, std::string_view kind) {
  const std::string own =
      std::string(engine == Engine::SQLite ? "sqlite/" : "postgresql/") + std::string(kind) + "/";
  const std::string common = "common/" + std::string(kind) + "/";
  std::vector<SqlScript> scripts;
  for (const SqlScript& s : EmbeddedScripts())
    if (s.path.starts_with(own) || s.path.starts_with(common)) scripts.push_back(s);
  std::stable_sort(scripts.begin(), scripts.end(), [](const SqlScript& a, const SqlScript& b) {
    return FileName(a.path) < FileName(b.path);
  });
  return scripts;
}

void CreateSchema(Database& db, bool withDemo) {
  for (const SqlScript& s : ScriptsFor(db.engine(), "schema")) db.RunScript(std::string(s.text));
  if (!withDemo) return;
  for (const SqlScript& s : ScriptsFor(db.engine(), "demo")) db.RunScript(std::string(s.text));
}

std::string FirstTableOf(std::string_view script) {
  static const std::regex kCreate(
      R"(CREATE\s+TABLE\s+(IF\s+NOT\s+EXISTS\s+)?([A-Za-z_][A-Za-z0-9_.]*))", std::regex::icase);
  std::match_results<std::string_view::const_iterator> m;
  return std::regex_search(script.begin(), script.end(), m, kCreate) ? m[2].str() : std::string();
}

void EnsureSchema(Database& db) {
  for (const SqlScript& script : ScriptsFor(db.engine(), "schema")) {
    const std::string table = FirstTableOf(script.text);
    if (table.empty() || !db.HasTable(table)) db.RunScript(std::string(script.text));
  }
}

}  // namespace plexion::backends
