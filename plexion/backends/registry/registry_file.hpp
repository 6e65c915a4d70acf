// The component registry that stands in for the host platform's: a TOML file recording each
// registered class (class id, ProgID, library path, threading model) and type library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plexion/platform/guid.hpp"

namespace plexion::backends {

struct RegisteredClass {
  Guid clsid;
  std::string name;
  std::string progId;
  std::string server;  // absolute path of the library that serves the class
  std::string threading = "Apartment";
  Guid typelib;
};

struct RegisteredTypeLib {
  Guid libid;
  std::string name;
  std::string version;  // "523.0"
  std::uint32_t lcid = 0;
  std::string server;
};

class RegistryFile {
 public:
  // $PLEXION_REGISTRY, else $XDG_CONFIG_HOME/plexion/registry.toml, else
  // ~/.config/plexion/registry.toml.
  static std::string DefaultPath();

  // A missing file is an empty registry; a malformed one is an error naming file and line.
  static RegistryFile Load(const std::string& path);
  // Writes a new file and renames it over the old one; an empty registry removes the file.
  void Save(const std::string& path) const;

  // Adds or replaces (by class id / library id).
  void Put(const RegisteredClass& cls);
  void Put(const RegisteredTypeLib& lib);
  void RemoveClass(const Guid& clsid);
  void RemoveTypeLib(const Guid& libid);

  const RegisteredClass* FindClass(const Guid& clsid) const;
  // By ProgID, letter case ignored.
  const RegisteredClass* FindClass(const std::string& progId) const;

  std::vector<RegisteredClass> classes;
  std::vector<RegisteredTypeLib> typelibs;
};

}  // namespace plexion::backends
