// The editor on the database PLEXION_DB names (a temporary SQLite file without it), offscreen:
// each case starts from the demo rows, and ends with no object of the library left.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <plexion/backends/defaults.hpp>
#include <plexion/backends/sql/schema.hpp>
#include <plexion/host/entry_points.hpp>
#include <plexion/platform/convert.hpp>
#include <plexion/schedule/sched_data.hpp>
#include <plexion/tabs/gplexion.hpp>

#include "editor_window.hpp"
#include "tab_pages.hpp"

using namespace plexion;
using namespace qt_editor;

class EditorTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase();
  void init();
  void cleanup();
  void softAlarmTabsTalkThroughTheHubAndSaveExcludedHours();
  void reportGroupScheduleSavesItsRowAndRefusesAnInvalidTab();
  void aRefusingDatabaseIsShownInFullAndNothingIsSaved();

 private:
  // Every row of a query, each as its values' text joined by ", ".
  QStringList Rows(const std::string& sql);
  // The captions must be the tab set's, in its order, each tab on the page its Name says.
  void CheckTabsAgainstTheTabSet(const EditorWindow& window, const std::string& app);
  template <class Widget>
  Widget* Field(TabPage* page, const char* name);

  QTemporaryDir dir_;
  std::shared_ptr<backends::Database> db_;
};

void EditorTest::initTestCase() {
  auto config = backends::Configuration::Discover();
  if (qEnvironmentVariableIsEmpty("PLEXION_DB"))
    config.databaseUrl = "sqlite3://db=" + dir_.filePath("editor.db").toStdString();
  backends::InstallDefaults(config);
  db_ = backends::Database::Open(backends::DatabaseUrl::Parse(backends::DatabaseUrlOf(config)));
}

void EditorTest::init() { backends::ResetSchema(*db_, true); }

void EditorTest::cleanup() { QCOMPARE(DllCanUnloadNow(), status::Ok); }

QStringList EditorTest::Rows(const std::string& sql) {
  QStringList rows;
  for (const auto& row : db_->Query(sql).rows) {
    QStringList values;
    for (const Variant& value : row) values << QString::fromStdString(ToString(value));
    rows << values.join(", ");
  }
  return rows;
}

void EditorTest::CheckTabsAgainstTheTabSet(const EditorWindow& window, const std::string& app) {
  Ref<CPlexionCtls> tabSet = GPlexion::Global()->AppTabs(app);
  QCOMPARE(window.Tabs()->count(), tabSet->Count());
  int index = 0;
  for (const auto& entry : *tabSet) {
    QCOMPARE(window.Tabs()->tabText(index), QString::fromStdString(entry.item->Label()));
    QCOMPARE(window.Page(entry.item->Name()), window.Tabs()->widget(index));
    ++index;
  }
}

template <class Widget>
Widget* EditorTest::Field(TabPage* page, const char* name) {
  auto* widget = page ? page->findChild<Widget*>(name) : nullptr;
  if (!widget) qFatal("no field %s", name);
  return widget;
}

void EditorTest::softAlarmTabsTalkThroughTheHubAndSaveExcludedHours() {
  auto window = std::make_unique<EditorWindow>(ScheduleKind::SoftAlarm, 2);
  CheckTabsAgainstTheTabSet(*window, "Soft Alarm Schedule");
  QCOMPARE(window->Tabs()->tabText(1), "Schedule");
  auto* general = qobject_cast<GeneralPage*>(window->Page("SASchedGeneral"));
  auto* schedule = qobject_cast<SchedulePage*>(window->Page("SASchedSchedule"));
  auto* scenario = qobject_cast<ScenarioPage*>(window->Page("SAScenarioOvr"));
  QVERIFY(general && schedule && scenario);

  // The scenario tab asked at InitComplete; the editor answered in its variable, and says no
  // to a tab it has no override control for.
  QVERIFY(scenario->OverrideAllowed());
  std::string name = "SASchedGeneral";
  bool allowed = true;
  window->Hub()->NotifyTabOverride(name, allowed);
  QVERIFY(!allowed);

  // Switching raises TabShow to every tab; a tab asking through the hub is shown by the editor.
  QVERIFY(general->IsShown());
  window->Tabs()->setCurrentIndex(1);
  QVERIFY(schedule->IsShown() && !general->IsShown() && !scenario->IsShown());
  name = "SAScenarioOvr";
  window->Hub()->NotifyTabShow(name);
  QCOMPARE(window->Tabs()->currentWidget(), scenario);
  QVERIFY(scenario->IsShown() && !schedule->IsShown());

  // Edits on the schedule tab reach the editor and the general tab through FormChange.
  QVERIFY(!window->isWindowModified());
  Field<QCheckBox>(schedule, "hour0")->setChecked(true);
  Field<QCheckBox>(schedule, "hour23")->setChecked(true);
  Field<QSpinBox>(schedule, "Frequency")->setValue(3);
  QVERIFY(window->isWindowModified());
  QCOMPARE(window->StatusText(), "Frequency changed on the Schedule tab; not saved yet.");
  QCOMPARE(general->Summary(), "Scheduled, on each data load; not in hours 0, 23");

  QVERIFY(window->Contract()->HandleProcess("Save"));
  QCOMPARE(window->StatusText(),
           "Saved soft-alarm schedule 2: excluded hours 0, 23, the \"Data "
           "load\" trigger and the schedule row.");
  QVERIFY(!window->isWindowModified());
  QCOMPARE(Rows("SELECT Hour FROM Schedule_Hour_Ex WHERE Schedule_ID = 2 ORDER BY Hour"),
           QStringList({"0", "23"}));
  QCOMPARE(Rows("SELECT Event_Type_ID FROM Schedule_Event WHERE Schedule_ID = 2"),
           QStringList({"1"}));
  QCOMPARE(Rows("SELECT Frequency, Periodicity FROM sa_schedule WHERE Id = 2"),
           QStringList({"3, N"}));
  window->CloseDocument();
  QCOMPARE(DllCanUnloadNow(), status::Ok);  // the window holds nothing of the library now
}

