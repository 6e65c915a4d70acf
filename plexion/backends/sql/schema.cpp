#include "plexion/backends/sql/schema.hpp"

#include <algorithm>
#include <array>
#include <regex>
#include <set>

#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {

namespace {

constexpr std::string_view kMigrationsFolder = "migrations/";
constexpr std::string_view kDemoFolder = "demo/";
constexpr std::string_view kVersionTable = "plexion_schema_version";

// What users keep, by kind; the tables a migration fills itself are not among them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 10> kDocumentKinds{{
    {"folders", "pm_folder"},
    {"report-group schedules", "rg_schedule"},
    {"soft-alarm schedules", "sa_schedule"},
    {"reports", "rpt_report"},
    {"folder documents (scenarios, templates)", "fs_document"},
    {"stored date-time scopes", "dt_scope"},
    {"stored destinations", "out_destination"},
    {"servers", "ea_server"},
    {"data-availability systems", "cov_system"},
    {"hours of loaded data", "cov_load"},
}};

[[noreturn]] void Fail(Status status, const std::string& message) {
  throw Error::External(status, "DbService", message);
}

std::string_view FileName(std::string_view path) { return path.substr(path.rfind('/') + 1); }

void SortByFileName(std::vector<SqlScript>& scripts) {
  std::stable_sort(scripts.begin(), scripts.end(), [](const SqlScript& a, const SqlScript& b) {
    return FileName(a.path) < FileName(b.path);
  });
}

std::vector<std::string> StatementsOf(const std::vector<SqlScript>& scripts,
                                      const Dialect& dialect) {
  std::vector<std::string> statements;
  for (const SqlScript& script : scripts)
    for (std::string& s : SplitSqlScript(dialect.Expand(script.text)))
      statements.push_back(std::move(s));
  return statements;
}

// The object a statement creates, as (kind in lower case, name as written); an empty kind when
// none.
std::pair<std::string, std::string> CreatedBy(const std::string& statement) {
  static const std::regex kCreate(
      R"(^\s*CREATE\s+(?:OR\s+REPLACE\s+)?(TABLE|VIEW|FUNCTION|PROCEDURE|SCHEMA)\s+)"
      R"((?:IF\s+NOT\s+EXISTS\s+)?([A-Za-z_][A-Za-z0-9_.]*))",
      std::regex::icase);
  std::smatch m;
  if (!std::regex_search(statement, m, kCreate)) return {};
  return {FoldCase(m[1].str()), m[2].str()};
}

// The table or view a statement creates or writes, in lower case ("" for none): repairing
// runs it only where that object was missing.
std::string TableOf(const std::string& statement) {
  static const std::array<std::regex, 3> kPatterns{
      std::regex(R"(^\s*CREATE\s+(?:TABLE|VIEW)\s+(?:IF\s+NOT\s+EXISTS\s+)?([A-Za-z_][\w.]*))",
                 std::regex::icase),
      std::regex(R"(^\s*(?:INSERT\s+INTO|ALTER\s+TABLE|UPDATE|DELETE\s+FROM)\s+([A-Za-z_][\w.]*))",
                 std::regex::icase),
      std::regex(
          R"(^\s*CREATE\s+(?:UNIQUE\s+)?(?:INDEX|TRIGGER)\b[\s\S]*?\bON\s+([A-Za-z_][\w.]*))",
          std::regex::icase),
  };
  std::smatch m;
  for (const std::regex& pattern : kPatterns)
    if (std::regex_search(statement, m, pattern)) return FoldCase(m[1].str());
  return {};
}

// True for a statement that writes rows (an index or trigger on a table fills nothing).
bool Fills(const std::string& statement) {
  static const std::regex kInsert(R"(^\s*INSERT\s+INTO\s)", std::regex::icase);
  return std::regex_search(statement, kInsert);
}

// The tables and views there, their names in lower case.
std::set<std::string> PresentTables(Database& db) {
  std::set<std::string> names;
  for (const auto& row : db.Query(std::string(DialectOf(db.engine()).tablesAndViewsSql)).rows)
    names.insert(FoldCase(ToString(row.at(0))));
  return names;
}

int RecordedVersion(Database& db) {
  const Variant v = db.Query("SELECT max(version) AS version FROM " + std::string(kVersionTable))
                        .rows.at(0)
                        .at(0);
  return v.IsNull() ? 0 : ToInt32(v);
}

// The tables and views the migrations up to a version create, in creation order, as written.
std::vector<std::string> TablesCreated(const std::vector<Migration>& migrations, int upTo,
                                       const Dialect& dialect) {
  std::vector<std::string> tables;
  for (const Migration& m : migrations)
    if (m.version <= upTo)
      for (const std::string& s : m.StatementsFor(dialect))
        if (auto [kind, name] = CreatedBy(s); kind == "table" || kind == "view")
          tables.push_back(name);
  return tables;
}

