#include "plexion/testing/coverage_doubles.hpp"

#include "plexion/testing/config_doubles.hpp"

namespace plexion::testing {

std::string ArrayText(const StringArray& a) { return Variant(a).Describe(); }

StringArray FieldsByRows(const std::vector<std::vector<std::string>>& cells) {
  const auto nRows = static_cast<std::int32_t>(cells.size());
  const auto nFields = cells.empty() ? 0 : static_cast<std::int32_t>(cells[0].size());
  StringArray a(Bounds{1, nFields}, Bounds{1, nRows});
  for (std::int32_t j = 1; j <= nRows; ++j)
    for (std::int32_t f = 1; f <= nFields; ++f)
      a.at(f, j) = cells[static_cast<std::size_t>(j - 1)][static_cast<std::size_t>(f - 1)];
  return a;
}

namespace {

Error OutOfRange() {
  return Error(status::FromErrorNumber(errnum::SubscriptOutOfRange), errnum::SubscriptOutOfRange,
               "CoverageDb", "Subscript out of range");
}

class FakeEntityType final : public CoverageEntityType {
 public:
  FakeEntityType(Ref<FakeCoverageDb> db, EntityTypeSpec spec)
      : db_(std::move(db)), spec_(std::move(spec)) {}
  std::int32_t NextTypeId() override {
    Log("NextTypeId");
    return spec_.next;
  }
  std::int32_t ChainCount() override {
    Log("ChainCount");
    return spec_.chain;
  }
  std::int16_t NoColumn() override {
    Log("NoColumn");
    return spec_.noColumn;
  }
  std::string TypeName() override {
    Log("TypeName");
    return spec_.name;
  }

 private:
  void Log(const char* member) { db_->Log("EntityType(" + spec_.name + ")." + member); }
  Ref<FakeCoverageDb> db_;
  EntityTypeSpec spec_;
};

class FakeEntityTypes final : public CoverageEntityTypes {
 public:
  explicit FakeEntityTypes(Ref<FakeCoverageDb> db) : db_(std::move(db)) {}
  std::int32_t Count() override {
    db_->Log("EntityTypes.Count");
    if (db_->entityTypeCount != -1) return db_->entityTypeCount;
    return static_cast<std::int32_t>(Listed().size());
  }
  Ref<CoverageEntityType> Item(std::int32_t index) override {
    db_->Log(CallText("EntityTypes.Item", index));
    const std::vector<EntityTypeSpec> listed = Listed();
    if (index < 1 || static_cast<std::size_t>(index) > listed.size()) throw OutOfRange();
    return MakeRef<FakeEntityType>(db_, listed[static_cast<std::size_t>(index - 1)]);
  }

 private:
  std::vector<EntityTypeSpec> Listed() const {
    std::vector<EntityTypeSpec> out;
    for (const EntityTypeSpec& t : db_->entityTypes)
      if (t.listed) out.push_back(t);
    return out;
  }
  Ref<FakeCoverageDb> db_;
};

class FakeEntityTypesById final : public CoverageEntityTypesById {
 public:
  explicit FakeEntityTypesById(Ref<FakeCoverageDb> db) : db_(std::move(db)) {}
  Ref<CoverageEntityType> Item(std::int32_t id) override {
    db_->Log(CallText("EntityTypesById.Item", id));
    for (const EntityTypeSpec& t : db_->entityTypes)
      if (t.id == id) return MakeRef<FakeEntityType>(db_, t);
    return {};
  }

 private:
  Ref<FakeCoverageDb> db_;
};

class FakeSystem final : public CoverageSystem {
 public:
  FakeSystem(Ref<FakeCoverageDb> db, SystemSpec spec)
      : db_(std::move(db)), spec_(std::move(spec)) {}
  std::string TypeName() override {
    Log("TypeName");
    return spec_.type;
  }
  std::string Key() override {
    Log("Key");
    return spec_.key;
  }
  std::int16_t FieldCount() override {
    Log("FieldCount");
    return static_cast<std::int16_t>(spec_.fields.size());
  }
  std::string FieldValue(std::int16_t index) override {
    Log(CallText("FieldValue", index));
    if (index < 1 || static_cast<std::size_t>(index) > spec_.fields.size()) throw OutOfRange();
    return spec_.fields[static_cast<std::size_t>(index - 1)];
  }
  std::string TrailingText() override {
    Log("TrailingText");
    return spec_.trailing;
  }

 private:
  void Log(const std::string& member) { db_->Log("System(" + spec_.key + ")." + member); }
  Ref<FakeCoverageDb> db_;
  SystemSpec spec_;
};

class FakeSystems final : public CoverageSystems {
 public:
  explicit FakeSystems(Ref<FakeCoverageDb> db) : db_(std::move(db)) {}
  std::int32_t Count() override {
    db_->Log("Systems.Count");
    return static_cast<std::int32_t>(db_->systems.size());
  }
  Ref<CoverageSystem> Item(std::int32_t index) override {
    db_->Log(CallText("Systems.Item", index));
    if (index < 1 || static_cast<std::size_t>(index) > db_->systems.size()) throw OutOfRange();
    return MakeRef<FakeSystem>(db_, db_->systems[static_cast<std::size_t>(index - 1)]);
  }

