// The example's tab controls: one widget class per kind of tab, chosen by the ProgID of the
// tab's descriptor. Each page edits the document's data object by property name and talks to
// the editor and the other tabs only through the document's hub.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QWidget>

#include <plexion/platform/variant.hpp>
#include <plexion/tabs/notify.hpp>

#include "schedule_document.hpp"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QSpinBox;
class QButtonGroup;

namespace qt_editor {

// A tab control. Its TabControl (plexion_bridge.hpp) hands it the tab contract's calls and the
// hub's events; the defaults are those of a tab with nothing to edit.
class TabPage : public QWidget {
  Q_OBJECT
 public:
  explicit TabPage(ScheduleDocument& document);

  // The tab contract. LoadData takes the descriptor's Data, the tab's Name and the hub;
  // LoadState fills the fields from the document; SaveData writes them into it.
  virtual void LoadData(const plexion::Variant& v, const std::string& sName,
                        plexion::Ref<plexion::CPlexionNotify> dtN);
  virtual void LoadState() {}
  virtual bool IsTabValid(const std::string& sMsgBoxTitle);
  virtual void SaveData() {}

  // The hub's events.
  virtual void TabShow(const std::string& name);
  virtual void FormChange(const std::string& control, const std::string& property,
                          const plexion::Variant& value);
  virtual void InitComplete() {}

  const std::string& TabName() const { return name_; }
  // Whether the hub's last TabShow named this tab.
  bool IsShown() const { return shown_; }

 protected:
  // Tells the editor and the other tabs that a field changed (not while LoadState fills).
  void ReportChange(std::string_view property, const plexion::Variant& value);
  plexion::Variant Get(std::string_view property) const;
  void Let(std::string_view property, const plexion::Variant& value);
  // Shows why the tab is not valid under its fields ("" hides it); answers whether it is.
  bool ShowProblem(const QString& problem);

  ScheduleDocument& document_;
  plexion::Ref<plexion::CPlexionNotify> hub_;
  bool filling_ = false;

 private:
  std::string name_;
  bool shown_ = false;
  QLabel* problem_;
};

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

// A tab this example has no control for: it names the ProgID.
class PlaceholderPage final : public TabPage {
  Q_OBJECT
 public:
  PlaceholderPage(ScheduleDocument& document, const std::string& progId);
};

// The page of a ProgID; a placeholder for ProgIDs without a page of their own.
TabPage* CreatePage(const std::string& progId, ScheduleDocument& document);

}  // namespace qt_editor
