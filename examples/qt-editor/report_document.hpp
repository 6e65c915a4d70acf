// One open report definition: the CReportDefData, the output objects its tabs edit (report
// specification, page setup, date-time scope, destination), the report's row and its saving.
#pragma once

#include <cstdint>
#include <string>

#include <plexion/backends/output/report_outputs.hpp>
#include <plexion/backends/output/schedule_outputs.hpp>
#include <plexion/reportdef/report_def_data.hpp>

#include "document.hpp"

namespace qt_editor {

// The two kinds of document a report refers to that may be express documents.
enum class ExpressDocument { Scenario, Template };

class ReportDocument final : public Document {
 public:
  // A stored report: its output objects loaded from their rows, then InitEdit with the values
  // of its row in rpt_report. An id without a row raises the record set's error (3021).
  explicit ReportDocument(std::int32_t id);
  // A new report of an application on a scenario: InitNew (options from the report defaults),
  // with new, empty output objects.
  ReportDocument(const std::string& appName, std::int32_t scenarioId);
  ~ReportDocument() override;

  DocumentKey Key() const override;
  std::string AppName() const override;
  plexion::Ref<plexion::Object> DataObject() const override { return report_; }

  plexion::CReportDefData& Report() const { return *report_; }
  plexion::backends::SqlReportSpec& Spec() const { return *spec_; }
  plexion::backends::SqlPageSetup& PageSetup() const { return *pageSetup_; }
  plexion::backends::DbDateTimeScope& Scope() const { return *scope_; }
  plexion::backends::DbDestination& Destination() const { return *destination_; }
  // The report's name, a column of its row.
  const std::string& Name() const { return name_; }
  void Name(const std::string& name) { name_ = name; }

  // Asks the document services whether the scenario and the template now chosen are express
  // documents.
  void RefreshExpressFlags();
  // Points the report at a temporary copy of its express scenario (template) made for this
  // user; the copy becomes the report's own when the report is saved, and goes when it is
  // closed unsaved. Answers the copy's id, or 0 when the document is not express.
  std::int32_t WorkOnExpressCopy(ExpressDocument which);

  // The output objects, the report row and the report's attributes, as one whole save.
  std::string Save() override;
  // Back to the confirmed scenario and template; the temporary copies are deleted.
  void Discard() override;

 private:
  struct SavedIds;
  SavedIds IdsBeforeSave() const;
  void RestoreIds(const SavedIds& ids);
  void AttachOutputs();
  void InsertMissingOutputs();
  std::int32_t NextReportId() const;
  void WriteReportRow(std::int32_t id);

  plexion::Ref<plexion::CReportDefData> report_;
  plexion::Ref<plexion::backends::SqlReportSpec> spec_;
  plexion::Ref<plexion::backends::SqlPageSetup> pageSetup_;
  plexion::Ref<plexion::backends::DbDateTimeScope> scope_;
  plexion::Ref<plexion::backends::DbDestination> destination_;
  std::string name_;
};

}  // namespace qt_editor
