#include "plexion/testing/settings_doubles.hpp"

#include "plexion/testing/config_doubles.hpp"

namespace plexion::testing {

namespace {

class FakeSetting final : public Setting {
 public:
  explicit FakeSetting(Variant v) : v_(std::move(v)) {}
  Variant Value() const override { return v_; }

 private:
  Variant v_;
};

class FakeGroup final : public SettingGroup {
 public:
  FakeGroup(Ref<FakeSettingsService> owner, std::string name)
      : owner_(std::move(owner)), name_(std::move(name)) {}
  Ref<Setting> Item(const std::string& key) const override {
    owner_->Log(name_ + ".Item(" + key + ")");
    for (const auto& [k, v] : owner_->groups[name_])
      if (k == key) return MakeRef<FakeSetting>(v);
    throw Error::External(static_cast<Status>(0x80041235u), "SettingsService",
                          "the setting group " + name_ + " has no key \"" + key + "\"");
  }

 private:
  Ref<FakeSettingsService> owner_;
  std::string name_;
};

class FakeWeekdayRow final : public WeekdayRow {
 public:
  FakeWeekdayRow(Ref<FakeSettingsService> owner, std::int32_t index)
      : owner_(std::move(owner)), index_(index) {}
  Variant Item(const std::string& key) const override {
    owner_->Log("WeekdayRow(" + std::to_string(index_) + ").Item(" + key + ")");
    const auto& row = owner_->weekdays.at(std::size_t(index_ - 1));
    if (key == "UIVal") return row.first;
    if (key == "DBVal") return row.second;
    throw Error::External(static_cast<Status>(0x80041235u), "SettingsService", "no item " + key);
  }

 private:
  Ref<FakeSettingsService> owner_;
  std::int32_t index_;
};

class FakeWeekdayRows final : public WeekdayRows {
 public:
  explicit FakeWeekdayRows(Ref<FakeSettingsService> owner) : owner_(std::move(owner)) {}
  std::int32_t Count() const override {
    owner_->Log("WeekdayList.Count");
    return static_cast<std::int32_t>(owner_->weekdays.size());
  }
  Ref<WeekdayRow> Item(std::int32_t index) const override {
    owner_->Log("WeekdayList.Item(" + std::to_string(index) + ")");
    return MakeRef<FakeWeekdayRow>(owner_, index);
  }

 private:
  Ref<FakeSettingsService> owner_;
};

}  // namespace

FakeSettingsService::FakeSettingsService(SharedLog log) : log(std::move(log)) {
  groups["ImmediateDefaults"] = {{"Override", Variant(true)},
                                 {"Download", Variant("N")},
                                 {"Purge", Variant("Y")},
                                 {"Days", Variant(std::int32_t{7})}};
  groups["ScheduledDefaults"] = {{"Override", Variant(false)},
                                 {"Download", Variant("N")},
                                 {"Purge", Variant("Y")},
                                 {"Days", Variant(std::int32_t{30})}};
  groups["ReportDefaults"] = {{"Equipped Only", Variant("Y")},
                              {"Test Channels", Variant("N")},
                              {"Domain Scenario Id", Variant(std::int32_t{0})}};
  const char* days[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                        "Thursday", "Friday", "Saturday"};
  for (std::int32_t i = 0; i < 7; ++i) weekdays.emplace_back(Variant(days[i]), Variant(i + 1));
}

void FakeSettingsService::Log(std::string line) {
  for (const std::string& prefix : failOn) {
    if (line.compare(0, prefix.size(), prefix) == 0) {
      log->Add(std::move(line));
      throw ServiceFailure("SettingsService");
    }
  }
  log->Add(std::move(line));
}

bool FakeSettingsService::TimeZonesEnabled() {
  Log("SettingsService.TimeZonesEnabled");
  return timeZones;
}

std::string FakeSettingsService::TimeZoneRegion() {
  Log("SettingsService.TimeZoneRegion");
  return region;
}

Ref<SettingGroup> FakeSettingsService::GroupNamed(const std::string& name) {
  Log("SettingsService." + name);
  return MakeRef<FakeGroup>(Ref<FakeSettingsService>(this), name);
}

Ref<SettingGroup> FakeSettingsService::ImmediateDefaults() {
  return GroupNamed("ImmediateDefaults");
}
Ref<SettingGroup> FakeSettingsService::ScheduledDefaults() {
  return GroupNamed("ScheduledDefaults");
}
Ref<SettingGroup> FakeSettingsService::ReportDefaults() { return GroupNamed("ReportDefaults"); }

Ref<WeekdayRows> FakeSettingsService::WeekdayList() {
  Log("SettingsService.WeekdayList");
  return MakeRef<FakeWeekdayRows>(Ref<FakeSettingsService>(this));
}

void FakeSettingsService::UseSpecKind(std::int32_t& kind) {
  Log("SettingsService.UseSpecKind(" + std::to_string(kind) + ")");
  lastSpecKind = kind;
}

}  // namespace plexion::testing
