#include "plexion/backends/config/configuration.hpp"

#include <toml++/toml.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "plexion/platform/error.hpp"

namespace plexion::backends {

namespace {

constexpr std::string_view kSource = "Plexion configuration";

[[noreturn]] void Fail(const std::string& file, int line, const std::string& what) {
  std::string where = file;
  if (line > 0) where += ":" + std::to_string(line);
  throw Error::External(status::Configuration, std::string(kSource), where + ": " + what);
}

class Reader {
 public:
  Reader(const std::string& file, Configuration& config) : file_(file), c_(config) {}

  void Read(const toml::table& root) {
    for (auto&& [key, node] : root) {
      const std::string k(key.str());
      if (k == "database") Database(Table(node, k));
      else if (k == "system") System(Table(node, k));
      else if (k == "features") Features(Table(node, k));
      else if (k == "settings") Settings(Table(node, k));
      else if (k == "group_by") GroupBy(Table(node, k));
      else Unknown(node, k, "");
    }
  }

 private:
  int Line(const toml::node& n) const { return static_cast<int>(n.source().begin.line); }

  [[noreturn]] void Unknown(const toml::node& n, const std::string& key, const std::string& in) {
    Fail(file_, Line(n), "unknown key '" + key + "'" + (in.empty() ? "" : " in [" + in + "]"));
  }

  const toml::table& Table(const toml::node& n, const std::string& key) {
    if (!n.is_table()) Fail(file_, Line(n), "'" + key + "' must be a table");
    return *n.as_table();
  }

  template <class T>
  T Value(const toml::node& n, const std::string& key, const char* expected) {
    if (auto v = n.value_exact<T>()) return *v;
    Fail(file_, Line(n), "'" + key + "' must be " + expected);
  }

  std::int32_t Int32(const toml::node& n, const std::string& key) {
    const auto v = Value<std::int64_t>(n, key, "an integer");
    if (v < INT32_MIN || v > INT32_MAX) Fail(file_, Line(n), "'" + key + "' is out of range");
    return static_cast<std::int32_t>(v);
  }

  // A number of seconds, whole or not, from 0 to a million.
  Milliseconds Seconds(const toml::node& n, const std::string& key) {
    std::optional<double> seconds;
    if (auto i = n.value_exact<std::int64_t>()) seconds = static_cast<double>(*i);
    else if (auto d = n.value_exact<double>()) seconds = *d;
    if (!seconds || !(*seconds >= 0 && *seconds <= 1e6))
      Fail(file_, Line(n), "'" + key + "' must be a number of seconds from 0 to 1000000");
    return Milliseconds(static_cast<long long>(*seconds * 1000 + 0.5));
  }

  void Database(const toml::table& t) {
    for (auto&& [key, node] : t) {
      const std::string k(key.str());
      if (k == "url") c_.databaseUrl = Value<std::string>(node, k, "a string");
      else if (k == "busy_timeout") c_.database.busyTimeout = Seconds(node, k);
      else if (k == "statement_timeout") c_.database.statementTimeout = Seconds(node, k);
      else if (k == "reconnect_timeout") c_.database.reconnectTimeout = Seconds(node, k);
      else Unknown(node, k, "database");
    }
  }

  void System(const toml::table& t) {
    for (auto&& [key, node] : t) {
      const std::string k(key.str());
      if (k == "enterprise_mode") c_.enterpriseMode = Value<bool>(node, k, "true or false");
      else if (k == "hour_slot_count") {
        c_.hourSlotCount = Int32(node, k);
        if (c_.hourSlotCount < 1) Fail(file_, Line(node), "'hour_slot_count' must be at least 1");
      } else Unknown(node, k, "system");
    }
  }

  void Features(const toml::table& t) {
    for (auto&& [key, node] : t) {
      const std::string k(key.str());
      c_.features[k] = Value<bool>(node, k, "true or false");
    }
  }

  void Settings(const toml::table& t) {
    for (auto&& [key, node] : t) {
      const std::string k(key.str());
      if (k == "time_zones_enabled") c_.timeZonesEnabled = Value<bool>(node, k, "true or false");
      else if (k == "time_zone_region") c_.timeZoneRegion = Value<std::string>(node, k, "a string");
      else if (k == "immediate_defaults") Group(Table(node, k), c_.immediateDefaults);
      else if (k == "scheduled_defaults") Group(Table(node, k), c_.scheduledDefaults);
      else if (k == "report_defaults") Group(Table(node, k), c_.reportDefaults);
      else if (k == "weekdays") Weekdays(node);
      else Unknown(node, k, "settings");
    }
  }

