#include "context.hpp"

namespace plexion::cli {

void RegisterComponentCommands(CLI::App&, Context&) {}

}  // namespace plexion::cli
