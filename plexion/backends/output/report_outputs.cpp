// The default page setup, report specification, general attributes and folder documents.
#include "plexion/backends/output/report_outputs.hpp"

#include "plexion/backends/folders/folder_docs.hpp"
#include "plexion/backends/installers.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

namespace {

[[noreturn]] void Fail(const char* source, Status status, const std::string& message) {
  throw Error::External(status, source, message);
}

std::int32_t InsertReturningId(Database& db, const std::string& sql,
                               const std::vector<Variant>& params) {
  const QueryResult r = db.Query(sql + " RETURNING id", params);
  return ToInt32(r.rows.at(0).at(0));
}

// Updates the row of that id; false when there is none.
bool UpdateById(Database& db, const std::string& sql, const std::vector<Variant>& params) {
  return !db.Query(sql + " RETURNING id", params).rows.empty();
}

// Replaces the rows of one object's attributes of a report.
Ref<Object> SaveObjectAttrs(Database& db, const char* source, std::int32_t reportId,
                            const std::vector<std::pair<std::string, std::string>>& attrs) {
  if (reportId <= 0)
    Fail(source, status::InvalidArg,
         "attributes are saved for a report id above 0, not " + std::to_string(reportId));
  db.InTransaction([&] {
    db.Execute("DELETE FROM rpt_report_attr WHERE report_id = :p0 AND source = :p1",
               {Variant(reportId), Variant(source)});
    for (const auto& [name, value] : attrs)
      db.Execute(
          "INSERT INTO rpt_report_attr (report_id, source, name, value) "
          "VALUES (:p0, :p1, :p2, :p3)",
          {Variant(reportId), Variant(source), Variant(name), Variant(value)});
  });
  return MakeRef<SavedReportAttrs>(reportId, static_cast<std::int32_t>(attrs.size()));
}

class Attribute final : public GeneralAttribute {
 public:
  Attribute(std::string name, std::string value)
      : name_(std::move(name)), value_(std::move(value)) {}
  std::string Name() const override { return name_; }
  std::string Value() const override { return value_; }

 private:
  std::string name_, value_;
};

std::string Flag(bool b) { return b ? "Y" : "N"; }

}  // namespace

// --- report specification ---------------------------------------------------------------

std::int32_t SqlReportSpec::Insert() {
  id_ = InsertReturningId(*db_,
                          "INSERT INTO rpt_report_spec (spec_kind, grouping_spec_id) "
                          "VALUES (:p0, :p1)",
                          {Variant(specKind_), Variant(groupingSpecId_)});
  return id_;
}

void SqlReportSpec::Update() {
  if (!UpdateById(*db_,
                  "UPDATE rpt_report_spec SET spec_kind = :p0, grouping_spec_id = :p1 "
                  "WHERE id = :p2",
                  {Variant(specKind_), Variant(groupingSpecId_), Variant(id_)}))
    Fail("ReportSpec", status::Database, "there is no report specification " + std::to_string(id_));
}

void SqlReportSpec::Load(std::int32_t id) {
  const QueryResult r = db_->Query(
      "SELECT spec_kind, grouping_spec_id FROM rpt_report_spec WHERE id = :p0", {Variant(id)});
  if (r.rows.empty())
    Fail("ReportSpec", status::Database, "there is no report specification " + std::to_string(id));
  id_ = id;
  specKind_ = ToInt32(r.rows[0][0]);
  groupingSpecId_ = ToInt32(r.rows[0][1]);
}

Ref<Object> SqlReportSpec::SaveAttrs(std::int32_t& reportId) {
  return SaveObjectAttrs(*db_, "ReportSpec", reportId,
                         {{"ReportSpecId", std::to_string(id_)},
                          {"SpecKind", std::to_string(specKind_)},
                          {"GroupingSpecId", std::to_string(groupingSpecId_)}});
}

// --- page setup --------------------------------------------------------------------------

std::int32_t SqlPageSetup::Insert() {
  id_ = InsertReturningId(*db_,
                          "INSERT INTO rpt_page_setup (spec_kind, head_note, foot_note, "
                          "remove_control_info) VALUES (:p0, :p1, :p2, :p3)",
                          {Variant(specKind_), Variant(headNote_), Variant(footNote_),
                           Variant(Flag(removeControlInfo_))});
  return id_;
}

void SqlPageSetup::Update() {
  if (!UpdateById(*db_,
                  "UPDATE rpt_page_setup SET spec_kind = :p0, head_note = :p1, foot_note = :p2, "
                  "remove_control_info = :p3 WHERE id = :p4",
                  {Variant(specKind_), Variant(headNote_), Variant(footNote_),
                   Variant(Flag(removeControlInfo_)), Variant(id_)}))
    Fail("PageSetup", status::Database, "there is no page setup " + std::to_string(id_));
}