void LockForMigration(Database& db) {
  const std::string_view lock = DialectOf(db.engine()).migrationLock;
  if (!lock.empty()) db.Execute(std::string(lock));
}

void Record(Database& db, const Migration& m) {
  db.Execute("INSERT INTO " + std::string(kVersionTable) + " (version, name) VALUES (:p0, :p1)",
             {Variant(std::int32_t{m.version}), Variant(m.name)});
}

// Schema statements may take long on a large database (a new summary filled from its rows).
void RunUnbounded(Database& db, const std::string& statement) {
  db.Execute(statement, {}, Milliseconds(0));
}

// Creates what the recorded migrations made and is missing; stamps an unversioned database.
void RepairInTransaction(Database& db, const std::vector<Migration>& migrations,
                         const Dialect& dialect, std::vector<std::string>& done) {
  db.InTransaction([&] {
    LockForMigration(db);
    const SchemaState state = InspectSchema(db, migrations);  // again, under the lock
    if (state.missing.empty() && !state.unversioned) return;
    const std::set<std::string> present = PresentTables(db);
    const int upTo = state.unversioned ? 1 : state.version;
    for (const Migration& m : migrations) {
      if (m.version > upTo) break;
      for (const std::string& statement : m.StatementsFor(dialect)) {
        const std::string table = TableOf(statement);
        if (!table.empty() && present.contains(table)) continue;
        RunUnbounded(db, statement);
        if (auto [kind, name] = CreatedBy(statement); kind == "table" || kind == "view")
          done.push_back("created the missing " + kind + " " + name + " of " + m.Title());
      }
    }
    if (state.unversioned) {
      Record(db, migrations.front());
      done.push_back("recorded a schema made before versions were kept as " +
                     migrations.front().Title());
    }
  });
}

void Repair(Database& db, const std::vector<Migration>& migrations,
            std::vector<std::string>& done) {
  const Dialect& dialect = DialectOf(db.engine());
  try {
    RepairInTransaction(db, migrations, dialect, done);
  } catch (const Error& e) {
    throw Error::External(
        e.status(), e.source(),
        "repairing the database's schema failed and was undone: " + e.description());
  }
}

void Apply(Database& db, const Migration& m, std::vector<std::string>& done) {
  bool applied = false;
  try {
    db.InTransaction([&] {
      LockForMigration(db);
      // Another process may have run it meanwhile.
      if (db.HasTable(std::string(kVersionTable)) && RecordedVersion(db) >= m.version) return;
      for (const std::string& statement : m.StatementsFor(DialectOf(db.engine())))
        RunUnbounded(db, statement);
      Record(db, m);
      applied = true;
    });
  } catch (const Error& e) {
    throw Error::External(e.status(), e.source(),
                          m.Title() + " failed and was undone; the database stays at version " +
                              std::to_string(m.version - 1) + ": " + e.description());
  }
  if (applied) done.push_back("applied " + m.Title());
}

std::int64_t CountRows(Database& db, std::string_view table) {
  return static_cast<std::int64_t>(
      ToDouble(db.Query("SELECT count(*) AS n FROM " + std::string(table)).rows.at(0).at(0)));
}

}  // namespace

std::string Migration::Title() const {
  return "migration " + std::to_string(version) + " (" + name + ")";
}

std::vector<std::string> Migration::StatementsFor(const Dialect& dialect) const {
  std::vector<SqlScript> own;
  for (const SqlScript& s : scripts) {
    // migrations/NNN_name/file.sql, or migrations/NNN_name/ENGINE/file.sql
    const std::string_view inFolder = s.path.substr(s.path.find('/', kMigrationsFolder.size()) + 1);
    const auto slash = inFolder.find('/');
    if (slash == std::string_view::npos || inFolder.substr(0, slash) == dialect.name)
      own.push_back(s);
  }
  SortByFileName(own);
  return StatementsOf(own, dialect);
}

const std::vector<Migration>& Migrations() {
  static const std::vector<Migration> migrations = [] {
    static const std::regex kFolder(R"(migrations/(\d{3})_([a-z0-9_]+)/.*\.sql)");
    std::vector<Migration> list;
    for (const SqlScript& s : EmbeddedScripts()) {
      std::match_results<std::string_view::const_iterator> m;
      if (!std::regex_match(s.path.begin(), s.path.end(), m, kFolder)) continue;
      const int version = std::stoi(m[1].str());
      if (list.empty() || list.back().version != version) list.push_back({version, m[2].str(), {}});
      list.back().scripts.push_back(s);
    }
    // The embedded scripts are sorted by path: versions must then read 1, 2, 3, ...
    for (std::size_t i = 0; i < list.size(); ++i)
      if (list[i].version != static_cast<int>(i) + 1)
        Fail(status::Database,
             "the library's migrations skip or repeat version " + std::to_string(i + 1));
    return list;
  }();
  return migrations;
}

