#include "data_avail_window.hpp"

#include <QAbstractTableModel>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <plexion/platform/convert.hpp>

#include "page_helpers.hpp"

namespace qt_editor {

using namespace plexion;

// The search's result rows, as many as it found, without a widget per cell.
class ResultsModel final : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;
  void Show(const std::vector<std::string>& fields,
            const std::vector<std::vector<std::string>>& rows) {
    beginResetModel();
    fields_ = fields;
    rows_ = rows;
    endResetModel();
  }
  int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
  int columnCount(const QModelIndex& = {}) const override { return int(fields_.size()); }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole || !index.isValid()) return {};
    return ToQString(rows_[std::size_t(index.row())][std::size_t(index.column())]);
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    return ToQString(fields_[std::size_t(section)]);
  }

 private:
  std::vector<std::string> fields_;
  std::vector<std::vector<std::string>> rows_;
};

namespace {

StringArray ListOf(const std::vector<std::string>& items) {
  return StringArray::FromVector(items, 1);
}

std::string DateText(const QDateTimeEdit* edit) { return FromQDateTime(edit->dateTime()).ToText(); }

// "CELL SITE" -> "Cell Site", as the lists' column titles are written.
QString ProperCase(const QString& text) {
  QString out = text.toLower();
  for (int i = 0; i < out.size(); ++i)
    if (i == 0 || out[i - 1] == ' ') out[i] = out[i].toUpper();
  return out;
}

QDateTimeEdit* DateField(const char* name) {
  auto* edit = new QDateTimeEdit;
  edit->setObjectName(name);
  edit->setDisplayFormat("M/d/yyyy h:mm AP");
  edit->setCalendarPopup(true);
  return edit;
}

}  // namespace

