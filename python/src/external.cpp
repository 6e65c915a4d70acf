// The external components' interfaces that scripts meet, which the type library does not
// describe: the hour-exclusion set a soft-alarm schedule hands out, the data-availability
// search object with its tables, the database date, and the selector and date-time controls
// that the host supplies. Each is one member table over the C++ interface; the controls can
// also be implemented by a Python object.
//
// Reading them: members without arguments that answer a value are properties (search.QueryResults),
// the others methods; Item is the default member (types[1]). Implementing them in Python:
// methods are called by name (a void method the object lacks is skipped), properties are read
// and assigned as attributes, and the row's SubItems as an indexable attribute
// (row.SubItems[k]).
#include <plexion/services/coverage_ctls.hpp>
#include <plexion/services/coverage_db.hpp>
#include <plexion/services/db.hpp>
#include <plexion/services/hour_exclusions.hpp>
#include <plexion/services/locator.hpp>
#include <plexion/services/selector_ctls.hpp>

#include "bridge.hpp"

namespace plexion::python {

namespace {

using dispatch::GetLet;
using dispatch::Let;
using dispatch::Method;
using dispatch::Rows;

// A getter of an interface whose getters are not const.
template <class C, class R, class... A>
MemberInfo Prop(std::string_view name, DispId id, R (C::*g)(A...), dispatch::Params p = {}) {
  return dispatch::MakeMember<C, decltype(g), R, A...>(name, id, InvokeKind::Get, g, p);
}

const InterfaceInfo& HourExSetInterface() {
  using C = HourExSet;
  static const InterfaceInfo itf("HourExSet", Guid{},
                                 Rows{GetLet("SlotBase", 1, &C::SlotBase, &C::SlotBase),
                                      GetLet("SlotCount", 2, &C::SlotCount, &C::SlotCount),
                                      Method("ClearAll", 3, &C::ClearAll),
                                      dispatch::Get("Excluded", 4, &C::Excluded, {"slot"}),
                                      Let("Excluded", 4, &C::Excluded, {"slot", "RHS"})});
  return itf;
}

const InterfaceInfo& DbDateInterface() {
  static const InterfaceInfo itf("DbDate", Guid{},
                                 Rows{dispatch::Get("Value", 1, &DbDate::Value),
                                      dispatch::Get("SqlText", 2, &DbDate::SqlText)});
  return itf;
}

const InterfaceInfo& CoverageDbInterface() {
  using C = CoverageDb;
  static const InterfaceInfo itf(
      "CoverageDb", Guid{},
      Rows{Prop("DataTypeColumns", 1, &C::DataTypeColumns),
           Prop("DataTypeTag", 2, &C::DataTypeTag),
           Prop("DataTypeTagValue", 3, &C::DataTypeTagValue),
           Prop("DataTypeRows", 4, &C::DataTypeRows),
           Prop("SelectedDataTypeCount", 5, &C::SelectedDataTypeCount),
           Prop("EntityTypes", 6, &C::EntityTypes),
           Prop("EntityTypesById", 7, &C::EntityTypesById),
           Prop("Systems", 8, &C::Systems),
           Method("RunQuery", 9, &C::RunQuery, {"options", "queryName"}),
           Prop("TimeScopeValue", 10, &C::TimeScopeValue),
           Method("SetSelectedDataTypes", 11, &C::SetSelectedDataTypes, {"types"}),
           Method("SetSelectedSystems", 12, &C::SetSelectedSystems, {"systems"}),
           Method("SetSelectedTimes", 13, &C::SetSelectedTimes, {"times"}),
           Prop<C, DateTime>("StartDateValue", 14, &C::StartDateValue),
           Let("StartDateValue", 14, &C::StartDateValue),
           Prop<C, DateTime>("EndDateValue", 15, &C::EndDateValue),
           Let("EndDateValue", 15, &C::EndDateValue),
           Prop("MinLoadDateText", 16, &C::MinLoadDateText),
           Prop("InvalidReason", 17, &C::InvalidReason),
           Prop("ChosenSystemTypes", 18, &C::ChosenSystemTypes),
           Prop("QueryResults", 19, &C::QueryResults)});
  return itf;
}

const InterfaceInfo& EntityTypesInterface() {
  using C = CoverageEntityTypes;
  static const InterfaceInfo itf(
      "CoverageEntityTypes", Guid{},
      Rows{Prop("Count", 1, &C::Count), Method("Item", kDispIdValue, &C::Item, {"index"})});
  return itf;
}

const InterfaceInfo& EntityTypesByIdInterface() {
  using C = CoverageEntityTypesById;
  static const InterfaceInfo itf("CoverageEntityTypesById", Guid{},
                                 Rows{Method("Item", kDispIdValue, &C::Item, {"id"})});
  return itf;
}

const InterfaceInfo& EntityTypeInterface() {
  using C = CoverageEntityType;
  static const InterfaceInfo itf(
      "CoverageEntityType", Guid{},
      Rows{Prop("NextTypeId", 1, &C::NextTypeId), Prop("ChainCount", 2, &C::ChainCount),
           Prop("NoColumn", 3, &C::NoColumn), Prop("TypeName", 4, &C::TypeName)});
  return itf;
}

const InterfaceInfo& SystemsInterface() {
  using C = CoverageSystems;
  static const InterfaceInfo itf(
      "CoverageSystems", Guid{},
      Rows{Prop("Count", 1, &C::Count), Method("Item", kDispIdValue, &C::Item, {"index"})});
  return itf;
}

const InterfaceInfo& SystemInterface() {
  using C = CoverageSystem;
  static const InterfaceInfo itf("CoverageSystem", Guid{},
                                 Rows{Prop("TypeName", 1, &C::TypeName), Prop("Key", 2, &C::Key),
                                      Prop("FieldCount", 3, &C::FieldCount),
                                      Method("FieldValue", 4, &C::FieldValue, {"index"}),
                                      Prop("TrailingText", 5, &C::TrailingText)});
  return itf;
}

const InterfaceInfo& SelectorInterface() {
  using C = SelectorCtl;
  static const InterfaceInfo itf(
      "SelectorCtl", Guid{},
      Rows{Method("AddColumn", 1, &C::AddColumn, {"text", "width", "flag"}),
           Method("SetTag", 2, &C::SetTag, {"text", "value"}),
           Method("AddRow", 3, &C::AddRow, {"text", "key"}),
           Method("SelIndex", 4, &C::SelIndex, {"index"}),
           Prop<C, std::string>("Caption", 5, &C::Caption), Let("Caption", 5, &C::Caption),
           Method("EndLoad", 6, &C::EndLoad)});
  return itf;
}

const InterfaceInfo& SelectorRowInterface() {
  using C = SelectorListRow;
  static const InterfaceInfo itf("SelectorListRow", Guid{},
                                 Rows{Prop<C, std::string>("SubItems", 1, &C::SubItems, {"index"}),
                                      Let("SubItems", 1, &C::SubItems, {"index", "RHS"})});
  return itf;
}

const InterfaceInfo& DateTimeCtlInterface() {
  using C = DateTimeCtl;
  static const InterfaceInfo itf(
      "DateTimeCtl", Guid{},
      Rows{Method("Scope", 1, &C::Scope, {"scope"}),
           Prop("SelectedTimesOf", 2, &C::SelectedTimesOf), Prop("MinWidth", 3, &C::MinWidth),
           Prop("MinHeight", 4, &C::MinHeight)});
  return itf;
}

// ---- Python implementations ----------------------------------------------------------------

template <class T>
py::object Out(const T& value) {
  return ToPython(ToVariant(value));
}

template <class R>
R In(py::handle value) {
  const TypeDesc type = dispatch::TypeOf<R>();
  return FromVariant<R>(FromPython(value, &type));
}

class PythonImplementation {
 public:
  explicit PythonImplementation(py::object impl) : impl_(std::move(impl)) {}
  virtual ~PythonImplementation() {
    if (Py_IsInitialized()) {
      py::gil_scoped_acquire gil;
      impl_ = py::object();
    } else {
      impl_.release();
    }
  }
  PyObject* impl() const { return impl_.ptr(); }

