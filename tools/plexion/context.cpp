#include "context.hpp"

#include "plexion/backends/config/config_services.hpp"

namespace plexion::cli {

backends::Configuration Context::LoadConfiguration() const {
  return backends::Configuration::Discover(configPath);
}

void Context::Install(backends::Configuration config) const {
  if (!dbUrl.empty()) config.databaseUrl = dbUrl;
  backends::InstallConfigServices(std::make_shared<const backends::Configuration>(std::move(config)));
}

void AddConfigOption(CLI::App& command, Context& ctx) {
  command.add_option("--config", ctx.configPath,
                     "configuration file (default: $PLEXION_CONFIG, else built-in defaults)");
}

}  // namespace plexion::cli
