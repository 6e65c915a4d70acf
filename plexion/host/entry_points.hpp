// Where a host meets the library: the four entry points it finds by name, and the same
// operations for C++ hosts. This is the one layer that chooses the default backends, for hosts
// that installed none of their own.
#pragma once

#include <string>

#include "plexion/platform/error.hpp"
#include "plexion/platform/guid.hpp"

extern "C" {
// Records every class (class id, ProgID "Plexion.<class>", the library's path, apartment
// threading) and the type library in the registry file (RegistryFile::DefaultPath()).
plexion::Status DllRegisterServer(void);
// Removes those records; the file goes when nothing else is left in it.
plexion::Status DllUnregisterServer(void);
// Hands out the class factory (a plexion::component::ClassFactory with one count for the
// caller) of a class id; iid is IClassFactory or IUnknown.
plexion::Status DllGetClassObject(const plexion::Guid* clsid, const plexion::Guid* iid,
                                  void** factory);
// S_OK (0) when no object of the component is held outside the library's own state and no lock
// is held, else S_FALSE (1) (see component::CanUnloadNow).
plexion::Status DllCanUnloadNow(void);
}

namespace plexion::host {

void RegisterServer(const std::string& registryPath);
void UnregisterServer(const std::string& registryPath);
// The absolute path of the library file this code runs from.
std::string LibraryPath();
// Installs the default backends (configuration from PLEXION_CONFIG) unless the host has
// installed a database service of its own.
void InstallDefaultsIfNone();

}  // namespace plexion::host
