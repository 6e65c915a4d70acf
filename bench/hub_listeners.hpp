// The baseline listeners of bench/hub_bench.cpp. They are made in a library of their own,
// behind a factory the benchmarks cannot see into, as a host's listeners come from another
// library: the loop over them is a loop of real virtual calls from one library into another,
// as the hub's calls to its listeners are, not calls the compiler turned into direct ones.
#pragma once

#include <memory>
#include <string>

#include "plexion/platform/variant.hpp"

namespace plexion::bench {

// The work every listener does, whatever reaches it: read the arguments.
struct Work {
  std::size_t total = 0;
  void TabShow(const std::string& name) { total += name.size(); }
  void FormChange(const std::string& control, const std::string& property, const Variant& value) {
    total += control.size() + property.size() + (value.IsEmpty() ? 0 : 1);
  }
};

// The baseline's listener interface: one virtual function per event.
class PlainListener {
 public:
  virtual ~PlainListener() = default;
  virtual void TabShow(std::string& name) = 0;
  virtual void FormChange(std::string& c, std::string& p, Variant& v) = 0;
};

std::unique_ptr<PlainListener> MakePlainListener(Work& work);

}  // namespace plexion::bench
