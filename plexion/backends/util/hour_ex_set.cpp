// The default hour-exclusion set.
#include "plexion/backends/util/hour_ex_set.hpp"

#include <cstdint>
#include <string>
#include <vector>

#include "plexion/backends/installers.hpp"
#include "plexion/platform/error.hpp"
#include "plexion/services/hour_exclusions.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

namespace {

// Flag slots numbered from SlotBase to SlotBase + SlotCount - 1, all clear when created. A slot
// outside that range is an error naming the range, on reading as on writing: an hour of the day
// that the configured slots do not cover is never dropped silently.
class MemoryHourExSet final : public HourExSet {
 public:
  void SlotBase(std::int32_t base) override { base_ = base; }
  std::int32_t SlotBase() const override { return base_; }
  // Growing keeps the flags of the existing slots and adds clear ones; shrinking drops the top.
  void SlotCount(std::int32_t count) override {
    if (count < 0)
      throw Error::External(
          status::InvalidArg, "HourExSet",
          "an hour-exclusion set cannot have " + std::to_string(count) + " slots");
    slots_.resize(static_cast<std::size_t>(count), false);
  }
  std::int32_t SlotCount() const override { return static_cast<std::int32_t>(slots_.size()); }
  void ClearAll() override { slots_.assign(slots_.size(), false); }
  bool Excluded(std::int32_t slot) const override { return slots_[Index(slot)]; }
  void Excluded(std::int32_t slot, bool excluded) override { slots_[Index(slot)] = excluded; }

 private:
  std::size_t Index(std::int32_t slot) const {
    const std::int64_t offset = std::int64_t(slot) - base_;
    if (offset < 0 || offset >= std::int64_t(slots_.size()))
      throw Error::External(
          status::BadIndex, "HourExSet",
          "hour slot " + std::to_string(slot) + " is outside " + std::to_string(base_) + " to " +
              std::to_string(std::int64_t(base_) + std::int64_t(slots_.size()) - 1));
    return static_cast<std::size_t>(offset);
  }

  std::int32_t base_ = 0;
  std::vector<bool> slots_;
};

}  // namespace

Ref<HourExSet> MakeHourExSet() { return MakeRef<MemoryHourExSet>(); }

void InstallHourExclusions() { services::SetFactory<HourExSet>(&MakeHourExSet); }

}  // namespace plexion::backends
