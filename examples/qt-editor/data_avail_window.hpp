// The data-availability window: the search form (data types, systems level by level, dates,
// hours of the day), filled by the library's model; the result table; and the picture of the
// hours loaded per system and day. The search runs off the window's thread and can be
// cancelled.
#pragma once

#include <string>
#include <vector>

#include <QElapsedTimer>
#include <QMainWindow>

#include <plexion/dataavail/data_avail_data.hpp>

#include "heat_map.hpp"
#include "search_runner.hpp"
#include "selector_controls.hpp"

class QComboBox;
class QDateTimeEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;

namespace qt_editor {

class ResultsModel;

// The search options of `plexion data-avail`: data type names, system keys, times of day and
// the dates as text ("" when not given).
struct SearchChoices {
  std::vector<std::string> types, systems, times;
  std::string start, end;
  bool Empty() const {
    return types.empty() && systems.empty() && times.empty() && start.empty() && end.empty();
  }
};

class DataAvailWindow final : public QMainWindow {
  Q_OBJECT
 public:
  // Sets up the controls through the model: the data-type list, one system list per level,
  // the hours of the day.
  explicit DataAvailWindow(QWidget* parent = nullptr);
  ~DataAvailWindow() override;

  // Picks the choices in the form; without any, the demo's search: the first data type, every
  // system of the last level, from that data type's first load to the last day loaded. False
  // (with the reason in the status bar) for a choice the lists do not have.
  bool Choose(const SearchChoices& choices);
  // Hands the form's choices to the model and starts the search when the model finds it
  // valid; false, with the reason in the status bar, when it does not.
  bool Search();
  void CancelSearch();
  bool Searching() const;
  // Shows the picture of the searched data type at that position.
  void ShowDataType(int type);
  bool SavePicture(const QString& file);

  HeatMap* Map() const { return map_; }
  QTableView* Results() const { return results_; }
  QTabWidget* Views() const { return views_; }
  SearchRunner& Runner() const { return *runner_; }
  const SearchRequest& LastRequest() const { return request_; }
  QString StatusText() const;
  // Seconds from the start of the last search to its picture drawn.
  double SecondsToPicture() const { return secondsToPicture_; }

 Q_SIGNALS:
  // The search ended: its picture is drawn, or it failed or was cancelled.
  void SearchEnded();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildForm();
  QWidget* BuildViews();
  void SetUpControls();
  void ChooseDemoSearch();
  void ShowBusy(bool busy);
  void SearchFinished();
  void ShowStatus(const QString& text);

  plexion::Ref<plexion::CDataAvailData> model_;
  std::vector<plexion::Ref<SelectorControl>> selectors_;
  plexion::Ref<DateTimeControl> dateTime_;
  SelectorList* dataTypes_;
  std::vector<SelectorList*> levels_;  // level 1 first
  HourToggles* hours_;
  QTabWidget* form_;
  QDateTimeEdit* start_;
  QDateTimeEdit* end_;
  QPushButton* search_;
  QPushButton* cancel_;
  QProgressBar* progress_;
  QTabWidget* views_;
  QComboBox* shownType_;
  HeatMap* map_;
  QTableView* results_;
  ResultsModel* resultsModel_;
  QLabel* status_;
  SearchRunner* runner_;
  SearchRequest request_;
  std::vector<std::string> handedSystems_;  // what the model holds, to take back next time
  QElapsedTimer clock_;
  double secondsToPicture_ = 0;
};

}  // namespace qt_editor
