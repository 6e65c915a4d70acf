// The default data-availability search.
#include "plexion/backends/coverage/coverage_search.hpp"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "plexion/backends/coverage/coverage_tables.hpp"
#include "plexion/backends/installers.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

using coverage::DataTypeInfo;
using coverage::Number;
using coverage::OutOfRange;
using coverage::SearchError;
using coverage::SystemInfo;
using coverage::Text;
using coverage::Whole;

namespace {

// Whole days and hours counted on one line, also before 1900 (where a date-time keeps its time
// of day as a positive fraction below a negative day number).
std::int64_t DayNumber(DateTime d) {
  const CivilDateTime c = d.ToCivil();
  return static_cast<std::int64_t>(DateTime::FromParts(c.year, c.month, c.day).serial());
}
std::int64_t HourNumber(DateTime d) { return DayNumber(d) * 24 + d.ToCivil().hour; }
std::int64_t SecondNumber(DateTime d) {
  const CivilDateTime c = d.ToCivil();
  return HourNumber(d) * 3600 + c.minute * 60 + c.second;
}
bool OnTheHour(DateTime d) {
  const CivilDateTime c = d.ToCivil();
  return c.minute == 0 && c.second == 0;
}
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
std::uint64_t PairKey(std::int32_t type, std::int32_t system) {
  return static_cast<std::uint64_t>(static_cast<std::uint32_t>(type)) << 32 |
         static_cast<std::uint32_t>(system);
}

std::string DayText(const std::optional<std::int64_t>& day) {
  return day ? DateTime(static_cast<double>(*day)).ToText() : "";
}
// The start of an hour number.
DateTime HourStart(std::int64_t hour) {
  const std::int64_t day = FloorDiv(hour, 24);
  const CivilDateTime c = DateTime(static_cast<double>(day)).ToCivil();
  return DateTime::FromParts(c.year, c.month, c.day, static_cast<int>(hour - day * 24));
}

// In order of first appearance; a whole site's systems are thousands.
std::vector<std::string> DistinctNonEmpty(const std::vector<std::string>& in) {
  std::vector<std::string> out;
  std::unordered_set<std::string_view> seen;
  for (const std::string& s : in)
    if (!s.empty() && seen.insert(s).second) out.push_back(s);
  return out;
}

const std::vector<std::string>& ResultFields() {
  static const std::vector<std::string> fields = {"Data type",    "System",       "Name",
                                                  "Entity type",  "Hours loaded", "Hours in range",
                                                  "First loaded", "Last loaded"};
  return fields;
}

}  // namespace

// The chosen systems looked up once per choice (none where a key is not known): a whole site's
// systems are checked several times.
struct CoverageSearch::ChosenInfo {
  std::vector<const SystemInfo*> systems;
};

CoverageSearch::CoverageSearch(std::shared_ptr<Database> db) : db_(std::move(db)) {}
CoverageSearch::~CoverageSearch() = default;

CoverageSearch::Tables& CoverageSearch::Loaded() {
  if (!tables_) tables_ = ReadTables(*db_);
  return *tables_;
}

StringArray CoverageSearch::DataTypeColumns() {
  const Tables& t = Loaded();
  const auto n = static_cast<std::int32_t>(t.columns.size());
  StringArray columns(Bounds{1, 2}, Bounds{1, n});
  for (std::int32_t i = 1; i <= n; ++i) {
    columns.at(1, i) = t.columns[static_cast<std::size_t>(i - 1)].title;
    columns.at(2, i) = t.columns[static_cast<std::size_t>(i - 1)].width;
  }
  return columns;
}

std::int32_t CoverageSearch::DataTypeTagValue() {
  return static_cast<std::int32_t>(Loaded().dataTypes.size());
}

StringArray CoverageSearch::DataTypeRows() {
  const Tables& t = Loaded();
  const auto fields = static_cast<std::int32_t>(t.columns.size());
  const auto n = static_cast<std::int32_t>(t.dataTypes.size());
  StringArray rows(Bounds{1, fields}, Bounds{1, n});
  for (std::int32_t f = 1; f <= fields; ++f) {
    const std::string& field = t.columns[static_cast<std::size_t>(f - 1)].field;
    for (std::int32_t j = 1; j <= n; ++j) {
      const DataTypeInfo& d = t.dataTypes[static_cast<std::size_t>(j - 1)];
      std::string& cell = rows.at(f, j);
      if (field == "name") cell = d.name;
      else if (field == "description") cell = d.description;
      else if (field == "loaded") cell = DayText(d.firstDay);
      else if (field == "id") cell = std::to_string(d.id);
      else if (field == "entity_type") cell = d.entityType;
      else throw SearchError("\"" + field + "\" is not a data-type field (cov_data_type_column)");
    }
  }
  return rows;
}

std::int16_t CoverageSearch::SelectedDataTypeCount() {
  return ToInt16(Variant(static_cast<std::int32_t>(ChosenTypes().size())));
}

