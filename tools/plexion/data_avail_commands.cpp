#include "context.hpp"

namespace plexion::cli {

void RegisterDataAvailCommands(CLI::App&, Context&) {}

}  // namespace plexion::cli
