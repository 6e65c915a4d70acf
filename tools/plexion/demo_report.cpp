// plexion demo: a report definition, from a new report to its express copies.
#include <iostream>

#include "demo.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/reportdef/report_def_data.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "report_rows.hpp"

namespace plexion::cli {

namespace {

bool DocumentExists(std::int32_t id) {
  Ref<DbRecordset> rs = services::Locate<DbService>().OpenRecordset(
      "SELECT id FROM fs_document WHERE id = " + std::to_string(id), true, "", 0, "", "", 60);
  return rs && !rs->IsBOF();
}

std::string Text(const std::string& s) { return Variant(s).Describe(); }

}  // namespace

void ShowReportDefinition() {
  Heading("Report definition");
  FolderApp& folders = services::Locate<FolderApp>();
  auto report = MakeRef<CReportDefData>();
  report->InitNew(folders.DocType("Scenario"), folders.DocType("Template"), "Traffic",
                  "Report Editor", 0, ERefType::RefScenario, 2, 0, 1.0f);
  report->TemplateID(4);
  std::cout
      << "  InitNew(Scenario, Template, \"Traffic\", \"Report Editor\", 0, RefScenario, 2, 0, 1)\n"
      << "    ScenarioId = " << report->ScenarioId() << ", IsNew = " << BoolText(report->IsNew())
      << "; from the report defaults: EquippedOnly = " << Text(report->EquippedOnly())
      << ", TestChannels = " << Text(report->TestChannels())
      << ", DomainScenarioId = " << report->DomainScenarioId() << "\n";

  std::cout << "  the tabs attach the output objects:\n";
  Ref<ReportSpec> spec = services::Create<ReportSpec>();
  spec->SpecKind(2);
  spec->GroupingSpecId(5);
  Ref<PageSetup> page = services::Create<PageSetup>();
  page->HeadNote("Weekly traffic, express");
  page->RemoveControlInfo(true);
  report->ReportSpecData(spec);
  report->PageSetupData(page);
  report->DTScopeData(services::Create<DateTimeScope>());
  Ref<Destination> destination = services::Create<Destination>();
  destination->WebAutoOrganize("ByDate");
  report->DestinationData(destination);
  report->IsScenarioExpress(services::Locate<ScenarioDocs>().IsExpress(report->ScenarioId()));
  report->IncludeInactive(true);
  report->ExpressType("Daily");

  // The editor's save is one unit of work: the sub-objects, the report row and the attributes
  // are stored together or not at all. A new report takes its id inside the unit, so new
  // reports lock report 0 and never take the same id.
  std::cout << "  the editor saves the report as one unit of work:\n";
  services::UnitOfWork unit("rpt_report", 0);
  report->SaveSubTableData(0);
  std::cout << "  SaveSubTableData: ReportSpecId = " << report->ReportSpecId()
            << ", GroupingSpecId = " << report->GroupingSpecId()
            << ", PageSetUpId = " << report->PageSetUpId()
            << ", DTScopeID = " << report->DTScopeID()
            << ", DestinationId = " << report->DestinationId() << "\n";
  std::int32_t reportId = WriteReportRow(*report, "Weekly traffic, express");
  report->ReportId(reportId);
  std::cout << "  the editor writes the report row: report " << reportId << "\n";
  report->SaveReportAttrs(reportId);
  std::cout << "  SaveReportAttrs(" << reportId
            << "): the specification's and the page setup's attributes are stored\n";
  report->SaveGenReportAttrs(reportId);
  std::cout << "  SaveGenReportAttrs(" << reportId << "): " << report->GenAttributes()->Count()
            << " general attributes stored\n";
  unit.Commit();
  std::cout << "  committed\n";

  std::cout << "  opened again for edit (InitEdit):\n";
  auto reopened = MakeRef<CReportDefData>();
  reopened->DestinationData(services::Create<Destination>());
  OpenReportForEdit(*reopened, reportId);
  PrintLoadedAttributes(std::cout, *reopened, "    ");
  std::cout << "  the demo's report 1, opened for edit:\n";
  auto stored = MakeRef<CReportDefData>();
  OpenReportForEdit(*stored, 1);
  PrintLoadedAttributes(std::cout, *stored, "    ");
  std::cout << "  the demo's report 2, whose IncludeInactive is stored as \"y\":\n";
  auto lowerCase = MakeRef<CReportDefData>();
  OpenReportForEdit(*lowerCase, 2);
  std::cout << "    IncludeInactive = " << BoolText(lowerCase->IncludeInactive()) << "\n";

  std::cout << "  express scenario copy:\n";
  const std::int32_t source = reopened->ScenarioId();
  const std::int32_t copy = reopened->CopyExpressScenario(source);
  reopened->TempExpScenarioId(copy);
  reopened->ScenarioId(copy);
  std::cout << "    CopyExpressScenario(" << source << ") = " << copy << " (owner "
            << folders.Owner()->Id() << "); the editor points ScenarioId at it\n";
  std::cout << "    CopyExpressScenario(1) = " << reopened->CopyExpressScenario(1)
            << " (an ordinary scenario is not copied)\n";
  reopened->ResetDocumentIds();
  std::cout << "    ResetDocumentIds: ScenarioId = " << reopened->ScenarioId() << "\n";
  reopened->CleanUpExpressDocuments();
  std::cout << "    CleanUpExpressDocuments: copy " << copy
            << " still stored = " << BoolText(DocumentExists(copy))
            << ", TempExpScenarioId = " << reopened->TempExpScenarioId() << ", scenario " << source
            << " still stored = " << BoolText(DocumentExists(source)) << "\n";
}

}  // namespace plexion::cli
