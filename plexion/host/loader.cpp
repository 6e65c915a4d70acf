#include "plexion/host/loader.hpp"

#include <dlfcn.h>

#include <map>
#include <mutex>

#include "plexion/backends/registry/registry_file.hpp"
#include "plexion/component/automation.hpp"
#include "plexion/host/entry_points.hpp"

namespace plexion::host {

namespace {

using GetClassObject = Status (*)(const Guid*, const Guid*, void**);

[[noreturn]] void Fail(Status status, const std::string& what) {
  throw Error::External(status, std::string(kLibraryName), what);
}

// Libraries stay loaded for the life of the process once a host has used them.
GetClassObject EntryPointOf(const std::string& server) {
  static std::mutex mutex;
  static std::map<std::string, GetClassObject> loaded;
  std::lock_guard lock(mutex);
  if (auto it = loaded.find(server); it != loaded.end()) return it->second;
  void* handle = dlopen(server.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) Fail(status::FileNotFound, "cannot load " + server + ": " + dlerror());
  auto entry = reinterpret_cast<GetClassObject>(dlsym(handle, "DllGetClassObject"));
  if (!entry) Fail(status::ClassNotAvailable, server + " has no DllGetClassObject");
  loaded.emplace(server, entry);
  return entry;
}

}  // namespace

Ref<Object> CreateObject(std::string_view progIdOrClsid, const std::string& registryPath) {
  const std::string path =
      registryPath.empty() ? backends::RegistryFile::DefaultPath() : registryPath;
  const auto registry = backends::RegistryFile::Load(path);
  const std::string key(progIdOrClsid);
  const backends::RegisteredClass* entry = !key.empty() && key.front() == '{'
                                               ? registry.FindClass(Guid::Parse(key))
                                               : registry.FindClass(key);
  if (!entry)
    Fail(status::ClassNotRegistered,
         "\"" + key + "\" is not registered in " + path + " (run `plexion register`)");
  void* raw = nullptr;
  const Status st = EntryPointOf(entry->server)(&entry->clsid, &component::kIidClassFactory, &raw);
  if (status::Failed(st) || !raw)
    Fail(st, "the library " + entry->server + " gives no class factory for " + entry->progId);
  auto factory = Ref<component::ClassFactory>::Adopt(static_cast<component::ClassFactory*>(raw));
  return factory->CreateInstance();
}

}  // namespace plexion::host
