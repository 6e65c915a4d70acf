#include "plexion/backends/coverage/coverage_tables.hpp"

#include <algorithm>

#include "plexion/backends/sql/database.hpp"
#include "plexion/platform/convert.hpp"

namespace plexion::backends::coverage {

Error SearchError(const std::string& text) {
  return Error::External(kCoverageStatus, std::string(kSource), text);
}

Error OutOfRange(const std::string& what, std::int32_t index, std::size_t count) {
  return Error(status::FromErrorNumber(errnum::SubscriptOutOfRange), errnum::SubscriptOutOfRange,
               std::string(kSource),
               "Subscript out of range: " + what + " " + std::to_string(index) + " (there are " +
                   std::to_string(count) + ")");
}
std::string Text(const Variant& v) { return v.IsNull() ? std::string() : ToString(v); }
std::int32_t Number(const Variant& v) { return v.IsNull() ? 0 : ToInt32(v); }
std::optional<std::int64_t> Whole(const Variant& v) {
  if (v.IsNull()) return std::nullopt;
  return static_cast<std::int64_t>(ToDouble(v));
}

}  // namespace plexion::backends::coverage

namespace plexion::backends {

using coverage::DataTypeInfo;
using coverage::EntityType;
using coverage::Number;
using coverage::SearchError;
using coverage::System;
using coverage::Text;
using coverage::Whole;

// The tables, read from the database in four queries.
std::unique_ptr<CoverageSearch::Tables> CoverageSearch::ReadTables(Database& db) {
  auto t = std::make_unique<CoverageSearch::Tables>();

  for (const auto& r :
       db.Query("SELECT id, position, type_name, next_type_id, chain_count, no_column "
                "FROM cov_entity_type ORDER BY position, id")
           .rows) {
    auto type =
        MakeRef<EntityType>(Text(r[2]), Number(r[3]), Number(r[4]), ToInt16(Variant(Number(r[5]))));
    t->byId->items[Number(r[0])] = type;
    if (!r[1].IsNull()) t->types->items.push_back(type);
  }

  struct Row {
    std::int32_t id;
    std::string key, name, type;
    std::optional<std::int32_t> parent;
  };
  const QueryResult systems = db.Query(
      "SELECT s.id, s.system_key, s.name, t.type_name, s.parent_id "
      "FROM cov_system s JOIN cov_entity_type t ON t.id = s.type_id ORDER BY s.position, s.id");
  std::vector<Row> rows;
  std::unordered_map<std::int32_t, std::size_t> rowOfId;
  rows.reserve(systems.rows.size());
  rowOfId.reserve(systems.rows.size());
  t->systems->items.reserve(systems.rows.size());
  t->systemsByKey.reserve(systems.rows.size());
  for (const auto& r : systems.rows) {
    rowOfId[Number(r[0])] = rows.size();
    rows.push_back({Number(r[0]), Text(r[1]), Text(r[2]), Text(r[3]),
                    r[4].IsNull() ? std::nullopt : std::optional<std::int32_t>(Number(r[4]))});
  }
  for (const Row& row : rows) {
    std::vector<std::string> parents;
    for (auto parent = row.parent; parent;) {
      auto it = rowOfId.find(*parent);
      if (it == rowOfId.end()) break;
      // A chain longer than there are systems comes back to one it passed.
      if (parents.size() == rows.size())
        throw SearchError("the parents of system " + row.key + " come back to it");
      parents.push_back(rows[it->second].name);
      parent = rows[it->second].parent;
    }
    std::reverse(parents.begin(), parents.end());
    if (parents.size() > 32767) throw Error::Runtime(errnum::Overflow);
    auto system = MakeRef<System>(row.type, row.key, row.name, std::move(parents));
    t->systems->items.push_back(system);
    t->systemsByKey[row.key] = {row.id, system};
  }

  for (const auto& r :
       db.Query("SELECT title, width, field FROM cov_data_type_column ORDER BY position").rows)
    t->columns.push_back({Text(r[0]), Text(r[1]), Text(r[2])});

  // Each data type's first and last day from the summary (PostgreSQL indexes them); the span of the
  // loads is theirs (a load's data type is one of them: its foreign key).
  for (const auto& r :
       db.Query("SELECT d.id, d.name, d.description, t.type_name AS entity_type, "
                "(SELECT min(l.load_day) FROM cov_load_day l WHERE l.data_type_id = d.id) AS "
                "first_day, "
                "(SELECT max(l.load_day) FROM cov_load_day l WHERE l.data_type_id = d.id) AS "
                "last_day "
                "FROM cov_data_type d LEFT JOIN cov_entity_type t ON t.id = d.entity_type_id "
                "ORDER BY d.position, d.id")
           .rows) {
    DataTypeInfo type{Number(r[0]), Text(r[1]), Text(r[2]), Text(r[3]), Whole(r[4]), Whole(r[5])};
    if (type.firstDay && (!t->firstDay || *type.firstDay < *t->firstDay))
      t->firstDay = type.firstDay;
    if (type.lastDay && (!t->lastDay || *type.lastDay > *t->lastDay)) t->lastDay = type.lastDay;
    t->dataTypes.push_back(std::move(type));
  }
  return t;
}

}  // namespace plexion::backends
