#include "plexion/services/locator.hpp"

#include <mutex>
#include <string>
#include <unordered_map>

#include "plexion/platform/error.hpp"

namespace plexion::services {

namespace {
struct Registry {
  std::mutex mutex;
  std::unordered_map<std::type_index, AnyFactory> factories;
};
Registry& Process() {
  static Registry registry;
  return registry;
}
}  // namespace

void SetFactory(std::type_index type, std::string_view, AnyFactory factory) {
  auto& r = Process();
  std::lock_guard lock(r.mutex);
  if (factory) r.factories[type] = std::move(factory);
  else r.factories.erase(type);
}

bool HasFactory(std::type_index type) {
  auto& r = Process();
  std::lock_guard lock(r.mutex);
  return r.factories.count(type) > 0;
}

AnyFactory FactoryFor(std::type_index type, std::string_view name) {
  auto& r = Process();
  std::lock_guard lock(r.mutex);
  const auto it = r.factories.find(type);
  if (it == r.factories.end())
    throw Error::External(status::ClassNotRegistered, std::string(kLibraryName),
                          "no " + std::string(name) +
                              " service is installed: the host installs the default backends "
                              "(plexion::backends::InstallDefaults) or its own");
  return it->second;
}

}  // namespace plexion::services
