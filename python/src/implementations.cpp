// Python objects standing in for the external objects the host supplies: the selector and
// date-time controls that the data-availability model fills, and a selector's rows. Their
// members are the external interfaces of the type library; here each is called on the Python
// object by name: methods are called (a method answering nothing may be left out), properties
// are read and assigned as attributes, and a row's SubItems as an indexable attribute
// (row.SubItems[k]).
#include <plexion/services/coverage_ctls.hpp>
#include <plexion/services/selector_ctls.hpp>

#include "bridge.hpp"

namespace plexion::python {

namespace {

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

template <class Implementation>
Ref<Object> Implement(py::object impl) {
  return Ref<Object>(MakeRef<Implementation>(std::move(impl)));
}

// The external interfaces a Python object can implement, by the name parameters give them.
struct Implementable {
  std::string_view interfaceName;
  Ref<Object> (*implement)(py::object impl);
};
constexpr Implementable kImplementable[] = {
    {"SelectorCtl", &Implement<PythonSelector>},
    {"SelectorListRow", &Implement<PythonSelectorRow>},
    {"DateTimeCtl", &Implement<PythonDateTimeCtl>},
};

}  // namespace

Ref<Object> ImplementInPython(std::string_view interfaceName, py::handle impl) {
  for (const Implementable& i : kImplementable)
    if (i.interfaceName == interfaceName)
      return i.implement(py::reinterpret_borrow<py::object>(impl));
  return nullptr;
}

PyObject* PythonImplementationOf(const Object& object) {
  const auto* impl = dynamic_cast<const PythonImplementation*>(&object);
  return impl ? impl->impl() : nullptr;
}

}  // namespace plexion::python
