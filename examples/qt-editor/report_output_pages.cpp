// The report tabs that edit its output objects: destination, report type, date-time scope and
// format.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "page_helpers.hpp"
#include "report_pages.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

// A combo box of codes; with editable set, any other text may be typed as well. A stored
// value not among them stays selectable, so that saving keeps it.
QComboBox* CodeBox(const char* name, std::initializer_list<const char*> codes,
                   bool editable = false) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  box->setEditable(editable);
  for (const char* code : codes) box->addItem(code);
  return box;
}

void ShowCode(QComboBox* box, const std::string& code) {
  const QString text = ToQString(code);
  if (box->findText(text) < 0) box->addItem(text);
  box->setCurrentIndex(box->findText(text));
}

QLineEdit* TextField(const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->setMinimumWidth(320);
  return edit;
}

}  // namespace

// ---- DestinationPage

DestinationPage::DestinationPage(ReportDocument& document)
    : TabPage(document),
      report_(document),
      kind_(CodeBox("Kind", {"Folder", "Email", "Printer", "Web"})),
      target_(TextField("Target")),
      format_(CodeBox("Format", {"CSV", "XLSX", "PDF", "HTML"}, true)),
      webAutoOrganize_(CodeBox("WebAutoOrganize", {"N", "ByDate", "ByReport"}, true)) {
  auto* form = NewForm();
  form->addRow("Send to:", kind_);
  form->addRow("Folder, address or printer:", target_);
  form->addRow("File format:", format_);
  form->addRow("Web auto-organize:", webAutoOrganize_);
  Column()->insertLayout(0, form);
  for (QComboBox* box : {kind_, format_, webAutoOrganize_})
    connect(box, &QComboBox::currentTextChanged, this, [this, box](const QString& text) {
      ReportChange(ToStdString(box->objectName()), ToStdString(text));
    });
  connect(target_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ReportChange("Target", ToStdString(text)); });
}

void DestinationPage::LoadState() {
  filling_ = true;
  const backends::DbDestination& d = report_.Destination();
  ShowCode(kind_, d.Kind());
  target_->setText(ToQString(d.Target()));
  ShowCode(format_, d.Format());
  ShowCode(webAutoOrganize_, d.WebAutoOrganize());
  filling_ = false;
}

void DestinationPage::SaveData() {
  backends::DbDestination& d = report_.Destination();
  d.Kind(ToStdString(kind_->currentText()));
  d.Target(ToStdString(target_->text()));
  d.Format(ToStdString(format_->currentText()));
  d.WebAutoOrganize(ToStdString(webAutoOrganize_->currentText()));
}

// ---- ReportTypePage

ReportTypePage::ReportTypePage(ReportDocument& document)
    : TabPage(document), report_(document), specKind_(new QSpinBox), groupingSpec_(new QSpinBox) {
  specKind_->setObjectName("SpecKind");
  groupingSpec_->setObjectName("GroupingSpecId");
  specKind_->setRange(0, 999);
  groupingSpec_->setRange(0, 999999);
  auto* form = NewForm();
  form->addRow("Kind of report:", specKind_);
  form->addRow("Grouping specification:", groupingSpec_);
  Column()->insertLayout(0, form);
  connect(specKind_, &QSpinBox::valueChanged, this, [this](int kind) {
    ReportChange("SpecKind", std::int32_t(kind));
    if (filling_ || !hub_) return;
    std::string reportType = std::to_string(kind);
    hub_->NotifyReportTypeChange(reportType);
  });
  connect(groupingSpec_, &QSpinBox::valueChanged, this,
          [this](int id) { ReportChange("GroupingSpecId", std::int32_t(id)); });
}

void ReportTypePage::LoadState() {
  filling_ = true;
  specKind_->setValue(report_.Spec().SpecKind());
  groupingSpec_->setValue(report_.Spec().GroupingSpecId());
  filling_ = false;
}

void ReportTypePage::SaveData() {
  report_.Spec().SpecKind(specKind_->value());
  report_.Spec().GroupingSpecId(groupingSpec_->value());
}

// ---- DateTimeScopePage

