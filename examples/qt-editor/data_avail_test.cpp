// The data-availability window, offscreen, from the demo rows each case: the picture against a
// plain count of generated loads, hovering, saving the picture, cancelling, and searches the
// model refuses.
#include <QAbstractItemModel>
#include <QSignalSpy>
#include <QTableView>
#include <QToolTip>
#include <QtTest>

#include <plexion/host/entry_points.hpp>

#include "data_avail_window.hpp"
#include "page_helpers.hpp"
#include "test_support.hpp"

using namespace plexion;
using namespace qt_editor;

class DataAvailTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void initTestCase() { db_ = std::make_unique<testing::TestDatabase>(); }
  void init() { db_->ResetToDemo(); }
  void cleanup() { QCOMPARE(DllCanUnloadNow(), status::Ok); }

  void thePictureEqualsAPlainCountOfGeneratedLoads();
  void theDemoSearchShowsItsGapAndNamesTheCellHovered();
  void aSearchCanBeCancelledAndARefusedOneSaysWhy();
  void aSearchStartedAgainAnswersOnlyForTheLastOne();

 private:
  // Generated sectors G01... under site S101 (ids from 100), with Traffic (1) and Failures (2)
  // loaded over 1 to 10 April 2026 unless the pattern leaves a gap.
  static constexpr int kSystems = 24, kDays = 10;
  static bool Loaded(int type, int system, int hour) {
    const bool dayLost = type == 1 && (hour / 24 + system) % 7 == 0;
    return !dayLost && (hour * 5 + system * 3 + type) % 11 != 0;
  }
  static std::string Key(int system) {
    return QString("G%1").arg(system + 1, 2, 10, QChar('0')).toStdString();
  }
  void Generate();
  // Runs the window's search to its end.
  static void SearchToTheEnd(DataAvailWindow& window) {
    QSignalSpy ended(&window, &DataAvailWindow::SearchEnded);
    QVERIFY2(window.Search(), qPrintable(window.StatusText()));
    QVERIFY(ended.wait(60000));
  }

  std::unique_ptr<testing::TestDatabase> db_;
};

void DataAvailTest::Generate() {
  auto& db = db_->Db();
  db.InTransaction([&] {
    for (int s = 0; s < kSystems; ++s)
      db.Execute(
          "INSERT INTO cov_system (id, system_key, name, type_id, parent_id, position) "
          "VALUES (:p0, :p1, :p2, 4, 4, :p3)",
          {Variant(100 + s), Variant(Key(s)), Variant("Generated " + Key(s)), Variant(100 + s)});
    std::string values;
    auto flush = [&] {
      if (!values.empty())
        db.Execute("INSERT INTO cov_load (data_type_id, system_id, period_start) VALUES " + values);
      values.clear();
    };
    for (int type = 1; type <= 2; ++type)
      for (int s = 0; s < kSystems; ++s) {
        for (int h = 0; h < kDays * 24; ++h)
          if (Loaded(type, s, h))
            values += (values.empty() ? "(" : ", (") + std::to_string(type) + ", " +
                      std::to_string(100 + s) + ", '" +
                      DateTime::FromParts(2026, 4, 1 + h / 24, h % 24).ToIso() + "')";
        flush();
      }
  });
}

void DataAvailTest::thePictureEqualsAPlainCountOfGeneratedLoads() {
  Generate();
  struct Search {
    std::string start, end;
    std::vector<std::string> times;
    int firstHour, lastHour;  // of the generated hours, both searched
    std::vector<int> hoursOfDay;
  };
  const Search searches[] = {
      {"4/1/2026", "4/10/2026", {}, 0, 239, {}},
      {"4/2/2026 5:30 AM", "4/9/2026 7:00 PM", {"8:00", "17:00"}, 30, 211, {8, 17}},
  };
  std::vector<std::string> keys;
  for (int s = 0; s < kSystems; ++s) keys.push_back(Key(s));
  for (const Search& search : searches) {
    DataAvailWindow window;
    window.Runner().systemsPerSlice = 7;  // four slices, the last one short
    QVERIFY(window.Choose({{"Traffic", "Failures"}, keys, search.times, search.start, search.end}));
    SearchToTheEnd(window);
    auto searched = [&](int h) {
      return h >= search.firstHour && h <= search.lastHour &&
             (search.hoursOfDay.empty() ||
              std::count(search.hoursOfDay.begin(), search.hoursOfDay.end(), h % 24) > 0);
    };
    const int firstDay = search.firstHour / 24;
    QAbstractItemModel* results = window.Results()->model();
    QCOMPARE(results->rowCount(), 2 * kSystems);
    for (int type = 0; type < 2; ++type) {
      window.ShowDataType(type);
      const HeatMapData& map = window.Map()->Data();
      QCOMPARE(map.Systems(), kSystems);
      QCOMPARE(map.Days(), search.lastHour / 24 - firstDay + 1);
      for (int s = 0; s < kSystems; ++s) {
        int total = 0;
        for (int d = 0; d < map.Days(); ++d) {
          int hours = 0, inRange = 0;
          for (int h = (firstDay + d) * 24; h < (firstDay + d + 1) * 24; ++h) {
            inRange += searched(h);
            hours += searched(h) && Loaded(type + 1, s, h);
          }
          total += hours;
          QCOMPARE(map.inRange[std::size_t(d)], inRange);
          QCOMPARE(map.Hours(s, d), hours);
          QCOMPARE(window.Map()->Cells().pixel(d, s), HeatMap::ColourOf(hours, inRange));
        }
        // The result table's row of the same data type and system agrees ("Hours loaded").
        const int row = type * kSystems + s;
        QCOMPARE(results->index(row, 1).data().toString(), QString::fromStdString(Key(s)));
        QCOMPARE(results->index(row, 4).data().toInt(), total);
      }
    }
  }
}

