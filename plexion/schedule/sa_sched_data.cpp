#include "plexion/schedule/sa_sched_data.hpp"

#include <cstdint>

#include "plexion/platform/convert.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/system_config.hpp"

namespace plexion {

namespace {

// N, the hour slots of a set, asked anew at each use with the reserved argument 0.
std::int32_t HourSlotCount() {
  std::int32_t reserved = 0;
  return services::Locate<SystemConfig>().HourSlotCount(reserved);
}

// The event type that triggers a schedule of periodicity "N".
constexpr const char* kDataLoadEvent = "Data load";

}  // namespace

CSASchedData::~CSASchedData() { hourEx_.reset(); }  // then the scope and the destination

void CSASchedData::InitNew(bool fIsImmediate, std::int32_t ordRptGrpA, const std::string& sNameA,
                           std::int32_t OrdOvrScenarioA, std::int32_t OrdOvrChanSetPlanA) {
  StartNew(fIsImmediate, ordRptGrpA, sNameA);
  ovrScenarioId_ = OrdOvrScenarioA;
  ovrChanSetId_ = OrdOvrChanSetPlanA;
  isNew_ = true;
}

void CSASchedData::InitEdit(
    std::int32_t ordSchedIDA, const Variant& sEditorNameA, std::int32_t ordClientMachineA,
    const Variant& sScheduleActiveA, std::int32_t ordRptGrpA, std::int32_t ordScenarioA,
    const std::string& sRunModeA, const std::string& sRetrieveModeA, const std::string& sAutoPurgeA,
    std::int32_t iPurgeIntervalA, const std::string& subFolderNameA, DateTime dateFirstTimeA,
    DateTime dateFinalTimeA, std::int32_t iWhichMonthDateA, std::int32_t iWhichWeekA,
    std::int32_t iWhichWeekdayA, const std::string& sPeriodicityA, std::int32_t iFrequencyA,
    const std::string& sIncludeMondaysA, const std::string& sIncludeTuesdaysA,
    const std::string& sIncludeWednesdaysA, const std::string& sIncludeThursdaysA,
    const std::string& sIncludeFridaysA, const std::string& sIncludeSaturdaysA,
    const std::string& sIncludeSundaysA, const std::string& sIncludeHolidaysA,
    const std::string& sIncludeDayAfterHolA, std::int32_t lTimeoutA,
    const std::string& sTimeoutUnitA) {
  editorName_ = ToString(sEditorNameA);
  scheduleID_ = ordSchedIDA;
  clientMachineID_ = ordClientMachineA;
  scheduleActive_ = ToString(sScheduleActiveA);
  rptGrpID_ = ordRptGrpA;
  ovrScenarioId_ = ordScenarioA;
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
  timeout_ = lTimeoutA;
  timeoutUnit_ = sTimeoutUnitA;
  isNew_ = false;
}

void CSASchedData::LoadSASchedData(std::int32_t ordID) { MSQL::LoadSASchedule(*this, ordID); }

Ref<HourExSet> CSASchedData::GetHoursEx(std::int32_t ord) const {
  Ref<HourExSet> set = services::Create<HourExSet>();
  if (!set) throw Error::Runtime(errnum::ObjectVariableNotSet);
  set->SlotBase(1);
  set->SlotCount(HourSlotCount());
  set->ClearAll();
  Ref<DbRecordset> rs = services::Locate<DbService>().OpenRecordset(
      "Select * from Schedule_Hour_Ex where Schedule_ID=" + std::to_string(ord), false, "", 0, "",
      "", 60);
  if (!rs) return set;
  if (!rs->IsEOF()) {
    rs->MoveFirst();
    while (!rs->IsEOF()) {
      // The hour is a 16-bit integer, and so is h + 1: hour 32767 overflows too.
      const std::int16_t h = ToInt16(rs->Fields()->Item("Hour")->Value());
      if (h == INT16_MAX) throw Error::Runtime(errnum::Overflow);
      set->Excluded(std::int32_t(h + 1), true);
      rs->MoveNext();
    }
    rs->Close();
  }
  return set;
}

Ref<CSASchedData> CSASchedData::SaveSubTableData() {
  if (periodicity_ == "N") {
    const std::int32_t eventType = MSQL::GetEventTypeId(kDataLoadEvent);
    if (scheduleID_ != 0 && !isNew_) MSQL::DeleteScheduleEvents(scheduleID_);
    MSQL::InsertScheduleEvent(scheduleID_, eventType);
  }
  if (hourEx_) {
    if (scheduleID_ != 0 && !isNew_) MSQL::DeleteScheduleHourEx(scheduleID_);
    const std::int32_t slots = HourSlotCount();
    for (std::int32_t k = 1; k <= slots; ++k)
      if (hourEx_->Excluded(k)) MSQL::InsertScheduleHourEx(scheduleID_, k - 1);
  }
  return Ref<CSASchedData>(this);
}

}  // namespace plexion
