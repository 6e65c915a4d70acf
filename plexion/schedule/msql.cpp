#include "plexion/schedule/msql.hpp"

#include <string_view>

#include "plexion/platform/convert.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"
#include "plexion/services/system_config.hpp"

namespace plexion::MSQL {

namespace {

// The constant trailing arguments of every query: "" 0 "" "" and a 60-second time-out.
Ref<DbRecordset> Open(const std::string& sql, bool byKey) {
  return services::Locate<DbService>().OpenRecordset(sql, byKey, "", 0, "", "", 60);
}

// A column of the current row, asked of the record set's Fields at each read.
Ref<DbField> Column(const Ref<DbRecordset>& rs, const std::string& name) {
  Ref<DbFields> fields = rs->Fields();
  if (!fields) throw Error::Runtime(errnum::ObjectVariableNotSet);
  return fields->Item(name);
}

// The two integers of an insert, as the value list of the database service. The array's
// elements refer to the caller's two values.
std::string ValueList(std::int32_t& first, std::int32_t& second) {
  VariantArray values(0, 1);
  values.at(0) = Variant::RefTo(first);
  values.at(1) = Variant::RefTo(second);
  return services::Locate<DbService>().FormatValueList(values);
}

// In enterprise mode the row must also carry the schedule's group-by code and server group,
// which the column list does not name. They go in front of the list, so that the list itself,
// with its two endings, reaches the query unchanged.
constexpr std::string_view kEnterpriseColumns = "DLGROUPBY, OVRSRVGROUPID, ";

}  // namespace

std::string SchedDataFields() {
  std::string fields =
      "ID, CLIENTMACHINEID, SCHEDULEACTIVE, RPTGRPID, RUNMODE, RETRIEVEMODE, AUTOPURGE, "
      "PURGEINTERVAL, SUBFOLDERNAME, FINALDATETIME, "
      "WHICHMONTHDATE, WHICHWEEK, WHICHWEEKDAY, PERIODICITY, FREQUENCY, INCLUDEMONDAYS, "
      "INCLUDETUESDAYS, INCLUDEWEDNESDAYS, INCLUDETHURSDAYS, INCLUDEFRIDAYS, INCLUDESATURDAYS, "
      "INCLUDESUNDAYS, INCLUDEHOLIDAYS, INCLUDEDAYAFTERHOL, OVRSCENARIOID, OVRCHANSETID, "
      "OVRDESTINATIONID, OVRDTSCOPEID";
  if (services::Locate<SettingsService>().TimeZonesEnabled())
    fields += ", TZREGION, SCHEDULEDTIME AS FIRSTDATETIME";
  else fields += ", FIRSTDATETIME";
  return fields;
}

namespace {

// The run and recurrence columns both schedule views carry, read in the order both loaders
// read them.
struct Recurrence {
  std::string runMode, retrieveMode, autoPurge;
  std::int32_t purgeInterval;
  std::string subFolder;
  DateTime firstRun, finalRun;
  std::int32_t monthDate, week, weekday;
  std::string periodicity;
  std::int32_t frequency;
  std::string mondays, tuesdays, wednesdays, thursdays, fridays, saturdays, sundays, holidays,
      dayAfterHol;
};

Recurrence ReadRecurrence(DbService& db, const Ref<DbRecordset>& rs) {
  Recurrence r;
  r.runMode = db.FieldText(Column(rs, "RunMode"));
  r.retrieveMode = db.FieldText(Column(rs, "RetrieveMode"));
  r.autoPurge = db.FieldText(Column(rs, "AutoPurge"));
  r.purgeInterval = db.FieldLongOrDefault(Column(rs, "PurgeInterval"), 0);
  r.subFolder = db.FieldText(Column(rs, "SubFolderName"));
  r.firstRun = db.FieldDate(Column(rs, "FirstDateTime"));
  r.finalRun = db.FieldDate(Column(rs, "FinalDateTime"));
  r.monthDate = db.FieldLongOrDefault(Column(rs, "WhichMonthDate"), 0);
  r.week = db.FieldLongOrDefault(Column(rs, "WhichWeek"), 1);
  r.weekday = db.FieldLongOrDefault(Column(rs, "WhichWeekday"), 1);
  r.periodicity = db.FieldText(Column(rs, "Periodicity"));
  r.frequency = db.FieldLongOrDefault(Column(rs, "Frequency"), 1);
  r.mondays = db.FieldText(Column(rs, "IncludeMondays"));
  r.tuesdays = db.FieldText(Column(rs, "IncludeTuesdays"));
  r.wednesdays = db.FieldText(Column(rs, "IncludeWednesdays"));
  r.thursdays = db.FieldText(Column(rs, "IncludeThursdays"));
  r.fridays = db.FieldText(Column(rs, "IncludeFridays"));
  r.saturdays = db.FieldText(Column(rs, "IncludeSaturdays"));
  r.sundays = db.FieldText(Column(rs, "IncludeSundays"));
  r.holidays = db.FieldText(Column(rs, "IncludeHolidays"));
  r.dayAfterHol = db.FieldText(Column(rs, "IncludeDayAfterHol"));
  return r;
}

}  // namespace

void LoadSchedule(CSchedData& schedule, std::int32_t ordID, const std::string& sAppName) {
  DbService& db = services::Locate<DbService>();
  // Asked once per load: the same answer decides the columns selected and the columns read.
  const bool enterprise = services::Locate<SystemConfig>().EnterpriseMode();
  const std::string sql = "SELECT " + std::string(enterprise ? kEnterpriseColumns : "") +
                          SchedDataFields() +
                          " FROM rg_schedule_view WHERE Id = " + std::to_string(ordID);
  Ref<DbRecordset> rs = Open(sql, true);
  if (!rs) return;

  std::string groupBy;
  if (enterprise) {
    groupBy = db.FieldText(Column(rs, "DLGroupBy"));
    schedule.OvrServerGroupID(db.FieldLong(Column(rs, "OvrSrvGroupID")));
  }
  std::string timeZone;
  if (services::Locate<SettingsService>().TimeZonesEnabled())
    timeZone = db.FieldText(Column(rs, "TZRegion"));

  const std::int32_t clientMachine = db.FieldLong(Column(rs, "ClientMachineID"));
  const std::string active = db.FieldText(Column(rs, "ScheduleActive"));
  const std::int32_t reportGroup = db.FieldLong(Column(rs, "RptGrpID"));
  const Recurrence r = ReadRecurrence(db, rs);

  schedule.InitEdit(Variant(std::string()), clientMachine, Variant(active), reportGroup, r.runMode,
                    r.retrieveMode, r.autoPurge, r.purgeInterval, r.subFolder, r.firstRun,
                    r.finalRun, r.monthDate, r.week, r.weekday, r.periodicity, r.frequency,
                    r.mondays, r.tuesdays, r.wednesdays, r.thursdays, r.fridays, r.saturdays,
                    r.sundays, r.holidays, r.dayAfterHol, sAppName, timeZone, groupBy);

  schedule.OvrScenarioId(db.FieldLong(Column(rs, "OvrScenarioId")));
  schedule.OvrChanSetId(db.FieldLong(Column(rs, "OvrChanSetId")));
  schedule.OvrDestinationId(db.FieldLong(Column(rs, "OvrDestinationId")));
  schedule.OvrDTScopeId(db.FieldLong(Column(rs, "OvrDTScopeId")));
  rs->Close();
}

void LoadSASchedule(CSASchedData& schedule, std::int32_t ordID) {
  DbService& db = services::Locate<DbService>();
  Ref<DbRecordset> rs =
      Open("SELECT * FROM SA_Schedule_View WHERE Id = " + std::to_string(ordID), true);
  if (!rs) return;

  // Databases of earlier releases have no time-out column; asked at every load.
  std::int32_t timeout = 0;
  std::string timeoutUnit;
  if (db.ColumnExists("sa_schedule", "TimeOut", "", 0, "", "")) {
    timeout = db.FieldLongOrDefault(Column(rs, "Timeout"), 0);
    timeoutUnit = db.FieldText(Column(rs, "Timeout_unit"));
  }

  const std::int32_t id = db.FieldLong(Column(rs, "Id"));
  const std::int32_t clientMachine = db.FieldLong(Column(rs, "ClientMachineID"));
  const std::string active = db.FieldText(Column(rs, "ScheduleActive"));
  const std::int32_t reportGroup = db.FieldLong(Column(rs, "RptGrpID"));
  const std::int32_t scenario = db.FieldLong(Column(rs, "OvrScenarioId"));
  const Recurrence r = ReadRecurrence(db, rs);

  schedule.InitEdit(id, Variant(std::string()), clientMachine, Variant(active), reportGroup,
                    scenario, r.runMode, r.retrieveMode, r.autoPurge, r.purgeInterval, r.subFolder,
                    r.firstRun, r.finalRun, r.monthDate, r.week, r.weekday, r.periodicity,
                    r.frequency, r.mondays, r.tuesdays, r.wednesdays, r.thursdays, r.fridays,
                    r.saturdays, r.sundays, r.holidays, r.dayAfterHol, timeout, timeoutUnit);
  rs->Close();
}

void DeleteScheduleHourEx(std::int32_t lScheduleID) {
  services::Locate<DbService>().ExecuteStatement(
      "Delete From Schedule_Hour_Ex where Schedule_ID = " + std::to_string(lScheduleID));
}

void DeleteScheduleEvents(std::int32_t lScheduleID) {
  services::Locate<DbService>().ExecuteStatement("Delete From Schedule_Event where Schedule_ID = " +
                                                 std::to_string(lScheduleID));
}

std::int32_t GetEventTypeId(const std::string& sEventName) {
  // The name goes in as it is: event type names are the library's own ("Data load").
  Ref<DbRecordset> rs = Open("SELECT * FROM EN_Event_Type WHERE Name = '" + sEventName + "'", true);
  if (!rs) return 0;
  const std::int32_t id = ToInt32(Column(rs, "Event_Type_ID")->Value());
  rs->Close();
  return id;
}

void InsertScheduleHourEx(std::int32_t lScheduleID, std::int32_t lHour) {
  const std::string values = ValueList(lScheduleID, lHour);
  services::Locate<DbService>().ExecuteStatement(
      "INSERT INTO Schedule_Hour_Ex (Schedule_ID, Hour) Values (" + values + ")");
}

void InsertScheduleEvent(std::int32_t lScheduleID, std::int32_t lEventTypeID) {
  const std::string values = ValueList(lScheduleID, lEventTypeID);
  services::Locate<DbService>().ExecuteStatement(
      "INSERT INTO Schedule_Event  (Schedule_ID, Event_Type_ID) Values (" + values + ")");
}

}  // namespace plexion::MSQL
