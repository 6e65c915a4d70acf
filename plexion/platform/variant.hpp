// Variant: the tagged value that tab data, event arguments, settings and dispatch arguments use.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "plexion/platform/array.hpp"
#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"

namespace plexion {

// Type codes follow the host platform's numbering, so that dumps read as hosts expect.
enum class VarType : std::uint16_t {
  Empty = 0,
  Null = 1,
  Int16 = 2,
  Int32 = 3,
  Float32 = 4,
  Float64 = 5,
  Date = 7,
  String = 8,
  Object = 9,
  Bool = 11,
  Variant = 12,
  Array = 0x2000,
};

std::string_view TypeName(VarType t);  // "Integer", "Long", "String", ...

class Variant;
using VariantArray = Array<Variant>;
using StringArray = Array<std::string>;

class Variant {
 public:
  Variant() noexcept = default;  // Empty
  Variant(std::int16_t v) : v_(v) {}
  Variant(std::int32_t v) : v_(v) {}
  Variant(float v) : v_(v) {}
  Variant(double v) : v_(v) {}
  Variant(DateTime v) : v_(v) {}
  Variant(const std::string& v) : v_(v) {}
  Variant(std::string&& v) : v_(std::move(v)) {}
  Variant(std::string_view v) : v_(std::string(v)) {}
  Variant(const char* v) : v_(std::string(v)) {}
  Variant(bool v) : v_(v) {}
  template <class T>
  Variant(const Ref<T>& obj) : v_(ObjectRef{Ref<Object>(obj)}) {}
  template <class T>
  Variant(Ref<T>&& obj) : v_(ObjectRef{Ref<Object>(std::move(obj))}) {}
  Variant(VariantArray items, VarType elementType = VarType::Variant);
  Variant(const StringArray& items);

  static Variant Null();
  static Variant Nothing();  // an object reference to no object: not the same as Empty

  // A reference to a variable of the caller, through which Assign writes back.
  template <class T>
  static Variant RefTo(T& target) {
    Variant v;
    v.v_ = VarRef{Target{&target}};
    return v;
  }

  // The type of the value held (through a reference).
  VarType Type() const;
  VarType ElementType() const;  // of an array
  bool IsByRef() const { return std::holds_alternative<VarRef>(v_); }
  bool IsEmpty() const { return Type() == VarType::Empty; }
  bool IsNull() const { return Type() == VarType::Null; }
  bool IsObject() const { return Type() == VarType::Object; }
  bool IsArray() const { return Type() == VarType::Array; }
  bool IsString() const { return Type() == VarType::String; }
  bool IsNumeric() const;  // a number or a Boolean

  // The value held, a copy taken through a reference.
  Variant Value() const;
  // Stores v: through a reference into the caller's variable (converted to its type), else here.
  void Assign(const Variant& v);

  // The value if it is held as exactly T (through references to variants), else null.
  template <class T>
  const T* Get() const {
    const Variant* v = Deref();
    return v ? std::get_if<T>(&v->v_) : nullptr;
  }

  // The caller's variable a by-reference variant names, if it is of exactly type T; else null.
  template <class T>
  T* RefTarget() const {
    if (!IsByRef()) return nullptr;
    if constexpr (std::is_same_v<T, Variant>) {
      return const_cast<Variant*>(Deref());
    } else if constexpr (IsTargetType<T>()) {
      const Target* t = TypedTarget();
      auto* const* p = t ? std::get_if<T*>(t) : nullptr;
      return p ? *p : nullptr;
    } else {
      return nullptr;
    }
  }

  // Direct access without conversion; each throws type mismatch when the type differs.
  const std::string& StringValue() const;
  Ref<Object> ObjectValue() const;
  const VariantArray& ArrayValue() const;

  // The host language's literal form, for messages and listings: 3, "abc", True, #1/2/2036#.
  std::string Describe() const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct NullTag {
    bool operator==(const NullTag&) const = default;
  };
  struct ObjectRef {
    Ref<Object> obj;
  };
  struct ArrayBox {
    std::unique_ptr<VariantArray> items;
    VarType element = VarType::Variant;
    ArrayBox() = default;
    ArrayBox(VariantArray a, VarType e);
    ArrayBox(const ArrayBox& o);
    ArrayBox(ArrayBox&&) noexcept = default;
    ArrayBox& operator=(ArrayBox o) noexcept;
  };
  // By-reference objects travel as Ref<Object>.
  using Target = std::variant<std::int16_t*, std::int32_t*, float*, double*, DateTime*,
                              std::string*, bool*, Ref<Object>*, Variant*, StringArray*>;
  struct VarRef {
    Target target;
  };
  template <class T, std::size_t I = 0>
  static constexpr bool IsTargetType() {
    if constexpr (I == std::variant_size_v<Target>) return false;
    else if constexpr (std::is_same_v<std::variant_alternative_t<I, Target>, T*>) return true;
    else return IsTargetType<T, I + 1>();
  }
  // Follows references to the variant that holds the value; null when they end at a typed
  // variable, which TypedTarget then names.
  const Variant* Deref() const;
  const Target* TypedTarget() const;

  std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, float, double, DateTime,
               std::string, bool, ObjectRef, ArrayBox, VarRef>
      v_;

  friend class Converter;
};

std::ostream& operator<<(std::ostream& os, const Variant& v);

}  // namespace plexion
