// A tab control of the example: one widget class per kind of tab, chosen by the ProgID of the
// tab's descriptor. Each page edits its document by property name and talks to the editor and
// the other tabs only through the document's hub.
#pragma once

#include <string>
#include <string_view>

#include <QWidget>

#include <plexion/platform/variant.hpp>
#include <plexion/tabs/notify.hpp>

#include "document.hpp"

class QLabel;
class QVBoxLayout;

namespace qt_editor {

// Its TabControl (plexion_bridge.hpp) hands it the tab contract's calls and the hub's events;
// the defaults are those of a tab with nothing to edit.
class TabPage : public QWidget {
  Q_OBJECT
 public:
  explicit TabPage(Document& document);

  // The tab contract. LoadData takes the descriptor's Data, the tab's Name and the hub;
  // LoadState fills the fields from the document; SaveData writes them into it.
  virtual void LoadData(const plexion::Variant& v, const std::string& sName,
                        plexion::Ref<plexion::CPlexionNotify> dtN);
  virtual void LoadState() {}
  virtual bool IsTabValid(const std::string& sMsgBoxTitle);
  virtual void SaveData() {}

  // The hub's events.
  virtual void TabShow(const std::string& name);
  virtual void FormChange(const std::string& control, const std::string& property,
                          const plexion::Variant& value);
  virtual void InitComplete() {}
  virtual void ReportTypeChange(const std::string& /*reportType*/) {}

  const std::string& TabName() const { return name_; }
  // Whether the hub's last TabShow named this tab.
  bool IsShown() const { return shown_; }

 protected:
  // Tells the editor and the other tabs that a field changed (not while LoadState fills).
  void ReportChange(std::string_view property, const plexion::Variant& value);
  // The data object's property of that name.
  plexion::Variant Get(std::string_view property) const;
  void Let(std::string_view property, const plexion::Variant& value);
  // Shows why the tab is not valid under its fields ("" hides it); answers whether it is.
  bool ShowProblem(const QString& problem);
  // The page's column: its fields go in above the problem line.
  QVBoxLayout* Column() const;

  Document& document_;
  plexion::Ref<plexion::CPlexionNotify> hub_;
  bool filling_ = false;

 private:
  std::string name_;
  bool shown_ = false;
  QLabel* problem_;
};

// A tab this example has no control for: it names the ProgID.
class PlaceholderPage final : public TabPage {
  Q_OBJECT
 public:
  PlaceholderPage(Document& document, const std::string& progId);
};

// The page of a ProgID for this document; a placeholder for ProgIDs without a page of their
// own or of another kind of document.
TabPage* CreatePage(const std::string& progId, Document& document);

}  // namespace qt_editor
