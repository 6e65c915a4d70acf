// Calls by name with Python arguments, and failures as Python exceptions.
#include <cstdint>

#include <plexion/platform/text.hpp>

#include "bridge.hpp"

namespace plexion::python {

namespace {

// The Python exception a listener or implementation raised inside the call under way on this
// thread. Held by pointer: a thread may end after the interpreter has.
std::optional<py::error_already_set>& Pending() {
  thread_local auto* pending = new std::optional<py::error_already_set>();
  return *pending;
}

// A keyword names a parameter exactly, else without regard to letter case (as GetIDsOfNames
// treats member names).
std::size_t ParamIndex(const MemberInfo& m, std::string_view keyword) {
  for (std::size_t i = 0; i < m.params.size(); ++i)
    if (m.params[i].name == keyword) return i;
  for (std::size_t i = 0; i < m.params.size(); ++i)
    if (EqualsNoCase(m.params[i].name, keyword)) return i;
  throw py::type_error(std::string(m.name) + "() has no parameter '" + std::string(keyword) + "'");
}

const MemberInfo* Accessor(const Member& member, InvokeKind kind) {
  switch (kind) {
    case InvokeKind::Get: return member.get;
    case InvokeKind::Let: return member.let;
    case InvokeKind::Set: return member.set;
    default: return member.method;
  }
}

// The arguments given by position and by keyword, in parameter order; a gap is a parameter
// left out before a later one.
std::vector<py::handle> ArrangeArguments(const MemberInfo& m, py::handle args, py::handle kwargs) {
  std::vector<py::handle> given;
  if (args)
    for (py::handle a : args) given.push_back(a);
  if (kwargs && !kwargs.is_none()) {
    for (auto [key, value] : py::reinterpret_borrow<py::dict>(kwargs)) {
      const std::string keyword = py::cast<std::string>(key);
      const std::size_t index = ParamIndex(m, keyword);
      if (index >= given.size()) given.resize(index + 1);
      if (given[index])
        throw py::type_error(std::string(m.name) + "() got more than one value for '" + keyword +
                             "'");
      given[index] = value;
    }
  }
  return given;
}

}  // namespace

py::object CallMember(Object& object, const InterfaceView& view, const Member& member,
                      InvokeKind kind, py::handle args, py::handle kwargs) {
  const MemberInfo* m = Accessor(member, kind);
  if (!m)
    throw py::attribute_error(std::string(view.name()) + "." + std::string(member.name) +
                              " has no " + std::string(KindName(kind)) + " accessor");
  ForgetPythonError();
  const std::vector<py::handle> given = ArrangeArguments(*m, args, kwargs);
  const std::size_t count = given.size();
  // values[i] is the argument itself; a by-reference parameter gets a reference to it, and a
  // plexion.Ref holder then receives what the member wrote there.
  std::vector<Variant> values(count), arguments(count);
  std::vector<py::handle> holders(count);
  for (std::size_t i = 0; i < count; ++i) {
    const ParamInfo* p = i < m->params.size() ? &m->params[i] : nullptr;
    py::handle value = given[i];
    if (!value) {
      if (!p || !p->defaultValue)
        throw py::type_error(std::string(m->name) + "() cannot leave out '" +
                             std::string(p ? p->name : "?") + "' before a later argument");
      values[i] = *p->defaultValue;
    } else if (py::isinstance(value, Types().ref)) {
      holders[i] = value;
      values[i] = FromPython(value.attr("value"), p ? &p->type : nullptr);
    } else {
      values[i] = FromPython(value, p ? &p->type : nullptr);
    }
    arguments[i] = p && p->byRef ? Variant::RefTo(values[i]) : values[i];
  }
  const InvokeResult r = view.Invoke(object, m->id, kind, arguments);
  // By-reference answers are kept even when the member failed after writing them.
  for (std::size_t i = 0; i < count && i < m->params.size(); ++i)
    if (holders[i] && m->params[i].byRef) holders[i].attr("value") = ToPython(values[i]);
  if (!r.ok()) RaiseFailure(r);
  return ToPython(r.value);
}

void RaiseFailure(const InvokeResult& r) {
  if (std::optional<py::error_already_set>& pending = Pending()) {
    py::error_already_set e = std::move(*pending);
    pending.reset();
    throw e;
  }
  const bool overflow = r.status == status::Overflow || r.error.number == errnum::Overflow;
  const py::object& type = overflow ? Types().dispatchOverflowError : Types().dispatchError;
  const py::object error =
      type(static_cast<std::uint32_t>(r.status), static_cast<std::uint32_t>(r.error.scode),
           r.error.number, r.error.source, r.error.description,
           r.argError >= 0 ? py::object(py::int_(r.argError)) : py::object(py::none()));
  PyErr_SetObject(type.ptr(), error.ptr());
  throw py::error_already_set();
}

Error KeepPythonError(py::error_already_set& e) {
  Error error = Error::External(status::Fail, "Python", e.what());
  Pending() = std::move(e);
  return error;
}

void ForgetPythonError() { Pending().reset(); }

}  // namespace plexion::python
