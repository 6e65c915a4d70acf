// The contracts that document editors and tab controls implement. The bodies here are the
// defaults a host gets when it does not override a member.
#pragma once

#include <string>

#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"
#include "plexion/tabs/notify.hpp"

namespace plexion {

class IPlexionEditor : public virtual Object {
 public:
  using ComponentClass = IPlexionEditor;
  static constexpr std::string_view kTypeName = "IPlexionEditor";
  // Carries out a named process step; false when the editor does not know it.
  virtual bool HandleProcess(const std::string& sProc);
  // Hands the editor a tab control and a value.
  virtual void LoadData(Ref<Object> ctlTab, const Variant& v);
  // The editor's document data.
  virtual Variant GetData();
  // Whether the editor's data may be saved.
  virtual bool IsDataValid();
  // Saves and returns the editor's data.
  virtual Variant SaveData();
};

class IPlexionControl : public virtual Object {
 public:
  using ComponentClass = IPlexionControl;
  static constexpr std::string_view kTypeName = "IPlexionControl";
  // Carries out a named process step; false when the tab does not know it.
  virtual bool HandleTabProcess(const std::string& sProcess);
  // Whether the tab's input is valid; the title is for any message box the tab shows.
  virtual bool IsTabValid(const std::string& sMsgBoxTitle);
  virtual void LoadState();
  // Writes the tab's input into the document data.
  virtual void SaveData();
  // Hands the tab its descriptor's Data, its tab Name and the document's hub.
  virtual void LoadData(const Variant& v, const std::string& sName, Ref<CPlexionNotify> dtN);
  virtual void SaveState();
};

}  // namespace plexion
