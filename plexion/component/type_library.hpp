// The type library: every class, interface, member, dispatch id and event of the component
// surface, written once, and the interfaces of the external components whose objects the
// library hands out or takes. Dispatch, registration, the class factories, `plexion typelib`,
// `plexion call` and the Python package all read it.
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

// An interface of an external component (the hour-exclusion set, the data-availability search
// object and its tables, the selector and date-time controls, the database date). Its objects
// are no class of the library: they come from the host's services or from the host itself, and
// hosts call them through this table as they call the library's own objects.
struct ExternalInterfaceInfo {
  std::string_view component;  // the external component that defines it ("UtilLib")
  const InterfaceInfo* itf;    // named as parameters name its objects ("HourExSet")
  std::function<bool(const Object&)> isInstance;
  std::function<Ref<Object>()> create;  // through the host's installed services, or null
  std::string_view name() const { return itf->name(); }
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
  std::vector<ExternalInterfaceInfo> externals;

  const ClassInfo* FindClass(const Guid& clsid) const;
  // A class by its ProgID ("Plexion.CSchedData") or its name, letter case ignored.
  const ClassInfo* FindClass(std::string_view progIdOrName) const;
  // An external interface by name, letter case ignored.
  const ExternalInterfaceInfo* FindExternal(std::string_view name) const;
  // The class of a live object (its most specific class of the library), or null.
  const ClassInfo* ClassOf(const Object& object) const;
  // The dispatch interface of a live object: its class's default interface, else the external
  // interface it implements, else null.
  const InterfaceInfo* InterfaceOf(const Object& object) const;
};

const TypeLibrary& GetTypeLibrary();

// GetTypeLibrary().InterfaceOf(object), remembered per dynamic type: what every call by
// dispatch id asks first.
const InterfaceInfo* DispatchInterfaceOf(const Object& object);

}  // namespace plexion::component
