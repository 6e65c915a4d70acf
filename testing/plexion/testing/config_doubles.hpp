// Doubles of the system configuration and the feature switches.
#pragma once

#include <map>
#include <optional>
#include <set>

#include "plexion/platform/error.hpp"
#include "plexion/services/system_config.hpp"
#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

// An error as an external component raises it, for doubles told to fail.
Error ServiceFailure(std::string_view source, std::string_view what = "injected failure");

class FakeSystemConfig final : public SystemConfig {
 public:
  explicit FakeSystemConfig(SharedLog log = NewLog()) : log(std::move(log)) {}
  bool EnterpriseMode() override;
  std::int32_t HourSlotCount(std::int32_t& reserved) override;

  SharedLog log;
  bool enterprise = false;
  std::int32_t hourSlots = 24;
  bool failEnterpriseMode = false;
};

class FakeFeatureRegistry final : public FeatureRegistry {
 public:
  explicit FakeFeatureRegistry(SharedLog log = NewLog()) : log(std::move(log)) {}
  Ref<FeatureSet> Features() override;

  SharedLog log;
  std::set<std::string> enabled;
  std::optional<std::string> failingKey;  // IsEnabled of this key raises an error
};

}  // namespace plexion::testing
