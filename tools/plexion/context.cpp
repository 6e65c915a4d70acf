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

namespace {
constexpr const char* kConfigHelp =
    "configuration file (default: $PLEXION_CONFIG, else built-in defaults)";
}  // namespace

void AddConfigOption(CLI::App& command, Context& ctx) {
  command.add_option("--config", ctx.configPath, kConfigHelp);
}

void AddConfigOptionEverywhere(CLI::App& app, Context& ctx) {
  for (CLI::App* command : app.get_subcommands([](const CLI::App*) { return true; })) {
    if (!command->get_subcommands([](const CLI::App*) { return true; }).empty()) {
      AddConfigOptionEverywhere(*command, ctx);
    } else if (!command->get_option_no_throw("--config")) {
      command->add_option("--config", ctx.configPath, kConfigHelp)
          ->each([](const std::string& path) { (void)backends::Configuration::Load(path); });
    }
  }
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