SchemaState InspectSchema(Database& db, const std::vector<Migration>& migrations) {
  const Dialect& dialect = DialectOf(db.engine());
  const std::set<std::string> present = PresentTables(db);
  SchemaState state;
  state.latest = migrations.empty() ? 0 : migrations.back().version;
  state.version = present.contains(std::string(kVersionTable)) ? RecordedVersion(db) : 0;
  if (state.version == 0)
    for (const std::string& table : TablesCreated(migrations, 1, dialect))
      state.unversioned = state.unversioned || present.contains(FoldCase(table));
  const int upTo = state.unversioned ? 1 : state.version;
  for (const std::string& table : TablesCreated(migrations, upTo, dialect))
    if (!present.contains(FoldCase(table)) && table != kVersionTable)
      state.missing.push_back(table);
  for (const Migration& m : migrations)
    if (m.version > upTo) state.pending.push_back(&m);
  return state;
}

std::vector<std::string> UpgradeSchema(Database& db, const std::vector<Migration>& migrations) {
  const SchemaState state = InspectSchema(db, migrations);
  if (state.version > state.latest)
    Fail(status::Database, "this database's schema is at version " + std::to_string(state.version) +
                               ", newer than this Plexion knows (" + std::to_string(state.latest) +
                               "): use the release that upgraded it, or a later one");
  std::vector<std::string> done;
  if (!state.missing.empty() || state.unversioned) Repair(db, migrations, done);
  for (const Migration* m : state.pending) Apply(db, *m, done);
  return done;
}

void EnsureSchema(Database& db) { UpgradeSchema(db); }

std::vector<DocumentCount> CountDocuments(Database& db) {
  const std::set<std::string> present = PresentTables(db);
  std::vector<DocumentCount> counts;
  for (const auto& [kind, table] : kDocumentKinds)
    if (present.contains(std::string(table))) counts.push_back({kind, table, CountRows(db, table)});
  return counts;
}

std::vector<std::string> RowsAResetDeletes(Database& db) {
  const Dialect& dialect = DialectOf(db.engine());
  // The lists a migration fills (event types, document types) and the record of migrations.
  std::set<std::string> filledByMigrations{std::string(kVersionTable)};
  for (const Migration& m : Migrations())
    for (const std::string& s : m.StatementsFor(dialect))
      if (Fills(s)) filledByMigrations.insert(TableOf(s));
  const std::set<std::string> present = PresentTables(db);
  std::vector<std::string> held;
  for (const Migration& m : Migrations())
    for (const std::string& s : m.StatementsFor(dialect)) {
      const auto [kind, table] = CreatedBy(s);
      if (kind != "table" || !present.contains(FoldCase(table)) ||
          filledByMigrations.contains(FoldCase(table)))
        continue;
      const std::int64_t n = CountRows(db, table);
      if (n == 0) continue;
      const auto known = std::find_if(kDocumentKinds.begin(), kDocumentKinds.end(),
                                      [&](const auto& k) { return k.second == table; });
      held.push_back((known == kDocumentKinds.end() ? table : std::string(known->first)) + ": " +
                     std::to_string(n));
    }
  return held;
}

void ResetSchema(Database& db, bool withDemo) {
  const Dialect& dialect = DialectOf(db.engine());
  std::vector<std::pair<std::string, std::string>> created;
  for (const Migration& m : Migrations())
    for (const std::string& s : m.StatementsFor(dialect))
      if (auto object = CreatedBy(s); !object.first.empty()) created.push_back(object);
  db.InTransaction([&] {
    LockForMigration(db);
    // Dependants first: the objects in the reverse of the order they were created in.
    for (auto it = created.rbegin(); it != created.rend(); ++it)
      db.Execute("DROP " + UpperCase(it->first) + " IF EXISTS " + it->second +
                 std::string(dialect.dropDependents));  // a function takes its triggers along
    UpgradeSchema(db);
    if (!withDemo) return;
    std::vector<SqlScript> demo;
    for (const SqlScript& s : EmbeddedScripts())
      if (s.path.starts_with(kDemoFolder)) demo.push_back(s);
    SortByFileName(demo);
    for (const std::string& statement : StatementsOf(demo, dialect)) db.Execute(statement);
  });
}

}  // namespace plexion::backends
