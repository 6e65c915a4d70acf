#include "plexion/host/entry_points.hpp"

#include <dlfcn.h>

#include <filesystem>
#include <mutex>

#include "plexion/backends/defaults.hpp"
#include "plexion/backends/registry/registry_file.hpp"
#include "plexion/component/automation.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::host {

namespace {

std::string VersionText(const component::TypeLibrary& lib) {
  return std::to_string(lib.majorVersion) + "." + std::to_string(lib.minorVersion);
}

template <class F>
Status Guarded(F&& f) noexcept {
  try {
    return f();
  } catch (const Error& e) {
    return e.status();
  } catch (...) {
    return status::Fail;
  }
}

}  // namespace

std::string LibraryPath() {
  Dl_info info{};
  if (!dladdr(reinterpret_cast<void*>(&DllGetClassObject), &info) || !info.dli_fname)
    throw Error::External(status::Fail, std::string(kLibraryName),
                          "cannot find the library's own path");
  std::error_code ec;
  const auto path = std::filesystem::canonical(info.dli_fname, ec);
  return ec ? std::string(info.dli_fname) : path.string();
}

void RegisterServer(const std::string& registryPath) {
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  const std::string server = LibraryPath();
  auto registry = backends::RegistryFile::Load(registryPath);
  for (const component::ClassInfo& c : lib.classes)
    registry.Put(backends::RegisteredClass{c.clsid, std::string(c.name), c.ProgId(), server,
                                           "Apartment", lib.libid});
  registry.Put(backends::RegisteredTypeLib{lib.libid, std::string(lib.name), VersionText(lib),
                                           lib.lcid, server});
  registry.Save(registryPath);
}

void UnregisterServer(const std::string& registryPath) {
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  auto registry = backends::RegistryFile::Load(registryPath);
  for (const component::ClassInfo& c : lib.classes) registry.RemoveClass(c.clsid);
  registry.RemoveTypeLib(lib.libid);
  registry.Save(registryPath);
}

void InstallDefaultsIfNone() {
  static std::mutex mutex;
  std::lock_guard lock(mutex);
  if (!services::HasFactory<DbService>())
    backends::InstallDefaults(backends::Configuration::Discover());
}

}  // namespace plexion::host

extern "C" {

plexion::Status DllRegisterServer(void) {
  return plexion::host::Guarded([] {
    plexion::host::RegisterServer(plexion::backends::RegistryFile::DefaultPath());
    return plexion::status::Ok;
  });
}

plexion::Status DllUnregisterServer(void) {
  return plexion::host::Guarded([] {
    plexion::host::UnregisterServer(plexion::backends::RegistryFile::DefaultPath());
    return plexion::status::Ok;
  });
}

plexion::Status DllGetClassObject(const plexion::Guid* clsid, const plexion::Guid* iid,
                                  void** factory) {
  using namespace plexion;
  if (!factory || !clsid || !iid) return status::Pointer;
  *factory = nullptr;
  return host::Guarded([&] {
    if (!(*iid == component::kIidClassFactory || *iid == component::kIidUnknown))
      return status::NoInterface;
    const component::ClassInfo* cls = component::GetTypeLibrary().FindClass(*clsid);
    if (!cls) return status::ClassNotAvailable;
    host::InstallDefaultsIfNone();
    *factory = MakeRef<component::ClassFactory>(*cls).release();
    return status::Ok;
  });
}

plexion::Status DllCanUnloadNow(void) {
  return plexion::component::CanUnloadNow() ? plexion::status::Ok : plexion::status::False;
}

}  // extern "C"
