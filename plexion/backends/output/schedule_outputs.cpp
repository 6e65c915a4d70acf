// The default date-time scope and destination.
#include "plexion/backends/output/schedule_outputs.hpp"

#include <vector>

#include "plexion/backends/installers.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

namespace {

[[noreturn]] void Fail(const char* source, const std::string& message) {
  throw Error::External(status::InvalidArg, source, message);
}

// A date column as the database handed it back: a date, a text, or null (date 0).
DateTime DateOf(const Variant& v) { return v.IsNull() ? DateTime() : ToDate(v); }
Variant DateParam(DateTime d) { return d == DateTime() ? Variant::Null() : Variant(d); }

// The id of the one row a statement with "RETURNING id" touched, else 0.
std::int32_t ReturnedId(const QueryResult& r) {
  return r.rows.empty() || r.rows[0].empty() ? 0 : ToInt32(r.rows[0][0]);
}

constexpr const char* kScopeSource = "DateTimeScope";
constexpr const char* kDestinationSource = "Destination";

}  // namespace

// ---- date-time scope ----------------------------------------------------------------------

namespace {
void CheckScope(const DbDateTimeScope& s) {
  if (s.Relative()) {
    const std::string u = s.Unit();
    if (u != "H" && u != "D" && u != "W" && u != "M")
      Fail(kScopeSource,
           "the unit of a relative date-time scope is H, D, W or M, not \"" + u + "\"");
    if (s.Count() < 1)
      Fail(kScopeSource,
           "a relative date-time scope covers at least 1 unit, not " + std::to_string(s.Count()));
  } else if (s.EndDateTime().serial() < s.StartDateTime().serial()) {
    Fail(kScopeSource, "a date-time scope cannot end (" + s.EndDateTime().ToText() +
                           ") before it starts (" + s.StartDateTime().ToText() + ")");
  }
}

std::vector<Variant> ScopeValues(const DbDateTimeScope& s) {
  return {Variant(s.Relative() ? "R" : "A"), Variant(s.Count()), Variant(s.Unit()),
          DateParam(s.StartDateTime()), DateParam(s.EndDateTime())};
}
}  // namespace

void DbDateTimeScope::Insert() {
  CheckScope(*this);
  const QueryResult r = ThreadDatabase()->Query(
      "INSERT INTO dt_scope (scope_kind, unit_count, unit, start_time, end_time) "
      "VALUES (:p0, :p1, :p2, :p3, :p4) RETURNING id",
      ScopeValues(*this));
  id_ = ReturnedId(r);
}

void DbDateTimeScope::Update() {
  CheckScope(*this);
  std::vector<Variant> values = ScopeValues(*this);
  values.emplace_back(id_);
  const QueryResult r = ThreadDatabase()->Query(
      "UPDATE dt_scope SET scope_kind = :p0, unit_count = :p1, unit = :p2, start_time = :p3, "
      "end_time = :p4 WHERE id = :p5 RETURNING id",
      values);
  if (ReturnedId(r) == 0)
    Fail(kScopeSource, "there is no date-time scope " + std::to_string(id_) + " to update");
}

void DbDateTimeScope::Load(std::int32_t id) {
  const QueryResult r = ThreadDatabase()->Query(
      "SELECT scope_kind, unit_count, unit, start_time, end_time FROM dt_scope WHERE id = :p0",
      {Variant(id)});
  if (r.rows.empty()) Fail(kScopeSource, "there is no date-time scope " + std::to_string(id));
  const auto& row = r.rows[0];
  relative_ = ToString(row[0]) == "R";
  count_ = row[1].IsNull() ? 0 : ToInt32(row[1]);
  unit_ = row[2].IsNull() ? "" : ToString(row[2]);
  start_ = DateOf(row[3]);
  end_ = DateOf(row[4]);
  id_ = id;
}

std::string DbDateTimeScope::Describe() const {
  if (relative_) return "last " + std::to_string(count_) + " " + unit_;
  return start_.ToText() + " - " + end_.ToText();
}

// ---- destination --------------------------------------------------------------------------

namespace {
void CheckDestination(const DbDestination& d) {
  const std::string k = d.Kind();
  if (k != "Folder" && k != "Email" && k != "Printer" && k != "Web")
    Fail(kDestinationSource,
         "a destination's kind is Folder, Email, Printer or Web, not \"" + k + "\"");
  // The web auto-organize setting is the report's own text ("N", "ByDate", ...), kept as it is.
  const std::string w = d.WebAutoOrganize();
  if (w.size() > 32)
    Fail(kDestinationSource, "WebAutoOrganize is at most 32 characters, not \"" + w + "\"");
}

std::vector<Variant> DestinationValues(const DbDestination& d) {
  return {Variant(d.Kind()), Variant(d.Target()), Variant(d.Format()),
          Variant(d.WebAutoOrganize())};
}
}  // namespace

std::int32_t DbDestination::Insert() {
  CheckDestination(*this);
  const QueryResult r = ThreadDatabase()->Query(
      "INSERT INTO out_destination (dest_kind, target, file_format, web_auto_organize) "
      "VALUES (:p0, :p1, :p2, :p3) RETURNING id",
      DestinationValues(*this));
  id_ = ReturnedId(r);
  return id_;
}

void DbDestination::Update() {
  CheckDestination(*this);
  std::vector<Variant> values = DestinationValues(*this);
  values.emplace_back(id_);
  const QueryResult r = ThreadDatabase()->Query(
      "UPDATE out_destination SET dest_kind = :p0, target = :p1, file_format = :p2, "
      "web_auto_organize = :p3 WHERE id = :p4 RETURNING id",
      values);
  if (ReturnedId(r) == 0)
    Fail(kDestinationSource, "there is no destination " + std::to_string(id_) + " to update");
}

void DbDestination::Load(std::int32_t id) {
  const QueryResult r = ThreadDatabase()->Query(
      "SELECT dest_kind, target, file_format, web_auto_organize FROM out_destination WHERE id = "
      ":p0",
      {Variant(id)});
  if (r.rows.empty()) Fail(kDestinationSource, "there is no destination " + std::to_string(id));
  const auto& row = r.rows[0];
  auto text = [](const Variant& v) { return v.IsNull() ? std::string() : ToString(v); };
  kind_ = text(row[0]);
  target_ = text(row[1]);
  format_ = text(row[2]);
  webAutoOrganize_ = text(row[3]);
  id_ = id;
}

std::string DbDestination::Describe() const {
  return kind_ + (target_.empty() ? "" : " " + target_) +
         (format_.empty() ? "" : " (" + format_ + ")");
}

void InstallScheduleOutputs() {
  services::SetFactory<DateTimeScope>(
      []() -> Ref<DateTimeScope> { return MakeRef<DbDateTimeScope>(); });
  services::SetFactory<Destination>([]() -> Ref<Destination> { return MakeRef<DbDestination>(); });
}

}  // namespace plexion::backends