 protected:
  template <class... A>
  void CallVoid(const char* name, const A&... args) {
    IntoPython([&] {
      py::object method = py::getattr(impl_, name, py::none());
      if (!method.is_none()) method(Out(args)...);
    });
  }
  template <class R, class... A>
  R CallFor(const char* name, const A&... args) {
    return IntoPython([&] { return In<R>(impl_.attr(name)(Out(args)...)); });
  }
  template <class R>
  R Read(const char* name) {
    return IntoPython([&] { return In<R>(impl_.attr(name)); });
  }
  template <class T>
  void Write(const char* name, const T& value) {
    IntoPython([&] { impl_.attr(name) = Out(value); });
  }
  template <class R, class I>
  R ReadItem(const char* name, I index) {
    return IntoPython([&] { return In<R>(impl_.attr(name)[Out(index)]); });
  }
  template <class T, class I>
  void WriteItem(const char* name, I index, const T& value) {
    IntoPython([&] { impl_.attr(name)[Out(index)] = Out(value); });
  }

 private:
  py::object impl_;
};

class PythonSelectorRow final : public SelectorListRow, public PythonImplementation {
 public:
  using PythonImplementation::PythonImplementation;
  std::string SubItems(std::int16_t index) override {
    return ReadItem<std::string>("SubItems", index);
  }
  void SubItems(std::int16_t index, const std::string& text) override {
    WriteItem("SubItems", index, text);
  }
};

class PythonSelector final : public SelectorCtl, public PythonImplementation {
 public:
  using PythonImplementation::PythonImplementation;
  void AddColumn(const std::string& text, std::int16_t width, std::int16_t flag) override {
    CallVoid("AddColumn", text, width, flag);
  }
  void SetTag(const std::string& text, std::int32_t value) override {
    CallVoid("SetTag", text, value);
  }
  Ref<SelectorListRow> AddRow(const std::string& text, const std::string& key) override {
    return CallFor<Ref<SelectorListRow>>("AddRow", text, key);
  }
  void SelIndex(std::int32_t index) override { CallVoid("SelIndex", index); }
  std::string Caption() override { return Read<std::string>("Caption"); }
  void Caption(const std::string& caption) override { Write("Caption", caption); }
  void EndLoad() override { CallVoid("EndLoad"); }
};

class PythonDateTimeCtl final : public DateTimeCtl, public PythonImplementation {
 public:
  using PythonImplementation::PythonImplementation;
  void Scope(std::int32_t scope) override { CallVoid("Scope", scope); }
  StringArray SelectedTimesOf() override { return Read<StringArray>("SelectedTimesOf"); }
  float MinWidth() override { return Read<float>("MinWidth"); }
  float MinHeight() override { return Read<float>("MinHeight"); }
};

template <class I>
bool Is(const Object& object) {
  return dynamic_cast<const I*>(&object) != nullptr;
}

template <class I>
Ref<Object> Create() {
  return Ref<Object>(services::Create<I>());
}

template <class Impl>
Ref<Object> Implement(py::object impl) {
  return Ref<Object>(MakeRef<Impl>(std::move(impl)));
}

}  // namespace

const std::vector<ExternalInterface>& ExternalInterfaces() {
  static const std::vector<ExternalInterface> table{
      {"HourExSet", &HourExSetInterface(), &Is<HourExSet>, &Create<HourExSet>, nullptr},
      {"DbDate", &DbDateInterface(), &Is<DbDate>, nullptr, nullptr},
      {"CoverageDb", &CoverageDbInterface(), &Is<CoverageDb>, &Create<CoverageDb>, nullptr},
      {"CoverageEntityTypes", &EntityTypesInterface(), &Is<CoverageEntityTypes>, nullptr, nullptr},
      {"CoverageEntityTypesById", &EntityTypesByIdInterface(), &Is<CoverageEntityTypesById>,
       nullptr, nullptr},
      {"CoverageEntityType", &EntityTypeInterface(), &Is<CoverageEntityType>, nullptr, nullptr},
      {"CoverageSystems", &SystemsInterface(), &Is<CoverageSystems>, nullptr, nullptr},
      {"CoverageSystem", &SystemInterface(), &Is<CoverageSystem>, nullptr, nullptr},
      {"SelectorCtl", &SelectorInterface(), &Is<SelectorCtl>, nullptr, &Implement<PythonSelector>},
      {"SelectorListRow", &SelectorRowInterface(), &Is<SelectorListRow>, nullptr,
       &Implement<PythonSelectorRow>},
      {"DateTimeCtl", &DateTimeCtlInterface(), &Is<DateTimeCtl>, nullptr,
       &Implement<PythonDateTimeCtl>},
  };
  return table;
}

const ExternalInterface* FindExternal(std::string_view name) {
  for (const ExternalInterface& e : ExternalInterfaces())
    if (e.name == name) return &e;
  return nullptr;
}

PyObject* PythonImplementationOf(const Object& object) {
  const auto* impl = dynamic_cast<const PythonImplementation*>(&object);
  return impl ? impl->impl() : nullptr;
}

}  // namespace plexion::python
