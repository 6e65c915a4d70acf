// One open schedule: the data object of its kind, loaded from the database, and its saving.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <plexion/schedule/schedule_run.hpp>
#include <plexion/services/hour_exclusions.hpp>

namespace qt_editor {

enum class ScheduleKind { SoftAlarm, ReportGroup };

// "sa-schedule" or "schedule", as the command line names them.
std::optional<ScheduleKind> ParseScheduleKind(std::string_view word);

// "soft-alarm schedule 1", "report-group schedule 2".
std::string DocumentTitle(ScheduleKind kind, std::int32_t id);

// "0, 23", or "none".
std::string ExcludedHoursText(const plexion::HourExSet& hours);

class ScheduleDocument {
 public:
  // Loads the stored schedule; an id without a row raises the record set's error (3021).
  ScheduleDocument(ScheduleKind kind, std::int32_t id);

  ScheduleKind Kind() const { return kind_; }
  std::int32_t Id() const { return id_; }
  // The application whose tab set the editor shows: "Soft Alarm Schedule" or "Schedule".
  std::string AppName() const;
  // "soft-alarm schedule 1"
  std::string Title() const { return DocumentTitle(kind_, id_); }
  // The data object (a CSASchedData or a CSchedData); tabs reach it by property name.
  const plexion::Ref<plexion::ScheduleRun>& Data() const { return data_; }
  // The excluded hours that saving writes; none for a report-group schedule.
  const plexion::Ref<plexion::HourExSet>& Hours() const { return hours_; }
  // False when the first run was read in the schedule's own time-zone region (report-group
  // schedules with time zones in use): this editor does not convert regions, so it neither
  // edits nor writes that time.
  bool FirstRunEditable() const { return firstRunEditable_; }

  // Saves the object's side data (SaveSubTableData), then the schedule row, which the library
  // leaves to its caller; answers what was saved. Each statement runs by itself: an error
  // leaves the statements before it done.
  std::string Save();

 private:
  void WriteScheduleRow();

  ScheduleKind kind_;
  std::int32_t id_;
  plexion::Ref<plexion::ScheduleRun> data_;
  plexion::Ref<plexion::HourExSet> hours_;
  std::string storedPeriodicity_;
  bool firstRunEditable_ = true;
};

}  // namespace qt_editor