void EditorTest::reportGroupScheduleSavesItsRowAndRefusesAnInvalidTab() {
  auto window = std::make_unique<EditorWindow>(ScheduleKind::ReportGroup, 1);
  CheckTabsAgainstTheTabSet(*window, "Schedule");
  auto* destination = window->Page("DestinationOverride");
  QCOMPARE(Field<QLabel>(destination, "placeholder")->text().section('\n', 0, 0),
           "PlexionCtls.XDestTab");

  TabPage* schedule = window->Page("Schedule");
  for (const char* day :
       {"IncludeMondays", "IncludeTuesdays", "IncludeWednesdays", "IncludeThursdays",
        "IncludeFridays", "IncludeSaturdays", "IncludeSundays"})
    Field<QCheckBox>(schedule, day)->setChecked(false);
  window->Tabs()->setCurrentIndex(0);
  QVERIFY(window->Contract()->SaveData().IsEmpty());
  QCOMPARE(window->StatusText(), "Not saved: the Schedule tab is not valid.");
  QCOMPARE(window->Tabs()->currentWidget(), schedule);

  Field<QCheckBox>(schedule, "IncludeMondays")->setChecked(true);
  auto* periodicity = Field<QComboBox>(schedule, "Periodicity");
  periodicity->setCurrentIndex(periodicity->findData("W"));
  QVERIFY(!window->Contract()->SaveData().IsEmpty());
  QCOMPARE(window->StatusText(),
           "Saved report-group schedule 1: override scope 0, destination 0 "
           "and the schedule row.");
  window.reset();

  auto stored = MakeRef<CSchedData>();
  stored->LoadSchedData(1, "Schedule");
  QCOMPARE(stored->Periodicity(), "W");
  QCOMPARE(stored->IncludeMondays() + stored->IncludeTuesdays() + stored->IncludeSundays(), "YNN");
  QCOMPARE(stored->FirstDateTime().ToIso(), "2026-01-05 02:00:00");
  QCOMPARE(stored->SubFolderName(), "Nightly");
}

void EditorTest::aRefusingDatabaseIsShownInFullAndNothingIsSaved() {
  auto window = std::make_unique<EditorWindow>(ScheduleKind::SoftAlarm, 1);
  TabPage* schedule = window->Page("SASchedSchedule");
  Field<QCheckBox>(schedule, "hour5")->setChecked(true);
  Field<QSpinBox>(schedule, "Frequency")->setValue(2);
  db_->Execute("ALTER TABLE Schedule_Hour_Ex RENAME TO Schedule_Hour_Ex_away");
  const bool saved = window->Contract()->HandleProcess("Save");
  db_->Execute("ALTER TABLE Schedule_Hour_Ex_away RENAME TO Schedule_Hour_Ex");

  QVERIFY(!saved);
  QVERIFY(window->isWindowModified());
  const QString status = window->StatusText();
  QVERIFY2(status.startsWith("Not saved: ") &&
               status.contains("schedule_hour_ex", Qt::CaseInsensitive) &&
               status.endsWith("(DbService, error -2147217900, status 0x80040E14)"),
           qPrintable(status));
  // The hours failed first, so the row was not written either.
  QCOMPARE(Rows("SELECT Hour FROM Schedule_Hour_Ex WHERE Schedule_ID = 1 ORDER BY Hour"),
           QStringList({"0", "23"}));
  QCOMPARE(Rows("SELECT Frequency FROM sa_schedule WHERE Id = 1"), QStringList({"1"}));
}

QTEST_MAIN(EditorTest)
#include "editor_test.moc"
