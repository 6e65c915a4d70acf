#include "plexion/component/automation.hpp"

#include <atomic>

namespace plexion::component {

namespace {
std::atomic<long> g_locks{0};

[[gnu::noinline]] InvokeResult NoDispatchInterface() {
  return ErrorResult(Error::External(status::NoInterface, std::string(kLibraryName),
                                     "the object has no dispatch interface in the type library"),
                     status::NoInterface);
}
}  // namespace

std::optional<DispId> GetIDsOfNames(const Object& object, std::string_view name) {
  const InterfaceInfo* itf = GetTypeLibrary().InterfaceOf(object);
  if (!itf) return std::nullopt;
  return itf->IdOfName(name);
}

InvokeResult Invoke(Object& object, DispId id, InvokeKind kinds, std::span<Variant> args) noexcept {
  const InterfaceInfo* itf = nullptr;
  try {
    itf = DispatchInterfaceOf(object);
  } catch (...) {
    // Resolving a type the first time allocates: without memory the object cannot be called.
  }
  if (!itf) return NoDispatchInterface();
  return plexion::Invoke(object, *itf, id, kinds, args);
}

AdviseResult Advise(Object& source, const Guid& eventIid, const Ref<EventSink>& sink) noexcept {
  try {
    auto* container = dynamic_cast<ConnectionPointContainer*>(&source);
    ConnectionPoint* point = container ? container->FindConnectionPoint(eventIid) : nullptr;
    if (!point) return {status::CannotConnect, 0};
    if (!sink) return {status::Pointer, 0};
    return {status::Ok, point->Connect(sink)};
  } catch (const Error& e) {
    return {e.status(), 0};
  } catch (...) {
    return {status::Fail, 0};
  }
}

Status Unadvise(Object& source, const Guid& eventIid, ConnectionPoint::Cookie cookie) noexcept {
  try {
    auto* container = dynamic_cast<ConnectionPointContainer*>(&source);
    ConnectionPoint* point = container ? container->FindConnectionPoint(eventIid) : nullptr;
    if (!point) return status::CannotConnect;
    point->Disconnect(cookie);
    return status::Ok;
  } catch (const Error& e) {
    return e.status();
  } catch (...) {
    return status::Fail;
  }
}

Ref<Object> GlobalInstance(const ClassInfo& cls) {
  return cls.global ? cls.global() : Ref<Object>();
}

void ClassFactory::LockServer(bool lock) {
  if (lock) g_locks.fetch_add(1);
  else if (g_locks.load() > 0) g_locks.fetch_sub(1);
}

bool CanUnloadNow() { return g_locks.load() == 0 && !Object::AnyComponentObjectInUse(); }

}  // namespace plexion::component
