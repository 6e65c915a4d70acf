// System configuration and feature switches (external components).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/object.hpp"

namespace plexion {

class SystemConfig : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "SystemConfig";
  // True when the client works with server groups.
  virtual bool EnterpriseMode() = 0;
  // The number of hour slots of an hour-exclusion set; the argument is always 0.
  virtual std::int32_t HourSlotCount(std::int32_t& reserved) = 0;
};

class FeatureSet : public virtual Object {
 public:
  virtual bool IsEnabled(const std::string& key) = 0;
};

class FeatureRegistry : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "FeatureRegistry";
  virtual Ref<FeatureSet> Features() = 0;
};

}  // namespace plexion
