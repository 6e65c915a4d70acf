// Dispatch machinery: interfaces described as tables of members, each member bound to a typed
// C++ member function, and Invoke by dispatch id with argument conversion and by-reference
// write-back. The tables themselves live with the component surface.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "plexion/platform/convert.hpp"
#include "plexion/platform/guid.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/type_memo.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

using DispId = std::int32_t;
inline constexpr DispId kDispIdValue = 0;     // the default member
inline constexpr DispId kDispIdNewEnum = -4;  // the enumerator member

// Accessor kinds; Invoke accepts a combination (a host asking for "method or property get").
enum class InvokeKind : std::uint8_t { Method = 1, Get = 2, Let = 4, Set = 8 };
constexpr InvokeKind operator|(InvokeKind a, InvokeKind b) {
  return InvokeKind(std::uint8_t(a) | std::uint8_t(b));
}
constexpr bool Includes(InvokeKind set, InvokeKind k) {
  return (std::uint8_t(set) & std::uint8_t(k)) != 0;
}
std::string_view KindName(InvokeKind k);  // "method", "get", "let", "set"

// A type as the type library names it.
struct TypeDesc {
  constexpr TypeDesc(VarType t = VarType::Empty, bool isArray = false, std::string_view object = {})
      : type(t), array(isArray), objectType(object) {}
  VarType type;  // Empty: no result
  bool array;
  std::string_view objectType;  // for objects: the class or interface name
  std::string Name() const;     // "Long", "String()", "CPlexionCtls", "Variant"
};

struct ParamInfo {
  std::string_view name;
  TypeDesc type;
  bool byRef = false;
  bool optional = false;
  std::optional<Variant> defaultValue;
};

using Invoker = std::function<Variant(Object& self, std::span<Variant> args,
                                      std::span<const ParamInfo> params)>;

struct MemberInfo {
  std::string_view name;
  DispId id = 0;
  InvokeKind kind = InvokeKind::Method;
  std::vector<ParamInfo> params;
  TypeDesc result;
  Invoker invoke;
  std::size_t RequiredCount() const {
    std::size_t n = 0;
    for (const ParamInfo& p : params) n += p.optional ? 0 : 1;
    return n;
  }
  // As the type library prints it: "Item(ByVal Index As Variant) As CPlexionCtl".
  std::string Signature() const;
};

// A dispatch id as the type library prints it: small ones in decimal, the others as 0x%08X.
std::string DispIdText(DispId id);

// A dispatch interface (or an event interface): members in function-table order.
class InterfaceInfo {
 public:
  InterfaceInfo(std::string_view name, Guid iid, std::vector<MemberInfo> members);
  std::string_view name() const { return name_; }
  const Guid& iid() const { return iid_; }
  const std::vector<MemberInfo>& members() const { return members_; }

  // The member with this id that offers one of the kinds asked for (the earliest in the table
  // when several do).
  const MemberInfo* Find(DispId id, InvokeKind kinds) const noexcept;
  bool HasId(DispId id) const noexcept { return SlotOf(id) != nullptr; }
  // A member name (letter case ignored) to its dispatch id.
  std::optional<DispId> IdOfName(std::string_view name) const;

 private:
  // Every call by id looks its member up, so ids go straight to a slot: a multiplicative hash
  // of the id, with a multiplier chosen when the interface is built so that no two of its ids
  // share a slot. A slot holds the id and, for every combination of kinds a call may ask for,
  // the earliest member in the table that offers one of them (-1: none).
  struct Slot {
    DispId id = 0;
    bool used = false;
    std::int16_t byKinds[16];
  };
  std::size_t SlotIndex(DispId id) const noexcept {
    return (static_cast<std::uint32_t>(id) * multiplier_) >> shift_;
  }
  const Slot* SlotOf(DispId id) const noexcept {
    const Slot& slot = slots_[SlotIndex(id)];
    return slot.used && slot.id == id ? &slot : nullptr;
  }
  void BuildSlots();

  std::string_view name_;
  Guid iid_;
  std::vector<MemberInfo> members_;
  std::vector<Slot> slots_;
  std::uint32_t multiplier_ = 1;
  int shift_ = 31;
};

