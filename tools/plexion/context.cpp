#include "context.hpp"

#include "plexion/backends/defaults.hpp"

namespace plexion::cli {

backends::Configuration Context::LoadConfiguration() const {
  return backends::Configuration::Discover(configPath);
}

void Context::Install(backends::Configuration config) const {
  if (!dbUrl.empty()) config.databaseUrl = dbUrl;
  backends::InstallDefaults(config);
}

void AddConfigOption(CLI::App& command, Context& ctx) {
  command.add_option("--config", ctx.configPath,
                     "configuration file (default: $PLEXION_CONFIG, else built-in defaults)");
}

}  // namespace plexion::cli

namespace plexion::cli {
void AddDatabaseOptions(CLI::App& command, Context& ctx) {
  AddConfigOption(command, ctx);
  command.add_option(
      "--db", ctx.dbUrl,
      "database URL: sqlite3://db=FILE or postgresql://host=HOST dbname=NAME "
      "(default: $PLEXION_DB, the configuration file, else the per-user SQLite file)");
}
}  // namespace plexion::cli
