// Conversions between variants and typed values, with the host language's rules: half-to-even
// rounding, overflow (6), type mismatch (13) and invalid use of Null (94).
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "plexion/platform/variant.hpp"

namespace plexion {

std::string ToString(const Variant& v);
bool ToBool(const Variant& v);
std::int16_t ToInt16(const Variant& v);
std::int32_t ToInt32(const Variant& v);
float ToFloat(const Variant& v);
double ToDouble(const Variant& v);
DateTime ToDate(const Variant& v);
Ref<Object> ToObject(const Variant& v);  // an object reference, possibly no object
VariantArray ToArray(const Variant& v);
StringArray ToStringArray(const Variant& v);

// Number and Boolean texts as the host language writes them ("1.5", "1E+20", "True").
std::string NumberText(double v, int significantDigits = 15);
inline std::string BoolText(bool b) { return b ? "True" : "False"; }
// Parses a numeric text ("  12 ", "-1.5e3", "1,234", "&HFF"); false when it is not a number.
bool ParseNumber(std::string_view text, double& out);

// The host language's "=" as an If statement reads it: Null on either side is false; a text and a
// number compare as numbers (a text that is not a number is a type mismatch); texts compare
// exactly; Empty is "" against a text and 0 against a number.
bool ValuesEqual(const Variant& a, const Variant& b);

// An object of class T, or no object; an object of another class is a type mismatch.
template <class T>
Ref<T> ToObjectOf(const Variant& v) {
  Ref<Object> o = ToObject(v);
  if (!o) return {};
  Ref<T> t = o.As<T>();
  if (!t) throw Error::Runtime(errnum::TypeMismatch);
  return t;
}

template <class T>
struct IsRef : std::false_type {};
template <class T>
struct IsRef<Ref<T>> : std::true_type {};

// The typed value of a variant, for the types the library's interfaces use.
template <class T>
T FromVariant(const Variant& v) {
  if constexpr (std::is_same_v<T, Variant>) return v.Value();
  else if constexpr (std::is_same_v<T, std::string>) return ToString(v);
  else if constexpr (std::is_same_v<T, bool>) return ToBool(v);
  else if constexpr (std::is_same_v<T, std::int16_t>) return ToInt16(v);
  else if constexpr (std::is_same_v<T, std::int32_t>) return ToInt32(v);
  else if constexpr (std::is_same_v<T, float>) return ToFloat(v);
  else if constexpr (std::is_same_v<T, double>) return ToDouble(v);
  else if constexpr (std::is_same_v<T, DateTime>) return ToDate(v);
  else if constexpr (std::is_same_v<T, StringArray>) return ToStringArray(v);
  else if constexpr (std::is_same_v<T, VariantArray>) return ToArray(v);
  else if constexpr (IsRef<T>::value)
    return ToObjectOf<typename std::remove_reference_t<decltype(*std::declval<T>())>>(v);
  else if constexpr (std::is_enum_v<T>) return static_cast<T>(ToInt32(v));
  else static_assert(sizeof(T) == 0, "no variant conversion for this type");
}

// A member's result as a variant: a temporary (a text, an object reference) is moved in.
template <class T>
Variant ToVariant(T&& value) {
  using V = std::remove_cvref_t<T>;
  if constexpr (std::is_same_v<V, Variant>) return value.Value();
  else if constexpr (std::is_enum_v<V>) return Variant(static_cast<std::int32_t>(value));
  else return Variant(std::forward<T>(value));
}

}  // namespace plexion
