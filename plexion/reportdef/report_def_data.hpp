// The report definition object: the data behind a report editor, its attached output objects,
// its report attributes and the temporary copies of express scenarios and templates.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "plexion/platform/object.hpp"
#include "plexion/services/folder_docs.hpp"
#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"

namespace plexion {

// What the id handed to InitNew refers to.
enum class ERefType : std::int32_t {
  RefScenario = 0,
  RefTemplate = 1,
  refChanSetPlan = 2,
  RefSATemplate = 3,
};
constexpr std::string_view TypeNameOf(ERefType) { return "ERefType"; }

class CReportDefData : public virtual Object {
 public:
  using ComponentClass = CReportDefData;
  static constexpr std::string_view kTypeName = "CReportDefData";

  // Creates the object's own, empty general-attribute set.
  CReportDefData();

  // A new report: options from the report defaults of the settings service, the id by its kind.
  void InitNew(const Ref<DocumentType>& ScenarioTypeA, const Ref<DocumentType>& TemplateTypeA,
               const std::string& sAppNameA, const std::string& sEditorNameA,
               std::int32_t ordEntityA, ERefType RefType, std::int32_t ord,
               std::int32_t iChannelNumberA, float iMapRadiusScaleA,
               std::optional<Ref<DocumentType>> ServerGroupTypeA = std::nullopt);

  // An existing report: every value from the caller, then its general attributes loaded, the
  // express flags asked of the document services and the document ids confirmed.
  void InitEdit(std::int32_t ordReportA, std::int32_t ordChanSetA, std::int32_t ordDestinationA,
                std::int32_t ordPageSetupA, std::int32_t ordDTScopeA, std::int32_t ordReportSpecA,
                std::int32_t ordGroupingSpecA, const std::string& sFileNameA,
                const std::string& sEditorNameA, const std::string& sAppNameA,
                std::int32_t ordScenarioA, std::int32_t ordTemplateA,
                const Ref<DocumentType>& ScenarioTypeA, const Ref<DocumentType>& TemplateTypeA,
                std::int32_t ordEntityA, std::int32_t iChannelNumberA, float MapRadiusScaleA,
                const std::string& sTestChansA, const std::string& sEquippedA,
                std::int32_t ordDomainScenarioA, const Ref<ReportSpec>& ReportSpecDataA,
                std::optional<Ref<DocumentType>> ServerGroupTypeA = std::nullopt,
                std::int32_t nServerGroupIdA = 0);

  // Writes the stored ids back into the attached output objects.
  void ResetReferences();

  // The "WebAuto-Organize" attribute of the general-attribute set, "" when it has none.
  std::string WebAutoOrganize() const;

  // Inserts (new report) or updates each attached output object and captures the new ids;
  // ordReport is not used. Returns this object.
  Ref<CReportDefData> SaveSubTableData(std::int32_t ordReport);
  // Saves the report specification's and the page setup's attributes of report ord.
  void SaveReportAttrs(std::int32_t& ord);
  // Rewrites the general attributes of report ord from the object and its output objects.
  void SaveGenReportAttrs(std::int32_t ord);

  // A temporary copy of an express scenario (template) for the current user; 0 for 0, the id
  // itself for a document that is not express.
  std::int32_t CopyExpressScenario(std::int32_t ord);
  std::int32_t CopyExpressTemplate(std::int32_t ord);
  // Deletes an express scenario (template); 0 and ordinary documents are left alone.
  void DeleteExpScenario(std::int32_t& ord);
  void DeleteExpTemplate(std::int32_t& ord);
  // Deletes both temporary copies; the temporary ids are kept.
  void CleanUpExpressDocuments();
  // Confirms the current document ids, or returns to the confirmed ones.
  void UpdateDocumentIds();
  void ResetDocumentIds();

