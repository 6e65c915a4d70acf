// The part every recording double shares: one log line per call, and failure on request.
#pragma once

#include <string>
#include <vector>

#include "plexion/testing/call_log.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion::testing {

class Recorder {
 public:
  Recorder(SharedLog log, std::string source) : log(std::move(log)), source(std::move(source)) {}

  // Logs "Source.Member(args)", then fails with the source's error when the line starts with
  // one of the failOn prefixes.
  template <class... Args>
  void Call(std::string_view member, const Args&... args) const {
    Line(CallText(source + "." + std::string(member), args...));
  }
  void Line(std::string line) const {
    bool fail = false;
    for (const std::string& prefix : failOn)
      fail = fail || line.compare(0, prefix.size(), prefix) == 0;
    log->Add(std::move(line));
    if (fail) throw ServiceFailure(source);
  }

  SharedLog log;
  std::string source;
  std::vector<std::string> failOn;
};

// An object that logs "NAME.Release" when it goes, for results that must be released at once.
class ReleaseProbe final : public virtual Object {
 public:
  ReleaseProbe(SharedLog log, std::string name) : log_(std::move(log)), name_(std::move(name)) {}
  ~ReleaseProbe() override { log_->Add(name_ + ".Release"); }

 private:
  SharedLog log_;
  std::string name_;
};

}  // namespace plexion::testing
