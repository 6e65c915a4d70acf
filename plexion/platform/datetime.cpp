#include "plexion/platform/datetime.hpp"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <regex>

#include "plexion/platform/error.hpp"
#include "plexion/platform/text.hpp"

namespace plexion {

namespace {

constexpr long kSecondsPerDay = 86400;

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, int& y, int& m, int& d) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long yy = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yy + (m <= 2));
}

const long kEpoch = DaysFromCivil(1899, 12, 30);

bool ValidDate(int y, int m, int d) {
  if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  int cy, cm, cd;
  CivilFromDays(DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)), cy, cm, cd);
  return cd == d && cm == m;
}

bool ValidTime(int h, int mi, int s) {
  return h >= 0 && h < 24 && mi >= 0 && mi < 60 && s >= 0 && s < 60;
}

double Serial(long days, double dayFraction) {
  // Before the epoch the fraction still counts forward from midnight: -1.25 is 29 Dec 06:00.
  return days >= 0 ? static_cast<double>(days) + dayFraction
                   : static_cast<double>(days) - dayFraction;
}

std::optional<DateTime> Make(int y, int m, int d, int h, int mi, int s, double fraction = 0) {
  if (!ValidDate(y, m, d) || !ValidTime(h, mi, s)) return std::nullopt;
  const long days = DaysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - kEpoch;
  const double secs = h * 3600.0 + mi * 60.0 + s + fraction;
  return DateTime(Serial(days, secs / kSecondsPerDay));
}

int Num(const std::ssub_match& m) { return m.matched ? std::stoi(m.str()) : 0; }

int ExpandYear(const std::string& text) {
  const int y = std::stoi(text);
  if (text.size() > 2) return y;
  return y < 30 ? 2000 + y : 1900 + y;  // the host language's two-digit year window
}

int MonthFromName(std::string name) {
  static const std::array<const char*, 12> kNames = {"jan", "feb", "mar", "apr", "may", "jun",
                                                     "jul", "aug", "sep", "oct", "nov", "dec"};
  static const std::array<const char*, 12> kFull = {
      "january", "february", "march",     "april",   "may",      "june",
      "july",    "august",   "september", "october", "november", "december"};
  for (auto& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (int i = 0; i < 12; ++i) {
    if (name == kNames[static_cast<size_t>(i)] || name == kFull[static_cast<size_t>(i)] ||
        (name == "sept" && i == 8))
      return i + 1;
  }
  return 0;
}

// Time of day: "15:04", "3:04:05 PM", "3 PM". Returns false when the text is not a time.
bool ParseTime(const std::string& t, int& h, int& mi, int& s) {
  h = mi = s = 0;
  if (t.empty()) return true;
  static const std::regex kTime(R"(^(\d{1,2})(?::(\d{1,2}))?(?::(\d{1,2}))?\s*([AaPp][Mm]?)?$)");
  std::smatch m;
  if (!std::regex_match(t, m, kTime)) return false;
  if (!m[2].matched && !m[4].matched) return false;  // a bare number is not a time
  h = Num(m[1]);
  mi = Num(m[2]);
  s = Num(m[3]);
  if (m[4].matched) {
    if (h < 1 || h > 12) return false;
    const bool pm = std::tolower(static_cast<unsigned char>(m[4].str()[0])) == 'p';
    h = (h % 12) + (pm ? 12 : 0);
  }
  return ValidTime(h, mi, s);
}

std::optional<DateTime> ParseIso(const std::string& t) {
  static const std::regex kIso(
      R"(^(\d{4})-(\d{1,2})-(\d{1,2})(?:[Tt ](\d{1,2}):(\d{2})(?::(\d{2})(\.\d+)?)?)?$)");
  std::smatch m;
  if (!std::regex_match(t, m, kIso)) return std::nullopt;
  const double fraction = m[7].matched ? std::stod("0" + m[7].str()) : 0.0;
  return Make(Num(m[1]), Num(m[2]), Num(m[3]), Num(m[4]), Num(m[5]), Num(m[6]), fraction);
}

std::optional<DateTime> ParseUs(const std::string& t) {
  static const std::regex kNumeric(R"(^(\d{1,2})([/-])(\d{1,2})\2(\d{4}|\d{2})(?:\s+(.+))?$)");
  static const std::regex kMonthFirst(
      R"(^([A-Za-z]{3,9})\.?\s+(\d{1,2}),?\s+(\d{4})(?:\s+(.+))?$)");
  static const std::regex kDayFirst(
      R"(^(\d{1,2})[\s-]([A-Za-z]{3,9})\.?[\s-](\d{4}|\d{2})(?:\s+(.+))?$)");
  std::smatch m;
  int y = 0, mo = 0, d = 0;
  std::string time;
  if (std::regex_match(t, m, kNumeric)) {
    mo = Num(m[1]);
    d = Num(m[3]);
    y = ExpandYear(m[4].str());
    time = m[5].str();
  } else if (std::regex_match(t, m, kMonthFirst)) {
    mo = MonthFromName(m[1].str());
    d = Num(m[2]);
    y = ExpandYear(m[3].str());
    time = m[4].str();
  } else if (std::regex_match(t, m, kDayFirst)) {
    d = Num(m[1]);
    mo = MonthFromName(m[2].str());
    y = ExpandYear(m[3].str());
    time = m[4].str();
  } else {
    // A time of day alone stands on day 0.
    int h, mi, s;
    if (!ParseTime(t, h, mi, s)) return std::nullopt;
    return DateTime((h * 3600.0 + mi * 60.0 + s) / kSecondsPerDay);
  }
  int h, mi, s;
  if (mo == 0 || !ParseTime(time, h, mi, s)) return std::nullopt;
  return Make(y, mo, d, h, mi, s);
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  return tm;
}

}  // namespace

