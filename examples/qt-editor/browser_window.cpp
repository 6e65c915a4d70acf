#include "browser_window.hpp"

#include <map>

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include <plexion/backends/folders/document_listing.hpp>
#include <plexion/backends/sql/soci_db_service.hpp>

#include "page_helpers.hpp"
#include "recurrence.hpp"
#include "report_document.hpp"
#include "schedule_document.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

constexpr int kKindRole = Qt::UserRole;
constexpr int kIdRole = Qt::UserRole + 1;

QTreeWidgetItem* DocumentItem(QTreeWidgetItem* parent, DocumentKey key, const QString& name,
                              const QString& detail) {
  auto* item = new QTreeWidgetItem(parent, {name, detail});
  item->setData(0, kKindRole, int(key.kind));
  item->setData(0, kIdRole, key.id);
  return item;
}

QString ScheduleDetail(const backends::ScheduleEntry& s) {
  const Periodicity* unit = FindPeriodicity(s.periodicity);
  QString detail = QString("report group %1, %2")
                       .arg(s.reportGroupId)
                       .arg(unit ? ToQString(unit->label).toLower()
                                 : "periodicity \"" + ToQString(s.periodicity) + "\"");
  if (!s.subFolder.empty()) detail += ", results in " + ToQString(s.subFolder);
  return s.active ? detail : detail + " (inactive)";
}

}  // namespace

BrowserWindow::BrowserWindow(QWidget* parent)
    : QMainWindow(parent), tree_(new QTreeWidget), status_(new QLabel) {
  setWindowTitle("Documents - Plexion editor");
  tree_->setObjectName("documents");
  tree_->setHeaderLabels({"Document", "Details"});
  tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  setCentralWidget(tree_);
  status_->setObjectName("status");
  statusBar()->addWidget(status_, 1);
  resize(760, 520);

  QToolBar* bar = addToolBar("Documents");
  bar->setObjectName("actions");
  bar->addAction("Open", this, [this] { OpenItem(tree_->currentItem()); });
  bar->addAction("New report definition", this, [this] { NewReport(); });
  bar->addAction("Data availability", this, [this] { OpenDataAvailability(); });
  bar->addAction("Refresh", this, [this] { Refresh(); });
  connect(tree_, &QTreeWidget::itemActivated, this,
          [this](QTreeWidgetItem* item) { OpenItem(item); });
  Refresh();
}

BrowserWindow::~BrowserWindow() {
  for (const QPointer<EditorWindow>& editor : editors_) delete editor.data();
  delete dataAvail_.data();
}

void BrowserWindow::Refresh() {
  backends::DocumentListing listing;
  try {
    listing = backends::ListDocuments(*backends::ThreadDatabase());
  } catch (const Error& e) {
    ShowStatus("The documents could not be listed: " + ErrorText(e));
    return;
  }
  tree_->clear();
  auto* reports = new QTreeWidgetItem(tree_, {"Report definitions"});
  std::map<std::int32_t, QTreeWidgetItem*> folders;
  for (const auto& f : listing.folders) folders[f.id] = new QTreeWidgetItem({ToQString(f.name)});
  for (const auto& f : listing.folders) {
    auto parent = folders.find(f.parentId);
    (parent != folders.end() ? parent->second : reports)->addChild(folders[f.id]);
  }
  for (const auto& r : listing.reports) {
    auto folder = folders.find(r.folderId);
    DocumentItem(folder != folders.end() ? folder->second : reports, {DocumentKind::Report, r.id},
                 ToQString(r.name), QString("%1, report %2").arg(ToQString(r.appName)).arg(r.id));
  }
  struct Group {
    const char* title;
    DocumentKind kind;
    const std::vector<backends::ScheduleEntry>& entries;
  };
  for (const Group& group :
       {Group{"Report-group schedules", DocumentKind::ReportGroup, listing.reportGroupSchedules},
        Group{"Soft-alarm schedules", DocumentKind::SoftAlarm, listing.softAlarmSchedules}}) {
    auto* top = new QTreeWidgetItem(tree_, {group.title});
    for (const auto& s : group.entries)
      DocumentItem(top, {group.kind, s.id}, QString("Schedule %1").arg(s.id), ScheduleDetail(s));
  }
  tree_->expandAll();
  ShowStatus(QString("%1 report definitions in %2 folders, %3 report-group schedules, %4 "
                     "soft-alarm schedules.")
                 .arg(listing.reports.size())
                 .arg(listing.folders.size())
                 .arg(listing.reportGroupSchedules.size())
                 .arg(listing.softAlarmSchedules.size()));
}

