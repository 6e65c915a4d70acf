// The pages of the schedule tabs: general, schedule and scenario override.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "schedule_document.hpp"
#include "tab_page.hpp"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;
class QSpinBox;

namespace qt_editor {

// The general tab: whether the schedule is active, where its results go, when it starts and
// ends, and a summary of its recurrence that follows the schedule tab's edits through the hub.
class GeneralPage final : public TabPage {
  Q_OBJECT
 public:
  explicit GeneralPage(ScheduleDocument& document);
  void LoadState() override;
  bool IsTabValid(const std::string& sMsgBoxTitle) override;
  void SaveData() override;
  void FormChange(const std::string& control, const std::string& property,
                  const plexion::Variant& value) override;
  QString Summary() const;

 private:
  void ShowSummary();

  ScheduleDocument& schedule_;
  QLabel* reportGroup_;
  QCheckBox* active_;
  QLineEdit* subFolder_;
  QDateTimeEdit* firstRun_;
  QDateTimeEdit* finalRun_;
  QLabel* summary_;
  std::map<std::string, std::string> recurrence_;  // property name -> value as text
};

// The schedule tab: run mode, periodicity, frequency, the days a run may fall on, and for a
// soft-alarm schedule the hours it must not run in.
class SchedulePage final : public TabPage {
  Q_OBJECT
 public:
  explicit SchedulePage(ScheduleDocument& document);
  void LoadState() override;
  bool IsTabValid(const std::string& sMsgBoxTitle) override;
  void SaveData() override;

 private:
  QWidget* BuildHourGrid();
  void ShowFrequencyUnit();
  std::string RunModeCode() const;
  std::string ExcludedHours() const;

  ScheduleDocument& schedule_;
  QButtonGroup* runMode_;
  QComboBox* periodicity_;
  QSpinBox* frequency_;
  std::map<std::string_view, QCheckBox*> days_;  // by property name
  std::vector<QCheckBox*> hours_;                // slot 1 first
};

// The scenario override tab. It asks the editor through the hub (NotifyTabOverride) whether it
// may override the report group's scenario, and is read-only when the answer is no.
class ScenarioPage final : public TabPage {
  Q_OBJECT
 public:
  explicit ScenarioPage(ScheduleDocument& document);
  void LoadState() override;
  void SaveData() override;
  void InitComplete() override;
  bool OverrideAllowed() const { return allowed_; }

 private:
  void ShowState();

  QCheckBox* override_;
  QSpinBox* scenario_;
  QLabel* note_;
  bool allowed_ = false;
};

}  // namespace qt_editor
