// The type library: every class, interface, member, dispatch id and event of the component
// surface, written once. Dispatch, registration, the class factories and `plexion typelib` all
// read it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "plexion/platform/dispatch.hpp"

namespace plexion::component {

enum class Instancing {
  Creatable,
  GlobalObject,  // callable without creating it (one predeclared instance per thread), also
                 // creatable
};

struct ClassInfo {
  std::string_view name;  // "CSchedData"
  Guid clsid;
  const InterfaceInfo* defaultInterface;
  const InterfaceInfo* eventInterface;  // null when the class raises no events
  Instancing instancing;
  std::function<Ref<Object>()> create;
  std::function<bool(const Object&)> isInstance;
  std::function<Ref<Object>()> global;  // this thread's predeclared instance (global objects)
  std::string ProgId() const;           // "Plexion.CSchedData"
};

struct EnumInfo {
  std::string_view name;
  Guid id;
  std::vector<std::pair<std::string_view, std::int32_t>> values;
};

struct TypeLibrary {
  std::string_view name;
  Guid libid;
  std::uint16_t majorVersion = 0, minorVersion = 0;
  std::uint32_t lcid = 0;
  std::vector<ClassInfo> classes;  // type-library order
  std::vector<EnumInfo> enums;

  const ClassInfo* FindClass(const Guid& clsid) const;
  // A class by its ProgID ("Plexion.CSchedData") or its name, letter case ignored.
  const ClassInfo* FindClass(std::string_view progIdOrName) const;
  // The class of a live object (its most specific class of the library), or null.
  const ClassInfo* ClassOf(const Object& object) const;
};

const TypeLibrary& GetTypeLibrary();

}  // namespace plexion::component
