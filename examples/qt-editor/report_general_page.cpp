// The report's general tab: its name, documents, options and, on the express tab, its express
// options and temporary copies.
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <plexion/platform/convert.hpp>

#include "page_helpers.hpp"
#include "report_pages.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

struct NumberField {
  std::string_view property, label;
  bool enterpriseOnly;
};
constexpr NumberField kNumberFields[] = {
    {"ScenarioId", "Scenario:", false},
    {"TemplateID", "Template:", false},
    {"DomainScenarioId", "Domain scenario:", false},
    {"EntityID", "Entity:", false},
    {"ChannelNumber", "Channel number:", false},
    {"ServerGroupId", "Server group:", true},
};

struct OptionField {
  std::string_view property, label;
};
constexpr OptionField kOptionFields[] = {
    {"EquippedOnly", "Equipped channels only:"},
    {"TestChannels", "Test channels:"},
};

// "Y" or "N"; a stored text of another kind stays selectable, so that saving keeps it.
void ShowOption(QComboBox* box, const std::string& value) {
  if (box->findData(ToQString(value)) < 0)
    box->addItem("Stored value \"" + ToQString(value) + "\"", ToQString(value));
  box->setCurrentIndex(box->findData(ToQString(value)));
}

}  // namespace

ReportGeneralPage::ReportGeneralPage(ReportDocument& document, GeneralTab tab)
    : TabPage(document), report_(document), name_(new QLineEdit), fileName_(new QLineEdit) {
  name_->setObjectName("name");
  fileName_->setObjectName("FileName");
  name_->setMinimumWidth(320);
  fileName_->setMinimumWidth(320);
  auto* form = NewForm();
  form->addRow("Name:", name_);
  form->addRow("Application:", new QLabel(ToQString(document.AppName())));
  for (const NumberField& field : kNumberFields) {
    if (field.enterpriseOnly && tab != GeneralTab::Enterprise) continue;
    auto* box = new QSpinBox;
    box->setObjectName(ToQString(field.property));
    box->setRange(0, 999999);
    numbers_.emplace_back(field.property, box);
    form->addRow(ToQString(field.label), box);
    connect(box, &QSpinBox::valueChanged, this, [this, property = field.property](int value) {
      ReportChange(property, std::int32_t(value));
    });
  }
  form->addRow("Output file:", fileName_);
  for (const OptionField& field : kOptionFields) {
    auto* box = new QComboBox;
    box->setObjectName(ToQString(field.property));
    box->addItem("Yes", "Y");
    box->addItem("No", "N");
    options_.emplace_back(field.property, box);
    form->addRow(ToQString(field.label), box);
    connect(box, &QComboBox::currentIndexChanged, this, [this, box, property = field.property] {
      ReportChange(property, ToStdString(box->currentData().toString()));
    });
  }
  if (tab == GeneralTab::Express) BuildExpressFields(form);
  Column()->insertLayout(0, form);

  connect(name_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ReportChange("Name", ToStdString(text)); });
  connect(fileName_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ReportChange("FileName", ToStdString(text)); });
}

void ReportGeneralPage::BuildExpressFields(QFormLayout* form) {
  includeInactive_ = new QCheckBox("Include inactive entities");
  includeInactive_->setObjectName("IncludeInactive");
  expressType_ = new QLineEdit;
  expressType_->setObjectName("ExpressType");
  express_ = new QLabel;
  express_->setObjectName("express");
  express_->setWordWrap(true);
  copyScenario_ = new QPushButton("Work on a copy of the scenario");
  copyTemplate_ = new QPushButton("Work on a copy of the template");
  copyScenario_->setObjectName("copyScenario");
  copyTemplate_->setObjectName("copyTemplate");
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(copyScenario_);
  buttons->addWidget(copyTemplate_);
  form->addRow("", includeInactive_);
  form->addRow("Express type:", expressType_);
  form->addRow(express_);
  form->addRow(buttons);
  connect(includeInactive_, &QCheckBox::toggled, this,
          [this](bool on) { ReportChange("IncludeInactive", on); });
  connect(expressType_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ReportChange("ExpressType", ToStdString(text)); });
  connect(copyScenario_, &QPushButton::clicked, this,
          [this] { UseExpressCopy(ExpressDocument::Scenario); });
  connect(copyTemplate_, &QPushButton::clicked, this,
          [this] { UseExpressCopy(ExpressDocument::Template); });
}

void ReportGeneralPage::LoadState() {
  filling_ = true;
  name_->setText(ToQString(report_.Name()));
  fileName_->setText(ToQString(ToString(Get("FileName"))));
  for (auto& [property, box] : numbers_) box->setValue(ToInt32(Get(property)));
  for (auto& [property, box] : options_) ShowOption(box, ToString(Get(property)));
  if (includeInactive_) {
    includeInactive_->setChecked(ToBool(Get("IncludeInactive")));
    expressType_->setText(ToQString(ToString(Get("ExpressType"))));
    ShowExpressState();
  }
  filling_ = false;
}

bool ReportGeneralPage::IsTabValid(const std::string&) {
  if (name_->text().trimmed().isEmpty()) return ShowProblem("Give the report a name.");
  return ShowProblem("");
}

void ReportGeneralPage::SaveData() {
  report_.Name(ToStdString(name_->text().trimmed()));
  Let("FileName", ToStdString(fileName_->text()));
  for (auto& [property, box] : numbers_) Let(property, std::int32_t(box->value()));
  for (auto& [property, box] : options_) Let(property, ToStdString(box->currentData().toString()));
  if (includeInactive_) {
    Let("IncludeInactive", includeInactive_->isChecked());
    Let("ExpressType", ToStdString(expressType_->text()));
  }
  report_.RefreshExpressFlags();
}

QSpinBox* ReportGeneralPage::NumberBox(std::string_view property) const {
  for (const auto& [name, box] : numbers_)
    if (name == property) return box;
  return nullptr;
}

void ReportGeneralPage::ShowExpressState() {
  const CReportDefData& r = report_.Report();
  auto describe = [](const char* kind, std::int32_t id, bool express, std::int32_t copyId) {
    QString text =
        QString("%1 %2 is %3").arg(kind).arg(id).arg(express ? "express" : "not express");
    if (copyId != 0 && copyId == id) text += " (a temporary copy made for this report)";
    return text;
  };
  express_->setText(
      describe("Scenario", r.ScenarioId(), r.IsScenarioExpress(), r.TempExpScenarioId()) + "; " +
      describe("template", r.TemplateID(), r.IsTemplateExpress(), r.TempExpTemplateId()) +
      ". The express options are stored while the scenario is express.");
  copyScenario_->setEnabled(r.IsScenarioExpress());
  copyTemplate_->setEnabled(r.IsTemplateExpress());
}

void ReportGeneralPage::UseExpressCopy(ExpressDocument which) {
  const bool scenario = which == ExpressDocument::Scenario;
  QSpinBox* field = NumberBox(scenario ? "ScenarioId" : "TemplateID");
  try {
    // The copy is of the document the tab shows now.
    Let(scenario ? "ScenarioId" : "TemplateID", std::int32_t(field->value()));
    report_.RefreshExpressFlags();
    if (const std::int32_t copy = report_.WorkOnExpressCopy(which)) {
      field->setValue(copy);  // reports the change
      report_.RefreshExpressFlags();
    }
    ShowProblem("");
  } catch (const Error& e) {
    ShowProblem("No copy made: " + ToQString(e.description()));
  }
  ShowExpressState();
}

}  // namespace qt_editor
