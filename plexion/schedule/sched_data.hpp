// The report-group schedule: the data object behind the schedule editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/datetime.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"
#include "plexion/schedule/schedule_run.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"

namespace plexion {

// When and how often a report group runs, what happens to its results and which parts of the
// report definition a run overrides. The tabs fill it through its properties; plain accessors
// store and return their field and do nothing else. A fresh object holds "", 0, false, date 0
// and no objects.
//
// The object never writes the schedule row: its caller does, from the properties, after
// SaveSubTableData has stored the override date-time scope and destination.
class CSchedData : public ScheduleRun {
 public:
  using ComponentClass = CSchedData;
  static constexpr std::string_view kTypeName = "CSchedData";

  CSchedData() = default;

  std::int32_t OvrServerGroupID() const { return ovrServerGroupID_; }
  void OvrServerGroupID(std::int32_t value) { ovrServerGroupID_ = value; }
  std::string AppName() const { return appName_; }
  void AppName(const std::string& value) { appName_ = value; }
  std::string TimeZone() const { return timeZone_; }
  void TimeZone(const std::string& value) { timeZone_ = value; }

  // Fills the object from a stored schedule, field by field in parameter order (the
  // application name first, then the editor name). A null editor name or active flag is an
  // error; the fields stored before it keep their new values. A time zone of "NULL" or "" becomes
  // "Default TimeZone Region". The override ids and objects, Override and the run dates stay.
  void InitEdit(const Variant& sEditorNameA, std::int32_t ordClientMachineA,
                const Variant& sScheduleActiveA, std::int32_t ordRptGrpA,
                const std::string& sRunModeA, const std::string& sRetrieveModeA,
                const std::string& sAutoPurgeA, std::int32_t iPurgeIntervalA,
                const std::string& subFolderNameA, DateTime dateFirstTimeA, DateTime dateFinalTimeA,
                std::int32_t iWhichMonthDateA, std::int32_t iWhichWeekA,
                std::int32_t iWhichWeekdayA, const std::string& sPeriodicityA,
                std::int32_t iFrequencyA, const std::string& sIncludeMondaysA,
                const std::string& sIncludeTuesdaysA, const std::string& sIncludeWednesdaysA,
                const std::string& sIncludeThursdaysA, const std::string& sIncludeFridaysA,
                const std::string& sIncludeSaturdaysA, const std::string& sIncludeSundaysA,
                const std::string& sIncludeHolidaysA, const std::string& sIncludeDayAfterHolA,
                const std::string& sAppNameA, const std::string& sTimeZoneA,
                const std::string& sDLGrpByA = "R");
  // Prepares a new schedule from the immediate or the scheduled defaults of the settings.
  void InitNew(bool fIsImmediate, std::int32_t ordRptGrpA, const std::string& sAppNameA,
               const std::string& sNameA);
  // Stores the override date-time scope and destination (insert or update) and takes their ids.
  Ref<CSchedData> SaveSubTableData();

  std::string DLGroupBy() const { return dlGroupBy_; }
  void DLGroupBy(const std::string& value) { dlGroupBy_ = value; }

  // Reads the stored schedule ordID from the database (MSQL::LoadSchedule).
  void LoadSchedData(std::int32_t ordID, const std::string& sAppName);

 protected:
  ~CSchedData() override;

 private:
  std::int32_t ovrServerGroupID_ = 0;
  std::string dlGroupBy_;
  std::string appName_;
  std::string timeZone_;
};

}  // namespace plexion
