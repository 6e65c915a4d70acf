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

constexpr std::array<std::pair<std::string_view, SqliteRoutine>, 1> kRoutines{{
    {"EA_DD.ea_num_servers_for_repgroup", &NumServersForReportGroup},
}};

}  // namespace

SqliteRoutine FindSqliteRoutine(std::string_view name) {
  for (const auto& [routineName, routine] : kRoutines)
    if (EqualsNoCase(routineName, name)) return routine;
  return nullptr;
}

}  // namespace plexion::backends
