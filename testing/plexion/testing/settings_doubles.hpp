// Recording doubles of the settings service and the group-by defaults.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "plexion/services/settings.hpp"
#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

class FakeSettingsService final : public SettingsService {
 public:
  using Group = std::vector<std::pair<std::string, Variant>>;

  // Groups and weekdays start with the values of the built-in configuration.
  explicit FakeSettingsService(SharedLog log = NewLog());

  bool TimeZonesEnabled() override;
  std::string TimeZoneRegion() override;
  Ref<SettingGroup> ImmediateDefaults() override;
  Ref<SettingGroup> ScheduledDefaults() override;
  Ref<SettingGroup> ReportDefaults() override;
  Ref<WeekdayRows> WeekdayList() override;
  void UseSpecKind(std::int32_t& kind) override;

  SharedLog log;
  bool timeZones = false;
  std::string region = "Central";
  std::map<std::string, Group>
      groups;  // "ImmediateDefaults", "ScheduledDefaults", "ReportDefaults"
  std::vector<std::pair<Variant, Variant>> weekdays;  // (UIVal, DBVal)
  std::vector<std::string> failOn;  // log-line prefixes that fail after being logged
  std::int32_t lastSpecKind = -1;

  void Log(std::string line);  // records, then fails if told to

 private:
  Ref<SettingGroup> GroupNamed(const std::string& name);
};

class FakeGroupByDefaults final : public GroupByDefaults {
 public:
  explicit FakeGroupByDefaults(SharedLog log = NewLog()) : log(std::move(log)) {}
  std::string DefaultDLGroupBy() override {
    log->Record("GroupByDefaults.DefaultDLGroupBy");
    if (fail)
      throw Error::External(static_cast<Status>(0x80041234u), "GroupByDefaults",
                            "injected failure");
    return code;
  }
  SharedLog log;
  std::string code = "R";
  bool fail = false;
};

}  // namespace plexion::testing
