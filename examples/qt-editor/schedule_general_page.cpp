// The schedule's general tab.
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <plexion/platform/convert.hpp>

#include "page_helpers.hpp"
#include "recurrence.hpp"
#include "schedule_pages.hpp"

namespace qt_editor {

using namespace plexion;

GeneralPage::GeneralPage(ScheduleDocument& document)
    : TabPage(document),
      schedule_(document),
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
  // A wrapped label in a form whose fields keep their size hint gets the height of one line:
  // the summary spans the form's width instead, where its height follows its wrapped lines.
  form->addRow(new QLabel("Recurrence:"));
  form->addRow(summary_);
  Column()->insertLayout(0, form);

  connect(active_, &QCheckBox::toggled, this,
          [this](bool on) { ReportChange("ScheduleActive", YesNo(on)); });
  connect(subFolder_, &QLineEdit::textChanged, this,
          [this](const QString& text) { ReportChange("SubFolderName", ToStdString(text)); });
  connect(firstRun_, &QDateTimeEdit::dateTimeChanged, this,
          [this](const QDateTime& value) { ReportChange("FirstDateTime", FromQDateTime(value)); });
  connect(finalRun_, &QDateTimeEdit::dateTimeChanged, this,
          [this](const QDateTime& value) { ReportChange("FinalDateTime", FromQDateTime(value)); });
}

void GeneralPage::LoadState() {
  filling_ = true;
  reportGroup_->setText(ToQString(ToString(Get("RptGrpID"))));
  active_->setChecked(ToString(Get("ScheduleActive")) == "Y");
  subFolder_->setText(ToQString(ToString(Get("SubFolderName"))));
  firstRun_->setDateTime(ToQDateTime(ToDate(Get("FirstDateTime"))));
  finalRun_->setDateTime(ToQDateTime(ToDate(Get("FinalDateTime"))));
  for (std::string_view property : kRecurrenceProperties)
    if (property != "ExcludedHours") recurrence_[std::string(property)] = ToString(Get(property));
  for (const RunDay& day : kRunDays)
    recurrence_[std::string(day.property)] = ToString(Get(day.property));
  if (schedule_.Hours()) recurrence_["ExcludedHours"] = ExcludedHoursText(*schedule_.Hours());
  ShowSummary();
  filling_ = false;
}

bool GeneralPage::IsTabValid(const std::string&) {
  return ShowProblem(finalRun_->dateTime() < firstRun_->dateTime()
                         ? "The last possible run comes before the first run."
                         : "");
}

void GeneralPage::SaveData() {
  Let("ScheduleActive", YesNo(active_->isChecked()));
  Let("SubFolderName", ToStdString(subFolder_->text()));
  if (schedule_.FirstRunEditable()) Let("FirstDateTime", FromQDateTime(firstRun_->dateTime()));
  Let("FinalDateTime", FromQDateTime(finalRun_->dateTime()));
}

void GeneralPage::FormChange(const std::string&, const std::string& property,
                             const Variant& value) {
  if (!recurrence_.contains(property)) return;
  recurrence_[property] = ToString(value);
  ShowSummary();
}

QString GeneralPage::Summary() const { return summary_->text(); }

void GeneralPage::ShowSummary() { summary_->setText(ToQString(RecurrenceSummary(recurrence_))); }

}  // namespace qt_editor
