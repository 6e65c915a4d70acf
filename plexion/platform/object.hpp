// Counted references: the base of every object of the component and of the external services.
#pragma once

#include <atomic>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace plexion {

class WeakBlock;
template <class>
class Ref;
template <class>
class WeakRef;

// Every class derives from Object (virtually, so that an object that implements several
// interfaces has one identity and one count). Objects live on the heap and die when the last
// counted reference goes; MakeRef creates them. Identity is the address of the Object part.
class Object {
 public:
  Object() noexcept;
  Object(const Object&) = delete;
  Object& operator=(const Object&) = delete;

  void AddRef() const noexcept { refs_.fetch_add(1, std::memory_order_relaxed); }
  void Release() const noexcept;
  long RefCount() const noexcept { return refs_.load(std::memory_order_relaxed); }

  // Objects of the whole process that are alive now.
  static long LiveCount() noexcept;

  // Objects of the component alive now: objects whose most-derived class is one of the
  // component's own (see MakeRef). A host's objects, its subclasses of the component's classes
  // included, are not counted: they are the host's to keep.
  static long ComponentCount() noexcept;

  // Marks an object as kept by the component's own per-thread state (a cache, a service
  // handle, the global object). Such an object keeps the component loaded only while someone
  // else holds it too.
  void KeepInModuleState() const;
  // Whether any object of the component is held outside the component's own state: the
  // component may not unload.
  static bool AnyComponentObjectInUse();

 protected:
  virtual ~Object();

 private:
  friend class WeakBlock;
  template <class>
  friend class WeakRef;
  template <class T, class... Args>
  friend Ref<T> MakeRef(Args&&... args);
  bool TryAddRef() const noexcept;  // fails once the count has reached zero
  WeakBlock* Weak() const;
  void CountAsComponentObject() noexcept;

  mutable std::atomic<long> refs_{0};
  mutable WeakBlock* weak_ = nullptr;
  mutable std::atomic<bool> moduleState_{false};
  bool component_ = false;
};

// A counted reference; empty means "no object".
template <class T>
class Ref {
 public:
  Ref() noexcept = default;
  Ref(std::nullptr_t) noexcept {}
  explicit Ref(T* p) noexcept : p_(p) {
    if (p_) AsObject(p_)->AddRef();
  }
  Ref(const Ref& o) noexcept : Ref(o.p_) {}
  Ref(Ref&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(const Ref<U>& o) noexcept : Ref(static_cast<T*>(o.get())) {}
  template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
  Ref(Ref<U>&& o) noexcept : p_(o.release()) {}
  ~Ref() { reset(); }

  Ref& operator=(Ref o) noexcept {
    std::swap(p_, o.p_);
    return *this;
  }

  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  T& operator*() const noexcept { return *p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

  void reset() noexcept {
    if (T* p = std::exchange(p_, nullptr)) AsObject(p)->Release();
  }
  // Takes over a count the caller already holds (from an entry point that hands out objects).
  static Ref Adopt(T* p) noexcept {
    Ref r;
    r.p_ = p;
    return r;
  }
  // Hands the count over to the caller.
  [[nodiscard]] T* release() noexcept { return std::exchange(p_, nullptr); }

  // The same object through another of its interfaces, or no object.
  template <class U>
  Ref<U> As() const {
    return Ref<U>(dynamic_cast<U*>(p_));
  }

  // Identity: the address of the Object part.
  const Object* identity() const noexcept { return p_ ? AsObject(p_) : nullptr; }

 private:
  static const Object* AsObject(const T* p) noexcept { return static_cast<const Object*>(p); }
  T* p_ = nullptr;
};

template <class T, class U>
bool operator==(const Ref<T>& a, const Ref<U>& b) noexcept {
  return a.identity() == b.identity();
}
template <class T>
bool operator==(const Ref<T>& a, std::nullptr_t) noexcept {
  return !a;
}

// A class of the component names itself as its ComponentClass (`using ComponentClass =
// CSchedData;`); a subclass inherits the name of its base and so is not one.
template <class T>
concept ComponentClass = requires {
  typename T::ComponentClass;
}
&&std::is_same_v<typename T::ComponentClass, T>;

template <class T, class... Args>
Ref<T> MakeRef(Args&&... args) {
  T* object = new T(std::forward<Args>(args)...);
  if constexpr (ComponentClass<T>) object->CountAsComponentObject();
  return Ref<T>(object);
}

// Shared between an object and its weak references; outlives the object.
class WeakBlock {
 public:
  explicit WeakBlock(const Object* target) : target_(target) {}
  void Acquire() noexcept { count_.fetch_add(1, std::memory_order_relaxed); }
  void Drop() noexcept;
  // A counted reference to the target while it lives, else null.
  const Object* Lock() const noexcept;
  void Detach() noexcept { target_ = nullptr; }

 private:
  std::atomic<long> count_{1};
  const Object* target_;
};

// A reference that does not keep its object alive (listener lists use it).
template <class T>
class WeakRef {
 public:
  WeakRef() = default;
  explicit WeakRef(const Ref<T>& r) : WeakRef(r.get()) {}
  explicit WeakRef(T* p) : p_(p) {
    if (p_) {
      block_ = static_cast<const Object*>(p_)->Weak();
      block_->Acquire();
    }
  }
  WeakRef(const WeakRef& o) : p_(o.p_), block_(o.block_) {
    if (block_) block_->Acquire();
  }
  WeakRef& operator=(WeakRef o) noexcept {
    std::swap(p_, o.p_);
    std::swap(block_, o.block_);
    return *this;
  }
  ~WeakRef() {
    if (block_) block_->Drop();
  }

  Ref<T> Lock() const {
    if (!block_ || !block_->Lock()) return {};
    Ref<T> r(p_);
    p_->Release();  // Lock took a count already
    return r;
  }

 private:
  template <class>
  friend class WeakRef;
  T* p_ = nullptr;
  WeakBlock* block_ = nullptr;
};

}  // namespace plexion
