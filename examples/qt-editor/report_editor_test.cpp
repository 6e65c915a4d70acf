// The report-definition editor with the express reports switched on, offscreen, from the demo
// rows each case: the tabs of its application, its values, a whole save read back, a new
// report, express copies, and a save the database refuses.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QtTest>

#include <plexion/host/entry_points.hpp>
#include <plexion/tabs/gplexion.hpp>

#include "editor_window.hpp"
#include "report_document.hpp"
#include "tab_pages.hpp"
#include "test_support.hpp"

using namespace plexion;
using namespace qt_editor;
using qt_editor::testing::Field;

class ReportEditorTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { db_ = std::make_unique<testing::TestDatabase>(kExpress); }
  void init() { db_->ResetToDemo(); }
  void cleanup() { QCOMPARE(DllCanUnloadNow(), status::Ok); }

  void aStoredReportShowsTheTabsOfItsApplicationAndItsValues();
  void editsSaveAsOneDocumentAndReadBackEqual();
  void aNewReportIsInsertedOnceThenUpdated();
  void anExpressCopyIsKeptBySavingAndDeletedByDiscarding();
  void aRefusedSaveShowsTheErrorAndKeepsTheEdits();

 private:
  static inline const std::vector<std::string> kExpress = {"Express_Reports"};
  static std::unique_ptr<EditorWindow> OpenReport(std::int32_t id) {
    return std::make_unique<EditorWindow>(std::make_unique<ReportDocument>(id));
  }
  std::unique_ptr<testing::TestDatabase> db_;
};

void ReportEditorTest::aStoredReportShowsTheTabsOfItsApplicationAndItsValues() {
  auto window = OpenReport(1);
  Ref<CPlexionCtls> tabSet = GPlexion::Global()->AppTabs("Traffic");
  QStringList captions, expected;
  for (int i = 0; i < window->Tabs()->count(); ++i) captions << window->Tabs()->tabText(i);
  for (const auto& entry : *tabSet) expected << QString::fromStdString(entry.item->Label());
  QCOMPARE(captions, expected);
  QCOMPARE(captions,
           QStringList({"General", "Destination", "Report Type", "Date-Time Scope", "Format"}));

  TabPage* general = window->Page("General");
  QVERIFY(qobject_cast<ReportGeneralPage*>(general));
  QCOMPARE(Field<QLineEdit>(general, "name")->text(), "Weekly traffic");
  QCOMPARE(Field<QSpinBox>(general, "ScenarioId")->value(), 2);
  QCOMPARE(Field<QSpinBox>(general, "TemplateID")->value(), 4);
  QCOMPARE(Field<QLineEdit>(general, "FileName")->text(), "weekly.csv");
  QCOMPARE(Field<QComboBox>(general, "EquippedOnly")->currentData().toString(), "Y");
  QVERIFY(Field<QCheckBox>(general, "IncludeInactive")->isChecked());
  QCOMPARE(Field<QLineEdit>(general, "ExpressType")->text(), "Daily");
  QVERIFY(Field<QPushButton>(general, "copyScenario")->isEnabled());
  // The destination has no row yet; its web setting came from the general attributes.
  QCOMPARE(Field<QComboBox>(window->Page("Destination"), "WebAutoOrganize")->currentText(),
           "ByDate");
  QCOMPARE(Field<QSpinBox>(window->Page("ReportType"), "SpecKind")->value(), 2);
  QCOMPARE(Field<QSpinBox>(window->Page("ReportType"), "GroupingSpecId")->value(), 5);
  TabPage* format = window->Page("Format");
  QCOMPARE(Field<QLineEdit>(format, "HeadNote")->text(), "Weekly traffic");
  QVERIFY(Field<QCheckBox>(format, "RemoveControlInfo")->isChecked());
  QVERIFY(!window->isWindowModified());
}

void ReportEditorTest::editsSaveAsOneDocumentAndReadBackEqual() {
  auto window = OpenReport(1);
  TabPage* general = window->Page("General");
  Field<QLineEdit>(general, "name")->setText("Weekly traffic, east");
  Field<QLineEdit>(general, "FileName")->setText("east.csv");
  Field<QCheckBox>(general, "IncludeInactive")->setChecked(false);
  Field<QLineEdit>(window->Page("Destination"), "Target")->setText("Reports/East");
  Field<QSpinBox>(window->Page("DateTimeScope"), "Count")->setValue(14);
  // A change of the report type reaches the format tab through the hub.
  Field<QSpinBox>(window->Page("ReportType"), "SpecKind")->setValue(3);
  QCOMPARE(qobject_cast<FormatPage*>(window->Page("Format"))->KindShown(), "3");
  Field<QLineEdit>(window->Page("Format"), "FootNote")->setText("Confidential");
  QVERIFY(window->isWindowModified());

  QVERIFY(window->Contract()->HandleProcess("Save"));
  QVERIFY2(window->StatusText().startsWith("Saved report definition 1: report specification 1, "
                                           "page setup 1, date-time scope "),
           qPrintable(window->StatusText()));
  QVERIFY(!window->isWindowModified());
  window.reset();

  // A stored report without a scope or a destination got one of each, and its row says so.
  QCOMPARE(db_->Rows("SELECT r.name, r.file_name, s.unit_count, d.target FROM rpt_report r "
                     "JOIN dt_scope s ON s.id = r.dt_scope_id JOIN out_destination d ON d.id = "
                     "r.destination_id WHERE r.id = 1"),
           QStringList({"Weekly traffic, east, east.csv, 14, Reports/East"}));
  ReportDocument stored(1);
  QCOMPARE(stored.Spec().SpecKind(), 3);
  QCOMPARE(stored.PageSetup().FootNote(), "Confidential");
  QCOMPARE(stored.PageSetup().SpecKind(), 3);
  QCOMPARE(stored.Report().IncludeInactive(), false);
  QCOMPARE(stored.Report().ExpressType(), "Daily");
  QCOMPARE(stored.Destination().WebAutoOrganize(), "ByDate");
}

