// The document browser and what every editor window does, offscreen, from the demo rows each
// case: the listing, each kind opened from it (once), the question when closing with changes,
// and a wrapped summary drawn in full.
#include <set>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include <plexion/host/entry_points.hpp>

#include "browser_window.hpp"
#include "tab_pages.hpp"
#include "test_support.hpp"

using namespace plexion;
using namespace qt_editor;
using qt_editor::testing::Field;

class BrowserTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { db_ = std::make_unique<testing::TestDatabase>(); }
  void init() { db_->ResetToDemo(); }
  void cleanup() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(DllCanUnloadNow(), status::Ok);
  }

  void listsTheDemoDocumentsByFolderAndKind();
  void eachKindOpensOnceWithAHubOfItsOwn();
  void closingWithChangesAsksToSaveDiscardOrCancel();
  void theRecurrenceSummaryIsDrawnOnAllItsLines();

 private:
  // Each item as its text, indented by its depth.
  static QStringList Outline(QTreeWidget* tree) {
    QStringList lines;
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
      int depth = 0;
      for (auto* up = (*it)->parent(); up; up = up->parent()) ++depth;
      lines << QString(depth * 2, ' ') + (*it)->text(0);
    }
    return lines;
  }
  std::unique_ptr<testing::TestDatabase> db_;
};

void BrowserTest::listsTheDemoDocumentsByFolderAndKind() {
  BrowserWindow browser;
  QCOMPARE(Outline(browser.Tree()),
           QStringList({"Report definitions", "  Reports", "    Daily", "    O'Brien's reports",
                        "    Failures by cell", "    Weekly traffic", "  Schedules",
                        "Report-group schedules", "  Schedule 1", "  Schedule 2", "  Schedule 3",
                        "Soft-alarm schedules", "  Schedule 1", "  Schedule 2"}));
  QCOMPARE(browser.ItemOf({DocumentKind::ReportGroup, 3})->text(1),
           "report group 12, monthly, results in Enterprise (inactive)");
  QCOMPARE(browser.ItemOf({DocumentKind::SoftAlarm, 2})->text(1),
           "report group 7, on each data load");

  // A saved document appears without asking for it.
  EditorWindow* report = browser.NewReport();
  Field<QLineEdit>(report->Page("General"), "name")->setText("Busy hours");
  QVERIFY(report->Contract()->HandleProcess("Save"));
  QVERIFY(browser.ItemOf({DocumentKind::Report, 3}));
  QCOMPARE(browser.ItemOf({DocumentKind::Report, 3})->text(0), "Busy hours");
}

void BrowserTest::eachKindOpensOnceWithAHubOfItsOwn() {
  BrowserWindow browser;
  struct Case {
    DocumentKey key;
    QStringList captions;
  };
  const Case cases[] = {
      {{DocumentKind::Report, 1}, {"General", "Report Type", "Date-Time Scope", "Format"}},
      {{DocumentKind::Report, 2}, {"General"}},  // "Failure" has no tab set
      {{DocumentKind::SoftAlarm, 1}, {"General", "Schedule", "Scenario"}},
      {{DocumentKind::ReportGroup, 2},
       {"General", "Schedule", "Scenario", "Destination", "Date-Time Scope"}},
  };
  std::set<CPlexionNotify*> hubs;
  for (const Case& c : cases) {
    EditorWindow* editor = browser.Open(c.key);
    QVERIFY2(editor, qPrintable(browser.StatusText()));
    QStringList captions;
    for (int i = 0; i < editor->Tabs()->count(); ++i) captions << editor->Tabs()->tabText(i);
    QCOMPARE(captions, c.captions);
    hubs.insert(editor->Hub().get());
    QCOMPARE(browser.Open(c.key), editor);  // brought forward, not opened again
  }
  QCOMPARE(hubs.size(), std::size(cases));
  QCOMPARE(browser.Editors().size(), std::size(cases));

  QVERIFY(!browser.Open({DocumentKind::SoftAlarm, 9}));
  QVERIFY2(browser.StatusText().startsWith("Not opened: soft-alarm schedule 9: "),
           qPrintable(browser.StatusText()));
  QVERIFY(browser.close());
  QVERIFY(browser.Editors().empty());
}

void BrowserTest::closingWithChangesAsksToSaveDiscardOrCancel() {
  struct Case {
    QMessageBox::StandardButton answer;
    bool closes;
    QString frequencyStored;
  };
  for (const Case& c :
       {Case{QMessageBox::Cancel, false, "1"}, Case{QMessageBox::Discard, true, "1"},
        Case{QMessageBox::Save, true, "4"}}) {
    EditorWindow window(ScheduleKind::SoftAlarm, 1);
    int asked = 0;
    window.AskBeforeClosing([&](EditorWindow&) {
      ++asked;
      return c.answer;
    });
    window.show();
    QVERIFY(window.close());  // nothing changed: it closes without asking
    QCOMPARE(asked, 0);

    EditorWindow edited(ScheduleKind::SoftAlarm, 1);
    edited.AskBeforeClosing([&](EditorWindow&) {
      ++asked;
      return c.answer;
    });
    edited.show();
    Field<QSpinBox>(edited.Page("SASchedSchedule"), "Frequency")->setValue(4);
    QVERIFY(edited.isWindowModified());
    QVERIFY(edited.windowTitle().contains("[*]"));
    QCOMPARE(edited.close(), c.closes);
    QCOMPARE(asked, 1);
    QCOMPARE(edited.isVisible(), !c.closes);
    QCOMPARE(db_->Rows("SELECT Frequency FROM sa_schedule WHERE Id = 1"),
             QStringList({c.frequencyStored}));
    edited.CloseDocument();
  }
}

void BrowserTest::theRecurrenceSummaryIsDrawnOnAllItsLines() {
  EditorWindow window(ScheduleKind::SoftAlarm, 1);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  auto* summary = Field<QLabel>(window.Page("SASchedGeneral"), "summary");
  Field<QCheckBox>(window.Page("SASchedSchedule"), "IncludeSaturdays")->setChecked(false);
  // As opened, and narrow enough for the text to wrap: either way it gets the height its
  // lines need at its width.
  for (const QSize size : {window.size(), QSize(400, 540)}) {
    window.resize(size);
    QTRY_VERIFY2(summary->height() >= summary->heightForWidth(summary->width()),
                 qPrintable(QString("%1 x %2 at width %3")
                                .arg(summary->width())
                                .arg(summary->height())
                                .arg(window.width())));
  }
  QVERIFY(summary->height() >= 2 * summary->fontMetrics().height());  // it did wrap
  window.CloseDocument();
}

QTEST_MAIN(BrowserTest)
#include "browser_test.moc"
