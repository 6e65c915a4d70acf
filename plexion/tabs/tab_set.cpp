#include "plexion/tabs/tab_set.hpp"

#include <cmath>

#include "plexion/platform/convert.hpp"

namespace plexion {

void CPlexionCtl::Init(std::string name, std::string label, std::string progId, Variant data) {
  name_ = std::move(name);
  label_ = std::move(label);
  progId_ = std::move(progId);
  data_ = data.Value();
}

void CPlexionCtls::Clear() { tabs_ = {}; }

std::int32_t CPlexionCtls::Count() const { return tabs_.Count(); }

Ref<CPlexionCtl> CPlexionCtls::Item(const Variant& index) const {
  const Variant v = index.Value();
  const Ref<CPlexionCtl>* found = nullptr;
  if (v.IsString()) {
    found = tabs_.Find(v.StringValue());
  } else if (v.IsNumeric() || v.Type() == VarType::Date) {
    const double position = ToDouble(v);
    if (std::isfinite(position) && std::fabs(position) < 2147483648.0) found = tabs_.At(ToInt32(v));
  }
  return found ? *found : Ref<CPlexionCtl>();
}

Ref<Enumerator> CPlexionCtls::NewEnum() const {
  std::vector<Variant> items;
  for (const auto& entry : tabs_) items.emplace_back(entry.item);
  return MakeRef<SnapshotEnumerator>(std::move(items));
}

void CPlexionCtls::Remove(const std::string& sTab) {
  if (tabs_.Find(sTab)) tabs_.Remove(sTab);
}

void CPlexionCtls::AddPlexion(const std::string& sName, const std::string& sLabel,
                              const std::string& sProgID, std::optional<Variant> vData) {
  auto tab = MakeRef<CPlexionCtl>();
  tab->Init(sName, sLabel, sProgID, vData ? *vData : Variant::Nothing());
  tabs_.Add(tab->Name(), tab);
}

}  // namespace plexion
