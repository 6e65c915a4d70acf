// The configuration-file implementations of the system configuration and feature switches.
#pragma once

#include <memory>

#include "plexion/backends/config/configuration.hpp"
#include "plexion/services/system_config.hpp"

namespace plexion::backends {

using SharedConfiguration = std::shared_ptr<const Configuration>;

class ConfigSystemConfig final : public SystemConfig {
 public:
  explicit ConfigSystemConfig(SharedConfiguration config) : config_(std::move(config)) {}
  bool EnterpriseMode() override { return config_->enterpriseMode; }
  std::int32_t HourSlotCount(std::int32_t&) override { return config_->hourSlotCount; }

 private:
  SharedConfiguration config_;
};

class ConfigFeatureRegistry final : public FeatureRegistry {
 public:
  explicit ConfigFeatureRegistry(SharedConfiguration config) : config_(std::move(config)) {}
  Ref<FeatureSet> Features() override;

 private:
  SharedConfiguration config_;
};

// Makes the configuration-file services the process's defaults.
void InstallConfigServices(SharedConfiguration config);

}  // namespace plexion::backends
