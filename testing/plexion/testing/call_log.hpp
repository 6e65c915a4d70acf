// Recording of the calls that test doubles receive, one line of text per call:
// "DbService.OpenRecordset(SELECT 1 | true | \"\" | 0 | \"\" | \"\" | 60)".
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion::testing {

inline std::string ArgText(const std::string& s) { return s.empty() ? "\"\"" : s; }
inline std::string ArgText(const char* s) { return ArgText(std::string(s)); }
inline std::string ArgText(bool b) { return b ? "true" : "false"; }
inline std::string ArgText(std::int16_t n) { return std::to_string(n); }
inline std::string ArgText(std::int32_t n) { return std::to_string(n); }
inline std::string ArgText(double d) { return std::to_string(d); }
inline std::string ArgText(float d) { return std::to_string(d); }
inline std::string ArgText(DateTime d) { return d.ToText(); }
inline std::string ArgText(const Variant& v) { return v.Describe(); }

// "Member" without arguments, "Member(a | b)" with.
template <class... Args>
std::string CallText(std::string_view member, const Args&... args) {
  std::string line(member);
  if constexpr (sizeof...(Args) > 0) {
    line += "(";
    bool first = true;
    ((line += (first ? "" : " | ") + ArgText(args), first = false), ...);
    line += ")";
  }
  return line;
}

class CallLog {
 public:
  void Add(std::string line) { lines_.push_back(std::move(line)); }
  template <class... Args>
  void Record(std::string_view member, const Args&... args) {
    Add(CallText(member, args...));
  }
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  // The lines that start with a prefix ("FeatureSet.").
  std::vector<std::string> Matching(std::string_view prefix) const;
  // The lines that contain any of the fragments, in order: the calls whose order a test
  // states ({".Insert", ".Update"}), without the reads around them.
  std::vector<std::string> Containing(std::initializer_list<std::string_view> fragments) const;

 private:
  std::vector<std::string> lines_;
};

using SharedLog = std::shared_ptr<CallLog>;
inline SharedLog NewLog() { return std::make_shared<CallLog>(); }

}  // namespace plexion::testing
