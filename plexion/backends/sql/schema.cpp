#include "plexion/backends/sql/schema.hpp"

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

void EnsureSchema(Database& db) {
  if (!db.HasTable("pm_folder")) CreateSchema(db, false);
}

}  // namespace plexion::backends