 private:
  Ref<FakeCoverageDb> db_;
};

}  // namespace

void FakeCoverageDb::Log(std::string line) {
  log->Add(line);
  for (const std::string& prefix : failOn)
    if (line.compare(0, prefix.size(), prefix) == 0) throw ServiceFailure("CoverageDb");
}

StringArray FakeCoverageDb::DataTypeColumns() {
  Log("CoverageDb.DataTypeColumns");
  return columns;
}
std::string FakeCoverageDb::DataTypeTag() {
  Log("CoverageDb.DataTypeTag");
  return tag;
}
std::int32_t FakeCoverageDb::DataTypeTagValue() {
  Log("CoverageDb.DataTypeTagValue");
  return tagValue;
}
StringArray FakeCoverageDb::DataTypeRows() {
  Log("CoverageDb.DataTypeRows");
  return rows;
}
std::int16_t FakeCoverageDb::SelectedDataTypeCount() {
  Log("CoverageDb.SelectedDataTypeCount");
  return selectedCount;
}
Ref<CoverageEntityTypes> FakeCoverageDb::EntityTypes() {
  Log("CoverageDb.EntityTypes");
  return MakeRef<FakeEntityTypes>(Ref<FakeCoverageDb>(this));
}
Ref<CoverageEntityTypesById> FakeCoverageDb::EntityTypesById() {
  Log("CoverageDb.EntityTypesById");
  return MakeRef<FakeEntityTypesById>(Ref<FakeCoverageDb>(this));
}
Ref<CoverageSystems> FakeCoverageDb::Systems() {
  Log("CoverageDb.Systems");
  return MakeRef<FakeSystems>(Ref<FakeCoverageDb>(this));
}
Variant FakeCoverageDb::RunQuery(std::int32_t& options, const std::string& queryName) {
  Log(CallText("CoverageDb.RunQuery", options, queryName));
  return Variant(std::int32_t{7});
}
std::int32_t FakeCoverageDb::TimeScopeValue() {
  Log("CoverageDb.TimeScopeValue");
  return timeScope;
}
void FakeCoverageDb::SetSelectedDataTypes(const StringArray& types) {
  Log(CallText("CoverageDb.SetSelectedDataTypes", ArrayText(types)));
  dataTypes = types;
}
void FakeCoverageDb::SetSelectedSystems(const StringArray& systemKeys) {
  Log(CallText("CoverageDb.SetSelectedSystems", ArrayText(systemKeys)));
  chosenSystems = systemKeys;
}
void FakeCoverageDb::SetSelectedTimes(const StringArray& selected) {
  Log(CallText("CoverageDb.SetSelectedTimes", ArrayText(selected)));
  times = selected;
}
DateTime FakeCoverageDb::StartDateValue() {
  Log("CoverageDb.StartDateValue");
  return start;
}
void FakeCoverageDb::StartDateValue(DateTime value) {
  Log(CallText("CoverageDb.StartDateValue", value));
  start = value;
}
DateTime FakeCoverageDb::EndDateValue() {
  Log("CoverageDb.EndDateValue");
  return end;
}
void FakeCoverageDb::EndDateValue(DateTime value) {
  Log(CallText("CoverageDb.EndDateValue", value));
  end = value;
}
std::string FakeCoverageDb::MinLoadDateText() {
  Log("CoverageDb.MinLoadDateText");
  return minLoad;
}
std::string FakeCoverageDb::InvalidReason() {
  Log("CoverageDb.InvalidReason");
  return reason;
}
StringArray FakeCoverageDb::ChosenSystemTypes() {
  Log("CoverageDb.ChosenSystemTypes");
  return chosenTypes;
}
StringArray FakeCoverageDb::QueryResults() {
  Log("CoverageDb.QueryResults");
  return {};
}

namespace {
class FakeRow final : public SelectorListRow {
 public:
  FakeRow(Ref<FakeSelectorCtl> selector, std::size_t index)
      : selector_(std::move(selector)), index_(index) {}
  std::string SubItems(std::int16_t index) override {
    FakeSelectorCtl::Row& row = selector_->rows[index_];
    selector_->log->Record("Row(" + row.text + ").SubItems", index);
    return row.subItems[index];
  }
  void SubItems(std::int16_t index, const std::string& text) override {
    FakeSelectorCtl::Row& row = selector_->rows[index_];
    selector_->log->Record("Row(" + row.text + ").SubItems", index, text);
    row.subItems[index] = text;
  }

 private:
  Ref<FakeSelectorCtl> selector_;
  std::size_t index_;
};
}  // namespace

void FakeSelectorCtl::AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) {
  log->Record(name + ".AddColumn", text, width, flag);
  columns.push_back({text, width, flag});
}
void FakeSelectorCtl::SetTag(const std::string& text, std::int32_t value) {
  log->Record(name + ".SetTag", text, value);
  tag = text;
  tagValue = value;
}
Ref<SelectorListRow> FakeSelectorCtl::AddRow(const std::string& text, const std::string& key) {
  log->Record(name + ".AddRow", text, key);
  rows.push_back({text, key, {}});
  return MakeRef<FakeRow>(Ref<FakeSelectorCtl>(this), rows.size() - 1);
}
void FakeSelectorCtl::SelIndex(std::int32_t index) {
  log->Record(name + ".SelIndex", index);
  selIndex = index;
}
std::string FakeSelectorCtl::Caption() {
  log->Record(name + ".Caption");
  return caption;
}
void FakeSelectorCtl::Caption(const std::string& text) {
  log->Record(name + ".Caption", text);
  caption = text;
}
void FakeSelectorCtl::EndLoad() {
  log->Record(name + ".EndLoad");
  ++endLoads;
}

void FakeDateTimeCtl::Scope(std::int32_t value) {
  log->Record("DateTimeCtl.Scope", value);
  scope = value;
}
StringArray FakeDateTimeCtl::SelectedTimesOf() {
  log->Record("DateTimeCtl.SelectedTimesOf");
  return times;
}
float FakeDateTimeCtl::MinWidth() {
  log->Record("DateTimeCtl.MinWidth");
  return minWidth;
}
float FakeDateTimeCtl::MinHeight() {
  log->Record("DateTimeCtl.MinHeight");
  return minHeight;
}

}  // namespace plexion::testing
