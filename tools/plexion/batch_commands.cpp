// plexion batch: many commands in one process, sharing its database connection.
#include <chrono>
#include <iostream>
#include <thread>

#include "context.hpp"
#include "plexion/platform/error.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::cli {

void RegisterCommands(CLI::App& app, Context& ctx);

namespace {

// Runs one command line as `plexion LINE` would; false when it failed (the reason is printed).
bool RunLine(const std::string& line, std::size_t number, const Context& outer) {
  CLI::App app{"plexion"};
  UseManualPageHelp(app);
  app.require_subcommand(1);
  Context ctx;
  ctx.configPath = outer.configPath;
  ctx.dbUrl = outer.dbUrl;
  RegisterCommands(app, ctx);
  const std::string where = "plexion: line " + std::to_string(number) + ": ";
  try {
    app.parse(line, false);
  } catch (const CLI::ParseError& e) {
    if (app.exit(e) == 0) return true;
    std::cerr << where << "the command line is not valid\n";
    return false;
  } catch (const Error& e) {
    std::cerr << where << e.description() << " (" << e.source() << ", error " << e.number()
              << ")\n";
    return false;
  } catch (const std::exception& e) {
    std::cerr << where << e.what() << "\n";
    return false;
  }
  if (ctx.exitCode != 0) std::cerr << where << "exit code " << ctx.exitCode << "\n";
  return ctx.exitCode == 0;
}

}  // namespace

void RegisterBatchCommand(CLI::App& app, Context& ctx) {
  auto pauseMs = std::make_shared<int>(0);
  CLI::App* batch = app.add_subcommand(
      "batch",
      "run commands read from standard input, one a line, in one process\n"
      "Read plexion commands from standard input, one a line, without the word plexion\n"
      "(words split at blanks; \"double quotes\" keep a word whole; empty lines and lines\n"
      "starting with # are skipped), and run them in turn in this process: they share one\n"
      "database connection, opened by the first that needs it, so that a script makes many\n"
      "calls without connecting for each (scripts/stress drives its writers so). --config\n"
      "and --db apply to every line. A line that fails prints \"plexion: line N: ERROR\" on\n"
      "standard error and the next line runs; the exit code is 1 when any line failed.\n"
      "--pause waits that many milliseconds before each line after the first.");
  Examples(*batch,
           {"printf 'sa-schedule save 1 --exclude 3\\nschedule show 1\\n' | plexion batch"});
  batch->add_option("--pause", *pauseMs, "milliseconds to wait between two lines")
      ->check(CLI::Range(0, 60000));
  AddDatabaseOptions(*batch, ctx);
  batch->callback([pauseMs, &ctx] {
    std::string line;
    std::size_t number = 0;
    bool first = true;
    while (std::getline(std::cin, line)) {
      ++number;
      const std::string command = Trim(line);
      if (command.empty() || command[0] == '#') continue;
      if (!first) std::this_thread::sleep_for(std::chrono::milliseconds(*pauseMs));
      first = false;
      if (!RunLine(command, number, ctx)) ctx.exitCode = 1;
      std::cout.flush();
    }
  });
}

}  // namespace plexion::cli
