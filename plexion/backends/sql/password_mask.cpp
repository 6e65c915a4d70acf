// Passwords never leave the library in a message: every URL and database error goes through
// MaskPassword.
#include <cctype>
#include <regex>

#include "plexion/backends/sql/database.hpp"

namespace plexion::backends {

namespace {

// password = value, the value single-quoted (backslash escapes) or up to the next blank.
const std::regex& PasswordKeyword() {
  static const std::regex re(R"(\bpassword\s*=\s*('(?:[^'\\]|\\.)*'?|[^\s']*))", std::regex::icase);
  return re;
}

void MaskQuotedOrAssigned(std::string& text, std::string_view password) {
  for (const char* quote : {"\"", "'", "="}) {
    const std::string close = quote[0] == '=' ? "" : quote;
    const std::string shown = std::string(quote) + std::string(password) + close;
    const std::string masked = std::string(quote) + "***" + close;
    for (std::size_t at = text.find(shown); at != std::string::npos;
         at = text.find(shown, at + masked.size())) {
      const std::size_t end = at + shown.size();
      // After '=' the password must be the whole value.
      if (quote[0] == '=' && end < text.size() &&
          !std::isspace(static_cast<unsigned char>(text[end])))
        continue;
      text.replace(at, shown.size(), masked);
    }
  }
}

}  // namespace

std::string MaskPassword(std::string_view in, std::string_view password) {
  static const std::regex kUriUserInfo(R"(://([^:/@\s]*):[^@/\s]*@)");
  std::string text = std::regex_replace(std::string(in), PasswordKeyword(), "password=***");
  text = std::regex_replace(text, kUriUserInfo, "://$1:***@");
  if (!password.empty()) MaskQuotedOrAssigned(text, password);
  return text;
}

std::string PasswordOf(std::string_view connect) {
  std::match_results<std::string_view::const_iterator> m;
  if (!std::regex_search(connect.begin(), connect.end(), m, PasswordKeyword())) return {};
  std::string value = m[1].str();
  if (value.empty() || value.front() != '\'') return value;
  std::string unquoted;
  for (std::size_t i = 1; i < value.size() && value[i] != '\''; ++i)
    unquoted += value[i] == '\\' && i + 1 < value.size() ? value[++i] : value[i];
  return unquoted;
}

std::string DatabaseUrl::Masked(std::string_view message) const {
  return MaskPassword(message, PasswordOf(connect));
}

}  // namespace plexion::backends
