#include "plexion/platform/text.hpp"

#include <cstdint>
#include <cstring>

namespace plexion {

namespace {

// Folds the ASCII capitals of eight bytes at once (bytes with the high bit set stay as they are).
std::uint64_t FoldWord(std::uint64_t w) noexcept {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full, kHigh = 0x8080808080808080ull;
  const std::uint64_t low = w & kLow7;
  const std::uint64_t atLeastA = low + 0x3F3F3F3F3F3F3F3Full;  // bit 7 set where byte >= 'A'
  const std::uint64_t aboveZ = low + 0x2525252525252525ull;    // bit 7 set where byte > 'Z'
  const std::uint64_t upper = atLeastA & ~aboveZ & ~w & kHigh;
  return w | (upper >> 2);
}

std::uint64_t Word(const char* p, std::size_t n) noexcept {
  std::uint64_t w = 0;
  if (n == 8) {
    std::memcpy(&w, p, 8);
  } else {
    for (std::size_t k = 0; k < n; ++k)
      w |= std::uint64_t(static_cast<unsigned char>(p[k])) << (8 * k);
  }
  return w;
}

}  // namespace

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  std::size_t i = 0;
  for (; i + 8 <= a.size(); i += 8)
    if (FoldWord(Word(a.data() + i, 8)) != FoldWord(Word(b.data() + i, 8))) return false;
  const std::size_t rest = a.size() - i;
  return rest == 0 || FoldWord(Word(a.data() + i, rest)) == FoldWord(Word(b.data() + i, rest));
}

std::string FoldCase(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = FoldChar(c);
  return out;
}

std::string UpperCase(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  return out;
}

std::string Trim(std::string_view s) {
  const auto b = s.find_first_not_of(" \t\r\n");
  if (b == std::string_view::npos) return {};
  const auto e = s.find_last_not_of(" \t\r\n");
  return std::string(s.substr(b, e - b + 1));
}

std::string ProperCase(std::string_view s) {
  std::string out(s);
  bool wordStart = true;
  for (char& c : out) {
    const bool separator =
        c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == '\0';
    if (separator) {
      wordStart = true;
      continue;
    }
    if (wordStart && c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    if (!wordStart) c = FoldChar(c);
    wordStart = false;
  }
  return out;
}

std::size_t NoCaseHash::operator()(std::string_view s) const noexcept {
  constexpr std::uint64_t kMul = 0x9E3779B97F4A7C15ull;
  std::uint64_t h = kMul ^ s.size();
  auto mix = [&](std::uint64_t w) {
    h = (h ^ FoldWord(w)) * kMul;
    h ^= h >> 29;
  };
  std::size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) mix(Word(s.data() + i, 8));
  if (i < s.size()) mix(Word(s.data() + i, s.size() - i));
  return static_cast<std::size_t>(h);
}

std::string SqlQuote(std::string_view s) {
  std::string out = "'";
  for (char c : s) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out + "'";
}

}  // namespace plexion
