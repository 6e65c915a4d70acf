// Text helpers. Comparisons "without regard to letter case" fold the ASCII letters A-Z only;
// other characters, including every non-ASCII UTF-8 sequence, compare exactly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plexion {

constexpr char FoldChar(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;
std::string FoldCase(std::string_view s);
std::string UpperCase(std::string_view s);  // ASCII letters
std::string Trim(std::string_view s);       // blanks, tabs and line ends at both ends

// Each word with an initial capital and the rest in lower case; words are separated by blanks,
// tabs and line ends, as the host language's proper-case conversion separates them.
std::string ProperCase(std::string_view s);

// Hash and equality that ignore letter case, usable for heterogeneous lookup.
struct NoCaseHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view s) const noexcept;
};
struct NoCaseEqual {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const noexcept {
    return EqualsNoCase(a, b);
  }
};

// A single-quoted SQL literal with embedded quotes doubled.
std::string SqlQuote(std::string_view s);

}  // namespace plexion
