// The plexion._plexion extension: objects by ProgID, external objects, the database in use.
//
// Threads: every object is bound to the thread that made it (the library's apartments); using
// it from another thread raises plexion.ApartmentError. Any thread may create objects of its
// own, and then has its own services, as a C++ host's threads do. Calls keep the GIL: listeners
// and Python implementations are called back on the same thread, inside the call.
#include <plexion/backends/defaults.hpp>
#include <plexion/host/entry_points.hpp>
#include <plexion/host/loader.hpp>
#include <plexion/services/db.hpp>
#include <plexion/services/locator.hpp>
#include <plexion/services/unit_of_work.hpp>
#include <plexion/tabs/app_tab_table.hpp>

#include "bridge.hpp"

namespace plexion::python {

namespace {

// An error of the library outside a call (creating an object, opening a database) raised as
// plexion.DispatchError.
void TranslateErrors(std::exception_ptr p) {
  try {
    if (p) std::rethrow_exception(p);
  } catch (const Error& e) {
    try {
      RaiseFailure(ErrorResult(e, e.status()));
    } catch (py::error_already_set& raised) {
      raised.restore();
    }
  }
}

// A class of the library the module runs with, through its own class factory.
Ref<Object> CreateFromThisLibrary(const component::ClassInfo& cls) {
  void* raw = nullptr;
  const Status st = DllGetClassObject(&cls.clsid, &component::kIidClassFactory, &raw);
  if (status::Failed(st) || !raw)
    throw Error::External(st, std::string(kLibraryName), "no class factory for " + cls.ProgId());
  auto factory = Ref<component::ClassFactory>::Adopt(static_cast<component::ClassFactory*>(raw));
  return factory->CreateInstance();
}

// Through the registry and the registered library's class factory, as any host creates objects;
// a class of this library that is not registered comes from this library's own factory, so
// that scripts run without `plexion register`.
py::object Dispatch(const std::string& progIdOrClsid, const std::string& registry) {
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  const component::ClassInfo* cls = !progIdOrClsid.empty() && progIdOrClsid.front() == '{'
                                        ? lib.FindClass(Guid::Parse(progIdOrClsid))
                                        : lib.FindClass(progIdOrClsid);
  Ref<Object> object;
  try {
    object = host::CreateObject(progIdOrClsid, registry);
  } catch (const Error& e) {
    if (e.status() != status::ClassNotRegistered || !cls) throw;
    object = CreateFromThisLibrary(*cls);
  }
  return Wrap(object);
}

py::object Create(const std::string& name) {
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  const component::ExternalInterfaceInfo* external = lib.FindExternal(name);
  if (!external || !external->create) {
    std::string names;
    for (const component::ExternalInterfaceInfo& e : lib.externals)
      if (e.create) names += (names.empty() ? "" : ", ") + std::string(e.name());
    throw py::value_error("\"" + name + "\" is no external object plexion.create makes (" + names +
                          ")");
  }
  return Wrap(external->create());
}

// The configuration in force: the defaults installed at import, then each use_database.
backends::Configuration& CurrentConfiguration() {
  static auto* config = new backends::Configuration(backends::Configuration::Discover());
  return *config;
}

// Installs the default services on url for the process and reopens this thread's database
// service there; a database that cannot be opened leaves the one in use (reopened).
void UseDatabase(const std::string& url) {
  backends::Configuration next = CurrentConfiguration();
  next.databaseUrl = url;
  try {
    backends::ReinstallDefaults(next);
  } catch (...) {
    backends::ReinstallDefaults(CurrentConfiguration());
    throw;
  }
  CurrentConfiguration() = next;
}

std::string DatabaseUrl() { return backends::DatabaseUrlOf(CurrentConfiguration()); }

py::list Classes() {
  py::list classes;
  for (const component::ClassInfo& c : component::GetTypeLibrary().classes)
    classes.append(py::str(c.ProgId()));
  return classes;
}

// The unit of work behind plexion.transaction; it belongs to the thread that made it.
class Transaction {
 public:
  Transaction(const std::string& kind, std::int64_t id)
      : unit_(std::make_unique<services::UnitOfWork>(kind, id)) {}
  void Commit() {
    CheckThread(owner_);
    if (unit_) unit_->Commit();
  }
  // Ends the unit: rolled back unless it was committed.
  void End() {
    CheckThread(owner_);
    unit_.reset();
  }

 private:
  std::thread::id owner_ = std::this_thread::get_id();
  std::unique_ptr<services::UnitOfWork> unit_;
};

py::list Applications() {
  py::list names;
  for (std::string_view name : tabs::ApplicationNames()) names.append(py::str(std::string(name)));
  return names;
}

}  // namespace

}  // namespace plexion::python

PYBIND11_MODULE(_plexion, m) {
  using namespace plexion::python;
  m.doc() = "Plexion's dispatch surface from Python (the C++ part of the plexion package)";
  py::register_exception_translator(&TranslateErrors);
  LoadValueTypes();
  AddDispatchType(m);
  AddEvents(m);

  // As a C++ host does: the default backends from PLEXION_CONFIG / PLEXION_DB, unless
  // services are installed already.
  if (!plexion::services::HasFactory<plexion::DbService>())
    plexion::backends::InstallDefaults(CurrentConfiguration());

  m.def("Dispatch", &Dispatch, py::arg("progid"), py::arg("registry") = std::string(),
        "Creates an object of the library by ProgID (\"Plexion.GPlexion\") or class id, through\n"
        "the registry (PLEXION_REGISTRY, or the file given) and the class factory; a class not\n"
        "registered comes from the class factory of the library the module runs with.");
  m.def("create", &Create, py::arg("name"),
        "Creates an external object through the installed services: \"HourExSet\" or\n"
        "\"CoverageDb\".");
  m.def("use_database", &UseDatabase, py::arg("url"),
        "Switches the database: sqlite3://db=FILE or postgresql://host=... dbname=...");
  m.def("database_url", &DatabaseUrl, "The database URL in use.");
  py::class_<Transaction>(m, "_Transaction", "The unit of work behind plexion.transaction.")
      .def(py::init<const std::string&, std::int64_t>(), py::arg("kind"), py::arg("id"))
      .def("commit", &Transaction::Commit)
      .def("end", &Transaction::End);
  m.def("applications", &Applications,
        "The application names GPlexion.AppTabs knows, in the order a name is matched.");
  m.def("classes", &Classes, "The ProgIDs of the type library's classes, in type-library order.");
}
