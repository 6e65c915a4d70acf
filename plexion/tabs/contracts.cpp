#include "plexion/tabs/contracts.hpp"

namespace plexion {

bool IPlexionEditor::HandleProcess(const std::string&) { return false; }
void IPlexionEditor::LoadData(Ref<Object>, const Variant&) {}
Variant IPlexionEditor::GetData() { return {}; }
bool IPlexionEditor::IsDataValid() { return false; }
Variant IPlexionEditor::SaveData() { return {}; }

bool IPlexionControl::HandleTabProcess(const std::string&) { return false; }
bool IPlexionControl::IsTabValid(const std::string&) { return false; }
void IPlexionControl::LoadState() {}
void IPlexionControl::SaveData() {}
void IPlexionControl::LoadData(const Variant&, const std::string&, Ref<CPlexionNotify>) {}
void IPlexionControl::SaveState() {}

}  // namespace plexion
