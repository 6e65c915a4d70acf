// Date-time values: a count of days since 30 December 1899, the fraction being the time of day.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plexion {

struct CivilDateTime {
  int year = 1899, month = 12, day = 30;
  int hour = 0, minute = 0, second = 0;
};

class DateTime {
 public:
  constexpr DateTime() = default;
  constexpr explicit DateTime(double serial) : serial_(serial) {}

  constexpr double serial() const { return serial_; }

  // Years 100 to 9999; anything else (or a day that does not exist) is an error 5.
  static DateTime FromParts(int year, int month, int day, int hour = 0, int minute = 0,
                            int second = 0);
  static DateTime Today();  // the local date at 00:00
  static DateTime Now();    // the local date and time, to the second

  // en-US text ("12/31/2036", "12/31/2036 3:04:05 PM", "Dec 31, 2036", "3:04 PM") or ISO 8601
  // ("2036-12-31", "2036-12-31T15:04:05"). Text that is not a date: type mismatch (13).
  static DateTime Parse(std::string_view text);
  static std::optional<DateTime> TryParse(std::string_view text);

  // Calendar date and time of day, rounded to the second.
  CivilDateTime ToCivil() const;
  // The en-US general date form: the date alone at midnight, the time alone on day 0.
  std::string ToText() const;
  // "2036-12-31 15:04:05": the form the database layer writes.
  std::string ToIso() const;

  bool HasTime() const;
  DateTime DatePart() const;

  friend constexpr bool operator==(DateTime a, DateTime b) { return a.serial_ == b.serial_; }

 private:
  double serial_ = 0.0;
};

// 31 December 2036 00:00: the far-future end of a new schedule.
inline constexpr DateTime kFarFutureEnd{50040.0};

}  // namespace plexion