// The error information a failing Invoke hands back.
struct ErrorInfo {
  Status scode = status::Ok;  // the status of the error itself
  std::int32_t number = 0;
  std::string source;
  std::string description;
};

struct InvokeResult {
  InvokeResult() = default;
  // A successful call's answer, its value made by answer() right in place.
  template <class Answer>
  requires std::is_invocable_r_v<Variant, Answer>
  explicit InvokeResult(Answer&& answer) : value(answer()) {}

  Status status = status::Ok;
  Variant value;
  ErrorInfo error;
  int argError = -1;  // position of the argument that did not convert
  bool ok() const { return !status::Failed(status); }
};

// An error as the result of a failed call: `status` is what the call answers (DISP_E_EXCEPTION
// when a member raised the error itself), the error information is the error's own. Every
// place that turns an error into a dispatch result goes through here.
InvokeResult ErrorResult(const Error& error, Status status = status::Exception);

// Calls a member by id and kind. Arguments are positional, first parameter first; a
// by-reference argument (Variant::RefTo) receives what the member wrote. Fails with a status and
// error information, never with an exception: an unknown id or kind, a wrong argument count, an
// argument that does not convert, or an error raised by the member.
InvokeResult Invoke(Object& self, const InterfaceInfo& itf, DispId id, InvokeKind kinds,
                    std::span<Variant> args) noexcept;

// An argument that did not convert to its parameter's type.
class ArgumentError : public Error {
 public:
  ArgumentError(const Error& e, int index) : Error(e), index_(index) {}
  int index() const { return index_; }

 private:
  int index_;
};

namespace dispatch {

// A parameter as a table states it: Param("sKey").ByRef(), Param("lId").Optional(Variant(0)).
struct Param {
  std::string_view name;
  bool byRef = false;
  bool optional = false;
  std::optional<Variant> defaultValue;
  Param(const char* n) : name(n) {}
  Param ByRef() const {
    Param p = *this;
    p.byRef = true;
    return p;
  }
  Param Optional() const {
    Param p = *this;
    p.optional = true;
    return p;
  }
  Param Optional(Variant value) const {
    Param p = Optional();
    p.defaultValue = std::move(value);
    return p;
  }
};
using Params = std::initializer_list<Param>;

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};
template <class T>
struct Unwrap {
  using type = T;
};
template <class T>
struct Unwrap<std::optional<T>> {
  using type = T;
};

template <class X>
constexpr std::string_view ObjectTypeName() {
  if constexpr (requires { X::kTypeName; }) return X::kTypeName;
  else return "Object";
}

template <class T>
TypeDesc TypeOf() {
  using Bare = typename Unwrap<std::remove_cvref_t<T>>::type;
  if constexpr (std::is_void_v<Bare>) return {VarType::Empty};
  else if constexpr (std::is_same_v<Bare, std::int16_t>) return {VarType::Int16};
  else if constexpr (std::is_same_v<Bare, std::int32_t>) return {VarType::Int32};
  else if constexpr (std::is_same_v<Bare, float>) return {VarType::Float32};
  else if constexpr (std::is_same_v<Bare, double>) return {VarType::Float64};
  else if constexpr (std::is_same_v<Bare, bool>) return {VarType::Bool};
  else if constexpr (std::is_same_v<Bare, DateTime>) return {VarType::Date};
  else if constexpr (std::is_same_v<Bare, std::string>) return {VarType::String};
  else if constexpr (std::is_same_v<Bare, Variant>) return {VarType::Variant};
  else if constexpr (std::is_same_v<Bare, StringArray>) return {VarType::String, true};
  else if constexpr (std::is_same_v<Bare, VariantArray>) return {VarType::Variant, true};
  else if constexpr (IsRef<Bare>::value)
    return {VarType::Object, false, ObjectTypeName<std::remove_reference_t<decltype(*Bare())>>()};
  // An enumeration names itself through TypeNameOf(E), found next to it.
  else if constexpr (std::is_enum_v<Bare>) return {VarType::Int32, false, TypeNameOf(Bare{})};
  else static_assert(sizeof(Bare) == 0, "type not known to the type library");
}

