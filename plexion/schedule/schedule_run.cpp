#include "plexion/schedule/schedule_run.hpp"

#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"

namespace plexion {

namespace {
// One default of a setting group, as the group hands it out.
Variant SettingValue(const Ref<SettingGroup>& group, const std::string& key) {
  if (!group) throw Error::Runtime(errnum::ObjectVariableNotSet);
  Ref<Setting> setting = group->Item(key);
  if (!setting) throw Error::Runtime(errnum::ObjectVariableNotSet);
  return setting->Value();
}
}  // namespace

ScheduleRun::~ScheduleRun() {
  dtScope_.reset();
  destination_.reset();
}

void ScheduleRun::StartNew(bool fIsImmediate, std::int32_t ordRptGrpA, const std::string& sNameA) {
  SettingsService& settings = services::Locate<SettingsService>();
  Ref<SettingGroup> defaults;
  if (fIsImmediate) {
    RunMode("I");
    defaults = settings.ImmediateDefaults();
    Override(ToBool(SettingValue(defaults, "Override")));
  } else {
    RunMode("S");
    defaults = settings.ScheduledDefaults();
  }
  EditorName(sNameA);
  RetrieveMode(ToString(SettingValue(defaults, "Download")));
  AutoPurge(ToString(SettingValue(defaults, "Purge")));
  PurgeInterval(ToInt32(SettingValue(defaults, "Days")));

  ScheduleActive("Y");
  RptGrpID(ordRptGrpA);
  SubFolderName("");
  FirstDateTime(DateTime::Today());
  FinalDateTime(kFarFutureEnd);
  WhichMonthDate(0);
  WhichWeek(1);
  WhichWeekday(1);
  Periodicity("H");
  Frequency(1);
  IncludeMondays("Y");
  IncludeTuesdays("Y");
  IncludeWednesdays("Y");
  IncludeThursdays("Y");
  IncludeFridays("Y");
  IncludeSaturdays("Y");
  IncludeSundays("Y");
  IncludeHolidays("Y");
  IncludeDayAfterHol("Y");
}

Ref<DbDate> ScheduleRun::DBFirstDateTime() const {
  DbService& db = services::Locate<DbService>();
  return runMode_ == "I" ? db.DbNow() : db.MakeDbDate(firstDateTime_);
}

Ref<DbDate> ScheduleRun::DBFinalDateTime() const {
  return services::Locate<DbService>().MakeDbDate(finalDateTime_);
}

}  // namespace plexion
