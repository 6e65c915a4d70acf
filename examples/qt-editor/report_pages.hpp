// The pages of the report tabs: general (plain, express or enterprise), destination, report
// type, date-time scope and format. The general page edits the report definition's properties
// by name; the others edit the output objects the report definition holds.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "report_document.hpp"
#include "tab_page.hpp"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QFormLayout;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qt_editor {

// Which general tab: the plain one, the express one (the report's express options and
// temporary copies of its express documents) or enterprise mode's (its server group).
enum class GeneralTab { Plain, Express, Enterprise };

class ReportGeneralPage final : public TabPage {
  Q_OBJECT
 public:
  ReportGeneralPage(ReportDocument& document, GeneralTab tab);
  void LoadState() override;
  bool IsTabValid(const std::string& sMsgBoxTitle) override;
  void SaveData() override;

 private:
  void BuildExpressFields(QFormLayout* form);
  void ShowExpressState();
  void UseExpressCopy(ExpressDocument which);
  QSpinBox* NumberBox(std::string_view property) const;

  ReportDocument& report_;
  QLineEdit* name_;
  QLineEdit* fileName_;
  // The report definition's numbers and Y/N options, by property name.
  std::vector<std::pair<std::string_view, QSpinBox*>> numbers_;
  std::vector<std::pair<std::string_view, QComboBox*>> options_;
  // The express tab's.
  QCheckBox* includeInactive_ = nullptr;
  QLineEdit* expressType_ = nullptr;
  QLabel* express_ = nullptr;
  QPushButton* copyScenario_ = nullptr;
  QPushButton* copyTemplate_ = nullptr;
};

// Where the report's output goes (the destination object).
class DestinationPage final : public TabPage {
  Q_OBJECT
 public:
  explicit DestinationPage(ReportDocument& document);
  void LoadState() override;
  void SaveData() override;

 private:
  ReportDocument& report_;
  QComboBox* kind_;
  QLineEdit* target_;
  QComboBox* format_;
  QComboBox* webAutoOrganize_;
};

// The kind of report and its grouping (the report specification). A change of kind is told
// to the other tabs through the hub (NotifyReportTypeChange).
class ReportTypePage final : public TabPage {
  Q_OBJECT
 public:
  explicit ReportTypePage(ReportDocument& document);
  void LoadState() override;
  void SaveData() override;

 private:
  ReportDocument& report_;
  QSpinBox* specKind_;
  QSpinBox* groupingSpec_;
};

// The period the report covers: the last N units, or a fixed span (the date-time scope).
class DateTimeScopePage final : public TabPage {
  Q_OBJECT
 public:
  explicit DateTimeScopePage(ReportDocument& document);
  void LoadState() override;
  bool IsTabValid(const std::string& sMsgBoxTitle) override;
  void SaveData() override;

 private:
  void ShowMode();

  ReportDocument& report_;
  QRadioButton* relative_;
  QRadioButton* fixed_;
  QSpinBox* count_;
  QComboBox* unit_;
  QDateTimeEdit* start_;
  QDateTimeEdit* end_;
};

// The page's header and footer and whether the control information is left off (the page
// setup); it names the kind of report it formats, following the report type tab.
class FormatPage final : public TabPage {
  Q_OBJECT
 public:
  explicit FormatPage(ReportDocument& document);
  void LoadState() override;
  void SaveData() override;
  void ReportTypeChange(const std::string& reportType) override;
  QString KindShown() const;

 private:
  ReportDocument& report_;
  QLabel* kind_;
  QLineEdit* headNote_;
  QLineEdit* footNote_;
  QCheckBox* removeControlInfo_;
};

}  // namespace qt_editor
