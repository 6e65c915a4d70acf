// plexion.Object: the one Python type of every object, its members found by name at run time;
// plexion.Dispatch(progid) makes them. Each class of the type library (and each external
// interface) gets a subclass of its own, named after it and documented with its members, so
// that help() lists them.
#include "bridge.hpp"

#include <structmember.h>

#include <plexion/platform/enumerator.hpp>

namespace plexion::python {

namespace {

struct PyDispatch {
  PyObject_HEAD Object* object;  // one count held
  InterfaceView* view;           // null: an object without type information, only passed on
  std::thread::id owner;         // the thread that made the wrapper, the object's apartment
  PyObject* weakrefs;
};

PyTypeObject* g_dispatchType = nullptr;

// One wrapper per live object while Python holds it (all access under the GIL).
std::unordered_map<const Object*, PyObject*>& Wrappers() {
  static auto* wrappers = new std::unordered_map<const Object*, PyObject*>();
  return *wrappers;
}

PyDispatch* AsDispatch(PyObject* self) { return reinterpret_cast<PyDispatch*>(self); }

// Runs a slot's body: a C++ or Python exception becomes the Python error the slot reports.
template <class F, class R>
R Guarded(F&& body, R failure) {
  try {
    return body();
  } catch (py::error_already_set& e) {
    e.restore();
  } catch (py::builtin_exception& e) {
    e.set_error();
  } catch (const std::exception& e) {
    PyErr_SetString(PyExc_RuntimeError, e.what());
  }
  return failure;
}

// The object and view of a wrapper, on the object's own thread.
struct Target {
  Object& object;
  InterfaceView& view;
};
Target Use(PyObject* self) {
  PyDispatch* d = AsDispatch(self);
  CheckThread(d->owner);
  if (!d->view)
    throw py::type_error("this object has no type information: it can only be passed to members");
  return {*d->object, *d->view};
}

bool IsPrivateName(PyObject* name) {
  return PyUnicode_GET_LENGTH(name) > 0 && PyUnicode_READ_CHAR(name, 0) == '_';
}

const Member& Require(const Member* member, const Target& t, const char* what) {
  if (!member) throw py::type_error(std::string(t.view.name()) + " has no " + what);
  return *member;
}

InvokeKind ReadKind(const Member& m) { return m.method ? InvokeKind::Method : InvokeKind::Get; }
// An object (or no object) is assigned through set where the property has one, a value
// through let.
InvokeKind AssignKind(const Member& m, py::handle value) {
  const bool object = IsWrapper(value) || value.is(Types().nothing) || value.is_none();
  return m.set && (object || !m.let) ? InvokeKind::Set : InvokeKind::Let;
}

// ---- members as Python objects -----------------------------------------------------------

// A method, or a property that takes arguments: obj.Member(...), obj.Property[index] and
// obj.Property[index] = value.
struct BoundMember {
  py::object self;
  const Member* member;

