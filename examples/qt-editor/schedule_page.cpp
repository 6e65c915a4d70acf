// The schedule tab.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <plexion/platform/convert.hpp>

#include "page_helpers.hpp"
#include "recurrence.hpp"
#include "schedule_pages.hpp"

namespace qt_editor {

using namespace plexion;

SchedulePage::SchedulePage(ScheduleDocument& document)
    : TabPage(document),
      schedule_(document),
      runMode_(new QButtonGroup(this)),
      periodicity_(new QComboBox),
      frequency_(new QSpinBox) {
  auto* immediate = new QRadioButton("Immediate");
  auto* scheduled = new QRadioButton("Scheduled");
  immediate->setObjectName("RunMode.I");
  scheduled->setObjectName("RunMode.S");
  runMode_->addButton(immediate);
  runMode_->addButton(scheduled);
  auto* modes = new QHBoxLayout;
  modes->addWidget(immediate);
  modes->addWidget(scheduled);
  modes->addStretch(1);

  const bool softAlarm = document.Kind() == ScheduleKind::SoftAlarm;
  periodicity_->setObjectName("Periodicity");
  for (const Periodicity& p : kPeriodicities)
    if (softAlarm || !p.softAlarmOnly)
      periodicity_->addItem(ToQString(std::string(p.label) + " (" + std::string(p.code) + ")"),
                            ToQString(p.code));
  frequency_->setObjectName("Frequency");
  frequency_->setRange(1, 9999);

  auto* days = new QGroupBox("Runs may fall on");
  auto* dayGrid = new QGridLayout(days);
  int weekday = 0, other = 0;
  for (const RunDay& day : kRunDays) {
    auto* box = new QCheckBox(ToQString(day.label));
    box->setObjectName(ToQString(day.property));
    days_[day.property] = box;
    if (day.weekday) dayGrid->addWidget(box, 0, weekday++);
    else dayGrid->addWidget(box, 1, other++ * 3, 1, 3);
    connect(box, &QCheckBox::toggled, this,
            [this, property = day.property](bool on) { ReportChange(property, YesNo(on)); });
  }

  auto* form = NewForm();
  form->addRow("Run mode:", modes);
  form->addRow("Periodicity:", periodicity_);
  form->addRow("Every:", frequency_);
  QVBoxLayout* column = Column();
  column->insertLayout(0, form);
  column->insertWidget(1, days);
  if (document.Hours()) column->insertWidget(2, BuildHourGrid());

  connect(runMode_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
    if (on) ReportChange("RunMode", RunModeCode());
  });
  connect(periodicity_, &QComboBox::currentIndexChanged, this, [this] {
    ShowFrequencyUnit();
    ReportChange("Periodicity", ToStdString(periodicity_->currentData().toString()));
  });
  connect(frequency_, &QSpinBox::valueChanged, this,
          [this](int value) { ReportChange("Frequency", std::int32_t(value)); });
}

QWidget* SchedulePage::BuildHourGrid() {
  auto* group = new QGroupBox("Excluded hours (no run starts in a checked hour)");
  auto* grid = new QGridLayout(group);
  const std::int32_t slots = schedule_.Hours()->SlotCount();
  for (std::int32_t hour = 0; hour < slots; ++hour) {
    auto* box = new QCheckBox(QString("%1:00").arg(hour, 2, 10, QChar('0')));
    box->setObjectName(QString("hour%1").arg(hour));
    grid->addWidget(box, hour / 6, hour % 6);
    hours_.push_back(box);
    connect(box, &QCheckBox::toggled, this,
            [this] { ReportChange("ExcludedHours", ExcludedHours()); });
  }
  return group;
}

void SchedulePage::ShowFrequencyUnit() {
  const Periodicity* p = FindPeriodicity(ToStdString(periodicity_->currentData().toString()));
  frequency_->setSuffix(p && !p->unit.empty() ? ToQString(" " + std::string(p->unit) + "(s)") : "");
  frequency_->setEnabled(!p || !p->unit.empty());  // a data load comes when it comes
}

std::string SchedulePage::RunModeCode() const {
  QAbstractButton* checked = runMode_->checkedButton();
  return checked ? ToStdString(checked->objectName().section('.', 1)) : std::string();
}

std::string SchedulePage::ExcludedHours() const {
  std::string text;
  for (std::size_t hour = 0; hour < hours_.size(); ++hour)
    if (hours_[hour]->isChecked()) text += (text.empty() ? "" : ", ") + std::to_string(hour);
  return text.empty() ? "none" : text;
}

void SchedulePage::LoadState() {
  filling_ = true;
  const std::string mode = ToString(Get("RunMode"));
  for (QAbstractButton* button : runMode_->buttons())
    button->setChecked(ToStdString(button->objectName().section('.', 1)) == mode);
  // A code this editor has no name for stays selectable, so that saving keeps it.
  const std::string code = ToString(Get("Periodicity"));
  if (periodicity_->findData(ToQString(code)) < 0)
    periodicity_->addItem(ToQString("Stored code \"" + code + "\""), ToQString(code));
  periodicity_->setCurrentIndex(periodicity_->findData(ToQString(code)));
  ShowFrequencyUnit();
  frequency_->setValue(ToInt32(Get("Frequency")));
  for (auto& [property, box] : days_) box->setChecked(ToString(Get(property)) == "Y");
  for (std::size_t hour = 0; hour < hours_.size(); ++hour)
    hours_[hour]->setChecked(schedule_.Hours()->Excluded(std::int32_t(hour) + 1));
  filling_ = false;
}

bool SchedulePage::IsTabValid(const std::string&) {
  bool anyWeekday = false;
  for (const RunDay& day : kRunDays)
    anyWeekday |= day.weekday && days_.at(day.property)->isChecked();
  bool anyHour = hours_.empty();
  for (QCheckBox* hour : hours_) anyHour |= !hour->isChecked();
  if (!anyWeekday) return ShowProblem("Pick at least one weekday on which a run may fall.");
  if (!anyHour) return ShowProblem("Every hour is excluded: the schedule could never run.");
  return ShowProblem("");
}

void SchedulePage::SaveData() {
  // A run mode the editor has no button for (none checked) is kept as stored.
  if (!RunModeCode().empty()) Let("RunMode", RunModeCode());
  Let("Periodicity", ToStdString(periodicity_->currentData().toString()));
  Let("Frequency", std::int32_t(frequency_->value()));
  for (auto& [property, box] : days_) Let(property, YesNo(box->isChecked()));
  for (std::size_t hour = 0; hour < hours_.size(); ++hour)
    schedule_.Hours()->Excluded(std::int32_t(hour) + 1, hours_[hour]->isChecked());
}

}  // namespace qt_editor
