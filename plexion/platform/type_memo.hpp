// A process-wide memo from an object's dynamic type to a fact about that type worked out once
// (its place in the type library, the offset of one of its bases). Every call by dispatch id
// asks, so reading takes no lock and touches no per-thread state: a few atomic slots, each
// filled once and never emptied, since a program has finitely many types. When every slot is
// taken, the fact is worked out afresh at each call.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <typeinfo>

namespace plexion {

template <class V, std::size_t N = 32>
class TypeMemo {
 public:
  constexpr TypeMemo() = default;
  TypeMemo(const TypeMemo&) = delete;
  TypeMemo& operator=(const TypeMemo&) = delete;
  // Entries stay until the process ends (a thread may be reading one while statics are torn
  // down): a memo is a static, as the facts it holds are.

  // The value for this type: remembered, or compute() (which may throw: nothing is kept then).
  template <class Compute>
  V Get(const std::type_info& type, Compute&& compute) {
    const Entry* entry = slots_[Start(type)].load(std::memory_order_acquire);
    if (entry && entry->type == &type) [[likely]]
      return entry->value;
    return Fill(type, compute);
  }

 private:
  struct Entry {
    const std::type_info* type;
    V value;
  };

  static std::size_t Start(const std::type_info& type) {
    return (reinterpret_cast<std::uintptr_t>(&type) >> 4) % N;
  }

  template <class Compute>
  [[gnu::noinline]] V Fill(const std::type_info& type, Compute& compute) {
    const std::size_t start = Start(type);
    for (std::size_t i = 0; i < N; ++i) {
      std::atomic<const Entry*>& slot = slots_[(start + i) % N];
      const Entry* entry = slot.load(std::memory_order_acquire);
      if (!entry) {
        const Entry* fresh = new Entry{&type, compute()};
        if (slot.compare_exchange_strong(entry, fresh, std::memory_order_acq_rel))
          return fresh->value;
        delete fresh;  // another thread filled the slot meanwhile: entry is its
      }
      if (entry->type == &type) return entry->value;
    }
    return compute();
  }

  std::atomic<const Entry*> slots_[N] = {};
};

}  // namespace plexion
