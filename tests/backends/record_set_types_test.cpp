// What a stored value reads back as: the variant type its column's declared type names, alike on
// both engines, and what SQLite's dynamic typing adds on top.
#include "db_fixture.hpp"
#include "plexion/backends/sql/dialect.hpp"

namespace plexion::backends {
namespace {

class RecordSetTypes : public testing::DatabaseTest {
 protected:
  // A fresh table t_read with one column v of the type given.
  void Table(const std::string& type) {
    db->Execute("DROP TABLE IF EXISTS t_read");
    db->Execute("CREATE TABLE t_read (v " + type + ")");
  }
  Variant Stored(const std::string& type, const std::string& literal) {
    Table(type);
    db->Execute("INSERT INTO t_read VALUES (" + literal + ")");
    return db->Query("SELECT v FROM t_read").rows.at(0).at(0);
  }
  std::string timestamp() const { return std::string(DialectOf(GetParam()).timestampType); }
};

struct Case {
  std::string type, sql;
  Variant expected;
};

TEST_P(RecordSetTypes, DeclaredTypesReadAlikeOnBothEngines) {
  const DateTime at = DateTime::FromParts(2036, 12, 31, 15, 4, 5);
  const std::vector<Case> stored = {
      {"integer", "-7", Variant(std::int32_t{-7})},
      {"bigint", "12", Variant(std::int32_t{12})},
      {"bigint", "4294967296", Variant(4294967296.0)},  // past 32 bits: a Double, never cut
      {"real", "2.5", Variant(2.5)},
      {"varchar(8)", "'Y'", Variant("Y")},
      {"text", "''", Variant("")},
      {timestamp(), "'2036-12-31 15:04:05'", Variant(at)},
      {timestamp(), "'2036-12-31T15:04:05.75'", Variant(at)},  // to the second
      {timestamp(), "'2036-12-31'", Variant(DateTime::FromParts(2036, 12, 31))},
      {"integer", "NULL", Variant::Null()},
      {timestamp(), "NULL", Variant::Null()},
  };
  for (const Case& c : stored)
    EXPECT_EQ(Stored(c.type, c.sql), c.expected) << c.type << " " << c.sql;

  // Parameters of a query (an insert that returns its row) go in typed and come back so.
  struct Bound {
    std::string type;
    Variant value, expected;
  };
  const std::vector<Bound> bound = {
      {timestamp(), Variant(at), Variant(at)},
      {"integer", Variant(true), Variant(std::int32_t{-1})},
      {"integer", Variant(std::int16_t{3}), Variant(std::int32_t{3})},
      {"integer", Variant::Null(), Variant::Null()},
      {"text", Variant("it's"), Variant("it's")},
      {"real", Variant(2.5), Variant(2.5)},
  };
  for (const Bound& b : bound) {
    Table(b.type);
    EXPECT_EQ(
        db->Query("INSERT INTO t_read (v) VALUES (:p0) RETURNING v", {b.value}).rows.at(0).at(0),
        b.expected)
        << b.type << " " << b.value;
  }
}

TEST_P(RecordSetTypes, SqliteReadsByDeclaredNameElseByTheFirstRowsValue) {
  if (GetParam() != Engine::SQLite) GTEST_SKIP() << "SQLite's dynamic typing";
  const std::vector<Case> stored = {
      {"integer", "4294967296", Variant(4294967296.0)},
      {"INT", "'12'", Variant(std::int32_t{12})},  // text in a number column: converted
      {"numeric(10,2)", "7", Variant(7.0)},
      {"varchar(8)", "5", Variant("5")},
      {"Date Time", "'2036-12-31'", Variant(DateTime::FromParts(2036, 12, 31))},
  };
  for (const Case& c : stored)
    EXPECT_EQ(Stored(c.type, c.sql), c.expected) << c.type << " " << c.sql;

  // Expressions are text; a type SQLite's names do not cover reads as its first row's value.
  EXPECT_EQ(db->Query("SELECT count(*) AS n FROM t_read").rows.at(0).at(0), Variant("1"));
  Table("money");
  db->Execute("INSERT INTO t_read VALUES (7), ('x'), (2.5), (NULL)");
  const QueryResult r = db->Query("SELECT v FROM t_read");
  ASSERT_EQ(r.rows.size(), 4u);
  EXPECT_EQ(r.columns, std::vector<std::string>{"v"});
  const std::vector<Variant> asFirst = {Variant(std::int32_t{7}), Variant(std::int32_t{0}),
                                        Variant(std::int32_t{2}), Variant::Null()};
  for (std::size_t i = 0; i < asFirst.size(); ++i) EXPECT_EQ(r.rows[i][0], asFirst[i]) << i;

  // Values Plexion cannot read fail with the database's status, naming the column.
  const std::vector<std::pair<std::string, std::string>> unreadable = {
      {"blob", "x'41'"}, {"datetime", "'tomorrow'"}, {"datetime", "'2036-02-30'"}};
  for (const auto& value : unreadable) {
    try {
      Stored(value.first, value.second);
      ADD_FAILURE() << value.first << " " << value.second << " read";
    } catch (const Error& e) {
      EXPECT_EQ(e.status(), status::Database) << value.first << " " << value.second;
      EXPECT_EQ(e.source(), "DbService");
      EXPECT_NE(e.description().find("column v"), std::string::npos) << e.description();
    }
  }
  EXPECT_EQ(db->Query("SELECT count(*) AS n FROM t_read").rows.at(0).at(0), Variant("1"))
      << "the connection reads on after a value it could not read";
}

PLEXION_ON_BOTH_ENGINES(RecordSetTypes);

}  // namespace
}  // namespace plexion::backends
