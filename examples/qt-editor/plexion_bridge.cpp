#include "plexion_bridge.hpp"

#include "editor_window.hpp"
#include "tab_pages.hpp"

namespace qt_editor {

using namespace plexion;

TabControl::TabControl(TabPage* page) : page_(page) {}

void TabControl::LoadData(const Variant& v, const std::string& sName, Ref<CPlexionNotify> dtN) {
  if (page_) page_->LoadData(v, sName, std::move(dtN));
}

void TabControl::LoadState() {
  if (page_) page_->LoadState();
}

bool TabControl::IsTabValid(const std::string& sMsgBoxTitle) {
  return page_ && page_->IsTabValid(sMsgBoxTitle);
}

void TabControl::SaveData() {
  if (page_) page_->SaveData();
}

void TabControl::TabShow(std::string& TheName) {
  if (page_) page_->TabShow(TheName);
}

void TabControl::FormChange(std::string& ControlName, std::string& PropertyName, Variant& fValue) {
  if (page_) page_->FormChange(ControlName, PropertyName, fValue);
}

void TabControl::InitComplete() {
  if (page_) page_->InitComplete();
}

void TabControl::ReportTypeChange(std::string& sReportType) {
  if (page_) page_->ReportTypeChange(sReportType);
}

TabPage* TabControl::Page() const { return page_; }

EditorContract::EditorContract(EditorWindow* window) : window_(window) {}

bool EditorContract::HandleProcess(const std::string& sProc) {
  return window_ && window_->HandleProcess(sProc);
}

Variant EditorContract::GetData() { return window_ ? window_->GetData() : Variant(); }

bool EditorContract::IsDataValid() { return window_ && window_->IsDataValid(); }

Variant EditorContract::SaveData() { return window_ ? window_->SaveData() : Variant(); }

void EditorContract::TabOverride(std::string& TheName, bool& TheState) {
  if (window_) window_->AnswerTabOverride(TheName, TheState);
}

void EditorContract::TabShow(std::string& TheName) {
  if (window_) window_->TabShown(TheName);
}

void EditorContract::FormChange(std::string& ControlName, std::string& PropertyName,
                                Variant& fValue) {
  if (window_) window_->FormChanged(ControlName, PropertyName, fValue);
}

}  // namespace qt_editor
