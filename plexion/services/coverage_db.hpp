// The data-availability search object (external component CoverageDb): the data types, the
// physical entity types and systems a user picks from, the user's choices, and the search itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

// A physical entity type (switch, cell site, sector...). A type whose NextTypeId is above 0 is
// a level of the system hierarchy, and NextTypeId names the next type of its chain.
class CoverageEntityType : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "CoverageEntityType";
  virtual std::int32_t NextTypeId() = 0;
  virtual std::int32_t ChainCount() = 0;
  virtual std::int16_t NoColumn() = 0;  // 0: the type has a column of its own in a chain
  virtual std::string TypeName() = 0;
};

// The physical entity types in display order, counted from 1. An index outside 1 to Count is
// an error of the search object.
class CoverageEntityTypes : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "CoverageEntityTypes";
  virtual std::int32_t Count() = 0;
  virtual Ref<CoverageEntityType> Item(std::int32_t index) = 0;
};

// The entity types by id: an id that names no entity type gives no object, not an error.
class CoverageEntityTypesById : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "CoverageEntityTypesById";
  virtual Ref<CoverageEntityType> Item(std::int32_t id) = 0;
};

// A system (a network element) as a selector row shows it: FieldValue(1) to
// FieldValue(FieldCount), then TrailingText.
class CoverageSystem : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "CoverageSystem";
  virtual std::string TypeName() = 0;  // the entity type it is of
  virtual std::string Key() = 0;
  virtual std::int16_t FieldCount() = 0;
  virtual std::string FieldValue(std::int16_t index) = 0;
  virtual std::string TrailingText() = 0;
};

// The systems, counted from 1, in the order the selectors list them.
class CoverageSystems : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "CoverageSystems";
  virtual std::int32_t Count() = 0;
  virtual Ref<CoverageSystem> Item(std::int32_t index) = 0;
};

class CoverageDb : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "CoverageDb";
  static constexpr std::string_view kTypeName = "CoverageDb";

  // The data-type selector's column definitions: element (1, i) is the title of column i,
  // element (2, i) its width.
  virtual StringArray DataTypeColumns() = 0;
  // Handed to the data-type selector's SetTag.
  virtual std::string DataTypeTag() = 0;
  virtual std::int32_t DataTypeTagValue() = 0;
  // The data types: first dimension the fields of a row, second dimension the rows.
  virtual StringArray DataTypeRows() = 0;
  virtual std::int16_t SelectedDataTypeCount() = 0;

  virtual Ref<CoverageEntityTypes> EntityTypes() = 0;
  virtual Ref<CoverageEntityTypesById> EntityTypesById() = 0;
  virtual Ref<CoverageSystems> Systems() = 0;

  // Runs a named query over the current choices; the results stay in the search object.
  virtual Variant RunQuery(std::int32_t& options, const std::string& queryName) = 0;
  virtual std::int32_t TimeScopeValue() = 0;

  virtual void SetSelectedDataTypes(const StringArray& types) = 0;
  virtual void SetSelectedSystems(const StringArray& systems) = 0;
  virtual void SetSelectedTimes(const StringArray& times) = 0;

  virtual DateTime StartDateValue() = 0;
  virtual void StartDateValue(DateTime value) = 0;
  virtual DateTime EndDateValue() = 0;
  virtual void EndDateValue(DateTime value) = 0;
  // The date of the earliest data loaded, as text.
  virtual std::string MinLoadDateText() = 0;

  // Why the current choices make no search; "" when they do.
  virtual std::string InvalidReason() = 0;
  // The entity types of the chosen systems.
  virtual StringArray ChosenSystemTypes() = 0;

  // What the last query found, for the host to show: first dimension the fields of a result
  // row, second dimension the rows.
  virtual StringArray QueryResults() = 0;
};

}  // namespace plexion
