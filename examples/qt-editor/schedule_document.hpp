// One open schedule: the data object of its kind, loaded from the database, and its saving.
#pragma once

#include <cstdint>
#include <string>

#include <plexion/schedule/schedule_run.hpp>
#include <plexion/services/hour_exclusions.hpp>

#include "document.hpp"

namespace qt_editor {

// The two schedule kinds among the documents.
using ScheduleKind = DocumentKind;

// "0, 23", or "none".
std::string ExcludedHoursText(const plexion::HourExSet& hours);

class ScheduleDocument final : public Document {
 public:
  // Loads the stored schedule; an id without a row raises the record set's error (3021).
  ScheduleDocument(ScheduleKind kind, std::int32_t id);

  DocumentKey Key() const override { return {kind_, id_}; }
  ScheduleKind Kind() const { return kind_; }
  std::int32_t Id() const { return id_; }
  // "Soft Alarm Schedule" or "Schedule".
  std::string AppName() const override;
  plexion::Ref<plexion::Object> DataObject() const override { return data_; }
  // The data object (a CSASchedData or a CSchedData); tabs reach it by property name.
  const plexion::Ref<plexion::ScheduleRun>& Data() const { return data_; }
  // The excluded hours that saving writes; none for a report-group schedule.
  const plexion::Ref<plexion::HourExSet>& Hours() const { return hours_; }
  // False when the first run was read in the schedule's own time-zone region (report-group
  // schedules with time zones in use): this editor does not convert regions, so it neither
  // edits nor writes that time.
  bool FirstRunEditable() const { return firstRunEditable_; }

  // Saves the object's side data (SaveSubTableData), then the schedule row, which the library
  // leaves to its caller, as one whole save; answers what was saved.
  std::string Save() override;

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
