// The hour-exclusion set of a soft-alarm schedule (external component UtilLib).
#pragma once

#include <cstdint>
#include <string_view>

#include "plexion/platform/object.hpp"

namespace plexion {

// Flag slots numbered from SlotBase; with base 1, slot k stands for hour k-1.
class HourExSet : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "HourExSet";
  static constexpr std::string_view kTypeName = "HourExSet";
  virtual void SlotBase(std::int32_t base) = 0;
  virtual std::int32_t SlotBase() const = 0;
  virtual void SlotCount(std::int32_t count) = 0;
  virtual std::int32_t SlotCount() const = 0;
  // Afterwards every slot reads false.
  virtual void ClearAll() = 0;
  virtual bool Excluded(std::int32_t slot) const = 0;
  virtual void Excluded(std::int32_t slot, bool excluded) = 0;
};

}  // namespace plexion
