// The settings service and the group-by defaults (external components).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

class Setting : public virtual Object {
 public:
  virtual Variant Value() const = 0;
};

// A named group of settings; a key it does not have is an error naming the group and the key.
class SettingGroup : public virtual Object {
 public:
  virtual Ref<Setting> Item(const std::string& key) const = 0;
};

// One weekday: Item("UIVal") is its screen name, Item("DBVal") its stored number.
class WeekdayRow : public virtual Object {
 public:
  virtual Variant Item(const std::string& key) const = 0;
};

// The weekday table, rows counted from 1.
class WeekdayRows : public virtual Object {
 public:
  virtual std::int32_t Count() const = 0;
  virtual Ref<WeekdayRow> Item(std::int32_t index) const = 0;
};

class SettingsService : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "SettingsService";
  virtual bool TimeZonesEnabled() = 0;
  virtual std::string TimeZoneRegion() = 0;
  // Keys "Override", "Download", "Purge", "Days".
  virtual Ref<SettingGroup> ImmediateDefaults() = 0;
  virtual Ref<SettingGroup> ScheduledDefaults() = 0;
  // Keys "Equipped Only", "Test Channels", "Domain Scenario Id".
  virtual Ref<SettingGroup> ReportDefaults() = 0;
  virtual Ref<WeekdayRows> WeekdayList() = 0;
  // Tells the service which report specification kind the settings that follow are for.
  virtual void UseSpecKind(std::int32_t& kind) = 0;
};

class GroupByDefaults : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "GroupByDefaults";
  // The download group-by code of a new schedule.
  virtual std::string DefaultDLGroupBy() = 0;
};

}  // namespace plexion
