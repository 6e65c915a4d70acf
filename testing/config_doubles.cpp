#include "plexion/testing/config_doubles.hpp"

namespace plexion::testing {

Error ServiceFailure(std::string_view source, std::string_view what) {
  return Error::External(static_cast<Status>(0x80041234u), std::string(source), std::string(what));
}

bool FakeSystemConfig::EnterpriseMode() {
  log->Record("SystemConfig.EnterpriseMode");
  if (failEnterpriseMode) throw ServiceFailure("SystemConfig");
  return enterprise;
}

std::int32_t FakeSystemConfig::HourSlotCount(std::int32_t& reserved) {
  log->Record("SystemConfig.HourSlotCount", reserved);
  return hourSlots;
}

namespace {
class FakeFeatureSet final : public FeatureSet {
 public:
  explicit FakeFeatureSet(FakeFeatureRegistry& registry)
      : registry_(Ref<FakeFeatureRegistry>(&registry)) {}
  ~FakeFeatureSet() override { registry_->log->Record("FeatureSet.Release"); }
  bool IsEnabled(const std::string& key) override {
    registry_->log->Record("FeatureSet.IsEnabled", key);
    if (registry_->failingKey == key) throw ServiceFailure("FeatureSet");
    return registry_->enabled.count(key) > 0;
  }

 private:
  Ref<FakeFeatureRegistry> registry_;
};
}  // namespace

Ref<FeatureSet> FakeFeatureRegistry::Features() {
  log->Record("FeatureRegistry.Features");
  return MakeRef<FakeFeatureSet>(*this);
}

}  // namespace plexion::testing
