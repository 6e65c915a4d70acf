// The Python bridge: late binding over the type library. Objects are wrapped in one Python type
// whose attributes, calls, items, iteration and length are resolved by name through
// GetIDsOfNames and called through Invoke; names, parameters and ids come from the member
// tables. Nothing here is written for one class.
#pragma once

#include <pybind11/pybind11.h>

#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include <plexion/component/automation.hpp>
#include <plexion/platform/variant.hpp>

namespace plexion::python {

namespace py = pybind11;

// ---- values (values.cpp) ----------------------------------------------------------------

// The Python classes and markers of plexion._values, looked up once at import.
struct ValueTypes {
  py::object ref, array, null, empty, nothing;
  py::object dispatchError, dispatchOverflowError, apartmentError;
  py::object datetime, date;
};
const ValueTypes& Types();
void LoadValueTypes();

// A variant as Python sees it: None for Empty and for no object, plexion.Null, int, float,
// bool, str, datetime.datetime, plexion.Array, wrapped objects.
py::object ToPython(const Variant& value);
// A Python value as a variant. `type` (the parameter's type, when known) decides what None
// means (no object for object parameters, else Empty), lets a Python object implement an
// external interface the parameter names, and lets an int too large for a Long reach a
// floating-point parameter.
Variant FromPython(py::handle value, const TypeDesc* type = nullptr);

// ---- members of an interface (interfaces.cpp) -------------------------------------------

// The accessors of one dispatch id.
struct Member {
  std::string_view name;
  DispId id = 0;
  const MemberInfo* get = nullptr;
  const MemberInfo* let = nullptr;
  const MemberInfo* set = nullptr;
  const MemberInfo* method = nullptr;
  // The accessor that describes the parameters: the method or the getter, else a setter.
  const MemberInfo& Primary() const;
  std::string Help() const;  // one line per accessor: kind, dispatch id, signature
};

// An interface of the type library as the bridge uses it: members by id in table order, names
// resolved once.
class InterfaceView {
 public:
  // `cls` is the library class whose default interface `itf` is, or null for an external
  // interface.
  InterfaceView(const component::ClassInfo* cls, const InterfaceInfo& itf, std::string_view name);

  std::string_view name() const { return name_; }
  const component::ClassInfo* cls() const { return cls_; }
  const InterfaceInfo& itf() const { return *itf_; }
  const std::vector<Member>& members() const { return members_; }
  const Member* ById(DispId id) const;
  // A member by name (letter case ignored, as GetIDsOfNames does): resolved through
  // GetIDsOfNames the first time a name is met, then by the interned Python string.
  const Member* ByName(const Object& object, PyObject* name);
  // The Python class of this interface's objects (documented with every member).
  PyTypeObject* pyType() const { return pyType_; }
  void pyType(PyTypeObject* t) { pyType_ = t; }

  InvokeResult Invoke(Object& object, DispId id, InvokeKind kinds, std::span<Variant> args) const;

 private:
  const component::ClassInfo* cls_;
  const InterfaceInfo* itf_;
  std::string_view name_;
  std::vector<Member> members_;
  std::unordered_map<DispId, std::size_t> byId_;
  std::unordered_map<PyObject*, const Member*> byName_;  // interned names, held
  PyTypeObject* pyType_ = nullptr;
};

// The view of an object's class or external interface; null for an object of neither.
InterfaceView* ViewOf(const Object& object);

// ---- Python implementations (implementations.cpp) --------------------------------------

// A Python object standing in for an external object the host supplies (a selector, a row, a
// date-time control), where a parameter names that external interface; null for any other.
Ref<Object> ImplementInPython(std::string_view interfaceName, py::handle impl);
// The Python object behind an object that a Python implementation stands for, else null.
PyObject* PythonImplementationOf(const Object& object);

// ---- calls (calls.cpp) ------------------------------------------------------------------

// Calls one accessor kind of a member with Python arguments: positional, then keywords by
// parameter name. plexion.Ref holders receive what by-reference parameters answer.
py::object CallMember(Object& object, const InterfaceView& view, const Member& member,
                      InvokeKind kind, py::handle args, py::handle kwargs);
// Raises a failed Invoke as plexion.DispatchError, or as the Python exception that a Python
// listener or implementation raised inside it.
[[noreturn]] void RaiseFailure(const InvokeResult& r);
// A Python exception raised inside a call from the library: kept to be raised again when the
// failure reaches Python, and turned into an Error for the library.
Error KeepPythonError(py::error_already_set& e);

// Runs a call into Python for the library: a Python exception is kept to be raised again in
// Python and leaves the library as an Error.
template <class F>
auto IntoPython(F&& body) -> decltype(body()) {
  try {
    return body();
  } catch (py::error_already_set& e) {
    throw KeepPythonError(e);
  } catch (py::builtin_exception& e) {
    e.set_error();
    py::error_already_set raised;
    throw KeepPythonError(raised);
  }
}

void ForgetPythonError();

// ---- wrapped objects (dispatch_object.cpp) ----------------------------------------------

// The one wrapper per live object (so that `is` holds); a new reference.
py::object Wrap(const Ref<Object>& object);
// The object a wrapper holds, or null when the handle is no wrapper. Raises
// plexion.ApartmentError when the calling thread is not the one that made the wrapper.
Object* Unwrap(py::handle wrapper);
bool IsWrapper(py::handle h);
void AddDispatchType(py::module_& m);

// ---- events (events.cpp) ----------------------------------------------------------------

void AddEvents(py::module_& m);
// The handlers of the connections made from Python to a source: the cycle collector follows them
// from the source's wrapper while that wrapper is all that keeps the source alive.
int VisitHandlers(const Object& source, visitproc visit, void* arg);
// Ends the connections made from Python to a source that only garbage holds (a cycle through a
// handler); unadvise only on the source's own thread, else the handlers are just let go.
void EndConnectionsOf(Object& source, bool unadvise);

// The thread check every entry point makes.
void CheckThread(std::thread::id owner);

}  // namespace plexion::python
