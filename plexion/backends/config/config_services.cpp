#include "plexion/backends/config/config_services.hpp"

#include "plexion/platform/text.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

namespace {
class ConfigFeatureSet final : public FeatureSet {
 public:
  explicit ConfigFeatureSet(SharedConfiguration config) : config_(std::move(config)) {}
  bool IsEnabled(const std::string& key) override {
    const auto it = config_->features.find(key);
    return it != config_->features.end() && it->second;
  }

 private:
  SharedConfiguration config_;
};

class ConfigSetting final : public Setting {
 public:
  explicit ConfigSetting(Variant value) : value_(std::move(value)) {}
  Variant Value() const override { return value_; }

 private:
  Variant value_;
};

// Keeps the configuration alive for as long as the group is held.
class ConfigSettingGroup final : public SettingGroup {
 public:
  ConfigSettingGroup(SharedConfiguration config, const SettingGroupData& data)
      : config_(std::move(config)), data_(data) {}
  Ref<Setting> Item(const std::string& key) const override {
    if (const Variant* v = data_.Find(key)) return MakeRef<ConfigSetting>(*v);
    throw Error::External(status::Configuration, "SettingsService",
                          "the setting group " + data_.name + " has no key \"" + key + "\"");
  }

 private:
  SharedConfiguration config_;
  const SettingGroupData& data_;
};

class ConfigWeekdayRow final : public WeekdayRow {
 public:
  explicit ConfigWeekdayRow(WeekdayEntry row) : row_(std::move(row)) {}
  Variant Item(const std::string& key) const override {
    if (EqualsNoCase(key, "UIVal")) return Variant(row_.ui);
    if (EqualsNoCase(key, "DBVal")) return Variant(row_.db);
    throw Error::External(status::Configuration, "SettingsService",
                          "a weekday row has no item \"" + key + "\" (only UIVal and DBVal)");
  }

 private:
  WeekdayEntry row_;
};

class ConfigWeekdayRows final : public WeekdayRows {
 public:
  explicit ConfigWeekdayRows(SharedConfiguration config) : config_(std::move(config)) {}
  std::int32_t Count() const override {
    return static_cast<std::int32_t>(config_->weekdays.size());
  }
  Ref<WeekdayRow> Item(std::int32_t index) const override {
    if (index < 1 || index > Count()) throw Error::Runtime(errnum::SubscriptOutOfRange);
    return MakeRef<ConfigWeekdayRow>(config_->weekdays[std::size_t(index - 1)]);
  }

 private:
  SharedConfiguration config_;
};

}  // namespace

Ref<SettingGroup> ConfigSettingsService::ImmediateDefaults() {
  return MakeRef<ConfigSettingGroup>(config_, config_->immediateDefaults);
}
Ref<SettingGroup> ConfigSettingsService::ScheduledDefaults() {
  return MakeRef<ConfigSettingGroup>(config_, config_->scheduledDefaults);
}
Ref<SettingGroup> ConfigSettingsService::ReportDefaults() {
  return MakeRef<ConfigSettingGroup>(config_, config_->reportDefaults);
}
Ref<WeekdayRows> ConfigSettingsService::WeekdayList() {
  return MakeRef<ConfigWeekdayRows>(config_);
}

Ref<FeatureSet> ConfigFeatureRegistry::Features() { return MakeRef<ConfigFeatureSet>(config_); }

void InstallConfigServices(SharedConfiguration config) {
  services::SetFactory<SystemConfig>(
      [config]() -> Ref<SystemConfig> { return MakeRef<ConfigSystemConfig>(config); });
  services::SetFactory<FeatureRegistry>(
      [config]() -> Ref<FeatureRegistry> { return MakeRef<ConfigFeatureRegistry>(config); });
  services::SetFactory<SettingsService>(
      [config]() -> Ref<SettingsService> { return MakeRef<ConfigSettingsService>(config); });
  services::SetFactory<GroupByDefaults>(
      [config]() -> Ref<GroupByDefaults> { return MakeRef<ConfigGroupByDefaults>(config); });
}

}  // namespace plexion::backends
