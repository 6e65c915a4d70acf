#include "plexion/backends/sql/database.hpp"
#include "plexion/platform/text.hpp"

#include <regex>

namespace plexion::backends {

namespace {

// Inside the BEGIN ... END body of an SQLite trigger, whose statements end in semicolons too.
bool InTriggerBody(const std::string& statement) {
  static const std::regex kOpen(R"(^\s*CREATE\s+(TEMP\s+|TEMPORARY\s+)?TRIGGER\b[\s\S]*\bBEGIN\b)",
                                std::regex::icase);
  static const std::regex kClosed(R"(\bEND\s*$)", std::regex::icase);
  return std::regex_search(statement, kOpen) && !std::regex_search(statement, kClosed);
}

}  // namespace

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
    if (c == ';' && !inBody && !InTriggerBody(current)) {
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
