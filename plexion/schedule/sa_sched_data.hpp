// The soft-alarm schedule: the data object behind the soft-alarm schedule editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"
#include "plexion/schedule/schedule_run.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/hour_exclusions.hpp"
#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"

namespace plexion {

// When and how often a soft-alarm check runs, on which days and hours, what it overrides and
// how long a run may take. The run and recurrence fields mean what they mean on the
// report-group schedule. Plain accessors store and return their field and do nothing else; a
// fresh object holds "", 0, false, date 0 and no objects.
//
// The object writes only the schedule's side rows (trigger event, excluded hours), keyed on
// ScheduleID; the date-time scope and destination handed to it are only held.
class CSASchedData : public ScheduleRun {
 public:
  using ComponentClass = CSASchedData;
  static constexpr std::string_view kTypeName = "CSASchedData";

  CSASchedData() = default;

  // A new set holding the stored excluded hours of schedule ord (HourEXData is left alone).
  Ref<HourExSet> GetHoursEx(std::int32_t ord) const;

  std::int32_t ScheduleID() const { return scheduleID_; }
  void ScheduleID(std::int32_t value) { scheduleID_ = value; }
  // The excluded hours that SaveSubTableData writes.
  void HourEXData(Ref<HourExSet> value) { hourEx_ = std::move(value); }
  // Carried unchanged: the object neither interprets nor checks the time-out.
  std::int32_t Timeout() const { return timeout_; }
  void Timeout(std::int32_t value) { timeout_ = value; }
  std::string TimeoutUnit() const { return timeoutUnit_; }
  void TimeoutUnit(const std::string& value) { timeoutUnit_ = value; }

  // Fills the object from a stored schedule: the editor name first (a null one is an error that
  // changes nothing), then the other arguments in order (a null active flag is an error after
  // the fields before it), then IsNew := false. OvrChanSetId, OvrDestinationId, OvrDTScopeId,
  // Override, the run dates, the two override flags and the attached objects stay.
  void InitEdit(std::int32_t ordSchedIDA, const Variant& sEditorNameA,
                std::int32_t ordClientMachineA, const Variant& sScheduleActiveA,
                std::int32_t ordRptGrpA, std::int32_t ordScenarioA, const std::string& sRunModeA,
                const std::string& sRetrieveModeA, const std::string& sAutoPurgeA,
                std::int32_t iPurgeIntervalA, const std::string& subFolderNameA,
                DateTime dateFirstTimeA, DateTime dateFinalTimeA, std::int32_t iWhichMonthDateA,
                std::int32_t iWhichWeekA, std::int32_t iWhichWeekdayA,
                const std::string& sPeriodicityA, std::int32_t iFrequencyA,
                const std::string& sIncludeMondaysA, const std::string& sIncludeTuesdaysA,
                const std::string& sIncludeWednesdaysA, const std::string& sIncludeThursdaysA,
                const std::string& sIncludeFridaysA, const std::string& sIncludeSaturdaysA,
                const std::string& sIncludeSundaysA, const std::string& sIncludeHolidaysA,
                const std::string& sIncludeDayAfterHolA, std::int32_t lTimeoutA,
                const std::string& sTimeoutUnitA);
  // Prepares a new schedule from the immediate or the scheduled defaults of the settings, with
  // the override scenario and channel-set plan given. The schedule id, time-out, override
  // destination and scope ids, run dates and attached objects are not touched.
  void InitNew(bool fIsImmediate, std::int32_t ordRptGrpA, const std::string& sNameA,
               std::int32_t OrdOvrScenarioA, std::int32_t OrdOvrChanSetPlanA);
  // Rewrites the "Data load" trigger event (Periodicity "N" exactly) and, when a set is
  // attached, the excluded hours. Stored rows are deleted first unless the schedule is new or
  // its id is 0. Each statement runs by itself: a failure leaves the earlier ones done.
  Ref<CSASchedData> SaveSubTableData();
  // Reads the stored schedule ordID from the database (MSQL::LoadSASchedule).
  void LoadSASchedData(std::int32_t ordID);

 protected:
  // The hour-exclusion set goes first, then the date-time scope, then the destination.
  ~CSASchedData() override;

 private:
  std::int32_t scheduleID_ = 0;
  std::int32_t timeout_ = 0;
  std::string timeoutUnit_;
  Ref<HourExSet> hourEx_;
};

}  // namespace plexion
