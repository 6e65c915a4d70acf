#include "plexion/platform/object.hpp"

namespace plexion {

namespace {
std::atomic<long> g_live{0};
}

Object::Object() noexcept { g_live.fetch_add(1, std::memory_order_relaxed); }

Object::~Object() {
  if (weak_) {
    weak_->Detach();
    weak_->Drop();
  }
  g_live.fetch_sub(1, std::memory_order_relaxed);
}

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