void ReportEditorTest::aNewReportIsInsertedOnceThenUpdated() {
  EditorWindow window(std::make_unique<ReportDocument>("Traffic", 1));
  TabPage* general = window.Page("General");
  // From the report defaults.
  QCOMPARE(Field<QComboBox>(general, "EquippedOnly")->currentData().toString(), "Y");
  QVERIFY(!window.Contract()->HandleProcess("Save"));
  QCOMPARE(window.StatusText(), "Not saved: the General tab is not valid.");

  Field<QLineEdit>(general, "name")->setText("Cell availability");
  QVERIFY(window.Contract()->HandleProcess("Save"));
  QCOMPARE(window.Key()->id, 3);
  QVERIFY(window.windowTitle().startsWith("Report definition 3"));
  Field<QLineEdit>(general, "FileName")->setText("cells.csv");
  QVERIFY(window.Contract()->HandleProcess("Save"));
  QCOMPARE(db_->Rows("SELECT id, name, scenario_id, file_name FROM rpt_report WHERE id > 2"),
           QStringList({"3, Cell availability, 1, cells.csv"}));
  // The second save updates the output objects the first one inserted.
  QCOMPARE(db_->Rows("SELECT count(*) FROM rpt_report_spec"), QStringList({"2"}));
  window.CloseDocument();
}

void ReportEditorTest::anExpressCopyIsKeptBySavingAndDeletedByDiscarding() {
  const std::string documents = "SELECT id, copied_from FROM fs_document WHERE id > 4";
  struct Case {
    QMessageBox::StandardButton answer;
    QStringList copies;   // after the window closed
    QString scenarioRow;  // rpt_report.scenario_id of report 1
  };
  for (const Case& c :
       {Case{QMessageBox::Discard, {}, "2"}, Case{QMessageBox::Save, {"5, 2"}, "5"}}) {
    db_->ResetToDemo();
    auto window = OpenReport(1);
    window->AskBeforeClosing([&](EditorWindow&) { return c.answer; });
    TabPage* general = window->Page("General");
    Field<QPushButton>(general, "copyScenario")->click();
    QCOMPARE(Field<QSpinBox>(general, "ScenarioId")->value(), 5);
    QVERIFY(window->isWindowModified());
    QCOMPARE(db_->Rows(documents), QStringList({"5, 2"}));
    QVERIFY(window->close());
    QCOMPARE(db_->Rows(documents), c.copies);
    QCOMPARE(db_->Rows("SELECT scenario_id FROM rpt_report WHERE id = 1"),
             QStringList({c.scenarioRow}));
  }
}

void ReportEditorTest::aRefusedSaveShowsTheErrorAndKeepsTheEdits() {
  auto window = OpenReport(2);  // "Failure" has no tab set: its general tab alone
  QCOMPARE(window->Tabs()->count(), 1);
  auto* name = Field<QLineEdit>(window->Page("General"), "name");
  name->setText("Failures by sector");
  db_->Db().Execute("ALTER TABLE rpt_general_attr RENAME TO rpt_general_attr_away");
  const bool saved = window->Contract()->HandleProcess("Save");
  db_->Db().Execute("ALTER TABLE rpt_general_attr_away RENAME TO rpt_general_attr");

  QVERIFY(!saved);
  QVERIFY2(window->StatusText().startsWith("Not saved: ") &&
               window->StatusText().contains("rpt_general_attr", Qt::CaseInsensitive),
           qPrintable(window->StatusText()));
  QVERIFY(window->isWindowModified());
  QCOMPARE(name->text(), "Failures by sector");
  QVERIFY(window->Contract()->HandleProcess("Save"));  // the user saves again
  QCOMPARE(db_->Rows("SELECT name FROM rpt_report WHERE id = 2"),
           QStringList({"Failures by sector"}));
}

QTEST_MAIN(ReportEditorTest)
#include "report_editor_test.moc"