template <class T>
T ConvertArg(const Variant& v) {
  if constexpr (IsOptional<T>::value) return T(FromVariant<typename T::value_type>(v));
  else return FromVariant<T>(v);
}

// One argument on its way to a typed parameter: the caller's own variable when a by-reference
// argument names one of exactly the parameter's type, else a converted copy that is written back.
// A parameter that only reads a variant or a text sees the caller's argument itself when that
// holds one as it stands: nothing is copied.
template <class A>
class Arg {
 public:
  using Held = std::remove_cvref_t<A>;
  static constexpr bool kWritesBack =
      std::is_lvalue_reference_v<A> && !std::is_const_v<std::remove_reference_t<A>>;
  static constexpr bool kViews =
      !kWritesBack && (std::is_same_v<Held, Variant> || std::is_same_v<Held, std::string>);

  Arg(Variant* source, const ParamInfo& param, int index) : source_(source) {
    try {
      if (!source_) {
        if (param.defaultValue) local_.emplace(ConvertArg<Held>(*param.defaultValue));
        else if constexpr (IsOptional<Held>::value) local_.emplace(std::nullopt);
        else local_.emplace();
        return;
      }
      if constexpr (kWritesBack) direct_ = source_->RefTarget<Held>();
      if constexpr (kViews) view_ = View(*source_);
      if (!direct_ && !view_) local_.emplace(ConvertArg<Held>(*source_));
    } catch (const Error& e) {
      throw ArgumentError(e, index);
    }
  }

  // The argument as the member takes it; a by-value parameter takes the converted copy over.
  A Get() {
    if constexpr (kWritesBack) return direct_ ? *direct_ : *local_;
    else if constexpr (std::is_reference_v<A>) return view_ ? *view_ : *local_;
    else if (view_) return *view_;
    else return std::move(*local_);
  }

  void WriteBack() {
    if constexpr (kWritesBack) {
      if (source_ && !direct_ && source_->IsByRef()) source_->Assign(ToVariant(*local_));
    }
  }

 private:
  static const Held* View(const Variant& v) {
    if (v.IsByRef()) return nullptr;
    if constexpr (std::is_same_v<Held, Variant>) return &v;
    else return v.Get<Held>();
  }

  Variant* source_;
  Held* direct_ = nullptr;
  const Held* view_ = nullptr;
  std::optional<Held> local_;
};

// The object as its class C. Within one dynamic type the C part lies at the same offset from
// the Object part: it is found once per type, not by searching the class hierarchy at every
// call.
template <class C>
C& Self(Object& o) {
  static TypeMemo<std::ptrdiff_t> offsets;
  char* const base = reinterpret_cast<char*>(&o);
  const std::ptrdiff_t offset = offsets.Get(typeid(o), [&] {
    C* c = dynamic_cast<C*>(&o);
    if (!c) throw Error::Runtime(errnum::ObjectDoesNotSupport);
    return reinterpret_cast<char*>(c) - base;
  });
  return *reinterpret_cast<C*>(base + offset);
}

template <class C, class M, class R, class... A, std::size_t... I>
Variant Call(C& self, M method, std::span<Variant> args,
             [[maybe_unused]] std::span<const ParamInfo> params, std::index_sequence<I...>) {
  std::tuple<Arg<A>...> holders{Arg<A>(I < args.size() ? &args[I] : nullptr, params[I], int(I))...};
  if constexpr (!(Arg<A>::kWritesBack || ...)) {
    // Nothing to write back: the result goes straight to the caller.
    if constexpr (std::is_void_v<R>) {
      (self.*method)(std::get<I>(holders).Get()...);
      return Variant();
    } else {
      return ToVariant((self.*method)(std::get<I>(holders).Get()...));
    }
  } else {
    auto writeBack = [&] { (std::get<I>(holders).WriteBack(), ...); };
    try {
      if constexpr (std::is_void_v<R>) {
        (self.*method)(std::get<I>(holders).Get()...);
        writeBack();
        return Variant();
      } else {
        Variant result = ToVariant((self.*method)(std::get<I>(holders).Get()...));
        writeBack();
        return result;
      }
    } catch (...) {
      writeBack();  // the member may have written before it failed
      throw;
    }
  }
}