void SqlPageSetup::Load(std::int32_t id) {
  const QueryResult r = db_->Query(
      "SELECT spec_kind, head_note, foot_note, remove_control_info FROM rpt_page_setup "
      "WHERE id = :p0",
      {Variant(id)});
  if (r.rows.empty())
    Fail("PageSetup", status::Database, "there is no page setup " + std::to_string(id));
  const auto& row = r.rows[0];
  id_ = id;
  specKind_ = ToInt32(row[0]);
  headNote_ = row[1].IsNull() ? std::string() : ToString(row[1]);
  footNote_ = row[2].IsNull() ? std::string() : ToString(row[2]);
  removeControlInfo_ = !row[3].IsNull() && ToString(row[3]) == "Y";
}

Ref<Object> SqlPageSetup::SaveAttrs(std::int32_t& reportId) {
  return SaveObjectAttrs(*db_, "PageSetup", reportId,
                         {{"PageSetupId", std::to_string(id_)},
                          {"SpecKind", std::to_string(specKind_)},
                          {"HeadNote", headNote_},
                          {"FootNote", footNote_},
                          {"RemoveControlInfo", BoolText(removeControlInfo_)}});
}

// --- general attributes ------------------------------------------------------------------

std::size_t SqlGeneralAttributes::IndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i].first == name) return i;
  return items_.size();
}

void SqlGeneralAttributes::Add(const std::string& name, const std::string& value, bool replace) {
  if (name.empty()) Fail("GeneralAttributes", status::InvalidArg, "an attribute needs a name");
  const std::size_t at = IndexOf(name);
  if (at == items_.size()) {
    items_.emplace_back(name, value);
  } else {
    if (!replace) throw Error::Runtime(errnum::DuplicateKey);
    items_[at].second = value;
  }
}

Variant SqlGeneralAttributes::Save() {
  if (reportId_ <= 0)
    Fail("GeneralAttributes", status::InvalidArg,
         "general attributes are saved for a report id above 0, not " + std::to_string(reportId_));
  db_->InTransaction([&] {
    db_->Execute("DELETE FROM rpt_general_attr WHERE report_id = :p0", {Variant(reportId_)});
    std::int32_t seq = 0;
    for (const auto& [name, value] : items_)
      db_->Execute(
          "INSERT INTO rpt_general_attr (report_id, seq, name, value) "
          "VALUES (:p0, :p1, :p2, :p3)",
          {Variant(reportId_), Variant(++seq), Variant(name), Variant(value)});
  });
  return Variant(Count());
}

bool SqlGeneralAttributes::Load(std::int32_t reportId) {
  const QueryResult r =
      db_->Query("SELECT name, value FROM rpt_general_attr WHERE report_id = :p0 ORDER BY seq",
                 {Variant(reportId)});
  reportId_ = reportId;
  items_.clear();
  for (const auto& row : r.rows)
    items_.emplace_back(ToString(row.at(0)),
                        row.at(1).IsNull() ? std::string() : ToString(row.at(1)));
  return !items_.empty();
}

bool SqlGeneralAttributes::Exists(const std::string& name) const {
  return IndexOf(name) != items_.size();
}

Ref<GeneralAttribute> SqlGeneralAttributes::Item(const std::string& name) const {
  const std::size_t at = IndexOf(name);
  if (at == items_.size())
    Fail("GeneralAttributes", status::InvalidArg, "the report has no attribute \"" + name + "\"");
  return MakeRef<Attribute>(items_[at].first, items_[at].second);
}

Ref<Enumerator> SqlGeneralAttributes::NewEnum() const {
  std::vector<Variant> items;
  items.reserve(items_.size());
  for (const auto& [name, value] : items_)
    items.emplace_back(Ref<GeneralAttribute>(MakeRef<Attribute>(name, value)));
  return MakeRef<SnapshotEnumerator>(std::move(items));
}

// --- installation ------------------------------------------------------------------------

void InstallReportOutputs() {
  services::SetFactory<ReportSpec>(
      []() -> Ref<ReportSpec> { return MakeRef<SqlReportSpec>(ThreadDatabase()); });
  services::SetFactory<PageSetup>(
      []() -> Ref<PageSetup> { return MakeRef<SqlPageSetup>(ThreadDatabase()); });
  services::SetFactory<GeneralAttributes>(
      []() -> Ref<GeneralAttributes> { return MakeRef<SqlGeneralAttributes>(ThreadDatabase()); });
  InstallFolderDocs();
}

}  // namespace plexion::backends
