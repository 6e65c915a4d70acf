#include "plexion/platform/convert.hpp"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "plexion/platform/text.hpp"

namespace plexion {

namespace {

template <class T>
T FromVariantRaw(const Variant& v) {
  return *v.Get<T>();
}

[[noreturn]] void Mismatch() { throw Error::Runtime(errnum::TypeMismatch); }
[[noreturn]] void NullUse() { throw Error::Runtime(errnum::InvalidUseOfNull); }
[[noreturn]] void Overflow() { throw Error::Runtime(errnum::Overflow); }

// Half to even, as the host language rounds when it converts to an integer.
double RoundHalfEven(double x) {
  const double r = std::round(x);
  if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
  return r;
}

// Any number, Boolean, date or numeric text as a double; Empty is 0.
double NumberOf(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Empty: return 0.0;
    case VarType::Null: NullUse();
    case VarType::Bool: return ToBool(v) ? -1.0 : 0.0;
    case VarType::String: {
      double d;
      if (!ParseNumber(v.StringValue(), d)) Mismatch();
      return d;
    }
    default: return ToDouble(v);
  }
}

template <class Int>
Int ToInteger(const Variant& v) {
  const Variant x = v.Value();
  if (x.Type() == VarType::Int16 || x.Type() == VarType::Int32) {
    const std::int64_t n = x.Type() == VarType::Int16 ? FromVariantRaw<std::int16_t>(x)
                                                      : FromVariantRaw<std::int32_t>(x);
    if (n < std::numeric_limits<Int>::min() || n > std::numeric_limits<Int>::max()) Overflow();
    return static_cast<Int>(n);
  }
  const double d = RoundHalfEven(NumberOf(x));
  if (!std::isfinite(d) || d < std::numeric_limits<Int>::min() ||
      d > std::numeric_limits<Int>::max())
    Overflow();
  return static_cast<Int>(d);
}

}  // namespace

bool ParseNumber(std::string_view text, double& out) {
  std::string t = Trim(text);
  if (t.empty()) return false;
  if (t.size() > 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h' || t[1] == 'O' || t[1] == 'o')) {
    const int base = (t[1] == 'H' || t[1] == 'h') ? 16 : 8;
    char* end = nullptr;
    const unsigned long long n = std::strtoull(t.c_str() + 2, &end, base);
    if (*end != '\0' || n > 0xFFFFFFFFull) return false;
    // Hex and octal literals are 32-bit patterns: &HFFFFFFFF is -1.
    out = n > 0x7FFFFFFFull ? double(std::int64_t(n) - 0x100000000ll) : double(n);
    return true;
  }
  // sign, digits (with thousands commas before the point), point, digits, exponent
  std::string clean;
  size_t i = 0;
  if (t[i] == '+' || t[i] == '-') clean += t[i++];
  bool digits = false, point = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      clean += c;
      digits = true;
    } else if (c == ',' && !point && digits) {
      continue;
    } else if (c == '.' && !point) {
      clean += c;
      point = true;
    } else {
      break;
    }
  }
  if (!digits) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E' || t[i] == 'd' || t[i] == 'D')) {
    clean += 'e';
    ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) clean += t[i++];
    const size_t start = i;
    while (i < t.size() && std::isdigit(static_cast<unsigned char>(t[i]))) clean += t[i++];
    if (i == start) return false;
  }
  if (i != t.size()) return false;
  out = std::strtod(clean.c_str(), nullptr);
  return std::isfinite(out);
}

std::string NumberText(double v, int significantDigits) {
  if (v == 0) return "0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", significantDigits, v);
  return buf;
}

std::string ToString(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Empty: return "";
    case VarType::Null: NullUse();
    case VarType::String: return v.StringValue();
    case VarType::Bool: return BoolText(ToBool(v));
    case VarType::Int16: return std::to_string(ToInt16(v));
    case VarType::Int32: return std::to_string(ToInt32(v));
    case VarType::Float32: return NumberText(ToFloat(v), 7);
    case VarType::Float64: return NumberText(ToDouble(v), 15);
    case VarType::Date: return ToDate(v).ToText();
    default: Mismatch();
  }
}

bool ToBool(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Bool: return FromVariantRaw<bool>(v);
    case VarType::String: {
      const std::string& s = v.StringValue();
      const std::string t = Trim(s);
      if (EqualsNoCase(t, "True")) return true;
      if (EqualsNoCase(t, "False")) return false;
      double d;
      if (!ParseNumber(t, d)) Mismatch();
      return d != 0;
    }
    case VarType::Object:
    case VarType::Array: Mismatch();
    default: return NumberOf(v) != 0;
  }
}

std::int16_t ToInt16(const Variant& v) { return ToInteger<std::int16_t>(v); }
std::int32_t ToInt32(const Variant& v) { return ToInteger<std::int32_t>(v); }

double ToDouble(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Int16: return FromVariantRaw<std::int16_t>(v);
    case VarType::Int32: return FromVariantRaw<std::int32_t>(v);
    case VarType::Float32: return FromVariantRaw<float>(v);
    case VarType::Float64: return FromVariantRaw<double>(v);
    case VarType::Date: return FromVariantRaw<DateTime>(v).serial();
    case VarType::Object:
    case VarType::Array: Mismatch();
    default: return NumberOf(v);
  }
}

float ToFloat(const Variant& v) {
  const double d = ToDouble(v);
  if (std::isfinite(d) && std::fabs(d) > std::numeric_limits<float>::max()) Overflow();
  return static_cast<float>(d);
}

DateTime ToDate(const Variant& in) {
  const Variant v = in.Value();
  switch (v.Type()) {
    case VarType::Date: return FromVariantRaw<DateTime>(v);
    case VarType::String: return DateTime::Parse(v.StringValue());
    case VarType::Null: NullUse();
    case VarType::Object:
    case VarType::Array: Mismatch();
    default: {
      const double d = NumberOf(v);
      // 1 January 100 to 31 December 9999
      if (!(d >= -657434.0 && d < 2958466.0)) Overflow();
      return DateTime(d);
    }
  }
}

Ref<Object> ToObject(const Variant& v) {
  if (v.Type() != VarType::Object) Mismatch();
  return v.ObjectValue();
}

bool ValuesEqual(const Variant& a, const Variant& b) {
  const Variant x = a.Value(), y = b.Value();
  if (x.IsNull() || y.IsNull()) return false;
  if (x.IsObject() || y.IsObject() || x.IsArray() || y.IsArray()) Mismatch();
  if (x.IsString() && y.IsString()) return x.StringValue() == y.StringValue();
  if ((x.IsString() && y.IsEmpty()) || (x.IsEmpty() && y.IsString()))
    return ToString(x) == ToString(y);
  return NumberOf(x) == NumberOf(y);
}

VariantArray ToArray(const Variant& v) {
  const Variant x = v.Value();
  if (x.Type() != VarType::Array) Mismatch();
  return x.ArrayValue();
}

StringArray ToStringArray(const Variant& v) {
  return ToArray(v).Map([](const Variant& e) { return ToString(e); });
}

}  // namespace plexion
