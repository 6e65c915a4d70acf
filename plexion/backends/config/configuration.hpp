// The configuration file: everything the default services answer, with built-in defaults.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "plexion/backends/sql/database.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion::backends {

// One named group of settings ("ImmediateDefaults"): keys in file order, values as variants.
struct SettingGroupData {
  std::string name;
  std::vector<std::pair<std::string, Variant>> values;
  const Variant* Find(const std::string& key) const;
  void Set(const std::string& key, Variant value);
};

struct WeekdayEntry {
  std::string ui;       // the screen name ("Sunday")
  std::int32_t db = 0;  // the stored number (1)
};

struct Configuration {
  std::string source = "built-in defaults";  // the file it was read from

  std::string databaseUrl;   // a SOCI connection string; empty: the per-user SQLite file
  DatabaseOptions database;  // busy, statement and reconnect time-outs
  bool enterpriseMode = false;
  std::int32_t hourSlotCount = 24;
  std::map<std::string, bool> features;  // keys matched exactly; absent keys are off
  bool timeZonesEnabled = false;
  std::string timeZoneRegion = "UTC";
  std::vector<WeekdayEntry> weekdays;
  SettingGroupData immediateDefaults, scheduledDefaults, reportDefaults;
  std::string defaultDLGroupBy = "R";

  static Configuration Defaults();
  // Reads TOML text; a malformed text or an unknown key is an error naming the source, the
  // line and the problem.
  static Configuration Parse(std::string_view text, const std::string& sourceName);
  static Configuration Load(const std::string& path);
  // The file named by explicitPath, else by PLEXION_CONFIG, else the built-in defaults; the
  // PLEXION_DB environment variable, when set, overrides the file's database URL.
  static Configuration Discover(const std::string& explicitPath = {});
};

// The warning Configuration::Load writes on standard error when the file holds a database
// password and other users have any access to it ("" when not), as libpq treats a .pgpass.
std::string PasswordFileWarning(const std::string& path, const std::string& databaseUrl);

}  // namespace plexion::backends
