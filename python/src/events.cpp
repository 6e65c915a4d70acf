// Events into Python: plexion.connect binds a Python object whose methods are named after the
// events. The bridge keeps its own reference to every listener it connects until
// plexion.disconnect or the end of the wrapper it was made through, whether or not the source
// holds its listeners strongly, and lets the Python handler go when the connection ends.
#include "bridge.hpp"

namespace plexion::python {

namespace {

// A listener whose handler is a Python object: each event calls the handler's method of the
// event's name, if it has one, with the event's arguments. The method answers by returning the
// new values of all the arguments as a tuple (one value for a one-argument event); None
// changes nothing.
class PythonSink final : public EventSink {
 public:
  PythonSink(py::object handler, const InterfaceInfo& events)
      : handler_(std::move(handler)), events_(&events) {}
  ~PythonSink() override {
    if (!handler_) return;
    if (Py_IsInitialized()) {
      py::gil_scoped_acquire gil;
      handler_ = py::object();
    } else {
      handler_.release();  // the interpreter is gone: nothing left to release into
    }
  }

  void OnEvent(DispId id, std::span<Variant> args) override {
    const MemberInfo* event = events_->Find(id, InvokeKind::Method);
    if (!event || !handler_) return;
    IntoPython([&] {
      py::object handler = handler_;  // kept while it runs, even if disconnected meanwhile
      py::object method = py::getattr(handler, py::str(std::string(event->name)), py::none());
      if (method.is_none()) return;
      py::tuple values(args.size());
      for (std::size_t i = 0; i < args.size(); ++i) values[i] = ToPython(args[i].Value());
      Answer(*event, args, method(*values));
    });
  }

  PyObject* handler() const { return handler_.ptr(); }
  void Release() { handler_ = py::object(); }

 private:
  static void Answer(const MemberInfo& event, std::span<Variant> args, py::handle answer) {
    if (answer.is_none()) return;
    const std::size_t n = args.size();
    const bool tuple = PyTuple_Check(answer.ptr());
    std::vector<py::handle> values;
    if (n == 1 && !(tuple && py::len(answer) == 1)) values.push_back(answer);
    else if (n > 0 && tuple && py::len(answer) == n)
      for (py::handle v : answer) values.push_back(v);
    else
      throw py::type_error(
          std::string(event.name) + " answers None or " +
          (n == 1 ? "the new value of its argument"
                  : "a tuple of the new values of its " + std::to_string(n) + " arguments"));
    for (std::size_t i = 0; i < n; ++i)
      args[i].Assign(FromPython(values[i], &event.params[i].type));
  }

  py::object handler_;
  const InterfaceInfo* events_;
};

struct Connection {
  ConnectionPoint::Cookie cookie;
  Ref<PythonSink> sink;
};

[[noreturn]] void CannotConnect(std::string description) {
  InvokeResult r;
  r.status = status::CannotConnect;
  r.error = {status::CannotConnect, status::CannotConnect, std::string(kLibraryName),
             std::move(description)};
  RaiseFailure(r);
}

}  // namespace

// The connections made through one wrapper; the wrapper holds the source object itself.
struct Connections {
  Object* source;
  Guid events;
  std::vector<Connection> list;
};

namespace {

void Unadvise(const Connections& c, ConnectionPoint::Cookie cookie) {
  const Status st = component::Unadvise(*c.source, c.events, cookie);
  if (status::Failed(st)) {
    InvokeResult r;
    r.status = st;
    r.error = {st, st, std::string(kLibraryName), "the connection could not be ended"};
    RaiseFailure(r);
  }
}

// A connection as plexion.connect hands it back.
struct ConnectionHandle {
  py::object source;
  ConnectionPoint::Cookie cookie;

