// The scenario override tab.
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include <plexion/platform/convert.hpp>

#include "page_helpers.hpp"
#include "schedule_pages.hpp"

namespace qt_editor {

using namespace plexion;

ScenarioPage::ScenarioPage(ScheduleDocument& document)
    : TabPage(document),
      override_(new QCheckBox("Override the report group's scenario")),
      scenario_(new QSpinBox),
      note_(new QLabel) {
  override_->setObjectName("override");
  scenario_->setObjectName("OvrScenarioId");
  scenario_->setRange(1, 999999);
  note_->setWordWrap(true);
  auto* form = NewForm();
  form->addRow("", override_);
  form->addRow("Scenario id:", scenario_);
  form->addRow("", note_);
  Column()->insertLayout(0, form);

  auto report = [this] {
    ShowState();
    ReportChange("OvrScenarioId", std::int32_t(override_->isChecked() ? scenario_->value() : 0));
  };
  connect(override_, &QCheckBox::toggled, this, report);
  connect(scenario_, &QSpinBox::valueChanged, this, report);
}

void ScenarioPage::LoadState() {
  filling_ = true;
  const std::int32_t id = ToInt32(Get("OvrScenarioId"));
  override_->setChecked(id != 0);
  scenario_->setValue(id != 0 ? id : 1);
  ShowState();
  filling_ = false;
}

void ScenarioPage::SaveData() {
  if (allowed_) Let("OvrScenarioId", std::int32_t(override_->isChecked() ? scenario_->value() : 0));
}

void ScenarioPage::InitComplete() {
  // The question goes through the hub; the editor answers in the same variable.
  std::string name = TabName();
  bool allowed = false;
  hub_->NotifyTabOverride(name, allowed);
  allowed_ = allowed;
  ShowState();
}

void ScenarioPage::ShowState() {
  override_->setEnabled(allowed_);
  scenario_->setEnabled(allowed_ && override_->isChecked());
  note_->setText(allowed_ ? "Runs of this schedule use this scenario instead of the report "
                            "group's own."
                          : "The editor does not let this tab override the scenario.");
}

}  // namespace qt_editor