  void Group(const toml::table& t, SettingGroupData& group) {
    for (auto&& [key, node] : t) {
      const std::string k(key.str());
      if (auto s = node.value_exact<std::string>()) group.Set(k, Variant(*s));
      else if (auto b = node.value_exact<bool>()) group.Set(k, Variant(*b));
      else if (node.is_integer()) group.Set(k, Variant(Int32(node, k)));
      else if (auto d = node.value_exact<double>()) group.Set(k, Variant(*d));
      else Fail(file_, Line(node), "'" + k + "' must be a string, a number or true/false");
    }
  }

  void Weekdays(const toml::node& n) {
    const toml::array* rows = n.as_array();
    if (!rows)
      Fail(file_, Line(n), "'weekdays' must be an array of tables ([[settings.weekdays]])");
    c_.weekdays.clear();
    for (const toml::node& row : *rows) {
      const toml::table& t = Table(row, "weekdays");
      WeekdayEntry w;
      bool hasUi = false, hasDb = false;
      for (auto&& [key, node] : t) {
        const std::string k(key.str());
        if (k == "ui") w.ui = Value<std::string>(node, k, "a string"), hasUi = true;
        else if (k == "db") w.db = Int32(node, k), hasDb = true;
        else Unknown(node, k, "settings.weekdays");
      }
      if (!hasUi || !hasDb) Fail(file_, Line(row), "a weekday needs both 'ui' and 'db'");
      c_.weekdays.push_back(std::move(w));
    }
  }

  void GroupBy(const toml::table& t) {
    for (auto&& [key, node] : t) {
      const std::string k(key.str());
      if (k == "default_dl_group_by") c_.defaultDLGroupBy = Value<std::string>(node, k, "a string");
      else Unknown(node, k, "group_by");
    }
  }

  const std::string& file_;
  Configuration& c_;
};

}  // namespace

const Variant* SettingGroupData::Find(const std::string& key) const {
  for (const auto& [k, v] : values)
    if (k == key) return &v;
  return nullptr;
}

void SettingGroupData::Set(const std::string& key, Variant value) {
  for (auto& [k, v] : values) {
    if (k == key) {
      v = std::move(value);
      return;
    }
  }
  values.emplace_back(key, std::move(value));
}

Configuration Configuration::Defaults() {
  Configuration c;
  const char* days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                        "Thursday", "Friday", "Saturday"};
  for (std::int32_t i = 0; i < 7; ++i) c.weekdays.push_back({days[i], i + 1});
  c.immediateDefaults = {"ImmediateDefaults",
                         {{"Override", Variant(true)},
                          {"Download", Variant("N")},
                          {"Purge", Variant("Y")},
                          {"Days", Variant(std::int32_t{7})}}};
  c.scheduledDefaults = {"ScheduledDefaults",
                         {{"Override", Variant(false)},
                          {"Download", Variant("N")},
                          {"Purge", Variant("Y")},
                          {"Days", Variant(std::int32_t{30})}}};
  c.reportDefaults = {"ReportDefaults",
                      {{"Equipped Only", Variant("Y")},
                       {"Test Channels", Variant("N")},
                       {"Domain Scenario Id", Variant(std::int32_t{0})}}};
  return c;
}

Configuration Configuration::Parse(std::string_view text, const std::string& sourceName) {
  Configuration c = Defaults();
  c.source = sourceName;
  toml::table root;
  try {
    root = toml::parse(text, sourceName);
  } catch (const toml::parse_error& e) {
    Fail(sourceName, static_cast<int>(e.source().begin.line), std::string(e.description()));
  }
  Reader(sourceName, c).Read(root);
  return c;
}

Configuration Configuration::Load(const std::string& path) {
  std::ifstream in(path);
  if (!in) Fail(path, 0, "cannot open the configuration file");
  std::stringstream text;
  text << in.rdbuf();
  Configuration c = Parse(text.str(), path);
  if (const std::string warning = PasswordFileWarning(path, c.databaseUrl); !warning.empty())
    std::cerr << warning << "\n";
  return c;
}

std::string PasswordFileWarning(const std::string& path, const std::string& databaseUrl) {
  namespace fs = std::filesystem;
  if (PasswordOf(databaseUrl).empty()) return {};
  std::error_code ec;
  const fs::perms perms = fs::status(path, ec).permissions();
  if (ec || (perms & (fs::perms::group_all | fs::perms::others_all)) == fs::perms::none) return {};
  return "plexion: warning: " + path +
         " holds a database password and other users can read it: run chmod 600 " + path +
         ", or keep the password in ~/.pgpass or PGPASSWORD";
}

Configuration Configuration::Discover(const std::string& explicitPath) {
  Configuration c = Defaults();
  if (!explicitPath.empty()) c = Load(explicitPath);
  else if (const char* env = std::getenv("PLEXION_CONFIG"); env && *env) c = Load(env);
  if (const char* db = std::getenv("PLEXION_DB"); db && *db) c.databaseUrl = db;
  return c;
}

}  // namespace plexion::backends
