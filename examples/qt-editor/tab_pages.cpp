#include "tab_pages.hpp"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <plexion/platform/convert.hpp>

#include "properties.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

// The recurrence units. The library only stores the letter: "H" is a new schedule's, "N" links
// a soft-alarm schedule to the data-load event; "D", "W" and "M" are the client's other units.
struct Periodicity {
  std::string_view code, label, unit;
  bool softAlarmOnly;
};
constexpr Periodicity kPeriodicities[] = {
    {"H", "Hourly", "hour", false},       {"D", "Daily", "day", false},
    {"W", "Weekly", "week", false},       {"M", "Monthly", "month", false},
    {"N", "On each data load", "", true},
};

const Periodicity* FindPeriodicity(const std::string& code) {
  for (const Periodicity& p : kPeriodicities)
    if (p.code == code) return &p;
  return nullptr;
}

// The days a run may fall on: the seven weekdays, then holidays and the day after one.
struct Day {
  std::string_view property, label;
  bool weekday;
};
constexpr Day kDays[] = {
    {"IncludeMondays", "Mon", true},
    {"IncludeTuesdays", "Tue", true},
    {"IncludeWednesdays", "Wed", true},
    {"IncludeThursdays", "Thu", true},
    {"IncludeFridays", "Fri", true},
    {"IncludeSaturdays", "Sat", true},
    {"IncludeSundays", "Sun", true},
    {"IncludeHolidays", "Holidays", false},
    {"IncludeDayAfterHol", "Day after a holiday", false},
};

// What the general tab's summary follows; "ExcludedHours" is the schedule tab's own name for
// the hour grid.
constexpr std::string_view kRecurrenceProperties[] = {"RunMode", "Periodicity", "Frequency",
                                                      "ExcludedHours"};

// A form whose fields keep their natural width.
QFormLayout* NewForm() {
  auto* form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  return form;
}

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }
std::string S(const QString& text) { return text.toStdString(); }
std::string Flag(bool on) { return on ? "Y" : "N"; }

QDateTime ToQDateTime(DateTime value) {
  const CivilDateTime c = value.ToCivil();
  return QDateTime(QDate(c.year, c.month, c.day), QTime(c.hour, c.minute, c.second));
}

DateTime FromQDateTime(const QDateTime& value) {
  const QDate d = value.date();
  const QTime t = value.time();
  return DateTime::FromParts(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

// "Scheduled, every 2 hours on Mon, Tue, Wed, Thu, Fri; not in hours 0, 23".
std::string RecurrenceSummary(const std::map<std::string, std::string>& fields) {
  auto field = [&](const std::string& name) {
    auto it = fields.find(name);
    return it == fields.end() ? std::string() : it->second;
  };
  std::string text = field("RunMode") == "I" ? "Immediate run" : "Scheduled";
  const Periodicity* unit = FindPeriodicity(field("Periodicity"));
  if (!unit) {
    text += ", periodicity \"" + field("Periodicity") + "\"";
  } else if (unit->unit.empty()) {
    text += ", on each data load";
  } else {
    const std::string every = field("Frequency");
    text += ", every " +
            (every == "1" ? std::string(unit->unit) : every + " " + std::string(unit->unit) + "s");
  }
  std::string days;
  int count = 0;
  for (const Day& day : kDays)
    if (day.weekday && field(std::string(day.property)) == "Y") {
      days += (days.empty() ? "" : ", ") + std::string(day.label);
      ++count;
    }
  if (count < 7) text += days.empty() ? " on no weekday" : " on " + days;
  const std::string hours = field("ExcludedHours");
  if (!hours.empty() && hours != "none") text += "; not in hours " + hours;
  return text;
}

}  // namespace

// ---- TabPage

TabPage::TabPage(ScheduleDocument& document) : document_(document), problem_(new QLabel(this)) {
  problem_->setObjectName("problem");
  problem_->setStyleSheet("color: #b00020");
  problem_->setWordWrap(true);
  problem_->hide();
  auto* layout = new QVBoxLayout(this);
  layout->addStretch(1);
  layout->addWidget(problem_);
}

void TabPage::LoadData(const Variant&, const std::string& sName, Ref<CPlexionNotify> dtN) {
  name_ = sName;
  hub_ = std::move(dtN);
}

bool TabPage::IsTabValid(const std::string&) { return true; }

void TabPage::TabShow(const std::string& name) { shown_ = name == name_; }

void TabPage::FormChange(const std::string&, const std::string&, const Variant&) {}

void TabPage::ReportChange(std::string_view property, const Variant& value) {
  if (filling_ || !hub_) return;
  hub_->NotifyFormChange(name_, std::string(property), value);
}

Variant TabPage::Get(std::string_view property) const {
  return GetProperty(*document_.Data(), property);
}

void TabPage::Let(std::string_view property, const Variant& value) {
  LetProperty(*document_.Data(), property, value);
}

bool TabPage::ShowProblem(const QString& problem) {
  problem_->setText(problem);
  problem_->setVisible(!problem.isEmpty());
  return problem.isEmpty();
}

// ---- GeneralPage

GeneralPage::GeneralPage(ScheduleDocument& document)
    : TabPage(document),
      reportGroup_(new QLabel),
      active_(new QCheckBox("Active")),
      subFolder_(new QLineEdit),
      firstRun_(new QDateTimeEdit),
      finalRun_(new QDateTimeEdit),
      summary_(new QLabel) {
  active_->setObjectName("ScheduleActive");
  subFolder_->setObjectName("SubFolderName");
  firstRun_->setObjectName("FirstDateTime");
  finalRun_->setObjectName("FinalDateTime");
  summary_->setObjectName("summary");
  summary_->setWordWrap(true);
  subFolder_->setMinimumWidth(320);
  for (QDateTimeEdit* edit : {firstRun_, finalRun_}) {
    edit->setDisplayFormat("M/d/yyyy h:mm AP");
    edit->setCalendarPopup(true);
  }
  firstRun_->setEnabled(document.FirstRunEditable());
  if (!document.FirstRunEditable())
    firstRun_->setToolTip("The first run in the schedule's own time-zone region (read only)");

  auto* form = NewForm();
  form->addRow("Report group:", reportGroup_);
  form->addRow("", active_);
  form->addRow("Results sub-folder:", subFolder_);
  form->addRow("First run:", firstRun_);
  form->addRow("Last possible run:", finalRun_);
  form->addRow("Recurrence:", summary_);
  static_cast<QVBoxLayout*>(layout())->insertLayout(0, form);

  connect(active_, &QCheckBox::toggled, this,
          [this](bool on) { ReportChange("ScheduleActive", Flag(on)); });
  connect(subFolder_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ReportChange("SubFolderName", S(text)); });
  connect(firstRun_, &QDateTimeEdit::dateTimeChanged, this,
          [this](const QDateTime& value) { ReportChange("FirstDateTime", FromQDateTime(value)); });
  connect(finalRun_, &QDateTimeEdit::dateTimeChanged, this,
          [this](const QDateTime& value) { ReportChange("FinalDateTime", FromQDateTime(value)); });
}

