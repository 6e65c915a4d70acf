#include "plexion/reportdef/report_def_data.hpp"

#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"

namespace plexion {

CReportDefData::CReportDefData() : genAttributes_(services::Create<GeneralAttributes>()) {}

CReportDefData::~CReportDefData() {
  dtScopeData_.reset();
  reportSpecData_.reset();
  pageSetupData_.reset();
  destinationData_.reset();
}

void CReportDefData::InitNew(const Ref<DocumentType>& ScenarioTypeA,
                             const Ref<DocumentType>& TemplateTypeA, const std::string& sAppNameA,
                             const std::string& sEditorNameA, std::int32_t ordEntityA,
                             ERefType RefType, std::int32_t ord, std::int32_t iChannelNumberA,
                             float iMapRadiusScaleA,
                             std::optional<Ref<DocumentType>> ServerGroupTypeA) {
  Ref<SettingGroup> defaults = services::Locate<SettingsService>().ReportDefaults();
  if (!defaults) throw Error::Runtime(errnum::ObjectVariableNotSet);
  // Each option is stored as soon as it is read: a missing key leaves the earlier ones set.
  equippedOnly_ = ToString(defaults->Item("Equipped Only")->Value());
  testChannels_ = ToString(defaults->Item("Test Channels")->Value());
  domainScenarioId_ = ToInt32(defaults->Item("Domain Scenario Id")->Value());

  scenarioType_ = ScenarioTypeA;
  templateType_ = TemplateTypeA;
  if (ServerGroupTypeA) serverGroupType_ = *ServerGroupTypeA;

  appName_ = sAppNameA;
  editorName_ = sEditorNameA;
  channelNumber_ = iChannelNumberA;
  mapRadiusScale_ = iMapRadiusScaleA;
  isNew_ = true;
  entityId_ = ordEntityA;

  switch (RefType) {
    case ERefType::RefScenario: scenarioId_ = ord; break;
    case ERefType::RefTemplate: templateId_ = ord; break;
    case ERefType::refChanSetPlan: chanSetId_ = ord; break;
    default: break;  // a soft-alarm template, or no kind at all, names none of the three
  }
}

void CReportDefData::InitEdit(
    std::int32_t ordReportA, std::int32_t ordChanSetA, std::int32_t ordDestinationA,
    std::int32_t ordPageSetupA, std::int32_t ordDTScopeA, std::int32_t ordReportSpecA,
    std::int32_t ordGroupingSpecA, const std::string& sFileNameA, const std::string& sEditorNameA,
    const std::string& sAppNameA, std::int32_t ordScenarioA, std::int32_t ordTemplateA,
    const Ref<DocumentType>& ScenarioTypeA, const Ref<DocumentType>& TemplateTypeA,
    std::int32_t ordEntityA, std::int32_t iChannelNumberA, float MapRadiusScaleA,
    const std::string& sTestChansA, const std::string& sEquippedA, std::int32_t ordDomainScenarioA,
    const Ref<ReportSpec>& ReportSpecDataA, std::optional<Ref<DocumentType>> ServerGroupTypeA,
    std::int32_t nServerGroupIdA) {
  equippedOnly_ = sEquippedA;
  testChannels_ = sTestChansA;
  domainScenarioId_ = ordDomainScenarioA;

  reportId_ = ordReportA;
  scenarioId_ = ordScenarioA;
  templateId_ = ordTemplateA;
  chanSetId_ = ordChanSetA;
  destinationId_ = ordDestinationA;
  pageSetUpId_ = ordPageSetupA;
  dtScopeId_ = ordDTScopeA;
  reportSpecId_ = ordReportSpecA;
  groupingSpecId_ = ordGroupingSpecA;

  fileName_ = sFileNameA;
  appName_ = sAppNameA;
  editorName_ = sEditorNameA;
  channelNumber_ = iChannelNumberA;
  mapRadiusScale_ = MapRadiusScaleA;

  scenarioType_ = ScenarioTypeA;
  templateType_ = TemplateTypeA;
  if (ServerGroupTypeA) serverGroupType_ = *ServerGroupTypeA;
  serverGroupId_ = nServerGroupIdA;

  ReportSpecData(ReportSpecDataA);
  entityId_ = ordEntityA;

  LoadGenReportAttrs(reportId_);

  isScenarioExpress_ = services::Locate<ScenarioDocs>().IsExpress(scenarioId_);
  isTemplateExpress_ = services::Locate<TemplateDocs>().IsExpress(templateId_);

  saveOrigScenarioId_ = scenarioId_;
  saveOrigTemplateId_ = templateId_;
  isNew_ = false;
}

void CReportDefData::ResetReferences() {
  if (destinationData_) destinationData_->Id(destinationId_);
  if (dtScopeData_) dtScopeData_->Id(dtScopeId_);
  if (reportSpecData_) reportSpecData_->Id(reportSpecId_);
  if (pageSetupData_) pageSetupData_->Id(pageSetUpId_);
}

std::string CReportDefData::WebAutoOrganize() const {
  if (!genAttributes_) return {};
  if (!genAttributes_->Exists("WebAuto-Organize")) return {};
  Ref<GeneralAttribute> attribute = genAttributes_->Item("WebAuto-Organize");
  if (!attribute) throw Error::Runtime(errnum::ObjectVariableNotSet);
  return attribute->Value();
}

}  // namespace plexion
