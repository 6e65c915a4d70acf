// The SQL texts of the coverage search: every query over the loads is written here, on one
// filter, so that what a search counts and what its days show never drift apart. They read the
// summaries the database keeps of the loads (per day; per month too on PostgreSQL), never the
// hourly rows.
#include <algorithm>
#include <bit>
#include <string>
#include <vector>

#include "plexion/backends/coverage/coverage_search.hpp"
#include "plexion/backends/sql/dialect.hpp"
#include "plexion/platform/datetime.hpp"

namespace plexion::backends {

namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// The hour bits of the day from its hour `from` up, and up to its hour `to`.
std::uint32_t HoursFrom(std::int64_t from) { return (kEveryHour << from) & kEveryHour; }
std::uint32_t HoursUpTo(std::int64_t to) { return kEveryHour >> (23 - to); }

// A column's values among ids, each run of three or more consecutive ids written as a range: a
// whole site's systems make a short statement that the database plans at once.
std::string AmongSql(const std::string& column, std::vector<std::int32_t> ids) {
  std::sort(ids.begin(), ids.end());
  ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
  std::vector<std::string> parts;
  std::string singles;
  for (std::size_t i = 0; i < ids.size();) {
    std::size_t j = i;
    while (j + 1 < ids.size() && ids[j + 1] == ids[j] + 1) ++j;
    if (j - i >= 2) {
      parts.push_back(column + " BETWEEN " + std::to_string(ids[i]) + " AND " +
                      std::to_string(ids[j]));
    } else {
      for (std::size_t k = i; k <= j; ++k)
        singles += (singles.empty() ? "" : ", ") + std::to_string(ids[k]);
    }
    i = j + 1;
  }
  if (!singles.empty()) parts.push_back(column + " IN (" + singles + ")");
  std::string sql;
  for (const std::string& part : parts) sql += (sql.empty() ? "" : " OR ") + part;
  return parts.size() == 1 ? sql : "(" + sql + ")";
}

// The hours searched of each day's row (found): the chosen hours of the day, cut at the first
// hour on the first day and at the last hour on the last day.
std::string FoundHoursSql(const HoursSearched& s) {
  const std::int64_t firstDay = FloorDiv(s.firstHour, 24), lastDay = FloorDiv(s.lastHour, 24);
  const std::uint32_t onFirst = s.hoursOfDay & HoursFrom(s.firstHour - firstDay * 24);
  const std::uint32_t onLast = s.hoursOfDay & HoursUpTo(s.lastHour - lastDay * 24);
  if (firstDay == lastDay) return "hours & " + std::to_string(onFirst & onLast);
  std::string arms;
  if (onFirst != s.hoursOfDay)
    arms += " WHEN " + std::to_string(firstDay) + " THEN " + std::to_string(onFirst);
  if (onLast != s.hoursOfDay)
    arms += " WHEN " + std::to_string(lastDay) + " THEN " + std::to_string(onLast);
  if (!arms.empty())
    return "hours & CASE load_day" + arms + " ELSE " + std::to_string(s.hoursOfDay) + " END";
  return s.hoursOfDay == kEveryHour ? "hours" : "hours & " + std::to_string(s.hoursOfDay);
}

// The days searched, each with its hours searched that were loaded (found).
std::string DaysFoundSql(const HoursSearched& s) {
  return "SELECT data_type_id, system_id, load_day, " + FoundHoursSql(s) +
         " AS found FROM cov_load_day WHERE " + AmongSql("data_type_id", s.dataTypeIds) + " AND " +
         AmongSql("system_id", s.systemIds) + " AND load_day BETWEEN " +
         std::to_string(FloorDiv(s.firstHour, 24)) + " AND " +
         std::to_string(FloorDiv(s.lastHour, 24));
}

// The first day (a date-time serial) of a day's month, and of the month after.
std::int64_t MonthOf(std::int64_t day) {
  const CivilDateTime c = DateTime(static_cast<double>(day)).ToCivil();
  return static_cast<std::int64_t>(DateTime::FromParts(c.year, c.month, 1).serial());
}
std::int64_t MonthAfter(std::int64_t day) {
  const CivilDateTime c = DateTime(static_cast<double>(day)).ToCivil();
  return static_cast<std::int64_t>(
      DateTime::FromParts(c.month == 12 ? c.year + 1 : c.year, c.month % 12 + 1, 1).serial());
}

// The hours searched of one month as its 744 bits (31 days of 24) from the left; "" when they
// are every hour of the month.
std::string MonthMask(const HoursSearched& s, std::int64_t month) {
  std::string bits(744, '0');
  bool every = true;
  for (std::int64_t day = month; day < MonthAfter(month); ++day)
    for (int h = 0; h < 24; ++h) {
      const std::int64_t hour = day * 24 + h;
      const bool searched = hour >= s.firstHour && hour <= s.lastHour && (s.hoursOfDay >> h & 1);
      if (searched) bits[static_cast<std::size_t>((day - month) * 24 + h)] = '1';
      every = every && searched;
    }
  return every ? "" : bits;
}

// Per month searched, the hours searched that were loaded (n) and the first and the last of
// them (first_k, last_k: hours of the month, from 0). A month searched at every hour reads the
// counts the database derived; the others count the bits of hours under their mask. The first
// and last month have masks of their own, the months in between share one.
std::string MonthsFoundSql(const HoursSearched& s) {
  const std::int64_t first = MonthOf(FloorDiv(s.firstHour, 24));
  const std::int64_t last = MonthOf(FloorDiv(s.lastHour, 24));
  struct Arm {
    std::string when, n, firstK, lastK;
  };
  std::vector<Arm> arms;
  const auto add = [&](const std::string& when, std::int64_t month) {
    std::string bits = MonthMask(s, month);
    if (bits.empty()) return arms.push_back({when, "hour_count", "first_hour", "last_hour"});
    const std::string forward = "(hours & B'" + bits + "')";
    std::reverse(bits.begin(), bits.end());
    arms.push_back({when, "CAST(bit_count(" + forward + ") AS integer)",
                    "position(B'1' IN " + forward + ") - 1",
                    "744 - position(B'1' IN (hours_backward & B'" + bits + "'))"});
  };
  add("WHEN " + std::to_string(first) + " THEN", first);
  if (last != first) add("WHEN " + std::to_string(last) + " THEN", last);
  if (MonthAfter(first) < last) add("ELSE", MonthAfter(first));
  // A measure alike in every month needs no CASE.
  const auto column = [&](std::string Arm::*measure) {
    const bool alike = std::all_of(arms.begin(), arms.end(),
                                   [&](const Arm& a) { return a.*measure == arms[0].*measure; });
    if (alike) return arms[0].*measure;
    std::string sql = "CASE load_month";
    for (const Arm& a : arms) sql += " " + a.when + " " + a.*measure;
    return sql + " END";
  };
  return "SELECT data_type_id, system_id, load_month, " + column(&Arm::n) + " AS n, " +
         column(&Arm::firstK) + " AS first_k, " + column(&Arm::lastK) +
         " AS last_k FROM cov_load_month WHERE " + AmongSql("data_type_id", s.dataTypeIds) +
         " AND " + AmongSql("system_id", s.systemIds) + " AND load_month BETWEEN " +
         std::to_string(first) + " AND " + std::to_string(last) + " OFFSET 0";
}

// Hour k of a month's row as a day with that hour's single bit, packed as a day's row is.
std::string PackedMonthHour(const std::string& k) {
  return "(CAST(load_month + " + k + " / 24 AS bigint) * 16777216 + (1 << (" + k + " % 24)))";
}

}  // namespace

