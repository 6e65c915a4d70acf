// What the report-group and the soft-alarm schedule share: the start values of a new schedule
// and the database dates of its runs. Internal to the schedule objects.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/convert.hpp"
#include "plexion/platform/datetime.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"

namespace plexion::schedule {

// The region of a stored schedule whose own region is "NULL" or empty.
inline constexpr std::string_view kDefaultTimeZone = "Default TimeZone Region";

// One default of a setting group, as the group hands it out.
inline Variant SettingValue(const Ref<SettingGroup>& group, const std::string& key) {
  if (!group) throw Error::Runtime(errnum::ObjectVariableNotSet);
  Ref<Setting> setting = group->Item(key);
  if (!setting) throw Error::Runtime(errnum::ObjectVariableNotSet);
  return setting->Value();
}

// The run and recurrence fields of a new schedule, in the order both schedules set them: run
// mode (with Override for an immediate run), editor name, the download and purge defaults of
// that kind of run, then the fixed start values. Each field is stored as soon as it is known, so
// a default that fails to convert leaves the earlier ones set.
template <class Schedule>
void StartNewSchedule(Schedule& s, bool fIsImmediate, std::int32_t ordRptGrpA,
                      const std::string& sNameA) {
  SettingsService& settings = services::Locate<SettingsService>();
  Ref<SettingGroup> defaults;
  if (fIsImmediate) {
    s.RunMode("I");
    defaults = settings.ImmediateDefaults();
    s.Override(ToBool(SettingValue(defaults, "Override")));
  } else {
    s.RunMode("S");
    defaults = settings.ScheduledDefaults();
  }
  s.EditorName(sNameA);
  s.RetrieveMode(ToString(SettingValue(defaults, "Download")));
  s.AutoPurge(ToString(SettingValue(defaults, "Purge")));
  s.PurgeInterval(ToInt32(SettingValue(defaults, "Days")));

  s.ScheduleActive("Y");
  s.RptGrpID(ordRptGrpA);
  s.SubFolderName("");
  s.FirstDateTime(DateTime::Today());
  s.FinalDateTime(kFarFutureEnd);
  s.WhichMonthDate(0);
  s.WhichWeek(1);
  s.WhichWeekday(1);
  s.Periodicity("H");
  s.Frequency(1);
  s.IncludeMondays("Y");
  s.IncludeTuesdays("Y");
  s.IncludeWednesdays("Y");
  s.IncludeThursdays("Y");
  s.IncludeFridays("Y");
  s.IncludeSaturdays("Y");
  s.IncludeSundays("Y");
  s.IncludeHolidays("Y");
  s.IncludeDayAfterHol("Y");
}

// The first run as the database writes it: its "now" for an immediate run ("I" exactly), else
// the stored first run. Asked of the database service at each call.
inline Ref<DbDate> DbFirstDate(const std::string& runMode, DateTime firstDateTime) {
  DbService& db = services::Locate<DbService>();
  return runMode == "I" ? db.DbNow() : db.MakeDbDate(firstDateTime);
}

inline Ref<DbDate> DbDateOf(DateTime value) {
  return services::Locate<DbService>().MakeDbDate(value);
}

}  // namespace plexion::schedule
