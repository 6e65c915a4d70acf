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
      "    PLEXION_REGISTRY  component registry file\n"
      "\n"
      "EXIT STATUS\n"
      "    0  the command did its work (help printed included)\n"
      "    1  the command failed: an error of the library or the database, a name that is\n"
      "       not known (`plexion tabs traffic`), a failed line of `plexion batch`\n"
      "    2  the command line does not parse: no or an unknown command, a missing or\n"
      "       malformed argument, an option the command does not take\n");
  app.require_subcommand(1);
  cli::Context ctx;
  cli::RegisterCommands(app, ctx);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    // The parser's message (or the help asked for) is printed; its own codes are not ours.
    return app.exit(e) == 0 ? cli::kExitSuccess : cli::kExitUsage;
  } catch (const Error& e) {
    std::cerr << "plexion: " << e.description() << " (" << e.source() << ", error " << e.number()
              << ")\n";
    return cli::kExitFailure;
  } catch (const std::exception& e) {
    std::cerr << "plexion: " << e.what() << "\n";
    return cli::kExitFailure;
  }
  return ctx.exitCode;
}
