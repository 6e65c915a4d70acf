#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "plexion/backends/config/configuration.hpp"
#include "plexion/platform/error.hpp"

namespace plexion::backends {
namespace {

std::string ErrorText(std::string_view toml) {
  try {
    Configuration::Parse(toml, "site.toml");
  } catch (const Error& e) {
    EXPECT_EQ(e.status(), status::Configuration);
    return e.description();
  }
  return "no error";
}

TEST(Configuration, ReadsEveryKeyItKnowsKeepingDefaultsForTheOthers) {
  const Configuration c = Configuration::Parse(R"(
[database]
url = "sqlite3://db=/tmp/x.db"
[system]
enterprise_mode = true
hour_slot_count = 48
[features]
Express_Reports = true
EN_SNMP_Support = false
[settings]
time_zones_enabled = true
time_zone_region = "Central"
[settings.immediate_defaults]
Days = 3
Extra = "x"
[[settings.weekdays]]
ui = "Lundi"
db = 2
[group_by]
default_dl_group_by = "S"
)",
                                               "site.toml");
  EXPECT_EQ(std::tuple(c.source, c.databaseUrl, c.enterpriseMode, c.hourSlotCount,
                       c.features.at("Express_Reports"), c.features.at("EN_SNMP_Support"),
                       c.timeZonesEnabled, c.timeZoneRegion, c.defaultDLGroupBy),
            std::tuple("site.toml", "sqlite3://db=/tmp/x.db", true, 48, true, false, true,
                       "Central", "S"));
  EXPECT_EQ(std::tuple(*c.immediateDefaults.Find("Days"), *c.immediateDefaults.Find("Download"),
                       *c.immediateDefaults.Find("Extra")),
            std::tuple(Variant(std::int32_t{3}), Variant("N"), Variant("x")))
      << "an unlisted key keeps its default";
  ASSERT_EQ(c.weekdays.size(), 1u) << "a weekday list replaces the default one";
  EXPECT_EQ(c.weekdays[0].ui, "Lundi");
}

TEST(Configuration, ABadFileIsReportedWithItsLineAndProblem) {
  for (const auto& [toml, message] : std::vector<std::pair<std::string, std::string>>{
           {"[system]\nenterprise_mode = \"yes\"\n",
            "site.toml:2: 'enterprise_mode' must be true or false"},
           {"\n\n[system]\nenterprize_mode = true\n",
            "site.toml:4: unknown key 'enterprize_mode' in [system]"},
           {"[colour]\n", "site.toml:1: unknown key 'colour'"},
           {"[system]\nhour_slot_count = 0\n", "site.toml:2: 'hour_slot_count' must be at least 1"},
           {"[features]\nExpress_Reports = 1\n",
            "site.toml:2: 'Express_Reports' must be true or false"},
           {"[[settings.weekdays]]\nui = \"Sunday\"\n",
            "site.toml:1: a weekday needs both 'ui' and 'db'"},
           {"[database]\nbusy_timeout = -1\n",
            "site.toml:2: 'busy_timeout' must be a number of seconds from 0 to 1000000"}})
    EXPECT_EQ(ErrorText(toml), message);
  for (const char* bad : {"[system\n", "[database]\nstatement_timeout = \"60\"\n",
                          "[database]\nreconnect_timeout = 1e7\n"})
    EXPECT_EQ(ErrorText(bad).substr(0, 10), "site.toml:") << bad;
  try {
    Configuration::Load("/nonexistent/plexion.toml");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.description(), "/nonexistent/plexion.toml: cannot open the configuration file");
  }
}

TEST(Configuration, DatabaseTimeOutsAreInSeconds) {
  using namespace std::chrono_literals;
  const DatabaseOptions d = Configuration::Defaults().database;
  EXPECT_EQ(std::tuple(d.busyTimeout, d.statementTimeout, d.reconnectTimeout),
            std::tuple(5000ms, 60000ms, 5000ms));
  const DatabaseOptions c =
      Configuration::Parse(
          "[database]\nbusy_timeout = 2.5\nstatement_timeout = 0\nreconnect_timeout = 1000000\n",
          "site.toml")
          .database;
  EXPECT_EQ(std::tuple(c.busyTimeout, c.statementTimeout, c.reconnectTimeout),
            std::tuple(2500ms, 0ms, 1000000000ms))
      << "both ends of the range are allowed";
}

TEST(Configuration, AFileWithAPasswordThatOthersCanReadIsWarnedOf) {
  namespace fs = std::filesystem;
  const fs::path file = fs::temp_directory_path() / ("plexion-secret-" + std::to_string(getpid()));
  const std::string withPassword = "postgresql://host=h dbname=d user=u password=s3cret";
  std::ofstream(file) << "[database]\nurl = \"" << withPassword << "\"\n";
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                            fs::perms::others_read);
  const std::string warning = PasswordFileWarning(file.string(), withPassword);
  EXPECT_NE(warning.find(file.string() + " holds a database password"), std::string::npos);
  EXPECT_NE(warning.find("chmod 600 " + file.string()), std::string::npos);
  EXPECT_EQ(warning.find("s3cret"), std::string::npos);
  EXPECT_EQ(Configuration::Load(file.string()).databaseUrl, withPassword) << "only a warning";
  EXPECT_EQ(PasswordFileWarning(file.string(), "postgresql://host=h dbname=d user=u"), "");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(PasswordFileWarning(file.string(), withPassword), "");
  fs::remove(file);
}

}  // namespace
}  // namespace plexion::backends
