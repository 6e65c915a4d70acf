// The plexion command: the host that runs the main job and every capability from a shell.
#include <iostream>

#include "context.hpp"
#include "plexion/platform/error.hpp"

namespace plexion::cli {
void RegisterCommands(CLI::App& app, Context& ctx);
}

int main(int argc, char** argv) {
  using namespace plexion;
  CLI::App app{
      "tab sets, notification hub and data objects of document editors, from a shell\n"
      "Plexion tells the editors of a network performance-management client which tab\n"
      "controls to show, and loads and saves their documents. `plexion demo` walks through\n"
      "all of it; `plexion COMMAND --help` describes each command."};
  cli::UseManualPageHelp(app);
  app.footer(
      "ENVIRONMENT\n"
      "    PLEXION_CONFIG    configuration file (overridden by --config)\n"
      "    PLEXION_DB        database URL (overridden by --db)\n"
      "    PLEXION_REGISTRY  component registry file\n");
  app.require_subcommand(1);
  cli::Context ctx;
  cli::RegisterCommands(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e);
  } catch (const Error& e) {
    std::cerr << "plexion: " << e.description() << " (" << e.source() << ", error " << e.number()
              << ")\n";
    return 1;
  } catch (const std::exception& e) {
    std::cerr << "plexion: " << e.what() << "\n";
    return 1;
  }
  return ctx.exitCode;
}
