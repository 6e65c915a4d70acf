#include "plexion/platform/variant.hpp"

#include "plexion/platform/convert.hpp"

namespace plexion {

namespace {
template <class... F>
struct Overload : F... {
  using F::operator()...;
};
template <class... F>
Overload(F...) -> Overload<F...>;
}  // namespace

std::string_view TypeName(VarType t) {
  switch (t) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::Int16: return "Integer";
    case VarType::Int32: return "Long";
    case VarType::Float32: return "Single";
    case VarType::Float64: return "Double";
    case VarType::Date: return "Date";
    case VarType::String: return "String";
    case VarType::Object: return "Object";
    case VarType::Bool: return "Boolean";
    case VarType::Variant: return "Variant";
    case VarType::Array: return "Array";
  }
  return "Unknown";
}

Variant::ArrayBox::ArrayBox(VariantArray a, VarType e)
    : items(std::make_unique<VariantArray>(std::move(a))), element(e) {}
Variant::ArrayBox::ArrayBox(const ArrayBox& o)
    : items(o.items ? std::make_unique<VariantArray>(*o.items) : nullptr), element(o.element) {}
Variant::ArrayBox& Variant::ArrayBox::operator=(ArrayBox o) noexcept {
  std::swap(items, o.items);
  std::swap(element, o.element);
  return *this;
}

Variant::Variant(VariantArray items, VarType elementType)
    : v_(ArrayBox(std::move(items), elementType)) {}

Variant::Variant(const StringArray& items)
    : v_(ArrayBox(items.Map([](const std::string& s) { return Variant(s); }), VarType::String)) {}

Variant Variant::Null() {
  Variant v;
  v.v_ = NullTag{};
  return v;
}

Variant Variant::Nothing() {
  Variant v;
  v.v_ = ObjectRef{};
  return v;
}

const Variant* Variant::Deref() const {
  const Variant* v = this;
  while (auto* r = std::get_if<VarRef>(&v->v_)) {
    auto* const* next = std::get_if<Variant*>(&r->target);
    if (!next) return nullptr;  // a typed variable: no Variant to point at
    v = *next;
  }
  return v;
}

const Variant::Target* Variant::TypedTarget() const {
  const Variant* v = this;
  while (auto* r = std::get_if<VarRef>(&v->v_)) {
    auto* const* next = std::get_if<Variant*>(&r->target);
    if (!next) return &r->target;
    v = *next;
  }
  return nullptr;
}

Variant Variant::Value() const {
  if (const Variant* v = Deref()) return *v;
  return std::visit(Overload{[](Variant*) -> Variant { return {}; },
                             [](auto* p) -> Variant { return Variant(*p); }},
                    *TypedTarget());
}

void Variant::Assign(const Variant& value) {
  auto* r = std::get_if<VarRef>(&v_);
  if (!r) {
    *this = value.Value();
    return;
  }
  std::visit(
      Overload{[&](Variant* p) { p->Assign(value); }, [&](std::int16_t* p) { *p = ToInt16(value); },
               [&](std::int32_t* p) { *p = ToInt32(value); },
               [&](float* p) { *p = ToFloat(value); }, [&](double* p) { *p = ToDouble(value); },
               [&](DateTime* p) { *p = ToDate(value); },
               [&](std::string* p) { *p = ToString(value); }, [&](bool* p) { *p = ToBool(value); },
               [&](Ref<Object>* p) { *p = ToObject(value); },
               [&](StringArray* p) { *p = ToStringArray(value); }},
      r->target);
}

VarType Variant::Type() const {
  if (const Variant* v = Deref(); v && v != this) return v->Type();
  return std::visit(
      Overload{[](std::monostate) { return VarType::Empty; }, [](NullTag) { return VarType::Null; },
               [](std::int16_t) { return VarType::Int16; },
               [](std::int32_t) { return VarType::Int32; }, [](float) { return VarType::Float32; },
               [](double) { return VarType::Float64; }, [](DateTime) { return VarType::Date; },
               [](const std::string&) { return VarType::String; },
               [](bool) { return VarType::Bool; }, [](const ObjectRef&) { return VarType::Object; },
               [](const ArrayBox&) { return VarType::Array; },
               [this](const VarRef&) { return Value().Type(); }},
      v_);
}

VarType Variant::ElementType() const {
  const Variant v = Value();
  if (auto* a = std::get_if<ArrayBox>(&v.v_)) return a->element;
  throw Error::Runtime(errnum::TypeMismatch);
}

bool Variant::IsNumeric() const {
  switch (Type()) {
    case VarType::Int16:
    case VarType::Int32:
    case VarType::Float32:
    case VarType::Float64:
    case VarType::Bool: return true;
    default: return false;
  }
}

const std::string& Variant::StringValue() const {
  if (const Variant* v = Deref()) {
    if (auto* s = std::get_if<std::string>(&v->v_)) return *s;
  } else if (auto* const* s = std::get_if<std::string*>(TypedTarget())) {
    return **s;
  }
  throw Error::Runtime(errnum::TypeMismatch);
}

Ref<Object> Variant::ObjectValue() const {
  const Variant v = Value();
  if (auto* o = std::get_if<ObjectRef>(&v.v_)) return o->obj;
  throw Error::Runtime(errnum::TypeMismatch);
}

const VariantArray& Variant::ArrayValue() const {
  if (const Variant* v = Deref()) {
    if (auto* a = std::get_if<ArrayBox>(&v->v_)) return *a->items;
  }
  throw Error::Runtime(errnum::TypeMismatch);
}

std::string Variant::Describe() const {
  const Variant v = Value();
  switch (v.Type()) {
    case VarType::Empty: return "Empty";
    case VarType::Null: return "Null";
    case VarType::String: return "\"" + v.StringValue() + "\"";
    case VarType::Date: return "#" + std::get<DateTime>(v.v_).ToText() + "#";
    case VarType::Object: return v.ObjectValue() ? "<Object>" : "Nothing";
    case VarType::Array: {
      const VariantArray& a = v.ArrayValue();
      std::string s = std::string(TypeName(v.ElementType())) + "(";
      if (!a.allocated()) return s + ")";
      for (int d = 1; d <= a.dims(); ++d) {
        if (d > 1) s += ", ";
        s += std::to_string(a.LBound(d)) + " To " + std::to_string(a.UBound(d));
      }
      s += ") {";
      for (size_t i = 0; i < a.size(); ++i) s += (i ? ", " : "") + a.elements()[i].Describe();
      return s + "}";
    }
    default: return ToString(v);
  }
}

bool operator==(const Variant& a, const Variant& b) {
  const Variant x = a.Value(), y = b.Value();
  if (x.v_.index() != y.v_.index()) return false;
  return std::visit(
      Overload{[&](const Variant::ObjectRef& o) {
                 return o.obj == std::get<Variant::ObjectRef>(y.v_).obj;
               },
               [&](const Variant::ArrayBox& ar) {
                 const auto& br = std::get<Variant::ArrayBox>(y.v_);
                 return ar.element == br.element && *ar.items == *br.items;
               },
               [&](const Variant::VarRef&) { return false; },
               [&](const auto& v) { return v == std::get<std::decay_t<decltype(v)>>(y.v_); }},
      x.v_);
}

std::ostream& operator<<(std::ostream& os, const Variant& v) { return os << v.Describe(); }

}  // namespace plexion