DateTimeScopePage::DateTimeScopePage(ReportDocument& document)
    : TabPage(document),
      report_(document),
      relative_(new QRadioButton("The last")),
      fixed_(new QRadioButton("From")),
      count_(new QSpinBox),
      unit_(CodeBox("Unit", {"H", "D", "W", "M"})),
      start_(new QDateTimeEdit),
      end_(new QDateTimeEdit) {
  relative_->setObjectName("Relative");
  fixed_->setObjectName("Fixed");
  count_->setObjectName("Count");
  start_->setObjectName("StartDateTime");
  end_->setObjectName("EndDateTime");
  count_->setRange(1, 9999);
  for (QDateTimeEdit* edit : {start_, end_}) {
    edit->setDisplayFormat("M/d/yyyy h:mm AP");
    edit->setCalendarPopup(true);
  }
  auto* modes = new QButtonGroup(this);
  modes->addButton(relative_);
  modes->addButton(fixed_);
  auto* last = new QHBoxLayout;
  last->addWidget(relative_);
  last->addWidget(count_);
  last->addWidget(unit_);
  last->addWidget(new QLabel("(hours, days, weeks or months)"));
  last->addStretch(1);
  auto* span = new QHBoxLayout;
  span->addWidget(fixed_);
  span->addWidget(start_);
  span->addWidget(new QLabel("to"));
  span->addWidget(end_);
  span->addStretch(1);
  Column()->insertLayout(0, last);
  Column()->insertLayout(1, span);

  connect(relative_, &QRadioButton::toggled, this, [this](bool on) {
    ShowMode();
    ReportChange("Relative", on);
  });
  connect(count_, &QSpinBox::valueChanged, this,
          [this](int n) { ReportChange("Count", std::int32_t(n)); });
  connect(unit_, &QComboBox::currentTextChanged, this,
          [this](const QString& unit) { ReportChange("Unit", ToStdString(unit)); });
  for (QDateTimeEdit* edit : {start_, end_})
    connect(edit, &QDateTimeEdit::dateTimeChanged, this, [this, edit](const QDateTime& value) {
      ReportChange(ToStdString(edit->objectName()), FromQDateTime(value));
    });
}

void DateTimeScopePage::LoadState() {
  filling_ = true;
  const backends::DbDateTimeScope& s = report_.Scope();
  (s.Relative() ? relative_ : fixed_)->setChecked(true);
  count_->setValue(s.Count());
  ShowCode(unit_, s.Unit());
  // A relative scope keeps no span: the span fields start from today.
  const DateTime today = DateTime::Today();
  start_->setDateTime(ToQDateTime(s.Relative() ? today : s.StartDateTime()));
  end_->setDateTime(ToQDateTime(s.Relative() ? today : s.EndDateTime()));
  ShowMode();
  filling_ = false;
}

bool DateTimeScopePage::IsTabValid(const std::string&) {
  return ShowProblem(fixed_->isChecked() && end_->dateTime() < start_->dateTime()
                         ? "The span ends before it starts."
                         : "");
}

void DateTimeScopePage::SaveData() {
  backends::DbDateTimeScope& s = report_.Scope();
  s.Relative(relative_->isChecked());
  s.Count(count_->value());
  s.Unit(ToStdString(unit_->currentText()));
  if (fixed_->isChecked()) {
    s.StartDateTime(FromQDateTime(start_->dateTime()));
    s.EndDateTime(FromQDateTime(end_->dateTime()));
  }
}

void DateTimeScopePage::ShowMode() {
  for (QWidget* w : std::initializer_list<QWidget*>{count_, unit_})
    w->setEnabled(relative_->isChecked());
  for (QWidget* w : std::initializer_list<QWidget*>{start_, end_})
    w->setEnabled(fixed_->isChecked());
}

// ---- FormatPage

FormatPage::FormatPage(ReportDocument& document)
    : TabPage(document),
      report_(document),
      kind_(new QLabel),
      headNote_(TextField("HeadNote")),
      footNote_(TextField("FootNote")),
      removeControlInfo_(new QCheckBox("Leave off the control information")) {
  kind_->setObjectName("kind");
  removeControlInfo_->setObjectName("RemoveControlInfo");
  auto* form = NewForm();
  form->addRow("Kind of report:", kind_);
  form->addRow("Header:", headNote_);
  form->addRow("Footer:", footNote_);
  form->addRow("", removeControlInfo_);
  Column()->insertLayout(0, form);
  for (QLineEdit* edit : {headNote_, footNote_})
    connect(edit, &QLineEdit::textChanged, this, [this, edit](const QString& text) {
      ReportChange(ToStdString(edit->objectName()), ToStdString(text));
    });
  connect(removeControlInfo_, &QCheckBox::toggled, this,
          [this](bool on) { ReportChange("RemoveControlInfo", on); });
}

void FormatPage::LoadState() {
  filling_ = true;
  const backends::SqlPageSetup& p = report_.PageSetup();
  kind_->setText(QString::number(report_.Spec().SpecKind()));
  headNote_->setText(ToQString(p.HeadNote()));
  footNote_->setText(ToQString(p.FootNote()));
  removeControlInfo_->setChecked(p.RemoveControlInfo());
  filling_ = false;
}

void FormatPage::SaveData() {
  backends::SqlPageSetup& p = report_.PageSetup();
  p.HeadNote(ToStdString(headNote_->text()));
  p.FootNote(ToStdString(footNote_->text()));
  p.RemoveControlInfo(removeControlInfo_->isChecked());
}

void FormatPage::ReportTypeChange(const std::string& reportType) {
  kind_->setText(ToQString(reportType));
}

QString FormatPage::KindShown() const { return kind_->text(); }

}  // namespace qt_editor
