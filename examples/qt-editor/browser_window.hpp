// The main window: a browser of the documents (report folders with their report definitions,
// report-group schedules, soft-alarm schedules) from which each opens in its editor, and the
// way to the data-availability window. Several documents may be open at once, each with its
// own hub; opening one that is open brings its window forward.
#pragma once

#include <vector>

#include <QMainWindow>
#include <QPointer>

#include "data_avail_window.hpp"
#include "document.hpp"
#include "editor_window.hpp"

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

namespace qt_editor {

class BrowserWindow final : public QMainWindow {
  Q_OBJECT
 public:
  explicit BrowserWindow(QWidget* parent = nullptr);
  ~BrowserWindow() override;

  // Reads the listing again; an error of the database is shown in the status bar.
  void Refresh();
  // The document's editor, opened or brought forward; null when the document could not be
  // opened (the reason is in the status bar).
  EditorWindow* Open(DocumentKey key);
  // A new report definition of that application in an editor of its own.
  EditorWindow* NewReport(const std::string& appName = "Traffic");
  // The data-availability window, opened with the demo's search or brought forward.
  DataAvailWindow* OpenDataAvailability();

  QTreeWidget* Tree() const { return tree_; }
  // The item of a document, or null.
  QTreeWidgetItem* ItemOf(DocumentKey key) const;
  std::vector<EditorWindow*> Editors() const;
  QString StatusText() const;

 protected:
  // Closes every editor first; one that keeps its changes (Cancel) keeps the browser open.
  void closeEvent(QCloseEvent* event) override;

 private:
  void OpenItem(QTreeWidgetItem* item);
  EditorWindow* Show(EditorWindow* editor);
  void ShowStatus(const QString& text);

  QTreeWidget* tree_;
  QLabel* status_;
  std::vector<QPointer<EditorWindow>> editors_;
  QPointer<DataAvailWindow> dataAvail_;
};

}  // namespace qt_editor
