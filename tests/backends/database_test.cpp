#include "db_fixture.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/memory_recordset.hpp"

namespace plexion::backends {
namespace {

class DbServiceOnDatabase : public testing::DatabaseTest {
 protected:
  Ref<DbRecordset> Open(const std::string& sql) {
    return service->OpenRecordset(sql, true, "", 0, "", "", 60);
  }
};

TEST_P(DbServiceOnDatabase, RecordSetsReadRowsTypedAndByNameWithoutCase) {
  Ref<DbRecordset> rs =
      Open("SELECT Id, RptGrpID, SubFolderName, PurgeInterval, FirstDateTime, TZRegion "
           "FROM rg_schedule_view WHERE Id IN (1, 2) ORDER BY Id");
  ASSERT_TRUE(rs);
  EXPECT_FALSE(rs->IsBOF());
  EXPECT_FALSE(rs->IsEOF());
  Ref<DbFields> f = rs->Fields();
  EXPECT_EQ(f->Item("ID")->Value(), Variant(std::int32_t{1}));
  EXPECT_EQ(f->Item("rptgrpid")->Value(), Variant(std::int32_t{12}));
  EXPECT_EQ(f->Item("SubFolderName")->Value(), Variant("Nightly"));
  EXPECT_EQ(service->FieldDate(f->Item("FirstDateTime")), DateTime::FromParts(2026, 1, 5, 2));
  EXPECT_TRUE(f->Item("TZRegion")->Value().IsNull());
  rs->MoveNext();
  EXPECT_EQ(f->Item("Id")->Value(), Variant(std::int32_t{2})) << "fields follow the current row";
  EXPECT_EQ(service->FieldText(f->Item("TZRegion")), "Central");
  rs->MoveNext();
  EXPECT_TRUE(rs->IsEOF());
  try {
    f->Item("Id")->Value();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 3021);
  }
  rs->Close();
  EXPECT_THROW(rs->IsEOF(), Error);

  Ref<DbRecordset> none = Open("SELECT Id FROM rg_schedule_view WHERE Id = -1");
  EXPECT_TRUE(none->IsBOF());
  EXPECT_TRUE(none->IsEOF());
  EXPECT_THROW(service->FieldLong(none->Fields()->Item("Id")), Error);
}

TEST_P(DbServiceOnDatabase, NullFieldsConvertToNeutralValues) {
  Ref<DbRecordset> rs = Open("SELECT PurgeInterval, TZRegion, LastRunDate FROM rg_schedule_view WHERE Id = 2");
  Ref<DbFields> f = rs->Fields();
  EXPECT_EQ(service->FieldText(f->Item("TZRegion")), "Central");
  EXPECT_EQ(service->FieldLong(f->Item("PurgeInterval")), 0);
  EXPECT_EQ(service->FieldLongOrDefault(f->Item("PurgeInterval"), 1), 1);
  EXPECT_EQ(service->FieldDate(f->Item("LastRunDate")), DateTime());
  EXPECT_THROW(f->Item("NoSuchColumn")->Value(), Error);
}

TEST_P(DbServiceOnDatabase, ValueListsAndDatesWriteRealRows) {
  VariantArray values(0, 2);
  std::int32_t id = 50;
  values.at(0) = Variant::RefTo(id);
  values.at(1) = Variant("it's; -- here");
  values.at(2) = Variant::Null();
  const std::string list = service->FormatValueList(values);
  EXPECT_EQ(list, "50, 'it''s; -- here', NULL");
  service->ExecuteStatement("INSERT INTO pm_folder (id, name, parent_id) VALUES (" + list + ")");
  EXPECT_EQ(service->FieldText(Open("SELECT name FROM pm_folder WHERE id = 50")->Fields()->Item("name")),
            "it's; -- here");

  Ref<DbDate> date = service->MakeDbDate(DateTime::FromParts(2036, 12, 31, 15, 4, 5));
  EXPECT_EQ(date->SqlText(), "'2036-12-31 15:04:05'");
  service->ExecuteStatement("UPDATE rg_schedule SET LastRunDate = " + date->SqlText() + " WHERE Id = 1");
  service->ExecuteStatement("UPDATE rg_schedule SET NextRunDate = " + service->DbNow()->SqlText() +
                            " WHERE Id = 1");
  Ref<DbRecordset> rs = Open("SELECT LastRunDate, NextRunDate FROM rg_schedule WHERE Id = 1");
  EXPECT_EQ(service->FieldDate(rs->Fields()->Item("LastRunDate")),
            DateTime::FromParts(2036, 12, 31, 15, 4, 5));
  EXPECT_GT(service->FieldDate(rs->Fields()->Item("NextRunDate")).serial(), 40000);
  EXPECT_EQ(service->MakeLongValue(-7)->SqlText(), "-7");
}

TEST_P(DbServiceOnDatabase, ColumnsExistWithoutRegardToCase) {
  EXPECT_TRUE(service->ColumnExists("sa_schedule", "TimeOut", "", 0, "", ""));
  EXPECT_TRUE(service->ColumnExists("SA_SCHEDULE", "timeout", "", 0, "", ""));
  EXPECT_FALSE(service->ColumnExists("sa_schedule", "Nope", "", 0, "", ""));
  EXPECT_FALSE(service->ColumnExists("no_such_table", "Id", "", 0, "", ""));
  EXPECT_FALSE(service->ColumnExists("sa_schedule'; DROP TABLE pm_folder; --", "Id", "", 0, "", ""));
  EXPECT_TRUE(db->HasTable("pm_folder"));
}

TEST_P(DbServiceOnDatabase, FailuresCarryTheDatabaseStatusAndMessage) {
  try {
    service->ExecuteStatement("INSERT INTO no_such_table VALUES (1)");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.status(), status::Database);
    EXPECT_EQ(e.source(), "DbService");
    EXPECT_NE(e.description().find("no_such_table"), std::string::npos) << e.description();
  }
  EXPECT_THROW(Open("SELEC 1"), Error);
  EXPECT_THROW(service->ExecuteProcedure("no_such_procedure", VariantArray(0, 0)), Error);
  EXPECT_THROW(service->CallNumericFunction("bad name; DROP TABLE x", "1"), Error);
  EXPECT_THROW(service->ExecuteStatement("INSERT INTO pm_folder (id, name) VALUES (1, 'duplicate')"),
               Error);
  EXPECT_EQ(service->CallNumericFunction("EA_DD.ea_num_servers_for_repgroup", "12, 0"), 3);
}

