// Creating objects the way a host does: through the registry, the registered library and its
// class factory.
#pragma once

#include <string>
#include <string_view>

#include "plexion/platform/object.hpp"

namespace plexion::host {

// Looks a ProgID ("Plexion.CSchedData") or a class id ("{...}") up in the registry file (the
// default one unless named), loads the registered library, asks its DllGetClassObject for the
// class factory and creates the instance. An unregistered class is status::ClassNotRegistered.
// The registered library should be the one the host runs with: a second copy of it would keep
// state of its own.
Ref<Object> CreateObject(std::string_view progIdOrClsid, const std::string& registryPath = {});

}  // namespace plexion::host
