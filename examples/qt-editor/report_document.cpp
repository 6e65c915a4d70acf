#include "report_document.hpp"

#include <string_view>

#include <plexion/platform/convert.hpp>
#include <plexion/services/db.hpp>
#include <plexion/services/folder_docs.hpp>
#include <plexion/services/locator.hpp>
#include <plexion/services/memory_recordset.hpp>
#include <plexion/services/unit_of_work.hpp>

#include "properties.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

constexpr std::string_view kEditorName = "plexion-editor";

// The columns of the report's row beside its id and name, each written from the report
// definition's property of the same meaning: what the editor reads to open a report and what
// it writes when saving it.
struct RowColumn {
  std::string_view column, property;
};
constexpr RowColumn kRowColumns[] = {
    {"app_name", "AppName"},
    {"scenario_id", "ScenarioId"},
    {"template_id", "TemplateID"},
    {"chan_set_id", "ChanSetID"},
    {"destination_id", "DestinationId"},
    {"page_setup_id", "PageSetUpId"},
    {"dt_scope_id", "DTScopeID"},
    {"report_spec_id", "ReportSpecId"},
    {"grouping_spec_id", "GroupingSpecId"},
    {"file_name", "FileName"},
    {"entity_id", "EntityID"},
    {"channel_number", "ChannelNumber"},
    {"map_radius_scale", "MapRadiusScale"},
    {"test_channels", "TestChannels"},
    {"equipped_only", "EquippedOnly"},
    {"domain_scenario_id", "DomainScenarioId"},
    {"server_group_id", "ServerGroupId"},
};

std::string ColumnList() {
  std::string list = "id, name";
  for (const RowColumn& c : kRowColumns) list += ", " + std::string(c.column);
  return list;
}

// The output objects this editor edits field by field are the database's own.
template <class Backend, class Interface>
Ref<Backend> CreateOutput() {
  Ref<Backend> made = services::Create<Interface>().template As<Backend>();
  if (!made)
    throw Error::Runtime(errnum::ObjectDoesNotSupport, "the report editor needs the database's " +
                                                           std::string(Interface::kServiceName) +
                                                           " objects");
  return made;
}

Ref<DocumentType> DocType(const char* name) { return services::Locate<FolderApp>().DocType(name); }

}  // namespace

// The ids a save may change, so that a save undone as a whole leaves the object as it was.
struct ReportDocument::SavedIds {
  std::int32_t report, destination, pageSetup, scope, spec, groupingSpec;
  bool isNew;
  std::int32_t destinationRow, pageSetupRow, scopeRow, specRow;
};

ReportDocument::ReportDocument(std::int32_t id) : report_(MakeRef<CReportDefData>()) {
  DbService& db = services::Locate<DbService>();
  Ref<DbRecordset> row = db.OpenRecordset(
      "SELECT " + ColumnList() + " FROM rpt_report WHERE id = " + std::to_string(id), true, "", 0,
      "", "", 60);
  if (!row || row->IsBOF()) throw NoCurrentRowError();
  Ref<DbFields> f = row->Fields();
  auto number = [&](const char* column) { return db.FieldLong(f->Item(column)); };
  auto text = [&](const char* column) { return db.FieldText(f->Item(column)); };
  name_ = text("name");

  spec_ = CreateOutput<backends::SqlReportSpec, ReportSpec>();
  pageSetup_ = CreateOutput<backends::SqlPageSetup, plexion::PageSetup>();
  scope_ = CreateOutput<backends::DbDateTimeScope, DateTimeScope>();
  destination_ = CreateOutput<backends::DbDestination, plexion::Destination>();
  // A report without a stored output object gets a new one, stored with its first save.
  if (number("report_spec_id") > 0) spec_->Load(number("report_spec_id"));
  if (number("page_setup_id") > 0) pageSetup_->Load(number("page_setup_id"));
  if (number("dt_scope_id") > 0) scope_->Load(number("dt_scope_id"));
  if (number("destination_id") > 0) destination_->Load(number("destination_id"));
  // Attached first, so that loading the general attributes reaches the destination.
  AttachOutputs();
  report_->InitEdit(id, number("chan_set_id"), number("destination_id"), number("page_setup_id"),
                    number("dt_scope_id"), number("report_spec_id"), number("grouping_spec_id"),
                    text("file_name"), std::string(kEditorName), text("app_name"),
                    number("scenario_id"), number("template_id"), DocType("Scenario"),
                    DocType("Template"), number("entity_id"), number("channel_number"),
                    ToFloat(f->Item("map_radius_scale")->Value()), text("test_channels"),
                    text("equipped_only"), number("domain_scenario_id"), spec_,
                    DocType("Server Group"), number("server_group_id"));
}

