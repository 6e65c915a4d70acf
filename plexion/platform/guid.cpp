#include "plexion/platform/guid.hpp"

namespace plexion {

std::string Guid::ToString() const {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string s = "{";
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) s += '-';
    s += kHex[bytes[i] >> 4];
    s += kHex[bytes[i] & 15];
  }
  return s + "}";
}

}  // namespace plexion