void GeneralPage::LoadState() {
  filling_ = true;
  reportGroup_->setText(Q(ToString(Get("RptGrpID"))));
  active_->setChecked(ToString(Get("ScheduleActive")) == "Y");
  subFolder_->setText(Q(ToString(Get("SubFolderName"))));
  firstRun_->setDateTime(ToQDateTime(ToDate(Get("FirstDateTime"))));
  finalRun_->setDateTime(ToQDateTime(ToDate(Get("FinalDateTime"))));
  for (std::string_view property : kRecurrenceProperties)
    if (property != "ExcludedHours") recurrence_[std::string(property)] = ToString(Get(property));
  for (const Day& day : kDays) recurrence_[std::string(day.property)] = ToString(Get(day.property));
  if (document_.Hours()) recurrence_["ExcludedHours"] = ExcludedHoursText(*document_.Hours());
  ShowSummary();
  filling_ = false;
}

bool GeneralPage::IsTabValid(const std::string&) {
  return ShowProblem(finalRun_->dateTime() < firstRun_->dateTime()
                         ? "The last possible run comes before the first run."
                         : "");
}

void GeneralPage::SaveData() {
  Let("ScheduleActive", Flag(active_->isChecked()));
  Let("SubFolderName", S(subFolder_->text()));
  if (document_.FirstRunEditable()) Let("FirstDateTime", FromQDateTime(firstRun_->dateTime()));
  Let("FinalDateTime", FromQDateTime(finalRun_->dateTime()));
}

void GeneralPage::FormChange(const std::string&, const std::string& property,
                             const Variant& value) {
  if (!recurrence_.contains(property)) return;
  recurrence_[property] = ToString(value);
  ShowSummary();
}

QString GeneralPage::Summary() const { return summary_->text(); }

void GeneralPage::ShowSummary() { summary_->setText(Q(RecurrenceSummary(recurrence_))); }

// ---- SchedulePage

SchedulePage::SchedulePage(ScheduleDocument& document)
    : TabPage(document),
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
      periodicity_->addItem(Q(std::string(p.label) + " (" + std::string(p.code) + ")"), Q(p.code));
  frequency_->setObjectName("Frequency");
  frequency_->setRange(1, 9999);

  auto* days = new QGroupBox("Runs may fall on");
  auto* dayGrid = new QGridLayout(days);
  int weekday = 0, other = 0;
  for (const Day& day : kDays) {
    auto* box = new QCheckBox(Q(day.label));
    box->setObjectName(Q(day.property));
    days_[day.property] = box;
    if (day.weekday) dayGrid->addWidget(box, 0, weekday++);
    else dayGrid->addWidget(box, 1, other++ * 3, 1, 3);
    connect(box, &QCheckBox::toggled, this,
            [this, property = day.property](bool on) { ReportChange(property, Flag(on)); });
  }

  auto* form = NewForm();
  form->addRow("Run mode:", modes);
  form->addRow("Periodicity:", periodicity_);
  form->addRow("Every:", frequency_);
  auto* column = static_cast<QVBoxLayout*>(layout());
  column->insertLayout(0, form);
  column->insertWidget(1, days);
  if (document.Hours()) column->insertWidget(2, BuildHourGrid());

  connect(runMode_, &QButtonGroup::buttonToggled, this, [this](QAbstractButton*, bool on) {
    if (on) ReportChange("RunMode", RunModeCode());
  });
  connect(periodicity_, &QComboBox::currentIndexChanged, this, [this] {
    ShowFrequencyUnit();
    ReportChange("Periodicity", S(periodicity_->currentData().toString()));
  });
  connect(frequency_, &QSpinBox::valueChanged, this,
          [this](int value) { ReportChange("Frequency", std::int32_t(value)); });
}

