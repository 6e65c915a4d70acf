// Saving the attached output objects and the report's attributes, and loading the general
// attributes of an existing report.
#include "plexion/platform/convert.hpp"
#include "plexion/reportdef/report_def_data.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"

namespace plexion {

namespace {
constexpr const char* kIncludeInactive = "IncludeInactive";
constexpr const char* kExpressType = "ExpressType";
constexpr const char* kWebAutoOrganize = "WebAuto-Organize";
constexpr const char* kHeadNote = "HeadNote";
constexpr const char* kFootNote = "FootNote";
constexpr const char* kRemoveControlInfo = "RemoveControlInfo";
}  // namespace

Ref<CReportDefData> CReportDefData::SaveSubTableData(std::int32_t) {
  const bool inserting = isNew_;
  // Each id is captured as soon as its object is stored, so a later failure leaves the ids of
  // the objects already inserted in place.
  if (reportSpecData_) {
    if (inserting) reportSpecId_ = reportSpecData_->Insert();
    else reportSpecData_->Update();
    groupingSpecId_ = reportSpecData_->GroupingSpecId();
  }
  if (dtScopeData_) {
    if (inserting) {
      dtScopeData_->Insert();
      dtScopeId_ = dtScopeData_->Id();
    } else {
      dtScopeData_->Update();
    }
  }
  if (destinationData_) {
    if (inserting) destinationId_ = destinationData_->Insert();
    else destinationData_->Update();
  }
  if (pageSetupData_) {
    if (reportSpecData_) pageSetupData_->SpecKind(reportSpecData_->SpecKind());
    if (inserting) pageSetUpId_ = pageSetupData_->Insert();
    else pageSetupData_->Update();
  }
  return Ref<CReportDefData>(this);
}

void CReportDefData::SaveReportAttrs(std::int32_t& ord) {
  if (!reportSpecData_) return;
  SettingsService& settings = services::Locate<SettingsService>();
  std::int32_t kind = reportSpecData_->SpecKind();
  settings.UseSpecKind(kind);
  reportSpecData_->SaveAttrs(ord).reset();
  if (pageSetupData_) pageSetupData_->SaveAttrs(ord).reset();
}

void CReportDefData::SaveGenReportAttrs(std::int32_t ord) {
  if (!genAttributes_) return;
  GeneralAttributes& attrs = *genAttributes_;
  attrs.Clear();
  attrs.ReportId(ord);
  if (isScenarioExpress_) {
    attrs.Add(kIncludeInactive, includeInactive_ ? "Y" : "N", false);
    attrs.Add(kExpressType, expressType_, false);
  }
  // The destination is required: without one the set stays cleared and is not saved.
  if (!destinationData_) throw Error::Runtime(errnum::ObjectVariableNotSet);
  attrs.Add(kWebAutoOrganize, destinationData_->WebAutoOrganize(), false);
  if (pageSetupData_) {
    const std::string head = pageSetupData_->HeadNote();
    if (!head.empty()) attrs.Add(kHeadNote, head, false);
    const std::string foot = pageSetupData_->FootNote();
    if (!foot.empty()) attrs.Add(kFootNote, foot, false);
    if (pageSetupData_->RemoveControlInfo()) attrs.Add(kRemoveControlInfo, BoolText(true), false);
  }
  attrs.Save();
}

void CReportDefData::LoadGenReportAttrs(std::int32_t reportId) {
  includeInactive_ = false;
  expressType_.clear();
  if (reportId <= 0) return;
  if (!genAttributes_) throw Error::Runtime(errnum::ObjectVariableNotSet);
  if (!genAttributes_->Load(reportId)) return;
  Ref<Enumerator> attributes = genAttributes_->NewEnum();
  if (!attributes) throw Error::Runtime(errnum::ObjectVariableNotSet);
  Variant item;
  while (attributes->Next(item)) {
    Ref<GeneralAttribute> attribute = ToObjectOf<GeneralAttribute>(item);
    if (!attribute) throw Error::Runtime(errnum::ObjectVariableNotSet);
    // Names and the "Y" of IncludeInactive compare exactly: "y" reads as false.
    const std::string name = attribute->Name();
    if (name == kIncludeInactive) {
      includeInactive_ = attribute->Value() == "Y";
    } else if (name == kExpressType) {
      expressType_ = attribute->Value();
    } else if (name == kWebAutoOrganize) {
      if (destinationData_) destinationData_->WebAutoOrganize(attribute->Value());
    }
  }
}

}  // namespace plexion
