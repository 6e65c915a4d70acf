// What every command shares: the configuration and database options and the backends they pick.
#pragma once

#include <CLI/CLI.hpp>
#include <initializer_list>
#include <iosfwd>
#include <memory>
#include <string>

#include "plexion/backends/config/configuration.hpp"

namespace plexion::cli {

// The command's exit status, as shell tools use it.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // the command ran and failed: an error, an unknown name
inline constexpr int kExitUsage = 2;    // the command line does not parse

struct Context {
  std::string configPath;  // --config
  std::string dbUrl;       // --db
  int exitCode = 0;

  // The configuration of --config, PLEXION_CONFIG or the built-in defaults.
  backends::Configuration LoadConfiguration() const;
  // Installs the default backends for the process from a configuration (--db overriding).
  void Install(backends::Configuration config) const;
  // Loads the configuration and installs the backends from it.
  void InstallFromOptions() const { Install(LoadConfiguration()); }
};

// Adds --config to a command.
void AddConfigOption(CLI::App& command, Context& ctx);
// Adds --config and --db to a command that reaches the database.
void AddDatabaseOptions(CLI::App& command, Context& ctx);
// Gives --config to every command that has not taken it yet: such a command reads no setting,
// but still reads the file, so that a broken file is reported wherever it is named.
void AddConfigOptionEverywhere(CLI::App& app, Context& ctx);

// Help in the form of a manual page for the command and every subcommand added after this call.
void UseManualPageHelp(CLI::App& app);

// The EXAMPLES section of a command's manual page.
void Examples(CLI::App& command, std::initializer_list<const char*> lines);

// One registration function per group of commands.
void RegisterTabCommands(CLI::App& app, Context& ctx);
void RegisterDemo(CLI::App& app, Context& ctx);
void RegisterDatabaseCommands(CLI::App& app, Context& ctx);
void RegisterScheduleCommands(CLI::App& app, Context& ctx);
void RegisterSoftAlarmCommands(CLI::App& app, Context& ctx);
void RegisterReportCommands(CLI::App& app, Context& ctx);
void RegisterDataAvailCommands(CLI::App& app, Context& ctx);
void RegisterComponentCommands(CLI::App& app, Context& ctx);
void RegisterBatchCommand(CLI::App& app, Context& ctx);

}  // namespace plexion::cli
