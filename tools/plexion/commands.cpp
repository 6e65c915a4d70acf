#include "context.hpp"

namespace plexion::cli {
// Every group of commands, in the order `plexion --help` lists them.
void RegisterCommands(CLI::App& app, Context& ctx) {
  RegisterDemo(app, ctx);
  RegisterTabCommands(app, ctx);
  RegisterDatabaseCommands(app, ctx);
  RegisterScheduleCommands(app, ctx);
  RegisterSoftAlarmCommands(app, ctx);
  RegisterReportCommands(app, ctx);
  RegisterDataAvailCommands(app, ctx);
  RegisterComponentCommands(app, ctx);
  RegisterBatchCommand(app, ctx);
  AddConfigOptionEverywhere(app, ctx);
}
}  // namespace plexion::cli
