// Migrations on databases at every earlier state, on both engines: databases made by the
// scripts of the last release before versioning (taken from git), one missing a table, one
// whose migration fails part-way.

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>

#include "../error_of.hpp"
#include "db_fixture.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {
namespace {

using plexion::testing::ErrorOf;

// The release whose scripts made every table anew, each time, without a version.
constexpr const char* kUnversionedRelease = "061f657";

std::optional<std::string> Git(const std::string& args) {
  const std::string command = "git -C '" PLEXION_SOURCE_DIR "' " + args + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return std::nullopt;
  std::string out;
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  return pclose(pipe) == 0 ? std::optional(out) : std::nullopt;
}

// Runs that release's schema and demo scripts as it ran them: the engine's own and the common
// ones, schema then demo, in file-name order. False when git cannot show them.
bool MakeUnversionedDatabase(Database& db) {
  const auto listing = Git(std::string("ls-tree -r --name-only ") + kUnversionedRelease + " db/");
  if (!listing) return false;
  const std::string own = db.engine() == Engine::SQLite ? "db/sqlite/" : "db/postgresql/";
  for (const char* kind : {"schema/", "demo/"}) {
    std::map<std::string, std::string> byFileName;
    std::istringstream paths(*listing);
    for (std::string path; std::getline(paths, path);)
      if (path.starts_with(own + kind) || path.starts_with(std::string("db/common/") + kind))
        byFileName[path.substr(path.rfind('/') + 1)] = path;
    for (const auto& [file, path] : byFileName)
      db.RunScript(Git(std::string("show ") + kUnversionedRelease + ":" + path).value());
  }
  return true;
}

// Every column of every table and view, as the engine's catalogue describes it.
std::vector<std::string> Catalogue(Database& db) {
  std::vector<std::string> lines;
  for (const auto& row : db.Query(std::string(DialectOf(db.engine()).columnsSql)).rows) {
    std::string line;
    for (const Variant& v : row) line += (v.IsNull() ? "NULL" : ToString(v)) + " | ";
    lines.push_back(line);
  }
  return lines;
}

// Every row of every table the library's migrations create, in a stable order.
std::map<std::string, std::vector<std::string>> Rows(Database& db) {
  std::map<std::string, std::vector<std::string>> rows;
  for (const std::string& line : Catalogue(db)) {
    const std::string table = line.substr(0, line.find(' '));
    if (rows.contains(table) || table == "plexion_schema_version") continue;
    auto& out = rows[table];
    for (const auto& row : db.Query("SELECT * FROM " + table).rows) {
      std::string text;
      for (const Variant& v : row) text += (v.IsNull() ? "NULL" : ToString(v)) + ", ";
      out.push_back(text);
    }
    std::sort(out.begin(), out.end());
  }
  return rows;
}

int Version(Database& db) { return InspectSchema(db).version; }
const int kLatest = Migrations().back().version;

class SchemaOnDatabase : public testing::DatabaseTest {
 protected:
  void DropTable(const std::string& table) {
    db->Execute("DROP TABLE " + table + std::string(DialectOf(GetParam()).dropDependents));
  }
};

TEST_P(SchemaOnDatabase, EarlierDatabasesAreRepairedKeepingEveryRow) {
  const std::vector<std::string> fresh = Catalogue(*db);
  struct Case {
    const char* state;
    bool unversioned;
    const char* dropped;  // a table an administrator dropped ("" none)
    const char* view;     // a view of it ("" none)
  };
  for (const Case& c : {Case{"made before versions were kept", true, "", ""},
                        Case{"made before versions were kept, a table dropped", true, "rg_schedule",
                             "rg_schedule_view"},
                        Case{"at version 1, a table dropped", false, "Schedule_Hour_Ex", ""}}) {
    ResetSchema(*db, true);
    if (c.unversioned) {
      db->Execute("DROP TABLE plexion_schema_version");
      if (!MakeUnversionedDatabase(*db)) GTEST_SKIP() << "git cannot show " << kUnversionedRelease;
    }
    auto before = Rows(*db);
    if (*c.dropped) DropTable(c.dropped);
    EXPECT_EQ(InspectSchema(*db).unversioned, c.unversioned) << c.state;

    const std::vector<std::string> done = UpgradeSchema(*db);
    EXPECT_EQ(Version(*db), kLatest) << c.state;
    EXPECT_EQ(Catalogue(*db), fresh) << c.state << ": the same tables as a fresh database";
    auto after = Rows(*db);
    if (*c.dropped) {
      EXPECT_TRUE(after[FoldCase(c.dropped)].empty()) << c.state;
      for (const char* gone : {c.dropped, c.view}) {
        before.erase(FoldCase(gone));
        after.erase(FoldCase(gone));
      }
      EXPECT_NE(std::find(done.begin(), done.end(),
                          std::string("created the missing table ") + c.dropped +
                              " of migration 1 (schema)"),
                done.end())
          << c.state;
    }
    EXPECT_EQ(after, before) << c.state << ": every other row kept";
    EXPECT_TRUE(UpgradeSchema(*db).empty()) << c.state << ": a second upgrade changes nothing";
    // New rows are numbered after the kept ones.
    auto copy = MakeRef<SociProcCall>(db);
    copy->ProcName("FS_CopyExpressScenario");
    copy->AddParam("2", "integer", "", false);
    copy->AddParam("1", "integer", "", false);
    EXPECT_EQ(copy->Execute(), Variant(std::int32_t{5})) << c.state;
  }
}

// Test-only migrations after the library's: their texts live as long as the test binary.
Migration TestMigration(int version, const char* name,
                        std::initializer_list<std::pair<const char*, const char*>> scripts) {
  Migration m{version, name, {}};
  for (const auto& [path, text] : scripts) m.scripts.push_back({path, text});
  return m;
}

// The migration after the latest, with a part for each engine.
const int kNext = kLatest + 1;
std::vector<Migration> WithExtra() {
  std::vector<Migration> migrations = Migrations();
  migrations.push_back(TestMigration(
      kNext, "extra",
      {{"migrations/999_extra/10_extra.sql", "CREATE TABLE cov_extra (id {{id}}, note text);"},
       {"migrations/999_extra/sqlite/20_note.sql",
        "INSERT INTO cov_extra (note) VALUES ('sqlite')"},
       {"migrations/999_extra/postgresql/20_note.sql",
        "INSERT INTO cov_extra (note) VALUES ('postgresql')"}}));
  return migrations;
}

TEST_P(SchemaOnDatabase, AFailingMigrationIsUndoneLeavingTheVersionBeforeIt) {
  const auto before = Rows(*db);
  std::vector<Migration> migrations = Migrations();
  migrations.push_back(
      TestMigration(kNext, "broken",
                    {{"migrations/999_broken/10_extra.sql",
                      "CREATE TABLE cov_extra (id {{id}}, at {{timestamp}});\n"
                      "INSERT INTO cov_extra (at) VALUES ('2026-03-01 00:00:00');\n"
                      "INSERT INTO no_such_table VALUES (1);"}}));
  const Error e = ErrorOf([&] { UpgradeSchema(*db, migrations); });
  EXPECT_NE(e.description().find("migration " + std::to_string(kNext) +
                                 " (broken) failed and was undone; the database stays at version " +
                                 std::to_string(kLatest) + ": "),
            std::string::npos)
      << e.description();
  EXPECT_NE(e.description().find("no_such_table"), std::string::npos) << e.description();
  EXPECT_EQ(Version(*db), kLatest);
  EXPECT_FALSE(db->HasTable("cov_extra")) << "nothing of the failed migration is left";
  EXPECT_EQ(Rows(*db), before);
}

TEST_P(SchemaOnDatabase, AMigrationRunsOnceWithOnlyThisEnginesPart) {
  const std::vector<Migration> migrations = WithExtra();
  EXPECT_EQ(UpgradeSchema(*db, migrations),
            std::vector<std::string>{"applied migration " + std::to_string(kNext) + " (extra)"});
  EXPECT_EQ(
      db->Query("SELECT note FROM cov_extra").rows,
      (std::vector<std::vector<Variant>>{{Variant(std::string(DialectOf(GetParam()).name))}}));
  EXPECT_TRUE(UpgradeSchema(*db, migrations).empty());
  DropTable("cov_extra");
}

TEST_P(SchemaOnDatabase, ADatabaseNewerThanThisReleaseIsRefused) {
  UpgradeSchema(*db, WithExtra());
  const Error newer = ErrorOf([&] { UpgradeSchema(*db); });
  EXPECT_EQ(newer.description(), "this database's schema is at version " + std::to_string(kNext) +
                                     ", newer than this Plexion knows (" + std::to_string(kLatest) +
                                     "): use the release that upgraded it, or a later one");
  DropTable("cov_extra");
}

TEST_P(SchemaOnDatabase, AResetNamesTheDocumentsItWouldDelete) {
  std::map<std::string_view, std::int64_t> counts;
  for (const DocumentCount& d : CountDocuments(*db)) counts[d.table] = d.count;
  EXPECT_EQ(counts["rg_schedule"], 3);
  EXPECT_EQ(counts["sa_schedule"], 2);
  const std::vector<std::string> held = RowsAResetDeletes(*db);
  for (const char* expected : {"report-group schedules: 3", "Schedule_Hour_Ex: 2", "folders: 4"})
    EXPECT_NE(std::find(held.begin(), held.end(), expected), held.end()) << expected;
  for (const std::string& h : held)
    EXPECT_EQ(h.find("EN_Event_Type"), std::string::npos)
        << "a list the schema fills is no document";
  ResetSchema(*db, false);
  EXPECT_TRUE(RowsAResetDeletes(*db).empty());
  EXPECT_EQ(Version(*db), kLatest);
}

PLEXION_ON_BOTH_ENGINES(SchemaOnDatabase);

}  // namespace
}  // namespace plexion::backends