  Target Use() const { return python::Use(self.ptr()); }
  py::object Call(py::args args, py::kwargs kwargs) const {
    const Target t = Use();
    return CallMember(t.object, t.view, *member, ReadKind(*member), args, kwargs);
  }
  py::object Item(py::object index) const {
    const Target t = Use();
    py::tuple args = py::isinstance<py::tuple>(index) ? index : py::make_tuple(index);
    return CallMember(t.object, t.view, *member, ReadKind(*member), args, py::none());
  }
  void SetItem(py::object index, py::object value) const {
    const Target t = Use();
    py::list args;
    for (py::handle i : py::isinstance<py::tuple>(index) ? py::tuple(index) : py::make_tuple(index))
      args.append(i);
    args.append(value);
    CallMember(t.object, t.view, *member, AssignKind(*member, value), py::tuple(args), py::none());
  }
  std::string Repr() const {
    return "<plexion member " + std::string(AsDispatch(self.ptr())->view->name()) + "." +
           std::string(member->name) + ">";
  }
};

// Iterates a collection through the enumerator its member -4 hands out.
struct EnumeratorIterator {
  Ref<Enumerator> enumerator;
  std::thread::id owner;
  py::object Next() {
    CheckThread(owner);
    Variant item;
    bool more = false;
    try {
      more = enumerator->Next(item);
    } catch (const Error& e) {
      RaiseFailure(ErrorResult(e));
    }
    if (!more) throw py::stop_iteration();
    return ToPython(item);
  }
};

// ---- the slots ---------------------------------------------------------------------------

PyObject* GetAttr(PyObject* self, PyObject* name) {
  if (IsPrivateName(name) || !AsDispatch(self)->view) return PyObject_GenericGetAttr(self, name);
  return Guarded(
      [&]() -> PyObject* {
        const Target t = Use(self);
        const Member* m = t.view.ByName(t.object, name);
        if (!m) {
          throw py::attribute_error(std::string(t.view.name()) + " has no member '" +
                                    py::cast<std::string>(name) + "'");
        }
        if (m->method || (m->get && m->get->RequiredCount() > 0))
          return py::cast(BoundMember{py::reinterpret_borrow<py::object>(self), m}).release().ptr();
        if (!m->get)
          throw py::attribute_error(std::string(t.view.name()) + "." + std::string(m->name) +
                                    " can only be assigned");
        // The common case, kept short: a property read without arguments.
        ForgetPythonError();
        const InvokeResult r = t.view.Invoke(t.object, m->id, InvokeKind::Get, {});
        if (!r.ok()) RaiseFailure(r);
        return ToPython(r.value).release().ptr();
      },
      static_cast<PyObject*>(nullptr));
}

int SetAttr(PyObject* self, PyObject* name, PyObject* value) {
  if (IsPrivateName(name) || !AsDispatch(self)->view)
    return PyObject_GenericSetAttr(self, name, value);
  return Guarded(
      [&] {
        const Target t = Use(self);
        const Member* m = t.view.ByName(t.object, name);
        if (!m)
          throw py::attribute_error(std::string(t.view.name()) + " has no member '" +
                                    py::cast<std::string>(name) + "'");
        if (!value) throw py::attribute_error("members of Plexion objects cannot be deleted");
        if (!m->let && !m->set)
          throw py::attribute_error(std::string(t.view.name()) + "." + std::string(m->name) +
                                    " cannot be assigned");
        py::handle v(value);
        CallMember(t.object, t.view, *m, AssignKind(*m, v), py::make_tuple(v), py::none());
        return 0;
      },
      -1);
}

// obj(...): the default member (dispatch id 0).
PyObject* CallDefault(PyObject* self, PyObject* args, PyObject* kwargs) {
  return Guarded(
      [&] {
        const Target t = Use(self);
        const Member& m = Require(t.view.ById(kDispIdValue), t, "default member");
        return CallMember(t.object, t.view, m, ReadKind(m), args, kwargs).release().ptr();
      },
      static_cast<PyObject*>(nullptr));
}

PyObject* GetItem(PyObject* self, PyObject* key) {
  return Guarded(
      [&] {
        const Target t = Use(self);
        const Member& m = Require(t.view.ById(kDispIdValue), t, "default member");
        return BoundMember{py::reinterpret_borrow<py::object>(self), &m}
            .Item(py::reinterpret_borrow<py::object>(key))
            .release()
            .ptr();
      },
      static_cast<PyObject*>(nullptr));
}

int SetItem(PyObject* self, PyObject* key, PyObject* value) {
  return Guarded(
      [&] {
        const Target t = Use(self);
        const Member& m = Require(t.view.ById(kDispIdValue), t, "default member");
        if (!value) throw py::type_error("items of Plexion objects cannot be deleted");
        BoundMember{py::reinterpret_borrow<py::object>(self), &m}.SetItem(
            py::reinterpret_borrow<py::object>(key), py::reinterpret_borrow<py::object>(value));
        return 0;
      },
      -1);
}

const Member* CountMember(Target& t) {
  static PyObject* count = PyUnicode_InternFromString("Count");
  return t.view.ByName(t.object, count);
}

Py_ssize_t Length(PyObject* self) {
  return Guarded(
      [&] {
        Target t = Use(self);
        const Member& m = Require(CountMember(t), t, "Count: it has no length");
        return py::cast<Py_ssize_t>(
            CallMember(t.object, t.view, m, ReadKind(m), py::tuple(), py::none()));
      },
      Py_ssize_t(-1));
}

int IsTrue(PyObject* self) {
  if (!AsDispatch(self)->view) return 1;
  return Guarded(
      [&] {
        Target t = Use(self);
        return CountMember(t) ? int(Length(self) != 0) : 1;
      },
      -1);
}

PyObject* Iterate(PyObject* self) {
  return Guarded(
      [&] {
        const Target t = Use(self);
        const Member& m = Require(t.view.ById(kDispIdNewEnum), t, "enumerator: it is not iterable");
        ForgetPythonError();
        const InvokeResult r = t.view.Invoke(t.object, m.id, ReadKind(m), {});
        if (!r.ok()) RaiseFailure(r);
        Ref<Enumerator> e = r.value.IsObject() ? r.value.ObjectValue().As<Enumerator>() : nullptr;
        if (!e) throw py::type_error(std::string(t.view.name()) + " handed out no enumerator");
        return py::cast(EnumeratorIterator{e, AsDispatch(self)->owner}).release().ptr();
      },
      static_cast<PyObject*>(nullptr));
}

PyObject* Repr(PyObject* self) {
  const PyDispatch* d = AsDispatch(self);
  const std::string name =
      d->view ? std::string(d->view->name()) : "object without type information";
  return PyUnicode_FromFormat("<plexion.%s at %p>", name.c_str(),
                              static_cast<const void*>(d->object));
}

PyObject* Compare(PyObject* a, PyObject* b, int op) {
  if ((op != Py_EQ && op != Py_NE) || !IsWrapper(a) || !IsWrapper(b)) Py_RETURN_NOTIMPLEMENTED;
  const bool same = AsDispatch(a)->object == AsDispatch(b)->object;
  return PyBool_FromLong(op == Py_EQ ? same : !same);
}

Py_hash_t Hash(PyObject* self) { return _Py_HashPointer(AsDispatch(self)->object); }

PyObject* Dir(PyObject* self, PyObject*) {
  return Guarded(
      [&] {
        py::list names;
        if (const InterfaceView* view = AsDispatch(self)->view)
          for (const Member& m : view->members()) names.append(py::str(std::string(m.name)));
        return names.release().ptr();
      },
      static_cast<PyObject*>(nullptr));
}

// Whether the wrapper holds the only reference to its object: then the object, and the Python
// handlers connected to its events, live only as long as the wrapper does.
bool SoleOwner(const PyDispatch* d) { return d->object && d->object->RefCount() == 1; }

// A handler that holds its source's wrapper makes a cycle through the source; the collector
// sees it only while nothing but the wrapper keeps the source.
int Traverse(PyObject* self, visitproc visit, void* arg) {
  Py_VISIT(Py_TYPE(self));
  const PyDispatch* d = AsDispatch(self);
  return SoleOwner(d) ? VisitHandlers(*d->object, visit, arg) : 0;
}

// Breaks such a cycle: the connections end and their handlers are let go.
int Clear(PyObject* self) {
  PyDispatch* d = AsDispatch(self);
  if (SoleOwner(d)) EndConnectionsOf(*d->object, d->owner == std::this_thread::get_id());
  return 0;
}

// Connections outlive the wrapper: the object lets its listeners go when it ends.
void Dealloc(PyObject* self) {
  PyObject_GC_UnTrack(self);
  PyDispatch* d = AsDispatch(self);
  PyTypeObject* type = Py_TYPE(self);
  if (d->weakrefs) PyObject_ClearWeakRefs(self);
  if (d->object) {
    Wrappers().erase(d->object);
    std::exchange(d->object, nullptr)->Release();
  }
  type->tp_free(self);
  Py_DECREF(type);
}

PyMethodDef g_methods[] = {
    {"__dir__", Dir, METH_NOARGS, "the members of the object's interface"},
    {nullptr, nullptr, 0, nullptr},
};

PyMemberDef g_members[] = {
    {"__weaklistoffset__", T_PYSSIZET, offsetof(PyDispatch, weakrefs), READONLY, nullptr},
    {nullptr, 0, 0, 0, nullptr},
};

PyType_Slot g_slots[] = {
    {Py_tp_doc,
     const_cast<char*>("An object of the Plexion library, called by name through its dispatch "
                       "interface: properties as attributes, methods as callables, the default "
                       "member through obj() and obj[key], collections iterable and sized.")},
    {Py_tp_getattro, reinterpret_cast<void*>(GetAttr)},
    {Py_tp_setattro, reinterpret_cast<void*>(SetAttr)},
    {Py_tp_call, reinterpret_cast<void*>(CallDefault)},
    {Py_mp_subscript, reinterpret_cast<void*>(GetItem)},
    {Py_mp_ass_subscript, reinterpret_cast<void*>(SetItem)},
    {Py_mp_length, reinterpret_cast<void*>(Length)},
    {Py_nb_bool, reinterpret_cast<void*>(IsTrue)},
    {Py_tp_iter, reinterpret_cast<void*>(Iterate)},
    {Py_tp_repr, reinterpret_cast<void*>(Repr)},
    {Py_tp_richcompare, reinterpret_cast<void*>(Compare)},
    {Py_tp_hash, reinterpret_cast<void*>(Hash)},
    {Py_tp_traverse, reinterpret_cast<void*>(Traverse)},
    {Py_tp_clear, reinterpret_cast<void*>(Clear)},
    {Py_tp_dealloc, reinterpret_cast<void*>(Dealloc)},
    {Py_tp_methods, g_methods},
    {Py_tp_members, g_members},
    {0, nullptr},
};

PyType_Spec g_spec = {
    "plexion.Object", sizeof(PyDispatch), 0,
    // Objects are made by plexion.Dispatch(progid) and by members, never by the type itself.
    Py_TPFLAGS_DEFAULT | Py_TPFLAGS_BASETYPE | Py_TPFLAGS_HAVE_GC |
        Py_TPFLAGS_DISALLOW_INSTANTIATION,
    g_slots};

// The subclass of one interface, documented with every member.
PyTypeObject* TypeOf(InterfaceView& view) {
  if (!view.pyType()) {
    const component::ExternalInterfaceInfo* external =
        view.cls() ? nullptr : component::GetTypeLibrary().FindExternal(view.name());
    std::string doc = view.cls()
                          ? "Plexion class " + std::string(view.name()) + " (" +
                                std::string(view.itf().name()) + "), ProgID " + view.cls()->ProgId()
                          : "External interface " + std::string(view.name()) + " of " +
                                std::string(external ? external->component : "another component");
    doc += ".\n\nMembers (dispatch id, kind, signature):\n";
    for (const Member& m : view.members()) doc += m.Help();
    py::dict body;
    body["__doc__"] = doc;
    body["__module__"] = "plexion";
    body["__slots__"] = py::tuple();
    py::object type = py::reinterpret_borrow<py::object>(reinterpret_cast<PyObject*>(&PyType_Type))(
        std::string(view.name()),
        py::make_tuple(py::handle(reinterpret_cast<PyObject*>(g_dispatchType))), body);
    view.pyType(reinterpret_cast<PyTypeObject*>(type.release().ptr()));  // kept for good
  }
  return view.pyType();
}

}  // namespace

void CheckThread(std::thread::id owner) {
  if (owner == std::this_thread::get_id()) return;
  PyErr_SetString(Types().apartmentError.ptr(),
                  "Plexion objects are apartment-bound: use an object on the thread that made it");
  throw py::error_already_set();
}

bool IsWrapper(py::handle h) { return PyObject_TypeCheck(h.ptr(), g_dispatchType); }

Object* Unwrap(py::handle wrapper) {
  if (!IsWrapper(wrapper)) return nullptr;
  CheckThread(AsDispatch(wrapper.ptr())->owner);
  return AsDispatch(wrapper.ptr())->object;
}

py::object Wrap(const Ref<Object>& object) {
  if (const auto it = Wrappers().find(object.get()); it != Wrappers().end())
    return py::reinterpret_borrow<py::object>(it->second);
  InterfaceView* view = ViewOf(*object);
  PyTypeObject* type = view ? TypeOf(*view) : g_dispatchType;
  PyObject* self = type->tp_alloc(type, 0);
  if (!self) throw py::error_already_set();
  PyDispatch* d = AsDispatch(self);
  d->object = Ref<Object>(object).release();
  d->view = view;
  d->owner = std::this_thread::get_id();
  Wrappers().emplace(d->object, self);
  return py::reinterpret_steal<py::object>(self);
}

void AddDispatchType(py::module_& m) {
  g_dispatchType = reinterpret_cast<PyTypeObject*>(PyType_FromSpec(&g_spec));
  if (!g_dispatchType) throw py::error_already_set();
  m.add_object("Object", reinterpret_cast<PyObject*>(g_dispatchType));

  py::class_<BoundMember>(m, "Member",
                          "A method, or a property that takes arguments, of one object")
      .def("__call__", &BoundMember::Call)
      .def("__getitem__", &BoundMember::Item)
      .def("__setitem__", &BoundMember::SetItem)
      .def("__repr__", &BoundMember::Repr)
      .def_property_readonly("__doc__", [](const BoundMember& b) { return b.member->Help(); });
  py::class_<EnumeratorIterator>(m, "Enumerator", "Iterates a collection through its enumerator")
      .def("__iter__", [](py::object self) { return self; })
      .def("__next__", &EnumeratorIterator::Next);
}

}  // namespace plexion::python
