// plexion batch: many commands in one process, sharing its database connection.
#include <chrono>
#include <iostream>
#include <optional>
#include <thread>

#include "context.hpp"
#include "plexion/platform/error.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/services/unit_of_work.hpp"

namespace plexion::cli {

void RegisterCommands(CLI::App& app, Context& ctx);

namespace {

// `db init` and `demo` recreate a schema through connections of their own, which a unit open
// on the batch's connection would keep waiting for its lock.
bool OpensItsOwnConnections(const std::string& line) {
  const std::string command = line.substr(0, line.find_first_of(" \t"));
  return command == "db" || command == "demo";
}

// Runs one command line as `plexion LINE` would, as one unit of work: stored whole, or not at
// all when the line fails. False when it failed (the reason is printed).
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
    std::optional<services::UnitOfWork> unit;
    if (!OpensItsOwnConnections(line)) unit.emplace();
    app.parse(line, false);
    if (unit && ctx.exitCode == 0) unit->Commit();
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
      "database connection, so that a script makes many calls without connecting for each\n"
      "(scripts/stress drives its writers so). --config and --db apply to every line. Each\n"
      "line is one unit of work (except db and demo, which open connections of their own):\n"
      "all it writes is stored when it succeeds, and nothing when it fails. A line that fails\n"
      "prints \"plexion: line N: ERROR\" on standard error and the next line runs; the exit\n"
      "code is 1 when any line failed.\n"
      "--pause waits that many milliseconds before each line after the first.");
  Examples(*batch,
           {"printf 'sa-schedule save 1 --exclude 3\\nschedule show 1\\n' | plexion batch"});
  batch->add_option("--pause", *pauseMs, "milliseconds to wait between two lines")
      ->check(CLI::Range(0, 60000));
  AddDatabaseOptions(*batch, ctx);
  batch->callback([pauseMs, &ctx] {
    ctx.InstallFromOptions();  // before the first line's unit of work
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
