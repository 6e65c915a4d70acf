#include "editor_window.hpp"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>

#include <plexion/tabs/gplexion.hpp>

#include "tab_pages.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

// The override tabs whose question this editor answers yes: it has controls for the scenario
// override only, so only those tabs may override their part of the report group.
constexpr std::string_view kOverridableTabs[] = {"ScenarioOverride", "SAScenarioOvr"};

QString Q(const std::string& text) { return QString::fromStdString(text); }

// The error as the database or the library gave it, with where it came from.
QString FullText(const Error& e) {
  char status[16];
  std::snprintf(status, sizeof status, "0x%08X", static_cast<unsigned>(e.status()));
  return QString("%1 (%2, error %3, status %4)")
      .arg(Q(e.description()), Q(e.source()), QString::number(e.number()), status);
}

}  // namespace

EditorWindow::EditorWindow(ScheduleKind kind, std::int32_t id, QWidget* parent)
    : QMainWindow(parent),
      document_(std::make_unique<ScheduleDocument>(kind, id)),  // first: it may fail
      tabs_(new QTabWidget),
      status_(new QLabel) {
  QString title = Q(document_->Title());
  title[0] = title[0].toUpper();
  setWindowTitle(title + "[*] - Plexion editor");
  setCentralWidget(tabs_);
  resize(780, 540);  // room for the hour grid
  status_->setObjectName("status");
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  statusBar()->addWidget(status_, 1);

  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("&Save", QKeySequence::Save, this, [this] { HandleProcess("Save"); });
  file->addAction("&Close", QKeySequence::Close, this, [this] { close(); });

  try {
    OpenTabs();
  } catch (...) {
    CloseDocument();
    throw;
  }
  ShowStatus("Opened " + Q(document_->Title()) + ".");
}

EditorWindow::~EditorWindow() { CloseDocument(); }

void EditorWindow::OpenTabs() {
  hub_ = MakeRef<CPlexionNotify>();
  // The editor listens first, so that it has answered before the tabs hear a question.
  contract_ = MakeRef<EditorContract>(this);
  cookies_.push_back(hub_->Connect(contract_));
  Ref<CPlexionCtls> tabSet = GPlexion::Global()->AppTabs(document_->AppName());
  for (const auto& entry : *tabSet) {
    const CPlexionCtl& descriptor = *entry.item;
    TabPage* page = CreatePage(descriptor.ProgID(), *document_);
    tabs_->addTab(page, Q(descriptor.Label()));
    names_.push_back(descriptor.Name());
    auto control = MakeRef<TabControl>(page);
    controls_.push_back(control);
    control->LoadData(descriptor.Data(), descriptor.Name(), hub_);
    control->LoadState();
    cookies_.push_back(hub_->Connect(control));
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &EditorWindow::RaiseTabShow);
  hub_->NotifyInitComplete();
  RaiseTabShow(tabs_->currentIndex());
}

void EditorWindow::CloseDocument() {
  if (!hub_) return;
  tabs_->disconnect(this);
  for (ConnectionPoint::Cookie cookie : cookies_) hub_->Disconnect(cookie);
  cookies_.clear();
  hub_.reset();
  while (tabs_->count() > 0) delete tabs_->widget(0);  // the pages let go of the hub
  controls_.clear();
  names_.clear();
  contract_.reset();
  document_.reset();
}

void EditorWindow::RaiseTabShow(int index) {
  if (!hub_ || index < 0) return;
  std::string name = names_[std::size_t(index)];
  hub_->NotifyTabShow(name);
}

bool EditorWindow::HandleProcess(const std::string& sProc) {
  if (sProc == "Save") return !SaveData().IsEmpty();
  if (sProc == "Close") return close();
  return false;
}

Variant EditorWindow::GetData() const { return document_ ? Variant(document_->Data()) : Variant(); }

bool EditorWindow::IsDataValid() {
  const std::string title = windowTitle().remove("[*]").toStdString();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i]->IsTabValid(title)) continue;
    tabs_->setCurrentIndex(int(i));
    ShowStatus("Not saved: the " + tabs_->tabText(int(i)) + " tab is not valid.");
    return false;
  }
  return true;
}

Variant EditorWindow::SaveData() {
  if (!document_ || !IsDataValid()) return Variant();
  try {
    for (const auto& control : controls_) control->SaveData();
    const std::string saved = document_->Save();
    setWindowModified(false);
    ShowStatus(Q(saved) + ".");
    return GetData();
  } catch (const Error& e) {
    ShowStatus("Not saved: " + FullText(e));
    return Variant();
  }
}

void EditorWindow::AnswerTabOverride(const std::string& name, bool& allowed) const {
  allowed = std::find(std::begin(kOverridableTabs), std::end(kOverridableTabs), name) !=
            std::end(kOverridableTabs);
}

void EditorWindow::TabShown(const std::string& name) {
  // A tab may ask to be shown through the hub; switching raises the event again for it.
  const int index = IndexOf(name);
  if (index >= 0 && index != tabs_->currentIndex()) tabs_->setCurrentIndex(index);
}

void EditorWindow::FormChanged(const std::string& control, const std::string& property,
                               const Variant&) {
  setWindowModified(true);
  const int index = IndexOf(control);
  const QString where = index >= 0 ? tabs_->tabText(index) : Q(control);
  ShowStatus(Q(property) + " changed on the " + where + " tab; not saved yet.");
}

bool EditorWindow::ShowTab(const QString& nameOrCaption) {
  for (int i = 0; i < tabs_->count(); ++i) {
    if (Q(names_[std::size_t(i)]).compare(nameOrCaption, Qt::CaseInsensitive) == 0 ||
        tabs_->tabText(i).compare(nameOrCaption, Qt::CaseInsensitive) == 0) {
      tabs_->setCurrentIndex(i);
      return true;
    }
  }
  return false;
}

TabPage* EditorWindow::Page(const std::string& name) const {
  const int index = IndexOf(name);
  return index >= 0 ? qobject_cast<TabPage*>(tabs_->widget(index)) : nullptr;
}

int EditorWindow::IndexOf(const std::string& name) const {
  auto it = std::find(names_.begin(), names_.end(), name);
  return it == names_.end() ? -1 : int(it - names_.begin());
}

QString EditorWindow::StatusText() const { return status_->text(); }

void EditorWindow::ShowStatus(const QString& text) { status_->setText(text); }

void EditorWindow::closeEvent(QCloseEvent* event) {
  if (isWindowModified()) {
    const auto answer =
        QMessageBox::question(this, windowTitle().remove("[*]"), "Save the changes before closing?",
                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !HandleProcess("Save"))) {
      event->ignore();
      return;
    }
  }
  CloseDocument();
  event->accept();
}

}  // namespace qt_editor