  bool Connected() const {
    const Connections* c = ConnectionsOf(source);
    if (!c) return false;
    for (const Connection& k : c->list)
      if (k.cookie == cookie) return true;
    return false;
  }
};

// Ends the connections of a wrapper that `ends` picks; false when it picked none.
template <class Pick>
bool EndConnections(py::handle source, Pick ends) {
  Unwrap(source);  // on the object's own thread
  Connections* c = ConnectionsOf(source);
  if (!c) return false;
  std::vector<Connection> ended;
  std::erase_if(c->list, [&](Connection& k) {
    if (!ends(k)) return false;
    ended.push_back(std::move(k));
    return true;
  });
  for (Connection& k : ended) {
    k.sink->Release();
    Unadvise(*c, k.cookie);
  }
  return !ended.empty();
}

ConnectionHandle Connect(py::object source, py::object handler) {
  Object* object = Unwrap(source);
  if (!object) throw py::type_error("plexion.connect needs a Plexion object as its source");
  const component::ClassInfo* cls = component::GetTypeLibrary().ClassOf(*object);
  if (!cls || !cls->eventInterface)
    CannotConnect(std::string(cls ? cls->name : "the object") + " raises no events");
  auto sink = MakeRef<PythonSink>(std::move(handler), *cls->eventInterface);
  const component::AdviseResult a = component::Advise(*object, cls->eventInterface->iid(), sink);
  if (a.status != status::Ok) CannotConnect("the listener could not be connected");
  Connections*& c = ConnectionsOf(source);
  if (!c) c = new Connections{object, cls->eventInterface->iid(), {}};
  c->list.push_back(Connection{a.cookie, sink});
  return ConnectionHandle{std::move(source), a.cookie};
}

void Disconnect(const ConnectionHandle& connection) {
  if (!EndConnections(connection.source,
                      [&](const Connection& k) { return k.cookie == connection.cookie; }))
    throw py::value_error("the connection has already ended");
}

void DisconnectHandler(py::object source, py::object handler) {
  if (!IsWrapper(source)) throw py::type_error("plexion.disconnect needs a Plexion object");
  if (!EndConnections(source,
                      [&](const Connection& k) { return k.sink->handler() == handler.ptr(); }))
    throw py::value_error("the handler is not connected to this object");
}

}  // namespace

void ReleaseConnections(Connections*& connections, bool unadvise) {
  if (!connections) return;
  std::unique_ptr<Connections> c(std::exchange(connections, nullptr));
  for (Connection& k : c->list) {
    // Ending a connection at the wrapper's end cannot fail anyone: errors are not reported.
    if (unadvise) (void)component::Unadvise(*c->source, c->events, k.cookie);
    k.sink->Release();
  }
}

int VisitHandlers(const Connections* connections, visitproc visit, void* arg) {
  if (!connections) return 0;
  for (const Connection& k : connections->list)
    if (PyObject* handler = k.sink->handler()) Py_VISIT(handler);
  return 0;
}

void AddEvents(py::module_& m) {
  py::class_<ConnectionHandle>(m, "Connection", "A Python listener connected to an object's events")
      .def_property_readonly("connected", &ConnectionHandle::Connected)
      .def_property_readonly("source", [](const ConnectionHandle& c) { return c.source; })
      .def("disconnect", &Disconnect, "ends the connection")
      .def("__enter__", [](py::object self) { return self; })
      .def("__exit__", [](const ConnectionHandle& c, py::args) {
        if (c.Connected()) Disconnect(c);
      });
  m.def("connect", &Connect, py::arg("source"), py::arg("handler"),
        "Connects a Python object to the events of source: each event calls the handler's\n"
        "method of the event's name (TabShow, TabOverride, ...) with the event's arguments.\n"
        "The method answers by returning the new values of all the arguments as a tuple, in\n"
        "parameter order (one value for a one-argument event); None changes nothing.\n"
        "Returns the connection; plexion.disconnect ends it.");
  m.def("disconnect", &Disconnect, py::arg("connection"),
        "Ends a connection made by plexion.connect.");
  m.def("disconnect", &DisconnectHandler, py::arg("source"), py::arg("handler"),
        "Ends every connection of handler to the events of source.");
}

}  // namespace plexion::python
