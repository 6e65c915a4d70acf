// The component surface as a host that binds by number sees it: dispatch ids by name, Invoke
// by id on any object of the library, event connections by event interface id, class factories.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "plexion/component/type_library.hpp"
#include "plexion/platform/events.hpp"

namespace plexion::component {

// The dispatch id of a member of the object's dispatch interface (its class's default interface,
// or the external interface it implements), letter case ignored.
std::optional<DispId> GetIDsOfNames(const Object& object, std::string_view name);

// Calls a member of the object's dispatch interface (see plexion::Invoke). An object the type
// library does not describe fails with status::NoInterface.
InvokeResult Invoke(Object& object, DispId id, InvokeKind kinds, std::span<Variant> args) noexcept;

struct AdviseResult {
  Status status = status::Ok;
  ConnectionPoint::Cookie cookie = 0;
};
// Connects a listener to the object's event interface of that id; CONNECT_E_CANNOTCONNECT when
// the object raises no such events.
AdviseResult Advise(Object& source, const Guid& eventIid, const Ref<EventSink>& sink) noexcept;
Status Unadvise(Object& source, const Guid& eventIid, ConnectionPoint::Cookie cookie) noexcept;

// The predeclared instance of a global class on this thread (no object for other classes).
Ref<Object> GlobalInstance(const ClassInfo& cls);

// Creates the objects of one class.
class ClassFactory : public virtual Object {
 public:
  using ComponentClass = ClassFactory;
  static constexpr std::string_view kTypeName = "IClassFactory";
  explicit ClassFactory(const ClassInfo& cls) : class_(&cls) {}
  const ClassInfo& Class() const { return *class_; }
  Ref<Object> CreateInstance() const { return class_->create(); }
  // A held lock keeps the component loaded even without live objects.
  void LockServer(bool lock);

 private:
  const ClassInfo* class_;
};

// Whether the component may unload: no object of the component's classes (nor one they made:
// enumerators, class factories) alive outside its own per-thread state (caches, global objects),
// and no lock held. A host's own objects do not count, even those derived from the library's
// bases (listeners, editors, services): the host keeps them.
bool CanUnloadNow();

// Identifiers hosts ask DllGetClassObject for.
inline constexpr Guid kIidUnknown = Guid::Parse("{00000000-0000-0000-C000-000000000046}");
inline constexpr Guid kIidClassFactory = Guid::Parse("{00000001-0000-0000-C000-000000000046}");
inline constexpr Guid kIidDispatch = Guid::Parse("{00020400-0000-0000-C000-000000000046}");

}  // namespace plexion::component
