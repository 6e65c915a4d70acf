#include "plexion/schedule/sched_data.hpp"

#include "plexion/platform/convert.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"

namespace plexion {

namespace {
// The region of a stored schedule whose own region is "NULL" or empty.
constexpr std::string_view kDefaultTimeZone = "Default TimeZone Region";
}  // namespace

CSchedData::~CSchedData() = default;

void CSchedData::InitNew(bool fIsImmediate, std::int32_t ordRptGrpA, const std::string& sAppNameA,
                         const std::string& sNameA) {
  appName_ = sAppNameA;
  StartNew(fIsImmediate, ordRptGrpA, sNameA);
  dlGroupBy_ = services::Locate<GroupByDefaults>().DefaultDLGroupBy();
  SettingsService& settings = services::Locate<SettingsService>();
  if (settings.TimeZonesEnabled()) timeZone_ = settings.TimeZoneRegion();
  isNew_ = true;
}

void CSchedData::InitEdit(
    const Variant& sEditorNameA, std::int32_t ordClientMachineA, const Variant& sScheduleActiveA,
    std::int32_t ordRptGrpA, const std::string& sRunModeA, const std::string& sRetrieveModeA,
    const std::string& sAutoPurgeA, std::int32_t iPurgeIntervalA, const std::string& subFolderNameA,
    DateTime dateFirstTimeA, DateTime dateFinalTimeA, std::int32_t iWhichMonthDateA,
    std::int32_t iWhichWeekA, std::int32_t iWhichWeekdayA, const std::string& sPeriodicityA,
    std::int32_t iFrequencyA, const std::string& sIncludeMondaysA,
    const std::string& sIncludeTuesdaysA, const std::string& sIncludeWednesdaysA,
    const std::string& sIncludeThursdaysA, const std::string& sIncludeFridaysA,
    const std::string& sIncludeSaturdaysA, const std::string& sIncludeSundaysA,
    const std::string& sIncludeHolidaysA, const std::string& sIncludeDayAfterHolA,
    const std::string& sAppNameA, const std::string& sTimeZoneA, const std::string& sDLGrpByA) {
  appName_ = sAppNameA;
  editorName_ = ToString(sEditorNameA);
  clientMachineID_ = ordClientMachineA;
  scheduleActive_ = ToString(sScheduleActiveA);
  rptGrpID_ = ordRptGrpA;
  runMode_ = sRunModeA;
  retrieveMode_ = sRetrieveModeA;
  autoPurge_ = sAutoPurgeA;
  purgeInterval_ = iPurgeIntervalA;
  subFolderName_ = subFolderNameA;
  firstDateTime_ = dateFirstTimeA;
  finalDateTime_ = dateFinalTimeA;
  whichMonthDate_ = iWhichMonthDateA;
  whichWeek_ = iWhichWeekA;
  whichWeekday_ = iWhichWeekdayA;
  periodicity_ = sPeriodicityA;
  frequency_ = iFrequencyA;
  includeMondays_ = sIncludeMondaysA;
  includeTuesdays_ = sIncludeTuesdaysA;
  includeWednesdays_ = sIncludeWednesdaysA;
  includeThursdays_ = sIncludeThursdaysA;
  includeFridays_ = sIncludeFridaysA;
  includeSaturdays_ = sIncludeSaturdaysA;
  includeSundays_ = sIncludeSundaysA;
  includeHolidays_ = sIncludeHolidaysA;
  includeDayAfterHol_ = sIncludeDayAfterHolA;
  // A stored schedule keeps the group-by code it was stored with: the loader passes the row's
  // code in enterprise mode and "" outside it, where no code applies. The group-by defaults
  // service only seeds new schedules (InitNew), so loading never asks it and a stored code is
  // never replaced by today's default.
  dlGroupBy_ = sDLGrpByA;
  timeZone_ =
      (sTimeZoneA == "NULL" || sTimeZoneA.empty()) ? std::string(kDefaultTimeZone) : sTimeZoneA;
  isNew_ = false;
}

void CSchedData::LoadSchedData(std::int32_t ordID, const std::string& sAppName) {
  MSQL::LoadSchedule(*this, ordID, sAppName);
}

Ref<CSchedData> CSchedData::SaveSubTableData() {
  if (doDTSOverride_ && dtScope_) {
    if (ovrDTScopeId_ != 0 && !isNew_) dtScope_->Update();
    else dtScope_->Insert();
    ovrDTScopeId_ = dtScope_->Id();
  }
  if (doDestOverride_ && destination_) {
    if (ovrDestinationId_ != 0 && !isNew_) destination_->Update();
    else ovrDestinationId_ = destination_->Insert();
  }
  return Ref<CSchedData>(this);
}

}  // namespace plexion
