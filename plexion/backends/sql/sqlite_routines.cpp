#include "plexion/backends/sql/sqlite_routines.hpp"

#include <array>
#include <utility>

#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {

namespace {

Variant Arg(const std::vector<Variant>& args, std::size_t i, std::string_view routine) {
  if (i >= args.size())
    throw Error::External(status::Database, "DbService",
                          std::string(routine) + " takes more arguments than it was given");
  return args[i];
}

// The servers of a report group, restricted to one server group unless that id is 0.
Variant NumServersForReportGroup(Database& db, const std::vector<Variant>& args) {
  constexpr std::string_view kName = "EA_DD.ea_num_servers_for_repgroup";
  const QueryResult r = db.Query(
      "SELECT count(DISTINCT s.id) AS servers FROM ea_report_group_server rs "
      "JOIN ea_server s ON s.id = rs.server_id "
      "WHERE rs.report_group_id = :p0 AND (:p1 = 0 OR s.server_group_id = :p2)",
      {Arg(args, 0, kName), Arg(args, 1, kName), Arg(args, 1, kName)});
  return r.rows.at(0).at(0);
}

// A copy of an express document of one type for an owner; the new row's id. The source must
// be an express document of that type.
Variant CopyExpressDocument(Database& db, const std::vector<Variant>& args,
                            std::string_view routine, const char* type) {
  const Variant source = Arg(args, 0, routine);
  const Variant owner = Arg(args, 1, routine);
  const QueryResult r = db.Query(
      "INSERT INTO fs_document (doc_type_id, name, folder_id, owner_id, is_express, copied_from) "
      "SELECT d.doc_type_id, d.name, d.folder_id, :p0, d.is_express, d.id "
      "FROM fs_document d JOIN fs_doc_type t ON t.id = d.doc_type_id "
      "WHERE d.id = :p1 AND t.name = :p2 AND d.is_express = 'Y' RETURNING id",
      {owner, source, Variant(type)});
  if (r.rows.empty())
    throw Error::External(status::Database, "DbService",
                          std::string(routine) + ": document " + ToString(source) +
                              " is not an express " + FoldCase(type));
  return r.rows[0].at(0);
}

// Deletes an express document of one type; any other id is left alone.
Variant DeleteExpressDocument(Database& db, const std::vector<Variant>& args,
                              std::string_view routine, const char* type) {
  db.Execute(
      "DELETE FROM fs_document WHERE id = :p0 AND is_express = 'Y' AND doc_type_id IN "
      "(SELECT id FROM fs_doc_type WHERE name = :p1)",
      {Arg(args, 0, routine), Variant(type)});
  return Variant();
}

Variant CopyExpressScenario(Database& db, const std::vector<Variant>& args) {
  return CopyExpressDocument(db, args, "FS_CopyExpressScenario", "Scenario");
}
Variant CopyExpressTemplate(Database& db, const std::vector<Variant>& args) {
  return CopyExpressDocument(db, args, "FS_CopyExpressTemplate", "Template");
}
Variant DeleteExpressScenario(Database& db, const std::vector<Variant>& args) {
  return DeleteExpressDocument(db, args, "FS_DeleteExpressScenario", "Scenario");
}
Variant DeleteExpressTemplate(Database& db, const std::vector<Variant>& args) {
  return DeleteExpressDocument(db, args, "FS_DeleteExpressTemplate", "Template");
}

constexpr std::array<std::pair<std::string_view, SqliteRoutine>, 5> kRoutines{{
    {"EA_DD.ea_num_servers_for_repgroup", &NumServersForReportGroup},
    {"FS_CopyExpressScenario", &CopyExpressScenario},
    {"FS_CopyExpressTemplate", &CopyExpressTemplate},
    {"FS_DeleteExpressScenario", &DeleteExpressScenario},
    {"FS_DeleteExpressTemplate", &DeleteExpressTemplate},
}};

}  // namespace

SqliteRoutine FindSqliteRoutine(std::string_view name) {
  for (const auto& [routineName, routine] : kRoutines)
    if (EqualsNoCase(routineName, name)) return routine;
  return nullptr;
}

}  // namespace plexion::backends