Ref<CoverageEntityTypes> CoverageSearch::EntityTypes() { return Loaded().types; }
Ref<CoverageEntityTypesById> CoverageSearch::EntityTypesById() { return Loaded().byId; }
Ref<CoverageSystems> CoverageSearch::Systems() { return Loaded().systems; }

std::int32_t CoverageSearch::TimeScopeValue() {
  const Tables& t = Loaded();
  if (!t.firstDay || !t.lastDay) return 0;
  return static_cast<std::int32_t>(*t.lastDay - *t.firstDay + 1);
}

// Kept distinct and without "" as they come: a whole site's systems are checked several times.
void CoverageSearch::SetSelectedDataTypes(const StringArray& types) {
  types_ = DistinctNonEmpty(types.elements());
}
void CoverageSearch::SetSelectedSystems(const StringArray& systems) {
  systems_ = DistinctNonEmpty(systems.elements());
  chosenInfo_.reset();
}
void CoverageSearch::SetSelectedTimes(const StringArray& times) { times_ = times.elements(); }

std::string CoverageSearch::MinLoadDateText() { return DayText(Loaded().firstDay); }

const std::vector<std::string>& CoverageSearch::ChosenTypes() const { return types_; }
const std::vector<std::string>& CoverageSearch::ChosenSystems() const { return systems_; }

std::optional<std::vector<int>> CoverageSearch::ChosenHours(std::string* bad) const {
  std::set<int> hours;
  for (const std::string& time : DistinctNonEmpty(times_)) {
    const std::optional<DateTime> t = DateTime::TryParse(time);
    // A time of day alone stands on day 0.
    if (!t || t->serial() < 0 || t->serial() >= 1) {
      if (bad) *bad = time;
      return std::nullopt;
    }
    hours.insert(t->ToCivil().hour);
  }
  return std::vector<int>(hours.begin(), hours.end());
}

std::string CoverageSearch::InvalidReason() {
  const Tables& t = Loaded();
  const std::vector<std::string>&types = ChosenTypes(), &systems = ChosenSystems();
  if (types.empty()) return "No data type is chosen.";
  for (const std::string& name : types)
    if (!t.DataType(name)) return "The data type \"" + name + "\" is not known.";
  if (systems.empty()) return "No system is chosen.";
  const std::vector<const SystemInfo*>& known = ChosenSystemInfo().systems;
  for (std::size_t i = 0; i < systems.size(); ++i)
    if (!known[i]) return "The system \"" + systems[i] + "\" is not known.";
  if (start_.serial() == 0) return "No start date is set.";
  if (end_.serial() == 0) return "No end date is set.";
  const bool wholeEndDay = !end_.HasTime();
  const bool empty =
      wholeEndDay ? DayNumber(end_) < DayNumber(start_) : SecondNumber(end_) < SecondNumber(start_);
  if (empty) return "The end date is before the start date.";
  std::string bad;
  if (!ChosenHours(&bad)) return "\"" + bad + "\" is not a time of day.";
  return "";
}

const CoverageSearch::ChosenInfo& CoverageSearch::ChosenSystemInfo() {
  if (chosenInfo_) return *chosenInfo_;
  const Tables& t = Loaded();
  auto info = std::make_unique<ChosenInfo>();
  info->systems.reserve(systems_.size());
  for (const std::string& key : systems_) {
    auto it = t.systemsByKey.find(key);
    info->systems.push_back(it == t.systemsByKey.end() ? nullptr : &it->second);
  }
  chosenInfo_ = std::move(info);
  return *chosenInfo_;
}

StringArray CoverageSearch::ChosenSystemTypes() {
  std::vector<std::string> types;
  for (const SystemInfo* system : ChosenSystemInfo().systems) {
    if (!system) continue;
    const std::string type = system->system->TypeName();
    if (std::find(types.begin(), types.end(), type) == types.end()) types.push_back(type);
  }
  return StringArray::FromVector(std::move(types), 1);
}

// What a valid search covers, resolved from the choices: the data types and systems in order of
// choice, the hours of the day, and the range of whole hours from the first at or after the
// start to the last at or before the end (or to the end of the end day).
struct CoverageSearch::Scope {
  std::vector<const DataTypeInfo*> types;
  std::vector<const SystemInfo*> systems;
  std::vector<int> hours;
  std::int64_t firstHour = 0, lastHour = -1;

  HoursSearched Searched() const {
    return {IdsOf(types), IdsOf(systems), firstHour, lastHour, HoursOfDayMask(hours)};
  }
  // The hours of [from, to] (hour numbers) the search covers.
  std::int64_t HoursCovered(std::int64_t from, std::int64_t to) const {
    if (to < from) return 0;
    if (hours.empty()) return to - from + 1;
    std::int64_t n = 0;
    for (int h : hours) n += FloorDiv(to - h, 24) - FloorDiv(from - 1 - h, 24);
    return n;
  }

 private:
  template <class Item>
  static std::vector<std::int32_t> IdsOf(const std::vector<const Item*>& items) {
    std::vector<std::int32_t> ids;
    for (const Item* item : items) ids.push_back(item->id);
    return ids;
  }
};