QWidget* SchedulePage::BuildHourGrid() {
  auto* group = new QGroupBox("Excluded hours (no run starts in a checked hour)");
  auto* grid = new QGridLayout(group);
  const std::int32_t slots = document_.Hours()->SlotCount();
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
  const Periodicity* p = FindPeriodicity(S(periodicity_->currentData().toString()));
  frequency_->setSuffix(p && !p->unit.empty() ? Q(" " + std::string(p->unit) + "(s)") : "");
  frequency_->setEnabled(!p || !p->unit.empty());  // a data load comes when it comes
}

std::string SchedulePage::RunModeCode() const {
  QAbstractButton* checked = runMode_->checkedButton();
  return checked ? S(checked->objectName().section('.', 1)) : std::string();
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
    button->setChecked(S(button->objectName().section('.', 1)) == mode);
  // A code this editor has no name for stays selectable, so that saving keeps it.
  const std::string code = ToString(Get("Periodicity"));
  if (periodicity_->findData(Q(code)) < 0)
    periodicity_->addItem(Q("Stored code \"" + code + "\""), Q(code));
  periodicity_->setCurrentIndex(periodicity_->findData(Q(code)));
  ShowFrequencyUnit();
  frequency_->setValue(ToInt32(Get("Frequency")));
  for (auto& [property, box] : days_) box->setChecked(ToString(Get(property)) == "Y");
  for (std::size_t hour = 0; hour < hours_.size(); ++hour)
    hours_[hour]->setChecked(document_.Hours()->Excluded(std::int32_t(hour) + 1));
  filling_ = false;
}

bool SchedulePage::IsTabValid(const std::string&) {
  bool anyWeekday = false;
  for (const Day& day : kDays) anyWeekday |= day.weekday && days_.at(day.property)->isChecked();
  bool anyHour = hours_.empty();
  for (QCheckBox* hour : hours_) anyHour |= !hour->isChecked();
  if (!anyWeekday) return ShowProblem("Pick at least one weekday on which a run may fall.");
  if (!anyHour) return ShowProblem("Every hour is excluded: the schedule could never run.");
  return ShowProblem("");
}

void SchedulePage::SaveData() {
  // A run mode the editor has no button for (none checked) is kept as stored.
  if (!RunModeCode().empty()) Let("RunMode", RunModeCode());
  Let("Periodicity", S(periodicity_->currentData().toString()));
  Let("Frequency", std::int32_t(frequency_->value()));
  for (auto& [property, box] : days_) Let(property, Flag(box->isChecked()));
  for (std::size_t hour = 0; hour < hours_.size(); ++hour)
    document_.Hours()->Excluded(std::int32_t(hour) + 1, hours_[hour]->isChecked());
}

// ---- ScenarioPage

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
  static_cast<QVBoxLayout*>(layout())->insertLayout(0, form);

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

// ---- PlaceholderPage

PlaceholderPage::PlaceholderPage(ScheduleDocument& document, const std::string& progId)
    : TabPage(document) {
  auto* label = new QLabel(Q(progId + "\n\nThis example has no control of its own for this tab."));
  label->setObjectName("placeholder");
  label->setAlignment(Qt::AlignCenter);
  static_cast<QVBoxLayout*>(layout())->insertWidget(0, label, 1);
}

// ---- the ProgID table

namespace {

template <class Page>
TabPage* Make(ScheduleDocument& document) {
  return new Page(document);
}

struct PageEntry {
  std::string_view progId;
  TabPage* (*make)(ScheduleDocument&);
};
constexpr PageEntry kPages[] = {
    {"PlexionCtls.XSASchedGenTab", &Make<GeneralPage>},
    {"PlexionCtls.XSchedGenTab", &Make<GeneralPage>},
    {"PlexionCtls.XEASchedGenTab", &Make<GeneralPage>},
    {"PlexionCtls.XSAScheduleTab", &Make<SchedulePage>},
    {"PlexionCtls.XScheduleTab", &Make<SchedulePage>},
    {"PlexionCtls.XSAScenarioTab", &Make<ScenarioPage>},
    {"PlexionCtls.XScenarioTab", &Make<ScenarioPage>},
};

}  // namespace

TabPage* CreatePage(const std::string& progId, ScheduleDocument& document) {
  for (const PageEntry& entry : kPages)
    if (entry.progId == progId) return entry.make(document);
  return new PlaceholderPage(document, progId);
}

}  // namespace qt_editor