std::uint32_t HoursOfDayMask(const std::vector<int>& hours) {
  if (hours.empty()) return kEveryHour;
  std::uint32_t mask = 0;
  for (int h : hours) mask |= 1u << h;
  return mask;
}

// A day's row packs as day x 2^24 + hour bits: the smallest packs the first day and its lowest
// bit, the largest the last day and its highest bit (the largest row of a day has the highest
// of its bits). A month's row gives its first and last hour as a day with a single bit.
std::string LoadsFoundSql(Engine engine, const HoursSearched& searched) {
  if (DialectOf(engine).monthSummary)
    return "SELECT data_type_id, system_id, sum(n) AS hours, min(" + PackedMonthHour("first_k") +
           ") AS first_found, max(" + PackedMonthHour("last_k") + ") AS last_found FROM (" +
           MonthsFoundSql(searched) + ") AS months WHERE n > 0 GROUP BY data_type_id, system_id";
  return "SELECT data_type_id, system_id, sum(" + DialectOf(engine).BitCount("found") +
         ") AS hours, min(CAST(load_day AS bigint) * 16777216 + (found & -found)) AS "
         "first_found, max(CAST(load_day AS bigint) * 16777216 + found) AS last_found FROM (" +
         DaysFoundSql(searched) + ") AS days WHERE found <> 0 GROUP BY data_type_id, system_id";
}

std::string HoursPerDaySql(Engine engine, const HoursSearched& searched) {
  return "SELECT data_type_id, system_id, load_day, " + DialectOf(engine).BitCount("found") +
         " AS hours FROM (" + DaysFoundSql(searched) + ") AS days WHERE found <> 0";
}

std::int64_t FirstFoundHour(std::int64_t packed) {
  return (packed >> 24) * 24 + std::countr_zero(static_cast<std::uint32_t>(packed & kEveryHour));
}

std::int64_t LastFoundHour(std::int64_t packed) {
  return (packed >> 24) * 24 + std::bit_width(static_cast<std::uint32_t>(packed & kEveryHour)) - 1;
}

}  // namespace plexion::backends
