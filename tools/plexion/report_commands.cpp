// plexion report attrs, plexion report express copy|delete
#include <iostream>

#include "context.hpp"
#include "plexion/backends/output/report_outputs.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"
#include "report_rows.hpp"

namespace plexion::cli {

namespace {

struct ExpressOptions {
  std::string kind;  // "scenario" or "template"
  std::int32_t id = 0;
};

Ref<DbRecordset> ReportRow(std::int32_t reportId) {
  return services::Locate<DbService>().OpenRecordset(
      "SELECT id, name, app_name, scenario_id, template_id, chan_set_id, destination_id, "
      "page_setup_id, dt_scope_id, report_spec_id, grouping_spec_id, file_name, entity_id, "
      "channel_number, map_radius_scale, test_channels, equipped_only, domain_scenario_id, "
      "server_group_id FROM rpt_report WHERE id = " +
          std::to_string(reportId),
      true, "", 0, "", "", 60);
}

// The positional KIND ID of the express commands.
void AddExpressArguments(CLI::App& command, ExpressOptions& opts) {
  command.add_option("KIND", opts.kind, "scenario or template")
      ->required()
      ->check(CLI::IsMember({"scenario", "template"}));
  command.add_option("ID", opts.id, "the document's id")->required();
}

bool IsExpress(const std::string& kind, std::int32_t id) {
  return kind == "scenario" ? services::Locate<ScenarioDocs>().IsExpress(id)
                            : services::Locate<TemplateDocs>().IsExpress(id);
}

}  // namespace

std::int32_t WriteReportRow(const CReportDefData& report, const std::string& name) {
  DbService& db = services::Locate<DbService>();
  Ref<DbRecordset> next = db.OpenRecordset("SELECT coalesce(max(id), 0) + 1 AS id FROM rpt_report",
                                           true, "", 0, "", "", 60);
  const std::int32_t id = db.FieldLong(next->Fields()->Item("id"));
  const std::vector<Variant> values{Variant(id),
                                    Variant(name),
                                    Variant(report.AppName()),
                                    Variant(report.ScenarioId()),
                                    Variant(report.TemplateID()),
                                    Variant(report.ChanSetID()),
                                    Variant(report.DestinationId()),
                                    Variant(report.PageSetUpId()),
                                    Variant(report.DTScopeID()),
                                    Variant(report.ReportSpecId()),
                                    Variant(report.GroupingSpecId()),
                                    Variant(report.FileName()),
                                    Variant(report.EntityID()),
                                    Variant(report.ChannelNumber()),
                                    Variant(report.MapRadiusScale()),
                                    Variant(report.TestChannels()),
                                    Variant(report.EquippedOnly()),
                                    Variant(report.DomainScenarioId()),
                                    Variant(report.ServerGroupId())};
  db.ExecuteStatement(
      "INSERT INTO rpt_report (id, name, app_name, scenario_id, template_id, chan_set_id, "
      "destination_id, page_setup_id, dt_scope_id, report_spec_id, grouping_spec_id, file_name, "
      "entity_id, channel_number, map_radius_scale, test_channels, equipped_only, "
      "domain_scenario_id, server_group_id) VALUES (" +
      db.FormatValueList(VariantArray::FromVector(values)) + ")");
  return id;
}

bool OpenReportForEdit(CReportDefData& report, std::int32_t reportId) {
  Ref<DbRecordset> rs = ReportRow(reportId);
  if (!rs || rs->IsBOF()) {
    report.InitEdit(reportId, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
    return false;
  }
  DbService& db = services::Locate<DbService>();
  Ref<DbFields> f = rs->Fields();
  auto id = [&](const char* column) { return db.FieldLong(f->Item(column)); };
  auto text = [&](const char* column) { return db.FieldText(f->Item(column)); };
  Ref<ReportSpec> spec;
  if (const std::int32_t specId = id("report_spec_id"); specId > 0) {
    spec = services::Create<ReportSpec>();
    if (auto stored = spec.As<backends::SqlReportSpec>()) stored->Load(specId);
    else spec->Id(specId);
  }
  FolderApp& folders = services::Locate<FolderApp>();
  report.InitEdit(
      id("id"), id("chan_set_id"), id("destination_id"), id("page_setup_id"), id("dt_scope_id"),
      id("report_spec_id"), id("grouping_spec_id"), text("file_name"), "plexion", text("app_name"),
      id("scenario_id"), id("template_id"), folders.DocType("Scenario"),
      folders.DocType("Template"), id("entity_id"), id("channel_number"),
      ToFloat(f->Item("map_radius_scale")->Value()), text("test_channels"), text("equipped_only"),
      id("domain_scenario_id"), spec, folders.DocType("Server Group"), id("server_group_id"));
  return true;
}

void PrintLoadedAttributes(std::ostream& out, const CReportDefData& report,
                           const std::string& indent) {
  Ref<GeneralAttributes> attrs = report.GenAttributes();
  const std::int32_t count = attrs ? attrs->Count() : 0;
  out << indent << "report " << report.ReportId() << ": "
      << (count ? std::to_string(count) : std::string("no")) << " general attribute"
      << (count == 1 ? "" : "s") << "\n";
  if (attrs) {
    Ref<Enumerator> items = attrs->NewEnum();
    Variant item;
    while (items->Next(item)) {
      Ref<GeneralAttribute> a = ToObjectOf<GeneralAttribute>(item);
      out << indent << "  " << a->Name() << " = " << Variant(a->Value()).Describe() << "\n";
    }
  }
  out << indent << "as InitEdit loads them:\n";
  out << indent << "  IncludeInactive    " << BoolText(report.IncludeInactive()) << "\n";
  out << indent << "  ExpressType        " << Variant(report.ExpressType()).Describe() << "\n";
  out << indent << "  WebAutoOrganize    " << Variant(report.WebAutoOrganize()).Describe() << "\n";
  out << indent << "  IsScenarioExpress  " << BoolText(report.IsScenarioExpress()) << " (scenario "
      << report.ScenarioId() << ")\n";
  out << indent << "  IsTemplateExpress  " << BoolText(report.IsTemplateExpress()) << " (template "
      << report.TemplateID() << ")\n";
}

void RegisterReportCommands(CLI::App& app, Context& ctx) {
  CLI::App* report = app.add_subcommand("report", "report definitions");
  report->require_subcommand(1);

  auto reportId = std::make_shared<std::int32_t>(0);
  CLI::App* attrs = report->add_subcommand(
      "attrs",
      "print a report's general attributes\n"
      "Open a report for edit as a report editor does (InitEdit with the values of its row\n"
      "in rpt_report, or with its id alone when it has none) and print its general\n"
      "attributes, NAME = \"VALUE\" in stored order, then IncludeInactive, ExpressType and\n"
      "WebAutoOrganize as loaded from them (only an upper-case \"Y\" makes IncludeInactive\n"
      "True) and whether its scenario and template are express documents.");
  Examples(*attrs, {"plexion report attrs 1"});
  attrs->add_option("REPORT_ID", *reportId, "the report's id")->required();
  AddDatabaseOptions(*attrs, ctx);
  attrs->callback([reportId, &ctx] {
    ctx.InstallFromOptions();
    auto definition = MakeRef<CReportDefData>();
    if (!OpenReportForEdit(*definition, *reportId))
      std::cerr << "plexion: report " << *reportId
                << " has no row in rpt_report: opened by its id alone\n";
    PrintLoadedAttributes(std::cout, *definition);
  });

  CLI::App* express =
      report->add_subcommand("express", "temporary copies of express scenarios and templates");
  express->require_subcommand(1);

  auto copyOpts = std::make_shared<ExpressOptions>();
  CLI::App* copy = express->add_subcommand(
      "copy",
      "copy an express scenario or template\n"
      "Copy an express scenario or template for the current user (FS_CopyExpressScenario or\n"
      "FS_CopyExpressTemplate, the owner being the folder application's user: the login\n"
      "name, registered in fs_user on first use) and print the copy's id. An id of 0 prints\n"
      "0; a document that is not an express one of that kind is not copied and its own id\n"
      "is printed, with a note on stderr.");
  Examples(*copy, {"plexion report express copy scenario 2"});
  AddExpressArguments(*copy, *copyOpts);
  AddDatabaseOptions(*copy, ctx);
  copy->callback([copyOpts, &ctx] {
    ctx.InstallFromOptions();
    auto definition = MakeRef<CReportDefData>();
    const std::int32_t id = copyOpts->kind == "scenario"
                                ? definition->CopyExpressScenario(copyOpts->id)
                                : definition->CopyExpressTemplate(copyOpts->id);
    std::cout << id << "\n";
    if (id == copyOpts->id && id != 0)
      std::cerr << "plexion: " << copyOpts->kind << " " << id << " is not an express "
                << copyOpts->kind << ": no copy made\n";
  });

  auto deleteOpts = std::make_shared<ExpressOptions>();
  CLI::App* remove = express->add_subcommand(
      "delete",
      "delete an express scenario or template\n"
      "Delete an express scenario or template (FS_DeleteExpressScenario or\n"
      "FS_DeleteExpressTemplate). Ids of 0 and documents that are not express ones of that\n"
      "kind are left alone. Prints \"deleted KIND ID\" or \"nothing deleted: ...\".");
  Examples(*remove, {"plexion report express delete scenario 5"});
  AddExpressArguments(*remove, *deleteOpts);
  AddDatabaseOptions(*remove, ctx);
  remove->callback([deleteOpts, &ctx] {
    ctx.InstallFromOptions();
    const bool wasExpress = deleteOpts->id != 0 && IsExpress(deleteOpts->kind, deleteOpts->id);
    auto definition = MakeRef<CReportDefData>();
    std::int32_t id = deleteOpts->id;
    if (deleteOpts->kind == "scenario") definition->DeleteExpScenario(id);
    else definition->DeleteExpTemplate(id);
    if (wasExpress && !IsExpress(deleteOpts->kind, deleteOpts->id))
      std::cout << "deleted " << deleteOpts->kind << " " << deleteOpts->id << "\n";
    else
      std::cout << "nothing deleted: " << deleteOpts->id << " is not an express "
                << deleteOpts->kind << "\n";
  });
}

}  // namespace plexion::cli
