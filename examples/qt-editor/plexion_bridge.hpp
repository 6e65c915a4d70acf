// Where the Qt widgets meet Plexion's object model.
//
// To the library a tab control and an editor are Plexion objects: counted (Ref), dying with
// their last reference, connected to the hub as listeners. A QWidget is owned by its Qt parent
// and deleted by Qt. No object can live by both rules, so each widget gets a small counted
// adapter that implements the contract and the hub's listener interface and forwards to the
// widget through a QPointer:
// - the adapter never keeps its widget alive, and outlives it harmlessly (the QPointer goes
//   null and the calls do nothing), so it does not matter whether Qt or the hub lets go first;
// - the widget never holds its adapter, so the hub, which holds each listener until it
//   disconnects, keeps no widget alive and no count cycle runs through it. The editor window
//   keeps the adapters and the connection cookies itself and disconnects every listener when
//   the document closes.
// One adapter per widget serves both the contract and the events, as one Plexion object
// (Object is a virtual base), so the hub and the editor see the same identity.
#pragma once

#include <string>

#include <QPointer>

#include <plexion/tabs/contracts.hpp>
#include <plexion/tabs/notify.hpp>

namespace qt_editor {

class TabPage;
class EditorWindow;

// A tab page as the library sees it: IPlexionControl and a listener of the hub.
class TabControl final : public plexion::IPlexionControl, public plexion::CPlexionNotifyEvents {
 public:
  explicit TabControl(TabPage* page);

  void LoadData(const plexion::Variant& v, const std::string& sName,
                plexion::Ref<plexion::CPlexionNotify> dtN) override;
  void LoadState() override;
  bool IsTabValid(const std::string& sMsgBoxTitle) override;
  void SaveData() override;

  void TabShow(std::string& TheName) override;
  void FormChange(std::string& ControlName, std::string& PropertyName,
                  plexion::Variant& fValue) override;
  void InitComplete() override;
  void ReportTypeChange(std::string& sReportType) override;

  TabPage* Page() const;

 private:
  QPointer<TabPage> page_;
};

// The editor window as the library sees it: IPlexionEditor and a listener of the hub.
class EditorContract final : public plexion::IPlexionEditor, public plexion::CPlexionNotifyEvents {
 public:
  explicit EditorContract(EditorWindow* window);

  bool HandleProcess(const std::string& sProc) override;
  plexion::Variant GetData() override;
  bool IsDataValid() override;
  plexion::Variant SaveData() override;

  void TabOverride(std::string& TheName, bool& TheState) override;
  void TabShow(std::string& TheName) override;
  void FormChange(std::string& ControlName, std::string& PropertyName,
                  plexion::Variant& fValue) override;

 private:
  QPointer<EditorWindow> window_;
};

}  // namespace qt_editor
