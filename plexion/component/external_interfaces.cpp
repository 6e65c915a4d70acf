// The interfaces of the external components whose objects the library hands out or takes: the
// hour-exclusion set a soft-alarm schedule hands out, the data-availability search object with
// its entity types and systems, the database date, and the selector and date-time controls the
// host supplies. Properties have ids from 0x68030000, methods from 0x60030000, each counted in
// table order; a collection's Item is the default member.
#include "plexion/component/interface_tables.hpp"
#include "plexion/services/coverage_ctls.hpp"
#include "plexion/services/coverage_db.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/hour_exclusions.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/selector_ctls.hpp"

namespace plexion::component::tables {

namespace {

using namespace dispatch;

Guid Id(std::string_view text) { return Guid::Parse(text); }

const InterfaceInfo& HourExSetInterface() {
  using Class = HourExSet;
  static const InterfaceInfo itf(
      "HourExSet", Id("{A37C82E6-BE3A-4F63-A00E-34C7E2192086}"),
      Rows{GetLet("SlotBase", 0x68030000, &Class::SlotBase, &Class::SlotBase),
           GetLet("SlotCount", 0x68030001, &Class::SlotCount, &Class::SlotCount),
           Method("ClearAll", 0x60030000, &Class::ClearAll),
           Get("Excluded", 0x68030002, &Class::Excluded, {"slot"}),
           Let("Excluded", 0x68030002, &Class::Excluded, {"slot", "RHS"})});
  return itf;
}

const InterfaceInfo& DbDateInterface() {
  using Class = DbDate;
  static const InterfaceInfo itf(
      "DbDate", Id("{F9D66849-ECFC-4C66-B2CA-79C0E095C487}"),
      {Get("Value", 0x68030000, &Class::Value), Get("SqlText", 0x68030001, &Class::SqlText)});
  return itf;
}

const InterfaceInfo& CoverageDbInterface() {
  using Class = CoverageDb;
  static const InterfaceInfo itf(
      "CoverageDb", Id("{E1405C74-FB08-4B97-9409-EE662263C6A5}"),
      Rows{Get("DataTypeColumns", 0x68030000, &Class::DataTypeColumns),
           Get("DataTypeTag", 0x68030001, &Class::DataTypeTag),
           Get("DataTypeTagValue", 0x68030002, &Class::DataTypeTagValue),
           Get("DataTypeRows", 0x68030003, &Class::DataTypeRows),
           Get("SelectedDataTypeCount", 0x68030004, &Class::SelectedDataTypeCount),
           Get("EntityTypes", 0x68030005, &Class::EntityTypes),
           Get("EntityTypesById", 0x68030006, &Class::EntityTypesById),
           Get("Systems", 0x68030007, &Class::Systems),
           Method("RunQuery", 0x60030000, &Class::RunQuery, {"options", "queryName"}),
           Get("TimeScopeValue", 0x68030008, &Class::TimeScopeValue),
           Method("SetSelectedDataTypes", 0x60030001, &Class::SetSelectedDataTypes, {"types"}),
           Method("SetSelectedSystems", 0x60030002, &Class::SetSelectedSystems, {"systems"}),
           Method("SetSelectedTimes", 0x60030003, &Class::SetSelectedTimes, {"times"}),
           GetLet("StartDateValue", 0x68030009, &Class::StartDateValue, &Class::StartDateValue),
           GetLet("EndDateValue", 0x6803000A, &Class::EndDateValue, &Class::EndDateValue),
           Get("MinLoadDateText", 0x6803000B, &Class::MinLoadDateText),
           Get("InvalidReason", 0x6803000C, &Class::InvalidReason),
           Get("ChosenSystemTypes", 0x6803000D, &Class::ChosenSystemTypes),
           Get("QueryResults", 0x6803000E, &Class::QueryResults)});
  return itf;
}

const InterfaceInfo& EntityTypesInterface() {
  using Class = CoverageEntityTypes;
  static const InterfaceInfo itf("CoverageEntityTypes",
                                 Id("{7DFDCEC5-85EF-41E6-89F5-33F89BD28B97}"),
                                 {Get("Count", 0x68030000, &Class::Count),
                                  Method("Item", kDispIdValue, &Class::Item, {"index"})});
  return itf;
}

const InterfaceInfo& EntityTypesByIdInterface() {
  using Class = CoverageEntityTypesById;
  static const InterfaceInfo itf("CoverageEntityTypesById",
                                 Id("{494093AE-E76D-456E-AED0-8DA400C5089D}"),
                                 {Method("Item", kDispIdValue, &Class::Item, {"id"})});
  return itf;
}

const InterfaceInfo& EntityTypeInterface() {
  using Class = CoverageEntityType;
  static const InterfaceInfo itf("CoverageEntityType", Id("{3F09027B-1A35-4DA7-BD44-A1F671843056}"),
                                 {Get("NextTypeId", 0x68030000, &Class::NextTypeId),
                                  Get("ChainCount", 0x68030001, &Class::ChainCount),
                                  Get("NoColumn", 0x68030002, &Class::NoColumn),
                                  Get("TypeName", 0x68030003, &Class::TypeName)});
  return itf;
}

const InterfaceInfo& SystemsInterface() {
  using Class = CoverageSystems;
  static const InterfaceInfo itf("CoverageSystems", Id("{98ED45DF-2C26-4415-8EF0-DA482E9DE3E4}"),
                                 {Get("Count", 0x68030000, &Class::Count),
                                  Method("Item", kDispIdValue, &Class::Item, {"index"})});
  return itf;
}

const InterfaceInfo& SystemInterface() {
  using Class = CoverageSystem;
  static const InterfaceInfo itf(
      "CoverageSystem", Id("{D60B8AB0-FF96-4DFA-80DD-CAEE2AFFB4E8}"),
      {Get("TypeName", 0x68030000, &Class::TypeName), Get("Key", 0x68030001, &Class::Key),
       Get("FieldCount", 0x68030002, &Class::FieldCount),
       Method("FieldValue", 0x60030000, &Class::FieldValue, {"index"}),
       Get("TrailingText", 0x68030003, &Class::TrailingText)});
  return itf;
}

const InterfaceInfo& SelectorInterface() {
  using Class = SelectorCtl;
  static const InterfaceInfo itf(
      "SelectorCtl", Id("{12F713D6-0C06-4024-BA4D-2D3A614623E0}"),
      {Method("AddColumn", 0x60030000, &Class::AddColumn, {"text", "width", "flag"}),
       Method("SetTag", 0x60030001, &Class::SetTag, {"text", "value"}),
       Method("AddRow", 0x60030002, &Class::AddRow, {"text", "key"}),
       Method("SelIndex", 0x60030003, &Class::SelIndex, {"index"}),
       Get<Class, std::string>("Caption", 0x68030000, &Class::Caption),
       Let("Caption", 0x68030000, &Class::Caption, {"RHS"}),
       Method("EndLoad", 0x60030004, &Class::EndLoad)});
  return itf;
}

const InterfaceInfo& SelectorRowInterface() {
  using Class = SelectorListRow;
  static const InterfaceInfo itf(
      "SelectorListRow", Id("{BA4A7104-B939-4E45-B78B-A6CED77AAE1E}"),
      {Get<Class, std::string>("SubItems", 0x68030000, &Class::SubItems, {"index"}),
       Let("SubItems", 0x68030000, &Class::SubItems, {"index", "RHS"})});
  return itf;
}

const InterfaceInfo& DateTimeCtlInterface() {
  using Class = DateTimeCtl;
  static const InterfaceInfo itf("DateTimeCtl", Id("{7F7D4541-EC46-4619-8BF9-F72457480BF5}"),
                                 {Method("Scope", 0x60030000, &Class::Scope, {"scope"}),
                                  Get("SelectedTimesOf", 0x68030000, &Class::SelectedTimesOf),
                                  Get("MinWidth", 0x68030001, &Class::MinWidth),
                                  Get("MinHeight", 0x68030002, &Class::MinHeight)});
  return itf;
}

template <class Interface>
ExternalInterfaceInfo External(std::string_view component, const InterfaceInfo& itf) {
  ExternalInterfaceInfo e{
      component,
      &itf,
      [](const Object& o) { return dynamic_cast<const Interface*>(&o) != nullptr; },
      {}};
  if constexpr (requires { Interface::kServiceName; })
    e.create = [] { return Ref<Object>(services::Create<Interface>()); };
  return e;
}

}  // namespace

std::vector<ExternalInterfaceInfo> ExternalInterfaces() {
  return {
      External<HourExSet>("UtilLib", HourExSetInterface()),
      External<DbDate>("DbLib", DbDateInterface()),
      External<CoverageDb>("CoverageDb", CoverageDbInterface()),
      External<CoverageEntityTypes>("CoverageDb", EntityTypesInterface()),
      External<CoverageEntityTypesById>("CoverageDb", EntityTypesByIdInterface()),
      External<CoverageEntityType>("CoverageDb", EntityTypeInterface()),
      External<CoverageSystems>("CoverageDb", SystemsInterface()),
      External<CoverageSystem>("CoverageDb", SystemInterface()),
      External<SelectorCtl>("SelectorCtls", SelectorInterface()),
      External<SelectorListRow>("SelectorCtls", SelectorRowInterface()),
      External<DateTimeCtl>("CoverageCtls", DateTimeCtlInterface()),
  };
}

}  // namespace plexion::component::tables
