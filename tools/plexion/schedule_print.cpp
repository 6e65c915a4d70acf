#include "schedule_print.hpp"

#include <iomanip>
#include <ostream>

#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::cli {

namespace {

class Listing {
 public:
  explicit Listing(std::ostream& out) : out_(out) {}
  void Row(const char* name, const std::string& value) { Put(name, "\"" + value + "\""); }
  void Row(const char* name, const char* value) { Row(name, std::string(value)); }
  void Row(const char* name, std::int32_t value) { Put(name, std::to_string(value)); }
  void Row(const char* name, bool value) { Put(name, BoolText(value)); }
  void Row(const char* name, DateTime value) { Put(name, value.ToText()); }
  void Row(const char* name, const Ref<DbDate>& value) {
    Put(name, value ? value->SqlText() : "Nothing");
  }

 private:
  void Put(const char* name, const std::string& text) {
    out_ << "  " << std::left << std::setw(20) << name << text << "\n";
  }
  std::ostream& out_;
};

// The run and recurrence fields both schedules carry, in the order the objects declare them.
template <class S>
void PrintRunFields(Listing& l, const S& s) {
  l.Row("RunMode", s.RunMode());
  l.Row("RetrieveMode", s.RetrieveMode());
  l.Row("AutoPurge", s.AutoPurge());
  l.Row("PurgeInterval", s.PurgeInterval());
  l.Row("SubFolderName", s.SubFolderName());
  l.Row("FirstDateTime", s.FirstDateTime());
  l.Row("FinalDateTime", s.FinalDateTime());
  l.Row("WhichMonthDate", s.WhichMonthDate());
  l.Row("WhichWeek", s.WhichWeek());
  l.Row("WhichWeekday", s.WhichWeekday());
  l.Row("Periodicity", s.Periodicity());
  l.Row("Frequency", s.Frequency());
  l.Row("IncludeMondays", s.IncludeMondays());
  l.Row("IncludeTuesdays", s.IncludeTuesdays());
  l.Row("IncludeWednesdays", s.IncludeWednesdays());
  l.Row("IncludeThursdays", s.IncludeThursdays());
  l.Row("IncludeFridays", s.IncludeFridays());
  l.Row("IncludeSaturdays", s.IncludeSaturdays());
  l.Row("IncludeSundays", s.IncludeSundays());
  l.Row("IncludeHolidays", s.IncludeHolidays());
  l.Row("IncludeDayAfterHol", s.IncludeDayAfterHol());
}

template <class S>
void PrintRunState(Listing& l, const S& s, bool withDbDates) {
  l.Row("NextRunDate", s.NextRunDate());
  l.Row("LastRunDate", s.LastRunDate());
  l.Row("IsNew", s.IsNew());
  l.Row("Override", s.Override());
  l.Row("EditorName", s.EditorName());
  l.Row("DoDTSOverride", s.DoDTSOverride());
  l.Row("DoDestOverride", s.DoDestOverride());
  l.Row("IsOverride", s.IsOverride());
  if (withDbDates) {
    l.Row("DBFirstDateTime", s.DBFirstDateTime());
    l.Row("DBFinalDateTime", s.DBFinalDateTime());
  }
}

}  // namespace

void PrintSchedule(std::ostream& out, const CSchedData& s, bool withDbDates) {
  Listing l(out);
  l.Row("ScheduleActive", s.ScheduleActive());
  l.Row("ClientMachineID", s.ClientMachineID());
  l.Row("RptGrpID", s.RptGrpID());
  l.Row("OvrScenarioId", s.OvrScenarioId());
  l.Row("OvrChanSetId", s.OvrChanSetId());
  l.Row("OvrDestinationId", s.OvrDestinationId());
  l.Row("OvrDTScopeId", s.OvrDTScopeId());
  l.Row("OvrServerGroupID", s.OvrServerGroupID());
  PrintRunFields(l, s);
  PrintRunState(l, s, withDbDates);
  l.Row("DLGroupBy", s.DLGroupBy());
  l.Row("AppName", s.AppName());
  l.Row("TimeZone", s.TimeZone());
}

void PrintSoftAlarmSchedule(std::ostream& out, const CSASchedData& s, bool withDbDates) {
  Listing l(out);
  l.Row("ScheduleID", s.ScheduleID());
  l.Row("ScheduleActive", s.ScheduleActive());
  l.Row("ClientMachineID", s.ClientMachineID());
  l.Row("RptGrpID", s.RptGrpID());
  l.Row("OvrScenarioId", s.OvrScenarioId());
  l.Row("OvrChanSetId", s.OvrChanSetId());
  l.Row("OvrDestinationId", s.OvrDestinationId());
  l.Row("OvrDTScopeId", s.OvrDTScopeId());
  PrintRunFields(l, s);
  l.Row("Timeout", s.Timeout());
  l.Row("TimeoutUnit", s.TimeoutUnit());
  PrintRunState(l, s, withDbDates);
}

std::string ExcludedHours(const HourExSet& set) {
  std::string hours;
  const std::int32_t base = set.SlotBase();
  for (std::int32_t k = base; k < base + set.SlotCount(); ++k)
    if (set.Excluded(k)) hours += (hours.empty() ? "" : ",") + std::to_string(k - base);
  return hours.empty() ? "none" : hours;
}

std::string StoredEvents(std::int32_t scheduleId) {
  DbService& db = services::Locate<DbService>();
  Ref<DbRecordset> rs = db.OpenRecordset(
      "SELECT t.Name AS Name FROM Schedule_Event e JOIN EN_Event_Type t ON t.Event_Type_ID = "
      "e.Event_Type_ID WHERE e.Schedule_ID = " +
          std::to_string(scheduleId),
      false, "", 0, "", "", 60);
  std::string names;
  if (rs && !rs->IsEOF()) {
    rs->MoveFirst();
    for (; !rs->IsEOF(); rs->MoveNext())
      names += (names.empty() ? "" : ", ") + db.FieldText(rs->Fields()->Item("Name"));
    rs->Close();
  }
  return names.empty() ? "none" : names;
}

}  // namespace plexion::cli
