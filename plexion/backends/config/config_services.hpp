// The configuration-file implementations of the system configuration and feature switches.
#pragma once

#include <memory>

#include "plexion/backends/config/configuration.hpp"
#include "plexion/services/settings.hpp"
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

class ConfigSettingsService final : public SettingsService {
 public:
  explicit ConfigSettingsService(SharedConfiguration config) : config_(std::move(config)) {}
  bool TimeZonesEnabled() override { return config_->timeZonesEnabled; }
  std::string TimeZoneRegion() override { return config_->timeZoneRegion; }
  Ref<SettingGroup> ImmediateDefaults() override;
  Ref<SettingGroup> ScheduledDefaults() override;
  Ref<SettingGroup> ReportDefaults() override;
  Ref<WeekdayRows> WeekdayList() override;
  // Remembers the kind: the settings that follow are those of that report specification kind.
  void UseSpecKind(std::int32_t& kind) override { specKind_ = kind; }
  std::int32_t CurrentSpecKind() const { return specKind_; }

 private:
  SharedConfiguration config_;
  std::int32_t specKind_ = 0;
};

class ConfigGroupByDefaults final : public GroupByDefaults {
 public:
  explicit ConfigGroupByDefaults(SharedConfiguration config) : config_(std::move(config)) {}
  std::string DefaultDLGroupBy() override { return config_->defaultDLGroupBy; }

 private:
  SharedConfiguration config_;
};

// Makes the configuration-file services the process's defaults.
void InstallConfigServices(SharedConfiguration config);

}  // namespace plexion::backends
