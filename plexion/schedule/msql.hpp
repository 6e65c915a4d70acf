// The SQL routines of the schedule objects: the schedule column list and loaders, and the
// statements behind a soft-alarm schedule's excluded hours and trigger events.
#pragma once

#include <cstdint>
#include <string>

#include "plexion/platform/object.hpp"

namespace plexion {

class CSchedData;
class CSASchedData;

namespace MSQL {

// The columns a report-group schedule is loaded with. With time zones in use the first run is
// the view's scheduled time (under the first run's name) and the region is selected too; the
// first run column comes last either way. The settings are asked at each call.
std::string SchedDataFields();

// Loads the report-group schedule ordID from "rg_schedule_view" into the object and ends in
// its InitEdit. No record set leaves the object untouched; a missing row is the record set's
// error, with the values stored before it kept.
void LoadSchedule(CSchedData& schedule, std::int32_t ordID, const std::string& sAppName);

// Loads the soft-alarm schedule ordID from "SA_Schedule_View"; every property is assigned by
// the final InitEdit alone, so a failing read leaves the object as it was.
void LoadSASchedule(CSASchedData& schedule, std::int32_t ordID);

// One statement each, run by itself.
void DeleteScheduleHourEx(std::int32_t lScheduleID);
void DeleteScheduleEvents(std::int32_t lScheduleID);
// The id of the event type of that name (matched exactly, the name inserted unquoted); 0 when
// the database service hands back no record set.
std::int32_t GetEventTypeId(const std::string& sEventName);
void InsertScheduleHourEx(std::int32_t lScheduleID, std::int32_t lHour);
void InsertScheduleEvent(std::int32_t lScheduleID, std::int32_t lEventTypeID);

}  // namespace MSQL

}  // namespace plexion
