#include "context.hpp"

namespace plexion::cli {

void RegisterSoftAlarmCommands(CLI::App&, Context&) {}

}  // namespace plexion::cli