CoverageSearch::Scope CoverageSearch::ResolvedScope() {
  const std::string reason = InvalidReason();
  if (!reason.empty()) throw SearchError(reason);
  const Tables& t = Loaded();
  Scope scope;
  for (const std::string& name : ChosenTypes()) scope.types.push_back(t.DataType(name));
  scope.systems = ChosenSystemInfo().systems;  // all known: the search is valid
  scope.hours = *ChosenHours();
  scope.firstHour = HourNumber(start_) + (OnTheHour(start_) ? 0 : 1);
  scope.lastHour = end_.HasTime() ? HourNumber(end_) : DayNumber(end_) * 24 + 23;
  return scope;
}

Variant CoverageSearch::RunQuery(std::int32_t&, const std::string& queryName) {
  if (queryName != "ExecuteSearchQuery")
    throw SearchError("\"" + queryName + "\" is not a query of the coverage search");
  const Scope scope = ResolvedScope();
  const std::int64_t inRange = scope.HoursCovered(scope.firstHour, scope.lastHour);

  // Counted in the database from the summary of each day: one row per data type and system
  // that has loads, whatever the number of hours searched.
  const QueryResult found = db_->Query(LoadsFoundSql(db_->engine(), scope.Searched()));

  struct Found {
    std::int64_t hours = 0;
    std::optional<std::int64_t> first, last;  // packed
  };
  std::unordered_map<std::uint64_t, Found> byPair;
  byPair.reserve(found.rows.size());
  for (const auto& r : found.rows)
    byPair[PairKey(Number(r[0]), Number(r[1]))] = {Whole(r[2]).value_or(0), Whole(r[3]),
                                                   Whole(r[4])};

  // A site's systems mostly share their first and last hours: each is written once.
  std::unordered_map<std::int64_t, std::string> hourTexts;
  const auto text = [&](std::int64_t hour) -> const std::string& {
    auto [it, added] = hourTexts.try_emplace(hour);
    if (added) it->second = HourStart(hour).ToText();
    return it->second;
  };
  results_.clear();
  results_.reserve(scope.types.size() * scope.systems.size());
  const std::string inRangeText = std::to_string(inRange);
  for (const DataTypeInfo* type : scope.types) {
    for (const SystemInfo* system : scope.systems) {
      const auto it = byPair.find(PairKey(type->id, system->id));
      const Found f = it == byPair.end() ? Found{} : it->second;
      results_.push_back({type->name, system->system->Key(), system->system->name(),
                          system->system->TypeName(), std::to_string(f.hours), inRangeText,
                          f.first ? text(FirstFoundHour(*f.first)) : std::string(),
                          f.last ? text(LastFoundHour(*f.last)) : std::string()});
    }
  }
  return Variant(static_cast<std::int32_t>(results_.size()));
}

CoverageSearch::DaysLoaded CoverageSearch::HoursPerDay() {
  const Scope scope = ResolvedScope();
  DaysLoaded days;
  // Every day from the start's to the end's, also one the search covers no hour of.
  const std::int64_t firstDay = DayNumber(start_);
  days.firstDay = static_cast<std::int32_t>(firstDay);
  for (std::int64_t day = firstDay; day <= DayNumber(end_); ++day)
    days.hoursInRange.push_back(static_cast<std::int32_t>(scope.HoursCovered(
        std::max(scope.firstHour, day * 24), std::min(scope.lastHour, day * 24 + 23))));

  std::unordered_map<std::int32_t, std::int32_t> typeIndex, systemIndex;
  for (std::size_t i = 0; i < scope.types.size(); ++i)
    typeIndex[scope.types[i]->id] = static_cast<std::int32_t>(i);
  for (std::size_t i = 0; i < scope.systems.size(); ++i)
    systemIndex[scope.systems[i]->id] = static_cast<std::int32_t>(i);
  const QueryResult found = db_->Query(HoursPerDaySql(db_->engine(), scope.Searched()));
  days.loaded.reserve(found.rows.size());
  for (const auto& r : found.rows)
    days.loaded.push_back({typeIndex.at(Number(r[0])), systemIndex.at(Number(r[1])),
                           Number(r[2]) - days.firstDay, Number(r[3])});
  return days;
}

StringArray CoverageSearch::QueryResults() {
  const std::vector<std::string>& fields = ResultFields();
  const auto nFields = static_cast<std::int32_t>(fields.size());
  const auto n = static_cast<std::int32_t>(results_.size());
  StringArray table(Bounds{1, nFields}, Bounds{0, n});
  for (std::int32_t f = 1; f <= nFields; ++f) {
    table.at(f, 0) = fields[static_cast<std::size_t>(f - 1)];
    for (std::int32_t r = 1; r <= n; ++r)
      table.at(f, r) = results_[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(f - 1)];
  }
  return table;
}

void InstallCoverage() {
  services::SetFactory<CoverageDb>(
      []() -> Ref<CoverageDb> { return MakeRef<CoverageSearch>(ThreadDatabase()); });
}

}  // namespace plexion::backends
