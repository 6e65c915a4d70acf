#include "schedule_document.hpp"

#include <plexion/platform/convert.hpp>
#include <plexion/schedule/msql.hpp>
#include <plexion/schedule/sa_sched_data.hpp>
#include <plexion/schedule/sched_data.hpp>
#include <plexion/services/db.hpp>
#include <plexion/services/locator.hpp>
#include <plexion/services/settings.hpp>
#include <plexion/services/unit_of_work.hpp>

#include "properties.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

// Where each kind of schedule comes from and is written to.
struct ScheduleTable {
  ScheduleKind kind;
  std::string_view appName;  // its tab set
  std::string_view table;    // where its row is written
};

constexpr ScheduleTable kTables[] = {
    {ScheduleKind::SoftAlarm, "Soft Alarm Schedule", "sa_schedule"},
    {ScheduleKind::ReportGroup, "Schedule", "rg_schedule"},
};

const ScheduleTable& TableOf(ScheduleKind kind) {
  for (const ScheduleTable& table : kTables)
    if (table.kind == kind) return table;
  throw Error::Runtime(errnum::InvalidProcedureCall, "not a kind of schedule");
}

// The row columns this editor writes, each from the data object's property of the same name:
// what its tabs edit. The run dates are written from DBFirstDateTime and DBFinalDateTime.
constexpr std::string_view kEditedColumns[] = {
    "ScheduleActive",   "SubFolderName",      "RunMode",          "Periodicity",
    "Frequency",        "IncludeMondays",     "IncludeTuesdays",  "IncludeWednesdays",
    "IncludeThursdays", "IncludeFridays",     "IncludeSaturdays", "IncludeSundays",
    "IncludeHolidays",  "IncludeDayAfterHol", "OvrScenarioId",
};
// A report-group schedule's row also takes the ids its SaveSubTableData stored.
constexpr std::string_view kOverrideIdColumns[] = {"OvrDestinationId", "OvrDTScopeId"};

// One value as the database service writes it in a statement.
std::string SqlValue(DbService& db, const Variant& value) {
  VariantArray one(0, 0);
  one.at(0) = value;
  return db.FormatValueList(one);
}

std::string DbDateText(Object& data, std::string_view property) {
  return ToObjectOf<DbDate>(GetProperty(data, property))->SqlText();
}

}  // namespace

std::string ExcludedHoursText(const HourExSet& hours) {
  std::string text;
  for (std::int32_t slot = 1; slot <= hours.SlotCount(); ++slot)
    if (hours.Excluded(slot)) text += (text.empty() ? "" : ", ") + std::to_string(slot - 1);
  return text.empty() ? "none" : text;
}

ScheduleDocument::ScheduleDocument(ScheduleKind kind, std::int32_t id) : kind_(kind), id_(id) {
  TableOf(kind);  // a report is no schedule
  if (kind == ScheduleKind::SoftAlarm) {
    auto schedule = MakeRef<CSASchedData>();
    schedule->LoadSASchedData(id);
    hours_ = schedule->GetHoursEx(id);
    schedule->HourEXData(hours_);
    data_ = schedule;
  } else {
    auto schedule = MakeRef<CSchedData>();
    schedule->LoadSchedData(id, AppName());
    firstRunEditable_ = !services::Locate<SettingsService>().TimeZonesEnabled();
    data_ = schedule;
  }
  storedPeriodicity_ = data_->Periodicity();
}

std::string ScheduleDocument::AppName() const { return std::string(TableOf(kind_).appName); }

std::string ScheduleDocument::Save() {
  services::UnitOfWork work(TableOf(kind_).table, id_);
  std::string saved = "Saved " + Title() + ": ";
  if (auto softAlarm = data_.As<CSASchedData>()) {
    // Saving rewrites the "Data load" trigger only while the periodicity is "N"; a schedule
    // that no longer runs on data loads must lose the trigger it had.
    if (storedPeriodicity_ == "N" && softAlarm->Periodicity() != "N")
      MSQL::DeleteScheduleEvents(id_);
    softAlarm->SaveSubTableData();
    saved += "excluded hours " + ExcludedHoursText(*hours_);
    if (softAlarm->Periodicity() == "N") saved += ", the \"Data load\" trigger";
  } else {
    data_.As<CSchedData>()->SaveSubTableData();
    saved += "override scope " + std::to_string(data_->OvrDTScopeId()) + ", destination " +
             std::to_string(data_->OvrDestinationId());
  }
  WriteScheduleRow();
  work.Commit();
  storedPeriodicity_ = data_->Periodicity();
  return saved + " and the schedule row";
}

void ScheduleDocument::WriteScheduleRow() {
  DbService& db = services::Locate<DbService>();
  std::string assignments;
  auto assign = [&](std::string_view column, const std::string& sql) {
    assignments += (assignments.empty() ? "" : ", ") + std::string(column) + " = " + sql;
  };
  for (std::string_view column : kEditedColumns)
    assign(column, SqlValue(db, GetProperty(*data_, column)));
  if (kind_ == ScheduleKind::ReportGroup)
    for (std::string_view column : kOverrideIdColumns)
      assign(column, SqlValue(db, GetProperty(*data_, column)));
  if (firstRunEditable_) assign("FirstDateTime", DbDateText(*data_, "DBFirstDateTime"));
  assign("FinalDateTime", DbDateText(*data_, "DBFinalDateTime"));
  db.ExecuteStatement("UPDATE " + std::string(TableOf(kind_).table) + " SET " + assignments +
                      " WHERE Id = " + std::to_string(id_));
}

}  // namespace qt_editor
