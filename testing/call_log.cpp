#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

std::vector<std::string> CallLog::Matching(std::string_view prefix) const {
  std::vector<std::string> out;
  for (const auto& line : lines_)
    if (line.compare(0, prefix.size(), prefix) == 0) out.push_back(line);
  return out;
}

}  // namespace plexion::testing
