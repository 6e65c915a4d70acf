// Recording doubles of the coverage search object and of the selector and date-time controls.
//
// Log lines: "CoverageDb.DataTypeRows", "EntityTypes.Item(2)", "EntityType(SECTOR).ChainCount",
// "System(S1).FieldValue(2)", "Selector.AddColumn(First Avail | 90 | 0)",
// "Row(Traffic).SubItems(1 | hourly)", "DateTimeCtl.Scope(-1)". Arrays are written as the host
// language lists them: String(1 To 2) {"a", "b"}.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "plexion/services/coverage_ctls.hpp"
#include "plexion/services/coverage_db.hpp"
#include "plexion/services/selector_ctls.hpp"
#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

std::string ArrayText(const StringArray& a);

// A two-dimensional array of strings indexed from 1 in both dimensions: cells[j][f] is field f + 1
// of row j + 1, stored as element (f + 1, j + 1).
StringArray FieldsByRows(const std::vector<std::vector<std::string>>& cells);

struct EntityTypeSpec {
  std::int32_t id = 0;  // EntityTypesById finds it under this id
  std::string name;
  std::int32_t next = 0;
  std::int32_t chain = 0;
  std::int16_t noColumn = 0;
  bool listed = true;  // in EntityTypes (else only by id)
};

struct SystemSpec {
  std::string type, key;
  std::vector<std::string> fields;
  std::string trailing;
};

class FakeCoverageDb final : public CoverageDb {
 public:
  explicit FakeCoverageDb(SharedLog log = NewLog()) : log(std::move(log)) {}

  StringArray DataTypeColumns() override;
  std::string DataTypeTag() override;
  std::int32_t DataTypeTagValue() override;
  StringArray DataTypeRows() override;
  std::int16_t SelectedDataTypeCount() override;
  Ref<CoverageEntityTypes> EntityTypes() override;
  Ref<CoverageEntityTypesById> EntityTypesById() override;
  Ref<CoverageSystems> Systems() override;
  Variant RunQuery(std::int32_t& options, const std::string& queryName) override;
  std::int32_t TimeScopeValue() override;
  void SetSelectedDataTypes(const StringArray& types) override;
  void SetSelectedSystems(const StringArray& systems) override;
  void SetSelectedTimes(const StringArray& times) override;
  DateTime StartDateValue() override;
  void StartDateValue(DateTime value) override;
  DateTime EndDateValue() override;
  void EndDateValue(DateTime value) override;
  std::string MinLoadDateText() override;
  std::string InvalidReason() override;
  StringArray ChosenSystemTypes() override;
  StringArray QueryResults() override;

  // Records the call, then fails when a prefix of failOn starts it.
  void Log(std::string line);

  SharedLog log;
  std::vector<std::string> failOn;

  StringArray columns, rows;
  std::string tag = "DataType";
  std::int32_t tagValue = 0;
  std::int16_t selectedCount = 0;
  std::vector<EntityTypeSpec> entityTypes;
  std::int32_t entityTypeCount = -1;  // Count answers this when not -1
  std::vector<SystemSpec> systems;
  std::int32_t timeScope = 0;
  DateTime start, end;
  std::string minLoad;
  std::string reason;
  StringArray chosenTypes;

  // What the model handed over (copies).
  StringArray dataTypes, chosenSystems, times;
};

// A selector that records each call and keeps what it was given.
class FakeSelectorCtl final : public SelectorCtl {
 public:
  struct Column {
    std::string text;
    std::int16_t width, flag;
  };
  struct Row {
    std::string text, key;
    std::map<std::int16_t, std::string> subItems;
  };

  explicit FakeSelectorCtl(SharedLog log = NewLog(), std::string name = "Selector")
      : log(std::move(log)), name(std::move(name)) {}

  void AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) override;
  void SetTag(const std::string& text, std::int32_t value) override;
  Ref<SelectorListRow> AddRow(const std::string& text, const std::string& key) override;
  void SelIndex(std::int32_t index) override;
  std::string Caption() override;
  void Caption(const std::string& caption) override;
  void EndLoad() override;

  SharedLog log;
  std::string name;
  std::vector<Column> columns;
  std::vector<Row> rows;
  std::string caption;
  std::string tag;
  std::int32_t tagValue = 0;
  std::int32_t selIndex = -1;
  int endLoads = 0;
};

class FakeDateTimeCtl final : public DateTimeCtl {
 public:
  explicit FakeDateTimeCtl(SharedLog log = NewLog()) : log(std::move(log)) {}
  void Scope(std::int32_t scope) override;
  StringArray SelectedTimesOf() override;
  float MinWidth() override;
  float MinHeight() override;

  SharedLog log;
  std::int32_t scope = 0;
  StringArray times;
  float minWidth = 0, minHeight = 0;
};

}  // namespace plexion::testing