QTreeWidgetItem* BrowserWindow::ItemOf(DocumentKey key) const {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if ((*it)->data(0, kKindRole).isValid() && (*it)->data(0, kKindRole).toInt() == int(key.kind) &&
        (*it)->data(0, kIdRole).toInt() == key.id)
      return *it;
  return nullptr;
}

void BrowserWindow::OpenItem(QTreeWidgetItem* item) {
  if (!item || !item->data(0, kKindRole).isValid()) return;
  Open({DocumentKind(item->data(0, kKindRole).toInt()), item->data(0, kIdRole).toInt()});
}

EditorWindow* BrowserWindow::Open(DocumentKey key) {
  for (EditorWindow* editor : Editors())
    if (editor->Key() == key) {
      editor->showNormal();
      editor->raise();
      editor->activateWindow();
      return editor;
    }
  try {
    std::unique_ptr<Document> document;
    if (key.kind == DocumentKind::Report) document = std::make_unique<ReportDocument>(key.id);
    else document = std::make_unique<ScheduleDocument>(key.kind, key.id);
    return Show(new EditorWindow(std::move(document)));
  } catch (const Error& e) {
    ShowStatus("Not opened: " + ToQString(DocumentTitle(key.kind, key.id)) + ": " + ErrorText(e));
    return nullptr;
  }
}

EditorWindow* BrowserWindow::NewReport(const std::string& appName) {
  try {
    return Show(new EditorWindow(std::make_unique<ReportDocument>(appName, 0)));
  } catch (const Error& e) {
    ShowStatus("No new report: " + ErrorText(e));
    return nullptr;
  }
}

EditorWindow* BrowserWindow::Show(EditorWindow* editor) {
  editor->setAttribute(Qt::WA_DeleteOnClose);
  connect(editor, &EditorWindow::Saved, this, [this] { Refresh(); });
  editors_.emplace_back(editor);
  editor->show();
  return editor;
}

DataAvailWindow* BrowserWindow::OpenDataAvailability() {
  if (dataAvail_) {
    dataAvail_->raise();
    dataAvail_->activateWindow();
    return dataAvail_;
  }
  try {
    dataAvail_ = new DataAvailWindow;
  } catch (const Error& e) {
    ShowStatus("Data availability not opened: " + ErrorText(e));
    return nullptr;
  }
  dataAvail_->setAttribute(Qt::WA_DeleteOnClose);
  dataAvail_->Choose({});
  dataAvail_->show();
  dataAvail_->Search();
  return dataAvail_;
}

std::vector<EditorWindow*> BrowserWindow::Editors() const {
  std::vector<EditorWindow*> open;
  for (const QPointer<EditorWindow>& editor : editors_)
    if (editor && editor->Key()) open.push_back(editor);
  return open;
}

void BrowserWindow::closeEvent(QCloseEvent* event) {
  for (EditorWindow* editor : Editors())
    if (!editor->close()) {
      event->ignore();
      return;
    }
  if (dataAvail_) dataAvail_->close();
  event->accept();
}

QString BrowserWindow::StatusText() const { return status_->text(); }

void BrowserWindow::ShowStatus(const QString& text) { status_->setText(text); }

}  // namespace qt_editor