  bool IsNew() const { return isNew_; }
  void IsNew(bool value) { isNew_ = value; }
  std::int32_t ReportId() const { return reportId_; }
  void ReportId(std::int32_t value) { reportId_ = value; }
  std::int32_t ScenarioId() const { return scenarioId_; }
  void ScenarioId(std::int32_t value) { scenarioId_ = value; }
  std::int32_t TemplateID() const { return templateId_; }
  void TemplateID(std::int32_t value) { templateId_ = value; }
  std::int32_t ChanSetID() const { return chanSetId_; }
  void ChanSetID(std::int32_t value) { chanSetId_ = value; }
  std::int32_t DestinationId() const { return destinationId_; }
  void DestinationId(std::int32_t value) { destinationId_ = value; }
  std::int32_t PageSetUpId() const { return pageSetUpId_; }
  void PageSetUpId(std::int32_t value) { pageSetUpId_ = value; }
  std::int32_t DTScopeID() const { return dtScopeId_; }
  void DTScopeID(std::int32_t value) { dtScopeId_ = value; }
  std::int32_t ReportSpecId() const { return reportSpecId_; }
  void ReportSpecId(std::int32_t value) { reportSpecId_ = value; }
  std::int32_t GroupingSpecId() const { return groupingSpecId_; }
  void GroupingSpecId(std::int32_t value) { groupingSpecId_ = value; }
  std::int32_t ChannelNumber() const { return channelNumber_; }
  void ChannelNumber(std::int32_t value) { channelNumber_ = value; }
  float MapRadiusScale() const { return mapRadiusScale_; }
  void MapRadiusScale(float value) { mapRadiusScale_ = value; }
  std::string EquippedOnly() const { return equippedOnly_; }
  void EquippedOnly(const std::string& value) { equippedOnly_ = value; }
  std::string TestChannels() const { return testChannels_; }
  void TestChannels(const std::string& value) { testChannels_ = value; }
  std::string FileName() const { return fileName_; }
  void FileName(const std::string& value) { fileName_ = value; }
  std::int32_t DomainScenarioId() const { return domainScenarioId_; }
  void DomainScenarioId(std::int32_t value) { domainScenarioId_ = value; }
  std::int32_t EntityID() const { return entityId_; }
  void EntityID(std::int32_t value) { entityId_ = value; }
  std::int32_t ServerGroupId() const { return serverGroupId_; }
  void ServerGroupId(std::int32_t value) { serverGroupId_ = value; }
  std::int32_t TempExpScenarioId() const { return tempExpScenarioId_; }
  void TempExpScenarioId(std::int32_t value) { tempExpScenarioId_ = value; }
  std::int32_t TempExpTemplateId() const { return tempExpTemplateId_; }
  void TempExpTemplateId(std::int32_t value) { tempExpTemplateId_ = value; }
  std::int32_t SaveOrigScenarioId() const { return saveOrigScenarioId_; }
  std::int32_t SaveOrigTemplateId() const { return saveOrigTemplateId_; }
  bool IsScenarioExpress() const { return isScenarioExpress_; }
  void IsScenarioExpress(bool value) { isScenarioExpress_ = value; }
  bool IsTemplateExpress() const { return isTemplateExpress_; }
  void IsTemplateExpress(bool value) { isTemplateExpress_ = value; }
  bool IncludeInactive() const { return includeInactive_; }
  void IncludeInactive(bool value) { includeInactive_ = value; }
  std::string ExpressType() const { return expressType_; }
  void ExpressType(const std::string& value) { expressType_ = value; }
  std::string EditorName() const { return editorName_; }
  void EditorName(const std::string& value) { editorName_ = value; }
  std::string AppName() const { return appName_; }
  void AppName(const std::string& value) { appName_ = value; }

  Ref<DocumentType> ServerGroupType() const { return serverGroupType_; }
  void ServerGroupType(Ref<DocumentType> value) { serverGroupType_ = std::move(value); }
  Ref<DocumentType> ScenarioType() const { return scenarioType_; }
  void ScenarioType(Ref<DocumentType> value) { scenarioType_ = std::move(value); }
  Ref<DocumentType> TemplateType() const { return templateType_; }
  void TemplateType(Ref<DocumentType> value) { templateType_ = std::move(value); }
  Ref<GeneralAttributes> GenAttributes() const { return genAttributes_; }
  // The output objects the tabs attach; only the report specification can be read back.
  void DTScopeData(Ref<DateTimeScope> value) { dtScopeData_ = std::move(value); }
  Ref<ReportSpec> ReportSpecData() const { return reportSpecData_; }
  void ReportSpecData(Ref<ReportSpec> value) { reportSpecData_ = std::move(value); }
  void PageSetupData(Ref<PageSetup> value) { pageSetupData_ = std::move(value); }
  void DestinationData(Ref<Destination> value) { destinationData_ = std::move(value); }

 protected:
  // Releases the attached output objects in a fixed order: date-time scope, report
  // specification, page setup, destination.
  ~CReportDefData() override;

 private:
  // Resets IncludeInactive and ExpressType, then reads them (and the destination's web
  // auto-organize setting) from the stored general attributes of the report.
  void LoadGenReportAttrs(std::int32_t reportId);

  bool isNew_ = false;
  std::int32_t reportId_ = 0;
  std::int32_t scenarioId_ = 0;
  std::int32_t templateId_ = 0;
  std::int32_t chanSetId_ = 0;
  std::int32_t destinationId_ = 0;
  std::int32_t pageSetUpId_ = 0;
  std::int32_t dtScopeId_ = 0;
  std::int32_t reportSpecId_ = 0;
  std::int32_t groupingSpecId_ = 0;
  std::int32_t channelNumber_ = 0;
  float mapRadiusScale_ = 0;
  std::string equippedOnly_;
  std::string testChannels_;
  std::string fileName_;
  std::int32_t domainScenarioId_ = 0;
  std::int32_t entityId_ = 0;
  std::int32_t serverGroupId_ = 0;
  std::int32_t tempExpScenarioId_ = 0;
  std::int32_t tempExpTemplateId_ = 0;
  std::int32_t saveOrigScenarioId_ = 0;
  std::int32_t saveOrigTemplateId_ = 0;
  bool isScenarioExpress_ = false;
  bool isTemplateExpress_ = false;
  bool includeInactive_ = false;
  std::string expressType_;
  std::string editorName_;
  std::string appName_;
  Ref<DocumentType> serverGroupType_;
  Ref<DocumentType> scenarioType_;
  Ref<DocumentType> templateType_;
  Ref<GeneralAttributes> genAttributes_;
  Ref<DateTimeScope> dtScopeData_;
  Ref<ReportSpec> reportSpecData_;
  Ref<PageSetup> pageSetupData_;
  Ref<Destination> destinationData_;
};

}  // namespace plexion
