// Listings of the schedule objects, shared by the schedule commands and the demo.
#pragma once

#include <iosfwd>
#include <string>

#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"

namespace plexion::cli {

// One line per property, "Name  value": texts quoted, dates in the en-US form. With
// withDbDates the database dates (asked of the database) follow as SQL text.
void PrintSchedule(std::ostream& out, const CSchedData& s, bool withDbDates);
void PrintSoftAlarmSchedule(std::ostream& out, const CSASchedData& s, bool withDbDates);

// The excluded hours of a set (slot SlotBase is hour 0): "0,23", or "none".
std::string ExcludedHours(const HourExSet& set);

// The names of the trigger events stored for a soft-alarm schedule, in storage order, read
// back through the database service: "Data load" or "none".
std::string StoredEvents(std::int32_t scheduleId);

}  // namespace plexion::cli