PLEXION_ON_BOTH_ENGINES(DbServiceOnDatabase);

TEST(DatabaseUrl, EnginesAndBadUrls) {
  EXPECT_EQ(DatabaseUrl::Parse("sqlite3://db=/tmp/a.db").connect, "db=/tmp/a.db");
  EXPECT_EQ(DatabaseUrl::Parse("sqlite3:///tmp/a.db").connect, "db=/tmp/a.db");
  const DatabaseUrl pg = DatabaseUrl::Parse("postgresql://host=h dbname=d");
  EXPECT_EQ(pg.engine, Engine::PostgreSQL);
  EXPECT_EQ(pg.connect, "host=h dbname=d options='-c client_min_messages=warning'");
  for (const char* bad : {"mysql://x", "", "sqlite3://", "postgresql://  "})
    EXPECT_THROW(DatabaseUrl::Parse(bad), Error) << bad;
  EXPECT_THROW(Database::Open(DatabaseUrl::Parse("sqlite3://db=/nonexistent/dir/x.db")), Error);
}

TEST(SqlScripts, SplitAtStatementEndsOnly) {
  const auto parts = SplitSqlScript(
      "-- a comment; not a statement\nCREATE TABLE t (x varchar(9) DEFAULT 'a;b');\n"
      "CREATE FUNCTION f() RETURNS integer AS $$ SELECT 1; $$ LANGUAGE sql;\n  \nSELECT 1");
  ASSERT_EQ(parts.size(), 3u);
  EXPECT_EQ(parts[0], "CREATE TABLE t (x varchar(9) DEFAULT 'a;b')");
  EXPECT_EQ(parts[1], "CREATE FUNCTION f() RETURNS integer AS $$ SELECT 1; $$ LANGUAGE sql");
  EXPECT_EQ(parts[2], "SELECT 1");
}

TEST(SqlScripts, AnEmptyDatabaseGetsItsSchemaOnFirstUse) {
  const auto dir = std::filesystem::temp_directory_path() / ("plexion-empty-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  auto db = Database::Open(DatabaseUrl::Parse("sqlite3://db=" + (dir / "x.db").string()));
  EXPECT_FALSE(db->HasTable("pm_folder"));
  EnsureSchema(*db);
  EXPECT_TRUE(db->HasTable("pm_folder"));
  EXPECT_TRUE(db->HasTable("rg_schedule_view"));
  EXPECT_EQ(db->Query("SELECT Name FROM EN_Event_Type WHERE Event_Type_ID = 1").rows.at(0).at(0),
            Variant("Data load"));
  db->Execute("INSERT INTO pm_folder (id, name) VALUES (1, 'kept')");
  EnsureSchema(*db);  // a database with a schema is left alone
  EXPECT_EQ(db->Query("SELECT name FROM pm_folder").rows.size(), 1u);
  // A database of an earlier release, without the schedule tables, gains them and keeps the rest.
  db->Execute("DROP VIEW SA_Schedule_View");
  db->Execute("DROP VIEW rg_schedule_view");
  db->Execute("DROP TABLE rg_schedule");
  EnsureSchema(*db);
  EXPECT_TRUE(db->HasTable("rg_schedule_view"));
  EXPECT_EQ(db->Query("SELECT name FROM pm_folder").rows.size(), 1u);
  EXPECT_EQ(FirstTableOf("-- x\nCREATE  table IF NOT EXISTS cov_x (a int); CREATE TABLE y (b int)"), "cov_x");
  std::filesystem::remove_all(dir);
}

TEST(ValueLists, ParseBackWhatFormatWrites) {
  const auto values = ParseValueList(" 12, -3 ,'a,''b', NULL, 2.5");
  ASSERT_EQ(values.size(), 5u);
  EXPECT_EQ(values[0], Variant(std::int32_t{12}));
  EXPECT_EQ(values[1], Variant(std::int32_t{-3}));
  EXPECT_EQ(values[2], Variant("a,'b"));
  EXPECT_TRUE(values[3].IsNull());
  EXPECT_EQ(values[4], Variant(2.5));
  EXPECT_TRUE(ParseValueList("").empty());
  for (const char* bad : {"'open", "1 2", "x", "1,,2"}) EXPECT_THROW(ParseValueList(bad), Error) << bad;
}

}  // namespace
}  // namespace plexion::backends