void DataAvailTest::theDemoSearchShowsItsGapAndNamesTheCellHovered() {
  DataAvailWindow window;
  window.resize(1000, 600);
  window.show();
  QVERIFY(window.Choose({}));
  SearchToTheEnd(window);
  const HeatMapData& map = window.Map()->Data();
  QCOMPARE(map.dataType, "Traffic");
  QCOMPARE(map.systems, QStringList({"S101-A", "S101-B", "S102-A", "S201-A", "S201-B"}));
  QCOMPARE(QString::fromStdString(map.firstDay.ToText()), "3/1/2026");
  QCOMPARE(map.Days(), 7);
  QCOMPARE(map.Hours(4, 3), 0);  // S201-B lost 4 March
  QCOMPARE(map.Hours(4, 4), 24);
  QVERIFY(window.StatusText().startsWith("5 systems by 7 days: the picture was ready "));

  HeatMap* heatMap = window.Map();
  const QPoint cell = heatMap->CellRect(4, 3).center();
  QCOMPARE(heatMap->CellAt(cell), std::optional<QPoint>(QPoint(3, 4)));
  QHelpEvent hover(QEvent::ToolTip, cell, heatMap->mapToGlobal(cell));
  QApplication::sendEvent(heatMap, &hover);
  QTRY_COMPARE(QToolTip::text(), "S201-B, 3/4/2026: 0 of 24 hours loaded");

  QTemporaryDir dir;
  const QString file = dir.filePath("availability.png");
  QVERIFY(window.SavePicture(file));
  QCOMPARE(QImage(file).size(), heatMap->size());
}

void DataAvailTest::aSearchCanBeCancelledAndARefusedOneSaysWhy() {
  DataAvailWindow window;
  QVERIFY(window.Choose({}));
  QSignalSpy ended(&window, &DataAvailWindow::SearchEnded);
  window.Runner().systemsPerSlice = 1;
  QVERIFY(window.Search());
  window.CancelSearch();
  QVERIFY(ended.wait(60000));
  QCOMPARE(window.StatusText(), "Search cancelled.");
  QCOMPARE(window.Map()->Data().Systems(), 0);  // no picture of a search that did not end

  struct Refused {
    SearchChoices choices;
    bool chosen;
    QString status;
  };
  const Refused refused[] = {
      {{{"Traffic"}, {}, {}, "3/1/2026", "3/2/2026"}, true, "Not searched: No system is chosen."},
      {{{"Traffic"}, {"S101-A"}, {}, "3/5/2026", "3/1/2026"},
       true,
       "Not searched: The end date is before the start date."},
      {{{"Traffic"}, {"NOPE"}, {}, "", ""}, false, "No system list has \"NOPE\"."},
      {{{"Traffic"}, {}, {"noon-ish"}, "", ""}, false, "\"noon-ish\" is not a time of day."},
  };
  for (const Refused& r : refused) {
    DataAvailWindow fresh;
    QCOMPARE(fresh.Choose(r.choices), r.chosen);
    if (r.chosen) QVERIFY(!fresh.Search());
    QCOMPARE(fresh.StatusText(), r.status);
  }
}

void DataAvailTest::aSearchStartedAgainAnswersOnlyForTheLastOne() {
  SearchRunner runner;
  QSignalSpy finished(&runner, &SearchRunner::Finished);
  const DateTime march1 = DateTime::FromParts(2026, 3, 1), march7 = DateTime::FromParts(2026, 3, 7);
  runner.Start({{"Traffic"}, {"S101-A", "S101-B", "S102-A"}, {}, march1, march7});
  runner.Start({{"Traffic"}, {"S201-B"}, {}, march1, march7});
  QVERIFY(finished.wait(60000));
  QTest::qWait(200);  // anything the first search still had on its way has arrived by now
  QCOMPARE(finished.size(), 1);
  QCOMPARE(runner.Outcome().rows.size(), 1u);
  QCOMPARE(runner.Outcome().rows[0][1], "S201-B");
  QCOMPARE(runner.Outcome().days.hoursInRange.size(), 7u);
}

QTEST_MAIN(DataAvailTest)
#include "data_avail_test.moc"