DateTime DateTime::FromParts(int year, int month, int day, int hour, int minute, int second) {
  if (auto d = Make(year, month, day, hour, minute, second)) return *d;
  throw Error::Runtime(errnum::InvalidProcedureCall);
}

DateTime DateTime::Today() {
  const std::tm tm = LocalNow();
  return FromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

DateTime DateTime::Now() {
  const std::tm tm = LocalNow();
  return FromParts(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                   tm.tm_sec > 59 ? 59 : tm.tm_sec);
}

std::optional<DateTime> DateTime::TryParse(std::string_view text) {
  const std::string t = Trim(text);
  if (t.empty()) return std::nullopt;
  if (auto iso = ParseIso(t)) return iso;
  return ParseUs(t);
}

DateTime DateTime::Parse(std::string_view text) {
  if (auto d = TryParse(text)) return *d;
  throw Error::Runtime(errnum::TypeMismatch,
                       "Type mismatch: \"" + std::string(text) + "\" is not a date");
}

CivilDateTime DateTime::ToCivil() const {
  if (!std::isfinite(serial_) || std::fabs(serial_) > 3e6) throw Error::Runtime(errnum::Overflow);
  const double dayPart = std::trunc(serial_);
  long secs = std::lround(std::fabs(serial_ - dayPart) * kSecondsPerDay);
  long days = static_cast<long>(dayPart);
  if (secs >= kSecondsPerDay) {  // rounding reached the next midnight
    secs -= kSecondsPerDay;
    days += 1;
  }
  CivilDateTime c;
  CivilFromDays(days + kEpoch, c.year, c.month, c.day);
  c.hour = static_cast<int>(secs / 3600);
  c.minute = static_cast<int>(secs / 60 % 60);
  c.second = static_cast<int>(secs % 60);
  return c;
}

bool DateTime::HasTime() const {
  const CivilDateTime c = ToCivil();
  return c.hour != 0 || c.minute != 0 || c.second != 0;
}

DateTime DateTime::DatePart() const {
  const CivilDateTime c = ToCivil();
  return FromParts(c.year, c.month, c.day);
}

std::string DateTime::ToText() const {
  const CivilDateTime c = ToCivil();
  char date[32], time[32];
  std::snprintf(date, sizeof date, "%d/%d/%d", c.month, c.day, c.year);
  const int h12 = c.hour % 12 == 0 ? 12 : c.hour % 12;
  std::snprintf(time, sizeof time, "%d:%02d:%02d %s", h12, c.minute, c.second,
                c.hour < 12 ? "AM" : "PM");
  const bool hasTime = c.hour != 0 || c.minute != 0 || c.second != 0;
  const bool dayZero = c.year == 1899 && c.month == 12 && c.day == 30;
  if (!hasTime) return date;
  if (dayZero) return time;
  return std::string(date) + " " + time;
}

std::string DateTime::ToIso() const {
  const CivilDateTime c = ToCivil();
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", c.year, c.month, c.day, c.hour,
                c.minute, c.second);
  return buf;
}

}  // namespace plexion
