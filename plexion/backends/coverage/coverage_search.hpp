// The default data-availability search, over the coverage tables of the database (cov_*).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plexion/backends/sql/database.hpp"
#include "plexion/services/coverage_db.hpp"

namespace plexion::backends {

// Status of the errors the search raises itself (a query asked for over an invalid search, an
// unknown query name, an index out of range), with source "CoverageDb".
inline constexpr Status kCoverageStatus = static_cast<Status>(0x80040E17u);

// Every hour of the day, as bits of an hour mask: bit h is the hour starting at h:00.
inline constexpr std::uint32_t kEveryHour = 0xFFFFFF;

// What a search reads: those data types and systems, the hours firstHour to lastHour, both
// searched (hour numbers: the day's date-time serial x 24 + the hour of the day), and of each
// day only the hours whose bits hoursOfDay sets.
struct HoursSearched {
  std::vector<std::int32_t> dataTypeIds, systemIds;
  std::int64_t firstHour = 0, lastHour = -1;
  std::uint32_t hoursOfDay = kEveryHour;
};
// The mask of those hours of the day; every hour when there are none.
std::uint32_t HoursOfDayMask(const std::vector<int>& hours);

// The query of a search over the summary of the loads (per day, cov_load_day; per month,
// cov_load_month, where the engine keeps one): per data type and system with hours found, the count
// of hours (hours) and the first and the last hour found, packed (first_found, last_found:
// FirstFoundHour and LastFoundHour give their hour numbers).
std::string LoadsFoundSql(Engine engine, const HoursSearched& searched);
// The same hours per data type, system and day found: the hours (hours) on each day
// (load_day, a date-time serial: days since 30 December 1899). What a picture of availability
// draws.
std::string HoursPerDaySql(Engine engine, const HoursSearched& searched);
std::int64_t FirstFoundHour(std::int64_t packed);
std::int64_t LastFoundHour(std::int64_t packed);

// What the search offers is read from the database once, on first use, and kept for the
// object's life; each RunQuery reads the loads afresh.
//
// A load record stands for one hour of data beginning at its period_start. A search finds the
// hours loaded from the start date up to the end date (the whole end day when the end date has
// no time of day), restricted to the chosen times of day when any are chosen (each counts as
// its hour). Choices are kept as given; "" entries are ignored.
class CoverageSearch final : public CoverageDb {
 public:
  explicit CoverageSearch(std::shared_ptr<Database> db);
  ~CoverageSearch() override;

  StringArray DataTypeColumns() override;
  std::string DataTypeTag() override { return "DataType"; }
  // The number of data types.
  std::int32_t DataTypeTagValue() override;
  StringArray DataTypeRows() override;
  // Distinct non-empty names chosen, known or not.
  std::int16_t SelectedDataTypeCount() override;

  Ref<CoverageEntityTypes> EntityTypes() override;
  Ref<CoverageEntityTypesById> EntityTypesById() override;
  Ref<CoverageSystems> Systems() override;

  // Only "ExecuteSearchQuery" is known; options is not used. Raises the invalid reason when
  // the search is not valid. Answers the number of result rows.
  Variant RunQuery(std::int32_t& options, const std::string& queryName) override;
  // The days from the first to the last hour loaded, both counted; 0 when nothing is loaded.
  std::int32_t TimeScopeValue() override;

  void SetSelectedDataTypes(const StringArray& types) override;
  void SetSelectedSystems(const StringArray& systems) override;
  void SetSelectedTimes(const StringArray& times) override;

  // 0 (30 December 1899) stands for "not set".
  DateTime StartDateValue() override { return start_; }
  void StartDateValue(DateTime value) override { start_ = value; }
  DateTime EndDateValue() override { return end_; }
  void EndDateValue(DateTime value) override { end_ = value; }
  // The date of the first hour loaded ("3/1/2026"); "" when nothing is loaded.
  std::string MinLoadDateText() override;

  std::string InvalidReason() override;
  // The entity types of the chosen systems that are known, each once, in order of choice;
  // indexed from 1 (bounds 1 to 0 when there is none).
  StringArray ChosenSystemTypes() override;

  // Row 0 names the fields; rows 1 to n are one per chosen data type and system, in order of
  // choice: data type, system key, system name, entity type, hours loaded, hours in range,
  // first hour loaded, last hour loaded ("" when none). Before any query there is row 0 only.
  StringArray QueryResults() override;

  // One day of one chosen data type and system: its positions among the choices (from 0, in
  // order of choice, as the result rows), the day (from DaysLoaded::firstDay) and the hours
  // loaded on it.
  struct DayHours {
    std::int32_t type, system, day, hours;
  };
  struct DaysLoaded {
    std::int32_t firstDay = 0;               // the start's day, as a date-time serial
    std::vector<std::int32_t> hoursInRange;  // per day up to the end's: the hours searched
    std::vector<DayHours> loaded;            // the days with loads, in no particular order
  };
  // The hours loaded per chosen data type, system and day, under the same filter as
  // RunQuery and counted in the database from the summary of each day, never by reading the
  // hourly rows. Raises the invalid reason as RunQuery does.
  DaysLoaded HoursPerDay();

 private:
  struct Tables;
  struct Scope;
  struct ChosenInfo;
  Tables& Loaded();
  static std::unique_ptr<Tables> ReadTables(Database& db);  // in coverage_tables.cpp
  // What the choices cover; raises the invalid reason when they are not a valid search.
  Scope ResolvedScope();
  const std::vector<std::string>& ChosenTypes() const;
  const std::vector<std::string>& ChosenSystems() const;
  const ChosenInfo& ChosenSystemInfo();
  // The hours of the day chosen; empty for the whole day. nullopt when a time is not one.
  std::optional<std::vector<int>> ChosenHours(std::string* bad = nullptr) const;

  std::shared_ptr<Database> db_;
  std::unique_ptr<Tables> tables_;
  std::unique_ptr<ChosenInfo> chosenInfo_;
  std::vector<std::string> types_, systems_;  // distinct, without ""
  std::vector<std::string> times_;
  DateTime start_, end_;
  std::vector<std::vector<std::string>> results_;
};

}  // namespace plexion::backends