DataAvailWindow::DataAvailWindow(QWidget* parent)
    : QMainWindow(parent),
      model_(MakeRef<CDataAvailData>()),
      dataTypes_(new SelectorList),
      hours_(new HourToggles),
      form_(new QTabWidget),
      start_(DateField("start")),
      end_(DateField("end")),
      search_(new QPushButton("Search")),
      cancel_(new QPushButton("Cancel")),
      progress_(new QProgressBar),
      views_(new QTabWidget),
      shownType_(new QComboBox),
      map_(new HeatMap),
      results_(new QTableView),
      resultsModel_(new ResultsModel(this)),
      status_(new QLabel),
      runner_(new SearchRunner(this)) {
  setWindowTitle("Data availability - Plexion editor");
  model_->EditorName("plexion-editor");
  auto* split = new QSplitter;
  split->addWidget(BuildForm());
  split->addWidget(BuildViews());
  split->setStretchFactor(1, 1);
  setCentralWidget(split);
  status_->setObjectName("status");
  status_->setWordWrap(true);
  statusBar()->addWidget(status_, 1);
  resize(1180, 720);
  SetUpControls();
  ShowBusy(false);

  connect(search_, &QPushButton::clicked, this, [this] { Search(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { CancelSearch(); });
  connect(runner_, &SearchRunner::Progress, this, [this](int done, int total) {
    progress_->setMaximum(total);
    progress_->setValue(done);
  });
  connect(runner_, &SearchRunner::Finished, this, [this] { SearchFinished(); });
  connect(shownType_, &QComboBox::currentIndexChanged, this, [this](int type) {
    if (type >= 0) ShowDataType(type);
  });
}

DataAvailWindow::~DataAvailWindow() = default;

QWidget* DataAvailWindow::BuildForm() {
  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  dataTypes_->setObjectName("dataTypes");
  form_->addTab(dataTypes_, "Data types");
  column->addWidget(form_, 1);
  end_->setToolTip("An end at 12:00 AM includes its whole day");
  auto* dates = new QHBoxLayout;
  dates->addWidget(new QLabel("From"));
  dates->addWidget(start_);
  dates->addWidget(new QLabel("to"));
  dates->addWidget(end_);
  dates->addStretch(1);
  column->addLayout(dates);
  column->addWidget(new QLabel("Only in these hours of the day (none: the whole day):"));
  column->addWidget(hours_);
  auto* buttons = new QHBoxLayout;
  search_->setObjectName("search");
  cancel_->setObjectName("cancel");
  progress_->setObjectName("progress");
  buttons->addWidget(search_);
  buttons->addWidget(cancel_);
  buttons->addWidget(progress_, 1);
  column->addLayout(buttons);
  panel->setMinimumWidth(430);
  return panel;
}

QWidget* DataAvailWindow::BuildViews() {
  auto* picture = new QWidget;
  auto* column = new QVBoxLayout(picture);
  auto* bar = new QHBoxLayout;
  auto* save = new QPushButton("Save picture...");
  shownType_->setObjectName("shownType");
  bar->addWidget(new QLabel("Data type:"));
  bar->addWidget(shownType_);
  bar->addStretch(1);
  bar->addWidget(save);
  column->addLayout(bar);
  auto* scroll = new QScrollArea;
  scroll->setWidget(map_);
  scroll->setBackgroundRole(QPalette::Base);
  column->addWidget(scroll, 1);
  connect(save, &QPushButton::clicked, this, [this] {
    const QString file =
        QFileDialog::getSaveFileName(this, "Save the picture", "availability.png", "PNG (*.png)");
    if (!file.isEmpty() && !SavePicture(file)) ShowStatus("Could not write " + file + ".");
  });

  results_->setObjectName("results");
  results_->setModel(resultsModel_);
  results_->verticalHeader()->hide();
  results_->horizontalHeader()->setStretchLastSection(true);
  views_->addTab(picture, "Heat map");
  views_->addTab(results_, "Results");
  return views_;
}

void DataAvailWindow::SetUpControls() {
  selectors_.push_back(MakeRef<SelectorControl>(dataTypes_));
  model_->SetupDatatypeControl(selectors_.back());
  // One system list per level: each entity type that links to a next one is a level.
  Ref<CoverageEntityTypes> types = model_->PhysicalEntityTypes();
  for (std::int32_t i = 1; i <= types->Count(); ++i) {
    if (types->Item(i)->NextTypeId() <= 0) continue;
    auto* list = new SelectorList;
    selectors_.push_back(MakeRef<SelectorControl>(list));
    model_->SetupSystemControl(selectors_.back());
    list->setObjectName("level" + QString::number(levels_.size() + 1));
    levels_.push_back(list);
    form_->addTab(list, ProperCase(list->Caption()));
  }
  dateTime_ = MakeRef<DateTimeControl>(hours_);
  model_->SetupDateTimeControl(dateTime_);
}

bool DataAvailWindow::Choose(const SearchChoices& choices) {
  if (choices.Empty()) {
    ChooseDemoSearch();
    return true;
  }
  std::vector<std::string> unknown = dataTypes_->Select(choices.types);
  for (const std::string& type : unknown) {
    ShowStatus("The data-type list has no \"" + ToQString(type) + "\".");
    return false;
  }
  // Each system is chosen at the first level that lists it.
  std::vector<std::string> systems = choices.systems;
  for (SelectorList* level : levels_) systems = level->Select(systems);
  for (const std::string& key : systems) {
    ShowStatus("No system list has \"" + ToQString(key) + "\".");
    return false;
  }
  for (const std::string& time : hours_->Select(choices.times)) {
    ShowStatus("\"" + ToQString(time) + "\" is not a time of day.");
    return false;
  }
  for (auto [text, edit] : {std::pair{choices.start, start_}, std::pair{choices.end, end_}}) {
    if (text.empty()) continue;
    const std::optional<DateTime> date = DateTime::TryParse(text);
    if (!date) {
      ShowStatus("\"" + ToQString(text) + "\" is not a date.");
      return false;
    }
    edit->setDateTime(ToQDateTime(*date));
  }
  return true;
}

void DataAvailWindow::ChooseDemoSearch() {
  if (dataTypes_->topLevelItemCount() > 0) dataTypes_->topLevelItem(0)->setSelected(true);
  if (!levels_.empty()) levels_.back()->selectAll();
  const std::optional<DateTime> minLoad = DateTime::TryParse(model_->MinLoadDate());
  if (!minLoad) return;  // nothing loaded: the dates stay as they are
  const DateTime last(minLoad->serial() + model_->SearchModel()->TimeScopeValue() - 1);
  DateTime first = *minLoad;
  const int loadedColumn = dataTypes_->ColumnOf("First Avail");
  if (loadedColumn >= 0 && dataTypes_->topLevelItemCount() > 0)
    if (auto date =
            DateTime::TryParse(ToStdString(dataTypes_->topLevelItem(0)->text(loadedColumn))))
      first = *date;
  start_->setDateTime(ToQDateTime(first));
  end_->setDateTime(ToQDateTime(last));
}

bool DataAvailWindow::Search() {
  if (Searching()) return false;
  try {
    const std::vector<std::string> types = dataTypes_->SelectedKeys();
    model_->SelectedDatatypes(ListOf(types));
    if (!handedSystems_.empty()) model_->RemoveSelectedSystems(ListOf(handedSystems_));
    for (std::size_t level = 0; level < levels_.size(); ++level) {
      const std::vector<std::string> keys = levels_[level]->SelectedKeys();
      if (!keys.empty()) model_->AddSelectedSystems(ListOf(keys), std::int16_t(level + 1));
    }
    handedSystems_.clear();
    for (const std::string& key : model_->SelectedSystems().elements())
      if (!key.empty()) handedSystems_.push_back(key);
    model_->SelectedTimes(dateTime_->SelectedTimesOf());
    model_->StartDate(DateText(start_));
    model_->EndDate(DateText(end_));
    if (!model_->ValidSearch()) {
      ShowStatus("Not searched: " + ToQString(model_->InValidSearchReasonText()));
      return false;
    }
    CoverageDb& search = *model_->SearchModel();
    request_ = {types, handedSystems_, hours_->SelectedTimes(), search.StartDateValue(),
                search.EndDateValue()};
  } catch (const Error& e) {
    ShowStatus("Not searched: " + ErrorText(e));
    return false;
  }
  clock_.start();
  runner_->Start(request_);
  ShowBusy(true);
  ShowStatus(QString("Searching %1 systems...").arg(request_.systems.size()));
  return true;
}

void DataAvailWindow::CancelSearch() {
  if (!Searching()) return;
  runner_->Cancel();
  ShowStatus("Cancelling the search...");
}

bool DataAvailWindow::Searching() const { return runner_->Running(); }

void DataAvailWindow::SearchFinished() {
  ShowBusy(false);
  const SearchOutcome& outcome = runner_->Outcome();
  if (outcome.cancelled) {
    ShowStatus("Search cancelled.");
  } else if (!outcome.error.empty()) {
    ShowStatus("Not searched: " + ToQString(outcome.error));
  } else {
    resultsModel_->Show(outcome.fields, outcome.rows);
    {
      const QSignalBlocker quiet(shownType_);
      shownType_->clear();
      for (const std::string& type : request_.types) shownType_->addItem(ToQString(type));
    }
    ShowDataType(0);
    map_->repaint();  // the picture is drawn when this returns
    secondsToPicture_ = double(clock_.nsecsElapsed()) / 1e9;
    ShowStatus(QString("%1 systems by %2 days: the picture was ready %3 s after the search "
                       "started.")
                   .arg(request_.systems.size())
                   .arg(outcome.days.hoursInRange.size())
                   .arg(secondsToPicture_, 0, 'f', 2));
  }
  Q_EMIT SearchEnded();
}

void DataAvailWindow::ShowDataType(int type) {
  const SearchOutcome& outcome = runner_->Outcome();
  if (type < 0 || std::size_t(type) >= request_.types.size() || !outcome.error.empty()) return;
  map_->Show(HeatMapOf(request_, outcome, type));
}

bool DataAvailWindow::SavePicture(const QString& file) { return map_->grab().save(file, "PNG"); }

void DataAvailWindow::ShowBusy(bool busy) {
  search_->setEnabled(!busy);
  cancel_->setEnabled(busy);
  progress_->setVisible(busy);
  if (busy) progress_->setValue(0);
}

void DataAvailWindow::ShowStatus(const QString& text) { status_->setText(text); }

QString DataAvailWindow::StatusText() const { return status_->text(); }

void DataAvailWindow::closeEvent(QCloseEvent* event) {
  // A search still running stops at its next slice; the window does not wait for it to end.
  runner_->Cancel();
  event->accept();
}

}  // namespace qt_editor
