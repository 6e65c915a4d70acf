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

TEST(Configuration, DefaultsWithoutAFile) {
  const Configuration c = Configuration::Defaults();
  EXPECT_FALSE(c.enterpriseMode);
  EXPECT_TRUE(c.features.empty());
  EXPECT_EQ(c.hourSlotCount, 24);
  ASSERT_EQ(c.weekdays.size(), 7u);
  EXPECT_EQ(c.weekdays[0].ui, "Sunday");
  EXPECT_EQ(c.weekdays[0].db, 1);
  EXPECT_EQ(c.weekdays[6].ui, "Saturday");
  EXPECT_EQ(c.weekdays[6].db, 7);
  EXPECT_FALSE(c.timeZonesEnabled);
  EXPECT_EQ(c.defaultDLGroupBy, "R");
}

TEST(Configuration, ReadsEveryKeyAndKeepsDefaultsForTheRest) {
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
  EXPECT_EQ(c.source, "site.toml");
  EXPECT_EQ(c.databaseUrl, "sqlite3://db=/tmp/x.db");
  EXPECT_TRUE(c.enterpriseMode);
  EXPECT_EQ(c.hourSlotCount, 48);
  EXPECT_TRUE(c.features.at("Express_Reports"));
  EXPECT_FALSE(c.features.at("EN_SNMP_Support"));
  EXPECT_TRUE(c.timeZonesEnabled);
  EXPECT_EQ(c.timeZoneRegion, "Central");
  EXPECT_EQ(*c.immediateDefaults.Find("Days"), Variant(std::int32_t{3}));
  EXPECT_EQ(*c.immediateDefaults.Find("Download"), Variant("N")) << "unlisted keys keep defaults";
  EXPECT_EQ(*c.immediateDefaults.Find("Extra"), Variant("x"));
  ASSERT_EQ(c.weekdays.size(), 1u) << "a weekday list replaces the default one";
  EXPECT_EQ(c.weekdays[0].ui, "Lundi");
  EXPECT_EQ(c.defaultDLGroupBy, "S");
}

TEST(Configuration, BadFilesNameTheFileTheLineAndTheProblem) {
  EXPECT_EQ(ErrorText("[system]\nenterprise_mode = \"yes\"\n"),
            "site.toml:2: 'enterprise_mode' must be true or false");
  EXPECT_EQ(ErrorText("\n\n[system]\nenterprize_mode = true\n"),
            "site.toml:4: unknown key 'enterprize_mode' in [system]");
  EXPECT_EQ(ErrorText("[colour]\n"), "site.toml:1: unknown key 'colour'");
  EXPECT_EQ(ErrorText("[system]\nhour_slot_count = 0\n"),
            "site.toml:2: 'hour_slot_count' must be at least 1");
  EXPECT_EQ(ErrorText("[features]\nExpress_Reports = 1\n"),
            "site.toml:2: 'Express_Reports' must be true or false");
  EXPECT_EQ(ErrorText("[[settings.weekdays]]\nui = \"Sunday\"\n"),
            "site.toml:1: a weekday needs both 'ui' and 'db'");
  const std::string syntax = ErrorText("[system\n");
  EXPECT_EQ(syntax.rfind("site.toml:1: ", 0), 0u) << syntax;
  try {
    Configuration::Load("/nonexistent/plexion.toml");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.description(), "/nonexistent/plexion.toml: cannot open the configuration file");
  }
}

TEST(Configuration, DatabaseTimeOutsInSeconds) {
  using namespace std::chrono_literals;
  const DatabaseOptions d = Configuration::Defaults().database;
  EXPECT_EQ(d.busyTimeout, 5000ms);
  EXPECT_EQ(d.statementTimeout, 60000ms);
  EXPECT_EQ(d.reconnectTimeout, 5000ms);
  const DatabaseOptions c =
      Configuration::Parse(
          "[database]\nbusy_timeout = 2.5\nstatement_timeout = 0\nreconnect_timeout = 30\n",
          "site.toml")
          .database;
  EXPECT_EQ(c.busyTimeout, 2500ms);
  EXPECT_EQ(c.statementTimeout, 0ms);
  EXPECT_EQ(c.reconnectTimeout, 30000ms);
  for (const char* bad :
       {"busy_timeout = -1", "statement_timeout = \"60\"", "reconnect_timeout = 1e7"})
    EXPECT_EQ(ErrorText(std::string("[database]\n") + bad + "\n").substr(0, 12), "site.toml:2:")
        << bad;
  EXPECT_EQ(ErrorText("[database]\nbusy_timeout = -1\n"),
            "site.toml:2: 'busy_timeout' must be a number of seconds from 0 to 1000000");
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
