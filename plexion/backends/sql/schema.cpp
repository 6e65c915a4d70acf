#include "plexion/backends/sql/schema.hpp"

#include <regex>
#include <string>

namespace plexion::backends {

namespace {
void RunScripts(Database& db, const std::string& folder) {
  for (const SqlScript& script : EmbeddedScripts())
    if (script.path.substr(0, folder.size()) == folder) db.RunScript(std::string(script.text));
}
std::string EngineFolder(const Database& db) {
  return db.engine() == Engine::SQLite ? "sqlite/" : "postgresql/";
}
}  // namespace

void CreateSchema(Database& db, bool withDemo) {
  RunScripts(db, EngineFolder(db) + "schema/");
  if (withDemo) RunScripts(db, EngineFolder(db) + "demo/");
}

std::string FirstTableOf(std::string_view script) {
  static const std::regex kCreate(R"(CREATE\s+TABLE\s+(IF\s+NOT\s+EXISTS\s+)?([A-Za-z_][A-Za-z0-9_.]*))",
                                  std::regex::icase);
  std::match_results<std::string_view::const_iterator> m;
  return std::regex_search(script.begin(), script.end(), m, kCreate) ? m[2].str() : std::string();
}

void EnsureSchema(Database& db) {
  const std::string folder = EngineFolder(db) + "schema/";
  for (const SqlScript& script : EmbeddedScripts()) {
    if (script.path.substr(0, folder.size()) != folder) continue;
    const std::string table = FirstTableOf(script.text);
    if (table.empty() || !db.HasTable(table)) db.RunScript(std::string(script.text));
  }
}

}  // namespace plexion::backends
