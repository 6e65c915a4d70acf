// Temporary copies of express scenarios and templates, and the confirmed document ids.
#include <string>

#include "plexion/platform/convert.hpp"
#include "plexion/reportdef/report_def_data.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"

namespace plexion {

namespace {

// Copies an express document for the current user through a procedure call of its own.
template <class Docs>
std::int32_t CopyExpressDocument(std::int32_t ord, const char* procedure) {
  if (ord == 0) return 0;
  if (!services::Locate<Docs>().IsExpress(ord)) return ord;
  Ref<ProcCall> call = services::Create<ProcCall>();
  if (!call) throw Error::Runtime(errnum::ObjectVariableNotSet);
  call->ProcName(procedure);
  call->AddParam(std::to_string(ord), "integer", "", false);
  {
    Ref<FolderOwner> owner = services::Locate<FolderApp>().Owner();
    if (!owner) throw Error::Runtime(errnum::ObjectVariableNotSet);
    call->AddParam(std::to_string(owner->Id()), "integer", "", false);
  }
  return ToInt32(call->Execute());
}

template <class Docs>
void DeleteExpressDocument(std::int32_t& ord, const char* procedure) {
  if (ord == 0) return;
  if (!services::Locate<Docs>().IsExpress(ord)) return;
  VariantArray params(0, 0);
  params.at(0) = Variant::RefTo(ord);
  services::Locate<DbService>().ExecuteProcedure(procedure, params);
}

}  // namespace

std::int32_t CReportDefData::CopyExpressScenario(std::int32_t ord) {
  return CopyExpressDocument<ScenarioDocs>(ord, "FS_CopyExpressScenario");
}

std::int32_t CReportDefData::CopyExpressTemplate(std::int32_t ord) {
  return CopyExpressDocument<TemplateDocs>(ord, "FS_CopyExpressTemplate");
}

void CReportDefData::DeleteExpScenario(std::int32_t& ord) {
  DeleteExpressDocument<ScenarioDocs>(ord, "FS_DeleteExpressScenario");
}

void CReportDefData::DeleteExpTemplate(std::int32_t& ord) {
  DeleteExpressDocument<TemplateDocs>(ord, "FS_DeleteExpressTemplate");
}

void CReportDefData::CleanUpExpressDocuments() {
  // Copies of the ids, so that the temporary ids stay as they are whatever the procedures do.
  std::int32_t scenario = TempExpScenarioId();
  DeleteExpScenario(scenario);
  std::int32_t templ = TempExpTemplateId();
  DeleteExpTemplate(templ);
}

void CReportDefData::UpdateDocumentIds() {
  saveOrigScenarioId_ = scenarioId_;
  saveOrigTemplateId_ = templateId_;
}

void CReportDefData::ResetDocumentIds() {
  scenarioId_ = saveOrigScenarioId_;
  templateId_ = saveOrigTemplateId_;
}

}  // namespace plexion
