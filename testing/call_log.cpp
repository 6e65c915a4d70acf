#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

std::vector<std::string> CallLog::Matching(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const auto& line : lines_)
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  return out;
}

std::vector<std::string> CallLog::Containing(
    std::initializer_list<std::string_view> fragments) const {
  std::vector<std::string> out;
  for (const auto& line : lines_)
    for (std::string_view fragment : fragments)
      if (line.find(fragment) != std::string::npos) {
        out.push_back(line);
        break;
      }
  return out;
}

}  // namespace plexion::testing
