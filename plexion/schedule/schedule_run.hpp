// What the report-group schedule and the soft-alarm schedule both hold: when and how often the
// schedule runs and on which days, what its run overrides, and the override objects its tabs
// attach. Plain accessors store and return their field and do nothing else; a fresh schedule
// holds "", 0, false, date-time 0 and no objects.
#pragma once

#include <cstdint>
#include <string>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"

namespace plexion {

class ScheduleRun : public virtual Object {
 public:
  std::string ScheduleActive() const { return scheduleActive_; }
  void ScheduleActive(const std::string& value) { scheduleActive_ = value; }
  std::int32_t ClientMachineID() const { return clientMachineID_; }
  void ClientMachineID(std::int32_t value) { clientMachineID_ = value; }
  std::int32_t RptGrpID() const { return rptGrpID_; }
  void RptGrpID(std::int32_t value) { rptGrpID_ = value; }
  std::int32_t OvrScenarioId() const { return ovrScenarioId_; }
  void OvrScenarioId(std::int32_t value) { ovrScenarioId_ = value; }
  std::int32_t OvrChanSetId() const { return ovrChanSetId_; }
  void OvrChanSetId(std::int32_t value) { ovrChanSetId_ = value; }
  std::int32_t OvrDestinationId() const { return ovrDestinationId_; }
  void OvrDestinationId(std::int32_t value) { ovrDestinationId_ = value; }
  std::int32_t OvrDTScopeId() const { return ovrDTScopeId_; }
  void OvrDTScopeId(std::int32_t value) { ovrDTScopeId_ = value; }
  std::string RunMode() const { return runMode_; }
  void RunMode(const std::string& value) { runMode_ = value; }
  std::string RetrieveMode() const { return retrieveMode_; }
  void RetrieveMode(const std::string& value) { retrieveMode_ = value; }
  std::string AutoPurge() const { return autoPurge_; }
  void AutoPurge(const std::string& value) { autoPurge_ = value; }
  std::int32_t PurgeInterval() const { return purgeInterval_; }
  void PurgeInterval(std::int32_t value) { purgeInterval_ = value; }
  std::string SubFolderName() const { return subFolderName_; }
  void SubFolderName(const std::string& value) { subFolderName_ = value; }
  DateTime FirstDateTime() const { return firstDateTime_; }
  void FirstDateTime(DateTime value) { firstDateTime_ = value; }
  DateTime FinalDateTime() const { return finalDateTime_; }
  void FinalDateTime(DateTime value) { finalDateTime_ = value; }
  std::int32_t WhichMonthDate() const { return whichMonthDate_; }
  void WhichMonthDate(std::int32_t value) { whichMonthDate_ = value; }
  std::int32_t WhichWeek() const { return whichWeek_; }
  void WhichWeek(std::int32_t value) { whichWeek_ = value; }
  std::int32_t WhichWeekday() const { return whichWeekday_; }
  void WhichWeekday(std::int32_t value) { whichWeekday_ = value; }
  std::string Periodicity() const { return periodicity_; }
  void Periodicity(const std::string& value) { periodicity_ = value; }
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
  DateTime NextRunDate() const { return nextRunDate_; }
  void NextRunDate(DateTime value) { nextRunDate_ = value; }
  DateTime LastRunDate() const { return lastRunDate_; }
  void LastRunDate(DateTime value) { lastRunDate_ = value; }
  bool IsNew() const { return isNew_; }
  void IsNew(bool value) { isNew_ = value; }
  bool Override() const { return override_; }
  void Override(bool value) { override_ = value; }
  std::string EditorName() const { return editorName_; }
  void EditorName(const std::string& value) { editorName_ = value; }
  bool DoDTSOverride() const { return doDTSOverride_; }
  void DoDTSOverride(bool value) { doDTSOverride_ = value; }
  bool DoDestOverride() const { return doDestOverride_; }
  void DoDestOverride(bool value) { doDestOverride_ = value; }

  // Override objects being edited; the schedule keeps one counted reference to each.
  void DTScopeData(Ref<DateTimeScope> value) { dtScope_ = std::move(value); }
  void DestinationData(Ref<Destination> value) { destination_ = std::move(value); }

  // True exactly when RunMode is "I" (letter case counts), whatever Override holds.
  bool IsOverride() const { return runMode_ == "I"; }
  // The first run as the database writes it: its "now" for an immediate run ("I" exactly), else
  // FirstDateTime. Asked of the database service at each get.
  Ref<DbDate> DBFirstDateTime() const;
  Ref<DbDate> DBFinalDateTime() const;

 protected:
  // The date-time scope goes first, then the destination.
  ~ScheduleRun() override;

  // The run and recurrence fields of a new schedule, in the order both schedules set them: run
  // mode (with Override for an immediate run), editor name, the download and purge defaults of
  // that kind of run, then the fixed start values. Each field is stored as soon as it is known,
  // so a default that fails to convert leaves the earlier ones set.
  void StartNew(bool fIsImmediate, std::int32_t ordRptGrpA, const std::string& sNameA);

  std::string scheduleActive_;
  std::int32_t clientMachineID_ = 0;
  std::int32_t rptGrpID_ = 0;
  std::int32_t ovrScenarioId_ = 0;
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
  DateTime nextRunDate_;
  DateTime lastRunDate_;
  bool isNew_ = false;
  bool override_ = false;
  std::string editorName_;
  bool doDTSOverride_ = false;
  Ref<DateTimeScope> dtScope_;
  bool doDestOverride_ = false;
  Ref<Destination> destination_;
};

}  // namespace plexion
