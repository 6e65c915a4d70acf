// The editor window: one document, its tabs from the application's tab set, the document's
// notification hub, and saving.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>
#include <QMessageBox>

#include <plexion/tabs/notify.hpp>

#include "document.hpp"
#include "plexion_bridge.hpp"
#include "schedule_document.hpp"

class QLabel;
class QTabWidget;

namespace qt_editor {

class TabPage;

class EditorWindow final : public QMainWindow {
  Q_OBJECT
 public:
  // Shows the document (a load that failed never gets here); the window owns it.
  explicit EditorWindow(std::unique_ptr<Document> document, QWidget* parent = nullptr);
  // Opens the stored schedule; an error of the load (no such row, a database that refuses)
  // leaves the constructor.
  EditorWindow(ScheduleKind kind, std::int32_t id, QWidget* parent = nullptr);
  ~EditorWindow() override;

  // The editor contract (EditorContract forwards here). HandleProcess knows "Save" and
  // "Close". SaveData validates every tab, has each write its fields into the data object and
  // saves; it answers the data object, or nothing when the tabs or the database refused.
  bool HandleProcess(const std::string& sProc);
  plexion::Variant GetData() const;
  bool IsDataValid();
  plexion::Variant SaveData();

  // The hub's events the editor takes part in.
  void AnswerTabOverride(const std::string& name, bool& allowed) const;
  void TabShown(const std::string& name);
  void FormChanged(const std::string& control, const std::string& property,
                   const plexion::Variant& value);

  // Shows the tab of that Name or caption (letter case ignored); false when there is none.
  bool ShowTab(const QString& nameOrCaption);
  // Disconnects every listener from the hub and lets go of the tabs, their adapters, the hub
  // and the document: afterwards the window holds no object of the library.
  void CloseDocument();

  // What closing with unsaved changes asks: Save, Discard or Cancel. A message box unless
  // replaced (tests answer without one).
  using SaveQuestion = std::function<QMessageBox::StandardButton(EditorWindow&)>;
  void AskBeforeClosing(SaveQuestion question) { askBeforeClosing_ = std::move(question); }

  // The document's key as it is now (a new report has one once it is saved); nothing after
  // CloseDocument.
  std::optional<DocumentKey> Key() const;
  QTabWidget* Tabs() const { return tabs_; }
  // The page of the tab of that Name, or null.
  TabPage* Page(const std::string& name) const;
  const plexion::Ref<plexion::CPlexionNotify>& Hub() const { return hub_; }
  plexion::Ref<plexion::IPlexionEditor> Contract() const { return contract_; }
  QString StatusText() const;

 Q_SIGNALS:
  // A save went through (the browser lists the document anew).
  void Saved();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OpenTabs();
  void ShowTitle();
  void RaiseTabShow(int index);
  int IndexOf(const std::string& name) const;
  void ShowStatus(const QString& text);

  std::unique_ptr<Document> document_;
  plexion::Ref<plexion::CPlexionNotify> hub_;
  plexion::Ref<EditorContract> contract_;
  std::vector<plexion::Ref<TabControl>> controls_;  // in tab order
  std::vector<std::string> names_;                  // the tabs' Names, in tab order
  std::vector<plexion::ConnectionPoint::Cookie> cookies_;
  QTabWidget* tabs_;
  QLabel* status_;
  SaveQuestion askBeforeClosing_;
};

}  // namespace qt_editor
