#include "plexion/tabs/app_tabs.hpp"

#include <algorithm>
#include <map>
#include <optional>

#include "plexion/platform/collection.hpp"
#include "plexion/platform/thread_state.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/system_config.hpp"
#include "plexion/tabs/app_tab_table.hpp"

namespace plexion::MPlexion {

namespace {

using AppTabCache = KeyedCollection<Ref<CPlexionCtls>>;

AppTabCache& Cache() { return PerThread<AppTabCache>(); }

// The answers of one build: enterprise mode is asked when a row first needs it (and again where
// a row says so), each feature when a row first needs it.
class BuildConditions {
 public:
  bool Allow(const tabs::TabRow& row) {
    if (row.mode != tabs::ModeRule::Any) {
      if (!mode_ || row.rereadsMode) mode_ = services::Locate<SystemConfig>().EnterpriseMode();
      if ((row.mode == tabs::ModeRule::Enterprise) != *mode_) return false;
    }
    if (row.featureRule != tabs::FeatureRule::None) {
      if ((row.featureRule == tabs::FeatureRule::On) != FeatureOn(row.feature)) return false;
    }
    return true;
  }

 private:
  bool FeatureOn(std::string_view key) {
    if (auto it = features_.find(key); it != features_.end()) return it->second;
    Ref<FeatureSet> set = services::Locate<FeatureRegistry>().Features();
    if (!set) throw Error::Runtime(errnum::ObjectVariableNotSet);
    const bool on = set->IsEnabled(std::string(key));
    features_.emplace(key, on);
    return on;
  }

  std::optional<bool> mode_;
  std::map<std::string_view, bool, std::less<>> features_;
};

// The cache keeps its sets and their descriptors as module state: they do not keep the
// component loaded unless a host holds them.
struct KeepTabs {
  const CPlexionCtls& set;
  ~KeepTabs() {
    set.KeepInModuleState();
    for (const auto& entry : set) entry.item->KeepInModuleState();
  }
};

void Build(std::string_view app) {
  auto set = MakeRef<CPlexionCtls>();
  Cache().Add(std::string(app), set);
  KeepTabs keep{*set};  // also when a build fails part-way
  BuildConditions conditions;
  for (const tabs::TabRow& row : tabs::TabRows()) {
    if (std::find(row.apps.begin(), row.apps.end(), app) == row.apps.end()) continue;
    if (!conditions.Allow(row)) continue;
    set->AddPlexion(std::string(row.name), std::string(row.label), std::string(row.progId),
                    Variant(row.data.empty() ? app : row.data));
  }
}

}  // namespace

Ref<CPlexionCtls> AppTabs(const std::string& sKey) {
  if (const auto* set = Cache().Find(sKey)) return *set;
  BuildAppTabs(sKey);
  if (const auto* set = Cache().Find(sKey)) return *set;
  return {};
}

bool IsAppTabsCached(const std::string& sKey) {
  const auto* set = Cache().Find(sKey);
  return set && *set;
}

void BuildAppTabs(const std::string& sKey) {
  for (std::string_view app : tabs::ApplicationNames()) {
    if (app == sKey) {
      Build(app);
      return;
    }
  }
}

}  // namespace plexion::MPlexion
