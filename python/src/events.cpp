// Events into Python: plexion.connect binds a Python object whose methods are named after the
// events. A connection lasts as a C++ host's does: until plexion.disconnect or until the source
// lets its listener go (the source ends). The listener holds the Python handler and lets it go,
// under the GIL, when the source releases the listener; Python dropping its own references to
// the source ends nothing while C++ still holds the source.
#include "bridge.hpp"

namespace plexion::python {

namespace {

class PythonSink;

// Every live connection made from Python, by its source (all access under the GIL): what
// plexion.disconnect looks up, and what the cycle collector follows from a source's wrapper.
std::unordered_multimap<const Object*, PythonSink*>& LiveConnections() {
  static auto* connections = new std::unordered_multimap<const Object*, PythonSink*>();
  return *connections;
}

// A listener whose handler is a Python object: each event calls the handler's method of the
// event's name, if it has one, with the event's arguments. The method answers by returning the
// new values of all the arguments as a tuple (one value for a one-argument event); None
// changes nothing.
class PythonSink final : public EventSink {
 public:
  PythonSink(py::object handler, const InterfaceInfo& events, const Object& source)
      : handler_(std::move(handler)), events_(&events), source_(&source) {}
  ~PythonSink() override {
    if (!Py_IsInitialized()) {
      handler_.release();  // the interpreter is gone: nothing left to release into
      return;
    }
    py::gil_scoped_acquire gil;
    Forget();
    handler_ = py::object();
  }

  // Recorded once the source has accepted the listener.
  void Connected(ConnectionPoint::Cookie cookie) {
    cookie_ = cookie;
    LiveConnections().emplace(source_, this);
  }
  // No longer listed; the handler is let go at once, though the source may keep the listener
  // until an event under way ends.
  void Ended() {
    Forget();
    handler_ = py::object();
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
  ConnectionPoint::Cookie cookie() const { return cookie_; }

 private:
  void Forget() {
    auto [first, last] = LiveConnections().equal_range(source_);
    for (auto it = first; it != last; ++it) {
      if (it->second == this) {
        LiveConnections().erase(it);
        return;
      }
    }
  }

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
  const Object* source_;
  ConnectionPoint::Cookie cookie_ = 0;
};

// The connections from Python to one source, the listeners held while they are used.
std::vector<Ref<PythonSink>> ConnectionsTo(const Object& source) {
  std::vector<Ref<PythonSink>> sinks;
  auto [first, last] = LiveConnections().equal_range(&source);
  for (auto it = first; it != last; ++it) sinks.emplace_back(it->second);
  return sinks;
}

[[noreturn]] void Fail(Status status, std::string description) {
  RaiseFailure(ErrorResult(
      Error::External(status, std::string(kLibraryName), std::move(description)), status));
}

const InterfaceInfo* EventsOf(const Object& source) {
  const component::ClassInfo* cls = component::GetTypeLibrary().ClassOf(source);
  return cls ? cls->eventInterface : nullptr;
}

// A connection as plexion.connect hands it back; it holds the source's wrapper.
struct ConnectionHandle {
  py::object source;
  ConnectionPoint::Cookie cookie;

  bool Connected() const {
    for (const Ref<PythonSink>& sink : ConnectionsTo(*Unwrap(source)))
      if (sink->cookie() == cookie) return true;
    return false;
  }
};

// Ends the connections to a source that `ends` picks; false when it picked none.
template <class Pick>
bool EndConnections(py::handle source, Pick ends) {
  Object& object = *Unwrap(source);  // on the object's own thread
  bool any = false;
  for (const Ref<PythonSink>& sink : ConnectionsTo(object)) {
    if (!ends(*sink)) continue;
    any = true;
    sink->Ended();
    const Status st = component::Unadvise(object, EventsOf(object)->iid(), sink->cookie());
    if (status::Failed(st)) Fail(st, "the connection could not be ended");
  }
  return any;
}

ConnectionHandle Connect(py::object source, py::object handler) {
  Object* object = Unwrap(source);
  if (!object) throw py::type_error("plexion.connect needs a Plexion object as its source");
  const InterfaceInfo* events = EventsOf(*object);
  if (!events) {
    const component::ClassInfo* cls = component::GetTypeLibrary().ClassOf(*object);
    Fail(status::CannotConnect, std::string(cls ? cls->name : "the object") + " raises no events");
  }
  auto sink = MakeRef<PythonSink>(std::move(handler), *events, *object);
  const component::AdviseResult a = component::Advise(*object, events->iid(), sink);
  if (a.status != status::Ok) Fail(status::CannotConnect, "the listener could not be connected");
  sink->Connected(a.cookie);
  return ConnectionHandle{std::move(source), a.cookie};
}

void Disconnect(const ConnectionHandle& connection) {
  if (!EndConnections(connection.source,
                      [&](const PythonSink& k) { return k.cookie() == connection.cookie; }))
    throw py::value_error("the connection has already ended");
}

void DisconnectHandler(py::object source, py::object handler) {
  if (!IsWrapper(source)) throw py::type_error("plexion.disconnect needs a Plexion object");
  if (!EndConnections(source, [&](const PythonSink& k) { return k.handler() == handler.ptr(); }))
    throw py::value_error("the handler is not connected to this object");
}

}  // namespace

int VisitHandlers(const Object& source, visitproc visit, void* arg) {
  auto [first, last] = LiveConnections().equal_range(&source);
  for (auto it = first; it != last; ++it)
    if (PyObject* handler = it->second->handler()) Py_VISIT(handler);
  return 0;
}

void EndConnectionsOf(Object& source, bool unadvise) {
  for (const Ref<PythonSink>& sink : ConnectionsTo(source)) {
    sink->Ended();
    // Breaking a cycle fails no caller: an error is not reported.
    if (unadvise) (void)component::Unadvise(source, EventsOf(source)->iid(), sink->cookie());
  }
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
        "Returns the connection, which lasts until plexion.disconnect ends it or the source\n"
        "itself ends.");
  m.def("disconnect", &Disconnect, py::arg("connection"),
        "Ends a connection made by plexion.connect.");
  m.def("disconnect", &DisconnectHandler, py::arg("source"), py::arg("handler"),
        "Ends every connection of handler to the events of source.");
}

}  // namespace plexion::python
