// The per-thread service locator: how the library reaches every external component.
//
// A host chooses the implementations once per process (SetFactory). Each thread then gets its
// own instance of a service the first time a call needs it (Locate) and keeps it until the
// thread ends; objects that the library creates anew each time (Create) come from the same
// factories. A test installs doubles for its own thread only (ScopedService, ScopedFactory).
#pragma once

#include <functional>
#include <string_view>
#include <typeindex>
#include <utility>

#include "plexion/platform/object.hpp"
#include "plexion/platform/thread_state.hpp"

namespace plexion::services {

using AnyFactory = std::function<Ref<Object>()>;

void SetFactory(std::type_index type, std::string_view name, AnyFactory factory);
bool HasFactory(std::type_index type);
template <class T>
bool HasFactory() {
  return HasFactory(typeid(T));
}

// The process-wide factory of a type; raises a clear error when the host installed none.
AnyFactory FactoryFor(std::type_index type, std::string_view name);

template <class T>
void SetFactory(std::function<Ref<T>()> factory) {
  SetFactory(
      typeid(T), T::kServiceName,
      factory ? AnyFactory([f = std::move(factory)] { return Ref<Object>(f()); }) : AnyFactory());
}

template <class T>
struct ThreadSlot {
  Ref<T> instance;
  std::function<Ref<T>()> factory;  // this thread's override of the process factory
};

// A new object from this thread's factory, else the process's.
template <class T>
Ref<T> Create() {
  auto& slot = PerThread<ThreadSlot<T>>();
  if (slot.factory) return slot.factory();
  Ref<Object> made = FactoryFor(typeid(T), T::kServiceName)();
  return made.template As<T>();
}

// This thread's instance, created on first use.
template <class T>
T& Locate() {
  auto& slot = PerThread<ThreadSlot<T>>();
  if (!slot.instance) {
    slot.instance = Create<T>();
    if (slot.instance) slot.instance->KeepInModuleState();
  }
  return *slot.instance;
}

// Installs an instance for this thread for the life of the guard.
template <class T>
class ScopedService {
 public:
  explicit ScopedService(Ref<T> instance)
      : saved_(std::exchange(PerThread<ThreadSlot<T>>().instance, std::move(instance))) {}
  ~ScopedService() { PerThread<ThreadSlot<T>>().instance = std::move(saved_); }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  Ref<T> saved_;
};

// Installs a factory for this thread for the life of the guard (Create and first Locate).
template <class T>
class ScopedFactory {
 public:
  explicit ScopedFactory(std::function<Ref<T>()> factory)
      : saved_(std::exchange(PerThread<ThreadSlot<T>>().factory, std::move(factory))) {}
  ~ScopedFactory() { PerThread<ThreadSlot<T>>().factory = std::move(saved_); }
  ScopedFactory(const ScopedFactory&) = delete;
  ScopedFactory& operator=(const ScopedFactory&) = delete;

 private:
  std::function<Ref<T>()> saved_;
};

}  // namespace plexion::services
