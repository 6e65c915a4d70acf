#include "plexion/backends/sql/database.hpp"
#include "plexion/platform/text.hpp"

namespace plexion::backends {

std::vector<std::string> SplitSqlScript(const std::string& script) {
  std::vector<std::string> statements;
  std::string current;
  bool inBody = false;
  bool inString = false;
  bool inLineComment = false;
  for (std::size_t i = 0; i < script.size(); ++i) {
    const char c = script[i];
    if (inString) {
      current += c;
      if (c == '\'') inString = false;  // a doubled quote closes and reopens
      continue;
    }
    if (inLineComment) {
      if (c == '\n') inLineComment = false;
      continue;
    }
    if (!inBody && c == '-' && i + 1 < script.size() && script[i + 1] == '-') {
      inLineComment = true;
      continue;
    }
    if (c == '$' && i + 1 < script.size() && script[i + 1] == '$') {
      inBody = !inBody;
      current += "$$";
      ++i;
      continue;
    }
    if (c == '\'' && !inBody) {
      inString = true;
      current += c;
      continue;
    }
    if (c == ';' && !inBody) {
      if (!Trim(current).empty()) statements.push_back(Trim(current));
      current.clear();
      continue;
    }
    current += c;
  }
  if (!Trim(current).empty()) statements.push_back(Trim(current));
  return statements;
}

}  // namespace plexion::backends
