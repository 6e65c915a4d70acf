// The soft-alarm schedule: the data object behind the soft-alarm schedule editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"
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
class CSASchedData : public virtual Object {
 public:
  static constexpr std::string_view kTypeName = "CSASchedData";

  CSASchedData() = default;

  // A new set holding the stored excluded hours of schedule ord (HourEXData is left alone).
  Ref<HourExSet> GetHoursEx(std::int32_t ord) const;

  std::int32_t ScheduleID() const { return scheduleID_; }
  void ScheduleID(std::int32_t value) { scheduleID_ = value; }
  std::string AutoPurge() const { return autoPurge_; }
  void AutoPurge(const std::string& value) { autoPurge_ = value; }
  std::int32_t ClientMachineID() const { return clientMachineID_; }
  void ClientMachineID(std::int32_t value) { clientMachineID_ = value; }
  // Attached objects; the object keeps one counted reference to each.
  void DestinationData(Ref<Destination> value) { destination_ = std::move(value); }
  bool DoDestOverride() const { return doDestOverride_; }
  void DoDestOverride(bool value) { doDestOverride_ = value; }
  void DTScopeData(Ref<DateTimeScope> value) { dtScope_ = std::move(value); }
  // The excluded hours that SaveSubTableData writes.
  void HourEXData(Ref<HourExSet> value) { hourEx_ = std::move(value); }
  bool DoDTSOverride() const { return doDTSOverride_; }
  void DoDTSOverride(bool value) { doDTSOverride_ = value; }
  std::string EditorName() const { return editorName_; }
  void EditorName(const std::string& value) { editorName_ = value; }
  DateTime FinalDateTime() const { return finalDateTime_; }
  void FinalDateTime(DateTime value) { finalDateTime_ = value; }
  // FinalDateTime as the database writes it (asked of the database service at each get).
  Ref<DbDate> DBFinalDateTime() const;
  DateTime FirstDateTime() const { return firstDateTime_; }
  void FirstDateTime(DateTime value) { firstDateTime_ = value; }
  // The database's "now" for an immediate run ("I" exactly), else FirstDateTime.
  Ref<DbDate> DBFirstDateTime() const;
  std::int32_t Frequency() const { return frequency_; }
  void Frequency(std::int32_t value) { frequency_ = value; }
  std::string IncludeMondays() const { return includeMondays_; }
  void IncludeMondays(const std::string& value) { includeMondays_ = value; }
  std::string IncludeTuesdays() const { return includeTuesdays_; }
  void IncludeTuesdays(const std::string& value) { includeTuesdays_ = value; }
  std::string IncludeWednesdays() const { return includeWednesdays_; }
  void IncludeWednesdays(const std::string& value) { includeWednesdays_ = value; }
  std::string IncludeThursdays() const { return includeThursdays_; }
  void IncludeThursdays(const std::string& value) { includeThursdays_ = value; }
  std::string IncludeFridays() const { return includeFridays_; }
  void IncludeFridays(const std::string& value) { includeFridays_ = value; }
  std::string IncludeSaturdays() const { return includeSaturdays_; }
  void IncludeSaturdays(const std::string& value) { includeSaturdays_ = value; }
  std::string IncludeSundays() const { return includeSundays_; }
  void IncludeSundays(const std::string& value) { includeSundays_ = value; }
  std::string IncludeHolidays() const { return includeHolidays_; }
  void IncludeHolidays(const std::string& value) { includeHolidays_ = value; }
  std::string IncludeDayAfterHol() const { return includeDayAfterHol_; }
  void IncludeDayAfterHol(const std::string& value) { includeDayAfterHol_ = value; }
  // Carried unchanged: the object neither interprets nor checks the time-out.
  std::int32_t Timeout() const { return timeout_; }
  void Timeout(std::int32_t value) { timeout_ = value; }
  std::string TimeoutUnit() const { return timeoutUnit_; }
  void TimeoutUnit(const std::string& value) { timeoutUnit_ = value; }
  bool IsNew() const { return isNew_; }
  void IsNew(bool value) { isNew_ = value; }
  // True exactly when RunMode is "I" (letter case counts), whatever Override holds.
  bool IsOverride() const { return runMode_ == "I"; }
  DateTime LastRunDate() const { return lastRunDate_; }
  void LastRunDate(DateTime value) { lastRunDate_ = value; }
  DateTime NextRunDate() const { return nextRunDate_; }
  void NextRunDate(DateTime value) { nextRunDate_ = value; }
  bool Override() const { return override_; }
  void Override(bool value) { override_ = value; }
  std::int32_t OvrChanSetId() const { return ovrChanSetId_; }
  void OvrChanSetId(std::int32_t value) { ovrChanSetId_ = value; }
  std::int32_t OvrDestinationId() const { return ovrDestinationId_; }
  void OvrDestinationId(std::int32_t value) { ovrDestinationId_ = value; }
  std::int32_t OvrDTScopeId() const { return ovrDTScopeId_; }
  void OvrDTScopeId(std::int32_t value) { ovrDTScopeId_ = value; }
  std::int32_t OvrScenarioId() const { return ovrScenarioId_; }
  void OvrScenarioId(std::int32_t value) { ovrScenarioId_ = value; }
  std::string Periodicity() const { return periodicity_; }
  void Periodicity(const std::string& value) { periodicity_ = value; }
  std::int32_t PurgeInterval() const { return purgeInterval_; }
  void PurgeInterval(std::int32_t value) { purgeInterval_ = value; }
  std::string RetrieveMode() const { return retrieveMode_; }
  void RetrieveMode(const std::string& value) { retrieveMode_ = value; }
  std::int32_t RptGrpID() const { return rptGrpID_; }
  void RptGrpID(std::int32_t value) { rptGrpID_ = value; }
  std::string RunMode() const { return runMode_; }
  void RunMode(const std::string& value) { runMode_ = value; }
  std::string ScheduleActive() const { return scheduleActive_; }
  void ScheduleActive(const std::string& value) { scheduleActive_ = value; }
  std::string SubFolderName() const { return subFolderName_; }
  void SubFolderName(const std::string& value) { subFolderName_ = value; }
  std::int32_t WhichMonthDate() const { return whichMonthDate_; }
  void WhichMonthDate(std::int32_t value) { whichMonthDate_ = value; }
  std::int32_t WhichWeek() const { return whichWeek_; }
  void WhichWeek(std::int32_t value) { whichWeek_ = value; }
  std::int32_t WhichWeekday() const { return whichWeekday_; }
  void WhichWeekday(std::int32_t value) { whichWeekday_ = value; }

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
  std::string scheduleActive_;
  std::int32_t clientMachineID_ = 0;
  std::int32_t rptGrpID_ = 0;
  std::int32_t ovrScenarioId_ = 0;
  std::int32_t scheduleID_ = 0;
  std::int32_t ovrChanSetId_ = 0;
  std::int32_t ovrDestinationId_ = 0;
  std::int32_t ovrDTScopeId_ = 0;
  std::string runMode_;
  std::string retrieveMode_;
  std::string autoPurge_;
  std::int32_t purgeInterval_ = 0;
  std::string subFolderName_;
  DateTime firstDateTime_;
  DateTime finalDateTime_;
  std::int32_t whichMonthDate_ = 0;
  std::int32_t whichWeek_ = 0;
  std::int32_t whichWeekday_ = 0;
  std::string periodicity_;
  std::int32_t frequency_ = 0;
  std::string includeMondays_, includeTuesdays_, includeWednesdays_, includeThursdays_,
      includeFridays_, includeSaturdays_, includeSundays_, includeHolidays_, includeDayAfterHol_;
  std::int32_t timeout_ = 0;
  std::string timeoutUnit_;
  DateTime nextRunDate_;
  DateTime lastRunDate_;
  bool isNew_ = false;
  bool override_ = false;
  std::string editorName_;
  bool doDTSOverride_ = false;
  Ref<DateTimeScope> dtScope_;
  bool doDestOverride_ = false;
  Ref<Destination> destination_;
  Ref<HourExSet> hourEx_;
};

}  // namespace plexion
