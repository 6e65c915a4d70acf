#include "context.hpp"

namespace plexion::cli {

void RegisterScheduleCommands(CLI::App&, Context&) {}

}  // namespace plexion::cli
