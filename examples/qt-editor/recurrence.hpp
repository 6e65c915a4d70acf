// How a schedule recurs, as the general and schedule tabs show it.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace qt_editor {

// The recurrence units. The library only stores the letter: "H" is a new schedule's, "N" links
// a soft-alarm schedule to the data-load event; "D", "W" and "M" are the client's other units.
struct Periodicity {
  std::string_view code, label, unit;
  bool softAlarmOnly;
};
inline constexpr Periodicity kPeriodicities[] = {
    {"H", "Hourly", "hour", false},       {"D", "Daily", "day", false},
    {"W", "Weekly", "week", false},       {"M", "Monthly", "month", false},
    {"N", "On each data load", "", true},
};

// The unit of a code, or null for a code without a name.
const Periodicity* FindPeriodicity(const std::string& code);

// The days a run may fall on: the seven weekdays, then holidays and the day after one.
struct RunDay {
  std::string_view property, label;
  bool weekday;
};
inline constexpr RunDay kRunDays[] = {
    {"IncludeMondays", "Mon", true},
    {"IncludeTuesdays", "Tue", true},
    {"IncludeWednesdays", "Wed", true},
    {"IncludeThursdays", "Thu", true},
    {"IncludeFridays", "Fri", true},
    {"IncludeSaturdays", "Sat", true},
    {"IncludeSundays", "Sun", true},
    {"IncludeHolidays", "Holidays", false},
    {"IncludeDayAfterHol", "Day after a holiday", false},
};

// What the general tab's summary follows; "ExcludedHours" is the schedule tab's own name for
// the hour grid.
inline constexpr std::string_view kRecurrenceProperties[] = {"RunMode", "Periodicity", "Frequency",
                                                             "ExcludedHours"};

// "Scheduled, every 2 hours on Mon, Tue, Wed, Thu, Fri; not in hours 0, 23", from the fields
// by property name, each as text.
std::string RecurrenceSummary(const std::map<std::string, std::string>& fields);

}  // namespace qt_editor
