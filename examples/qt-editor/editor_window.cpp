#include "editor_window.hpp"

#include <algorithm>
#include <string_view>

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>

#include <plexion/tabs/gplexion.hpp>

#include "page_helpers.hpp"
#include "tab_pages.hpp"

namespace qt_editor {

using namespace plexion;

namespace {

// The override tabs whose question this editor answers yes: it has controls for the scenario
// override only, so only those tabs may override their part of the report group.
constexpr std::string_view kOverridableTabs[] = {"ScenarioOverride", "SAScenarioOvr"};

// The tabs of an application that has no tab set: its general tab alone.
Ref<CPlexionCtls> GeneralTabOnly(const std::string& appName) {
  auto tabs = MakeRef<CPlexionCtls>();
  tabs->AddPlexion("General", "General", "PlexionCtls.XRptGenTab", Variant(appName));
  return tabs;
}

QMessageBox::StandardButton AskWithAMessageBox(EditorWindow& window) {
  return QMessageBox::question(&window, window.windowTitle().remove("[*]"),
                               "Save the changes before closing?",
                               QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
}

}  // namespace

EditorWindow::EditorWindow(ScheduleKind kind, std::int32_t id, QWidget* parent)
    : EditorWindow(std::make_unique<ScheduleDocument>(kind, id), parent) {}

EditorWindow::EditorWindow(std::unique_ptr<Document> document, QWidget* parent)
    : QMainWindow(parent),
      document_(std::move(document)),
      tabs_(new QTabWidget),
      status_(new QLabel),
      askBeforeClosing_(AskWithAMessageBox) {
  ShowTitle();
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
  ShowStatus("Opened " + ToQString(document_->Title()) + ".");
}

EditorWindow::~EditorWindow() { CloseDocument(); }

void EditorWindow::OpenTabs() {
  hub_ = MakeRef<CPlexionNotify>();
  // The editor listens first, so that it has answered before the tabs hear a question.
  contract_ = MakeRef<EditorContract>(this);
  cookies_.push_back(hub_->Connect(contract_));
  std::string app = document_->AppName();
  Ref<CPlexionCtls> tabSet = GPlexion::Global()->AppTabs(app);
  if (!tabSet) tabSet = GeneralTabOnly(app);
  for (const auto& entry : *tabSet) {
    const CPlexionCtl& descriptor = *entry.item;
    TabPage* page = CreatePage(descriptor.ProgID(), *document_);
    tabs_->addTab(page, ToQString(descriptor.Label()));
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

Variant EditorWindow::GetData() const {
  return document_ ? Variant(document_->DataObject()) : Variant();
}

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
    ShowTitle();  // a new document has its id now
    ShowStatus(ToQString(saved) + ".");
    Q_EMIT Saved();
    return GetData();
  } catch (const Error& e) {
    ShowStatus("Not saved: " + ErrorText(e));
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
  const QString where = index >= 0 ? tabs_->tabText(index) : ToQString(control);
  ShowStatus(ToQString(property) + " changed on the " + where + " tab; not saved yet.");
}

bool EditorWindow::ShowTab(const QString& nameOrCaption) {
  for (int i = 0; i < tabs_->count(); ++i) {
    if (ToQString(names_[std::size_t(i)]).compare(nameOrCaption, Qt::CaseInsensitive) == 0 ||
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
  if (document_ && isWindowModified()) {
    const QMessageBox::StandardButton answer = askBeforeClosing_(*this);
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !HandleProcess("Save"))) {
      event->ignore();
      return;
    }
    if (answer == QMessageBox::Discard) {
      try {
        document_->Discard();
      } catch (const Error& e) {
        // The user chose to let the changes go: a temporary copy left behind does not keep
        // the window open.
        qWarning("plexion-editor: %s", qPrintable(ErrorText(e)));
      }
    }
  }
  CloseDocument();
  event->accept();
}

std::optional<DocumentKey> EditorWindow::Key() const {
  return document_ ? std::optional<DocumentKey>(document_->Key()) : std::nullopt;
}

void EditorWindow::ShowTitle() {
  QString title = ToQString(document_->Title());
  title[0] = title[0].toUpper();
  setWindowTitle(title + "[*] - Plexion editor");
}

}  // namespace qt_editor
