#include "plexion/platform/object.hpp"

#include <mutex>
#include <unordered_set>

namespace plexion {

namespace {
std::atomic<long> g_live{0};
std::atomic<long> g_components{0};

struct ModuleState {
  std::mutex mutex;
  std::unordered_set<const Object*> objects;
};
ModuleState& Kept() {
  static ModuleState* state = new ModuleState;  // outlives every thread's module state
  return *state;
}
}  // namespace

void Object::KeepInModuleState() const {
  if (moduleState_.exchange(true)) return;
  auto& kept = Kept();
  std::lock_guard lock(kept.mutex);
  kept.objects.insert(this);
}

bool Object::AnyComponentObjectInUse() {
  auto& kept = Kept();
  std::lock_guard lock(kept.mutex);
  long keptComponents = 0;
  for (const Object* o : kept.objects) {
    if (!o->component_) continue;
    // The module's own state holds each of its objects once; a second holder is someone else.
    if (o->RefCount() > 1) return true;
    ++keptComponents;
  }
  return ComponentCount() > keptComponents;
}

Object::Object() noexcept { g_live.fetch_add(1, std::memory_order_relaxed); }

Object::~Object() {
  if (moduleState_) {
    auto& kept = Kept();
    std::lock_guard lock(kept.mutex);
    kept.objects.erase(this);
  }
  if (weak_) {
    weak_->Detach();
    weak_->Drop();
  }
  if (component_) g_components.fetch_sub(1, std::memory_order_relaxed);
  g_live.fetch_sub(1, std::memory_order_relaxed);
}

void Object::CountAsComponentObject() noexcept {
  component_ = true;
  g_components.fetch_add(1, std::memory_order_relaxed);
}

long Object::ComponentCount() noexcept { return g_components.load(std::memory_order_relaxed); }

void Object::Release() const noexcept {
  if (refs_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

long Object::LiveCount() noexcept { return g_live.load(std::memory_order_relaxed); }

bool Object::TryAddRef() const noexcept {
  long n = refs_.load(std::memory_order_relaxed);
  while (n > 0) {
    if (refs_.compare_exchange_weak(n, n + 1, std::memory_order_acq_rel)) return true;
  }
  return false;
}

WeakBlock* Object::Weak() const {
  if (!weak_) weak_ = new WeakBlock(this);
  return weak_;
}

void WeakBlock::Drop() noexcept {
  if (count_.fetch_sub(1, std::memory_order_acq_rel) == 1) delete this;
}

const Object* WeakBlock::Lock() const noexcept {
  return target_ && target_->TryAddRef() ? target_ : nullptr;
}

}  // namespace plexion
