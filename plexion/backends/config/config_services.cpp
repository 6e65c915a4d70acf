#include "plexion/backends/config/config_services.hpp"

#include "plexion/services/locator.hpp"

namespace plexion::backends {

namespace {
class ConfigFeatureSet final : public FeatureSet {
 public:
  explicit ConfigFeatureSet(SharedConfiguration config) : config_(std::move(config)) {}
  bool IsEnabled(const std::string& key) override {
    const auto it = config_->features.find(key);
    return it != config_->features.end() && it->second;
  }

 private:
  SharedConfiguration config_;
};
}  // namespace

Ref<FeatureSet> ConfigFeatureRegistry::Features() { return MakeRef<ConfigFeatureSet>(config_); }

void InstallConfigServices(SharedConfiguration config) {
  services::SetFactory<SystemConfig>(
      [config]() -> Ref<SystemConfig> { return MakeRef<ConfigSystemConfig>(config); });
  services::SetFactory<FeatureRegistry>(
      [config]() -> Ref<FeatureRegistry> { return MakeRef<ConfigFeatureRegistry>(config); });
}

}  // namespace plexion::backends
