// The plexion command: the host that runs the main job and every capability from a shell.
#include <iostream>

#include "context.hpp"
#include "plexion/platform/error.hpp"

namespace plexion::cli {
void RegisterCommands(CLI::App& app, Context& ctx);
}

int main(int argc, char** argv) {
  using namespace plexion;
  CLI::App app{"plexion: tab sets, notification hub and data objects for document editors"};
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
