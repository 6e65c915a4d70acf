// What the default data-availability search reads once from the coverage tables: the entity
// types, the systems with their parents' names, the result columns and the data types with the
// span of their loads. Internal to the search.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "plexion/backends/coverage/coverage_search.hpp"

namespace plexion::backends::coverage {

inline constexpr std::string_view kSource = "CoverageDb";

// An error of the search object, with its source and status.
Error SearchError(const std::string& text);
// An index outside a collection: the host language's error 9, raised by the search object.
Error OutOfRange(const std::string& what, std::int32_t index, std::size_t count);

std::string Text(const Variant& v);
std::int32_t Number(const Variant& v);
// A whole number of any size the database hands over (SQLite computed columns come as text).
std::optional<std::int64_t> Whole(const Variant& v);

class EntityType final : public CoverageEntityType {
 public:
  EntityType(std::string name, std::int32_t next, std::int32_t chain, std::int16_t noColumn)
      : name_(std::move(name)), next_(next), chain_(chain), noColumn_(noColumn) {}
  std::int32_t NextTypeId() override { return next_; }
  std::int32_t ChainCount() override { return chain_; }
  std::int16_t NoColumn() override { return noColumn_; }
  std::string TypeName() override { return name_; }

 private:
  std::string name_;
  std::int32_t next_, chain_;
  std::int16_t noColumn_;
};

class EntityTypeList final : public CoverageEntityTypes {
 public:
  std::int32_t Count() override { return static_cast<std::int32_t>(items.size()); }
  Ref<CoverageEntityType> Item(std::int32_t index) override {
    if (index < 1 || static_cast<std::size_t>(index) > items.size())
      throw OutOfRange("entity type", index, items.size());
    return items[static_cast<std::size_t>(index - 1)];
  }
  std::vector<Ref<EntityType>> items;
};

class EntityTypeIndex final : public CoverageEntityTypesById {
 public:
  Ref<CoverageEntityType> Item(std::int32_t id) override {
    auto it = items.find(id);
    return it == items.end() ? Ref<CoverageEntityType>() : Ref<CoverageEntityType>(it->second);
  }
  std::map<std::int32_t, Ref<EntityType>> items;
};

// Shown as its parents' names from the top down, then its own name as the trailing text.
class System final : public CoverageSystem {
 public:
  System(std::string typeName, std::string key, std::string name, std::vector<std::string> parents)
      : typeName_(std::move(typeName)),
        key_(std::move(key)),
        name_(std::move(name)),
        parents_(std::move(parents)) {}
  std::string TypeName() override { return typeName_; }
  std::string Key() override { return key_; }
  std::int16_t FieldCount() override { return static_cast<std::int16_t>(parents_.size()); }
  std::string FieldValue(std::int16_t index) override {
    if (index < 1 || static_cast<std::size_t>(index) > parents_.size())
      throw OutOfRange("field", index, parents_.size());
    return parents_[static_cast<std::size_t>(index - 1)];
  }
  std::string TrailingText() override { return name_; }
  const std::string& name() const { return name_; }

 private:
  std::string typeName_, key_, name_;
  std::vector<std::string> parents_;
};

class SystemList final : public CoverageSystems {
 public:
  std::int32_t Count() override { return static_cast<std::int32_t>(items.size()); }
  Ref<CoverageSystem> Item(std::int32_t index) override {
    if (index < 1 || static_cast<std::size_t>(index) > items.size())
      throw OutOfRange("system", index, items.size());
    return items[static_cast<std::size_t>(index - 1)];
  }
  std::vector<Ref<System>> items;
};

struct SystemInfo {
  std::int32_t id;
  Ref<System> system;
};

struct DataTypeInfo {
  std::int32_t id;
  std::string name, description, entityType;
  std::optional<std::int64_t> firstDay, lastDay;  // loaded, as date-time serials
};

struct ColumnInfo {
  std::string title, width, field;
};

}  // namespace plexion::backends::coverage

namespace plexion::backends {

struct CoverageSearch::Tables {
  Ref<coverage::EntityTypeList> types = MakeRef<coverage::EntityTypeList>();
  Ref<coverage::EntityTypeIndex> byId = MakeRef<coverage::EntityTypeIndex>();
  Ref<coverage::SystemList> systems = MakeRef<coverage::SystemList>();
  std::unordered_map<std::string, coverage::SystemInfo> systemsByKey;
  std::vector<coverage::ColumnInfo> columns;
  std::vector<coverage::DataTypeInfo> dataTypes;
  std::optional<std::int64_t> firstDay, lastDay;  // of every data type's loads

  const coverage::DataTypeInfo* DataType(const std::string& name) const {
    for (const coverage::DataTypeInfo& d : dataTypes)
      if (d.name == name) return &d;
    return nullptr;
  }
};

}  // namespace plexion::backends
