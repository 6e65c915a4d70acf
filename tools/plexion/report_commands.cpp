#include "context.hpp"

namespace plexion::cli {

void RegisterReportCommands(CLI::App&, Context&) {}

}  // namespace plexion::cli