ReportDocument::ReportDocument(const std::string& appName, std::int32_t scenarioId)
    : report_(MakeRef<CReportDefData>()),
      spec_(CreateOutput<backends::SqlReportSpec, ReportSpec>()),
      pageSetup_(CreateOutput<backends::SqlPageSetup, plexion::PageSetup>()),
      scope_(CreateOutput<backends::DbDateTimeScope, DateTimeScope>()),
      destination_(CreateOutput<backends::DbDestination, plexion::Destination>()) {
  report_->InitNew(DocType("Scenario"), DocType("Template"), appName, std::string(kEditorName), 0,
                   ERefType::RefScenario, scenarioId, 0, 0.0f, DocType("Server Group"));
  report_->ReportSpecData(spec_);
  AttachOutputs();
  RefreshExpressFlags();
}

ReportDocument::~ReportDocument() = default;

void ReportDocument::AttachOutputs() {
  report_->DestinationData(destination_);
  report_->DTScopeData(scope_);
  report_->PageSetupData(pageSetup_);
}

DocumentKey ReportDocument::Key() const { return {DocumentKind::Report, report_->ReportId()}; }

std::string ReportDocument::AppName() const { return report_->AppName(); }

void ReportDocument::RefreshExpressFlags() {
  report_->IsScenarioExpress(services::Locate<ScenarioDocs>().IsExpress(report_->ScenarioId()));
  report_->IsTemplateExpress(services::Locate<TemplateDocs>().IsExpress(report_->TemplateID()));
}

std::int32_t ReportDocument::WorkOnExpressCopy(ExpressDocument which) {
  CReportDefData& r = *report_;
  const bool scenario = which == ExpressDocument::Scenario;
  const std::int32_t current = scenario ? r.ScenarioId() : r.TemplateID();
  const std::int32_t copy =
      scenario ? r.CopyExpressScenario(current) : r.CopyExpressTemplate(current);
  if (copy == current) return 0;  // not express, or none chosen
  // A copy made earlier in this session is replaced by the new one.
  std::int32_t earlier = scenario ? r.TempExpScenarioId() : r.TempExpTemplateId();
  if (scenario) {
    r.DeleteExpScenario(earlier);
    r.TempExpScenarioId(copy);
    r.ScenarioId(copy);
  } else {
    r.DeleteExpTemplate(earlier);
    r.TempExpTemplateId(copy);
    r.TemplateID(copy);
  }
  return copy;
}

ReportDocument::SavedIds ReportDocument::IdsBeforeSave() const {
  const CReportDefData& r = *report_;
  return {r.ReportId(),     r.DestinationId(),  r.PageSetUpId(), r.DTScopeID(),
          r.ReportSpecId(), r.GroupingSpecId(), r.IsNew(),       destination_->Id(),
          pageSetup_->Id(), scope_->Id(),       spec_->Id()};
}

