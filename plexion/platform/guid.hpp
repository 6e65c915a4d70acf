// Class, interface and library identifiers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace plexion {

struct Guid {
  std::array<std::uint8_t, 16> bytes{};

  // "{B7C223D6-706C-11D3-8C44-00105A6449C9}" (braces optional, letter case free); a malformed
  // text is a compile-time error in constant evaluation and an empty Guid otherwise.
  static constexpr Guid Parse(std::string_view text) {
    if (text.size() == 38 && text.front() == '{' && text.back() == '}') text = text.substr(1, 36);
    Guid g;
    if (text.size() != 36) return Invalid();
    std::size_t byte = 0;
    for (std::size_t i = 0; i < text.size();) {
      if (i == 8 || i == 13 || i == 18 || i == 23) {
        if (text[i] != '-') return Invalid();
        ++i;
        continue;
      }
      const int hi = Hex(text[i]), lo = Hex(text[i + 1]);
      if (hi < 0 || lo < 0) return Invalid();
      g.bytes[byte++] = static_cast<std::uint8_t>(hi * 16 + lo);
      i += 2;
    }
    return g;
  }

  std::string ToString() const;  // upper case, with braces
  bool IsNull() const { return *this == Guid{}; }
  friend constexpr bool operator==(const Guid&, const Guid&) = default;

 private:
  static constexpr int Hex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  }
  static Guid Invalid() { return Guid{}; }  // not constexpr: stops constant evaluation
};

struct GuidHash {
  std::size_t operator()(const Guid& g) const noexcept {
    std::size_t h = 0;
    for (std::uint8_t b : g.bytes) h = h * 131 + b;
    return h;
  }
};

}  // namespace plexion
