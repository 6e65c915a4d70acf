#include "recurrence.hpp"

namespace qt_editor {

const Periodicity* FindPeriodicity(const std::string& code) {
  for (const Periodicity& p : kPeriodicities)
    if (p.code == code) return &p;
  return nullptr;
}

std::string RecurrenceSummary(const std::map<std::string, std::string>& fields) {
  auto field = [&](const std::string& name) {
    auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second;
  };
  std::string text = field("RunMode") == "I" ? "Immediate run" : "Scheduled";
  const Periodicity* unit = FindPeriodicity(field("Periodicity"));
  if (!unit) {
    text += ", periodicity \"" + field("Periodicity") + "\"";
  } else if (unit->unit.empty()) {
    text += ", on each data load";
  } else {
    const std::string every = field("Frequency");
    text += ", every " +
            (every == "1" ? std::string(unit->unit) : every + " " + std::string(unit->unit) + "s");
  }
  std::string days;
  int count = 0;
  for (const RunDay& day : kRunDays)
    if (day.weekday && field(std::string(day.property)) == "Y") {
      days += (days.empty() ? "" : ", ") + std::string(day.label);
      ++count;
    }
  if (count < 7) text += days.empty() ? " on no weekday" : " on " + days;
  const std::string hours = field("ExcludedHours");
  if (!hours.empty() && hours != "none") text += "; not in hours " + hours;
  return text;
}

}  // namespace qt_editor