void ReportDocument::RestoreIds(const SavedIds& ids) {
  CReportDefData& r = *report_;
  r.ReportId(ids.report);
  r.DestinationId(ids.destination);
  r.PageSetUpId(ids.pageSetup);
  r.DTScopeID(ids.scope);
  r.ReportSpecId(ids.spec);
  r.GroupingSpecId(ids.groupingSpec);
  r.IsNew(ids.isNew);
  destination_->Id(ids.destinationRow);
  pageSetup_->Id(ids.pageSetupRow);
  scope_->Id(ids.scopeRow);
  spec_->Id(ids.specRow);
}

void ReportDocument::InsertMissingOutputs() {
  // A stored report updates its output objects; one it has none of yet is stored here first.
  CReportDefData& r = *report_;
  if (r.IsNew()) return;
  if (spec_->Id() == 0) r.ReportSpecId(spec_->Insert());
  if (pageSetup_->Id() == 0) r.PageSetUpId(pageSetup_->Insert());
  if (scope_->Id() == 0) {
    scope_->Insert();
    r.DTScopeID(scope_->Id());
  }
  if (destination_->Id() == 0) r.DestinationId(destination_->Insert());
}

std::int32_t ReportDocument::NextReportId() const {
  DbService& db = services::Locate<DbService>();
  Ref<DbRecordset> next = db.OpenRecordset("SELECT coalesce(max(id), 0) + 1 AS id FROM rpt_report",
                                           true, "", 0, "", "", 60);
  return db.FieldLong(next->Fields()->Item("id"));
}

void ReportDocument::WriteReportRow(std::int32_t id) {
  DbService& db = services::Locate<DbService>();
  auto sql = [&](const Variant& value) {
    VariantArray one(0, 0);
    one.at(0) = value;
    return db.FormatValueList(one);
  };
  std::string columns = "id, name", values = sql(id) + ", " + sql(name_), assignments;
  for (const RowColumn& c : kRowColumns) {
    const std::string value = sql(GetProperty(*report_, c.property));
    columns += ", " + std::string(c.column);
    values += ", " + value;
    assignments += ", " + std::string(c.column) + " = " + value;
  }
  if (report_->IsNew())
    db.ExecuteStatement("INSERT INTO rpt_report (" + columns + ") VALUES (" + values + ")");
  else
    db.ExecuteStatement("UPDATE rpt_report SET name = " + sql(name_) + assignments +
                        " WHERE id = " + std::to_string(id));
}

std::string ReportDocument::Save() {
  CReportDefData& r = *report_;
  const SavedIds before = IdsBeforeSave();
  try {
    // A new report takes its id inside the save: its unit locks the kind with id 0.
    services::UnitOfWork work("rpt_report", r.ReportId());
    InsertMissingOutputs();
    std::int32_t id = r.IsNew() ? NextReportId() : r.ReportId();
    r.ReportId(id);
    r.SaveSubTableData(id);
    WriteReportRow(id);
    r.SaveReportAttrs(id);
    r.SaveGenReportAttrs(id);
    work.Commit();
  } catch (...) {
    // Undone as a whole, the save leaves the ids it took pointing at nothing: back to the ones
    // before it.
    RestoreIds(before);
    throw;
  }
  r.IsNew(false);
  // The temporary copies in use are the report's own documents now.
  r.UpdateDocumentIds();
  if (r.TempExpScenarioId() == r.ScenarioId()) r.TempExpScenarioId(0);
  if (r.TempExpTemplateId() == r.TemplateID()) r.TempExpTemplateId(0);
  return "Saved " + Title() + ": report specification " + std::to_string(r.ReportSpecId()) +
         ", page setup " + std::to_string(r.PageSetUpId()) + ", date-time scope " +
         std::to_string(r.DTScopeID()) + ", destination " + std::to_string(r.DestinationId()) +
         ", the report row and " + std::to_string(r.GenAttributes()->Count()) +
         " general attributes";
}

void ReportDocument::Discard() {
  report_->ResetDocumentIds();
  report_->CleanUpExpressDocuments();
  report_->TempExpScenarioId(0);
  report_->TempExpTemplateId(0);
}

}  // namespace qt_editor