std::vector<ParamInfo> MakeParams(Params table, std::vector<TypeDesc> types,
                                  std::vector<bool> writesBack, std::vector<bool> optional);

template <class C, class M, class R, class... A>
MemberInfo MakeMember(std::string_view name, DispId id, InvokeKind kind, M method, Params table) {
  MemberInfo m;
  m.name = name;
  m.id = id;
  m.kind = kind;
  m.params = MakeParams(table, {TypeOf<A>()...}, {Arg<A>::kWritesBack...},
                        {IsOptional<std::remove_cvref_t<A>>::value...});
  m.result = TypeOf<R>();
  m.invoke = [method](Object& self, std::span<Variant> args, std::span<const ParamInfo> params) {
    return Call<C, M, R, A...>(Self<C>(self), method, args, params,
                               std::index_sequence_for<A...>{});
  };
  return m;
}

// Table rows. Getters are const member functions, setters return void: a property's getter
// and setter share a name and each row picks its own from the overload set.
template <class C, class R, class... A>
MemberInfo Method(std::string_view name, DispId id, R (C::*m)(A...), Params p = {}) {
  return MakeMember<C, decltype(m), R, A...>(name, id, InvokeKind::Method, m, p);
}
template <class C, class R, class... A>
MemberInfo Method(std::string_view name, DispId id, R (C::*m)(A...) const, Params p = {}) {
  return MakeMember<C, decltype(m), R, A...>(name, id, InvokeKind::Method, m, p);
}
template <class C, class R, class... A>
MemberInfo Get(std::string_view name, DispId id, R (C::*g)(A...) const, Params p = {}) {
  return MakeMember<C, decltype(g), R, A...>(name, id, InvokeKind::Get, g, p);
}
// The getter of an external interface whose getters are not const (a setter never matches:
// it answers nothing). Where a setter of the same name takes the same arguments as the getter
// and one more, name the result type: Get<SelectorCtl, std::string>("Caption", ...).
template <class C, class R, class... A>
requires(!std::is_void_v<R>) MemberInfo
    Get(std::string_view name, DispId id, R (C::*g)(A...), Params p = {}) {
  return MakeMember<C, decltype(g), R, A...>(name, id, InvokeKind::Get, g, p);
}
template <class C, class... A>
MemberInfo Let(std::string_view name, DispId id, void (C::*s)(A...), Params p = {}) {
  return MakeMember<C, decltype(s), void, A...>(name, id, InvokeKind::Let, s, p);
}
template <class C, class... A>
MemberInfo Set(std::string_view name, DispId id, void (C::*s)(A...), Params p = {}) {
  return MakeMember<C, decltype(s), void, A...>(name, id, InvokeKind::Set, s, p);
}

// A property's getter and setter as adjacent rows (pass the property twice: each picks its own
// accessor from the overload set).
template <class C, class R, class... A>
std::vector<MemberInfo> GetLet(std::string_view name, DispId id, R (C::*g)() const,
                               void (C::*s)(A...)) {
  return {Get(name, id, g), Let(name, id, s, {"RHS"})};
}
template <class C, class R, class... A>
std::vector<MemberInfo> GetLet(std::string_view name, DispId id, R (C::*g)(), void (C::*s)(A...)) {
  return {Get(name, id, g), Let(name, id, s, {"RHS"})};
}
template <class C, class R, class... A>
std::vector<MemberInfo> GetSet(std::string_view name, DispId id, R (C::*g)() const,
                               void (C::*s)(A...)) {
  return {Get(name, id, g), Set(name, id, s, {"RHS"})};
}

// Table rows: single members and groups of adjacent accessors, flattened in order.
struct Rows {
  struct Group {
    std::vector<MemberInfo> rows;
    Group(MemberInfo m) { rows.push_back(std::move(m)); }
    Group(std::vector<MemberInfo> r) : rows(std::move(r)) {}
  };
  Rows(std::initializer_list<Group> groups) {
    for (const Group& g : groups) members.insert(members.end(), g.rows.begin(), g.rows.end());
  }
  operator std::vector<MemberInfo>() && { return std::move(members); }
  std::vector<MemberInfo> members;
};

}  // namespace dispatch
}  // namespace plexion
