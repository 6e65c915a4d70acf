#include "hub_listeners.hpp"

namespace plexion::bench {
namespace {

class PlainWorker final : public PlainListener {
 public:
  explicit PlainWorker(Work& work) : work_(work) {}
  void TabShow(std::string& name) override { work_.TabShow(name); }
  void FormChange(std::string& c, std::string& p, Variant& v) override {
    work_.FormChange(c, p, v);
  }

 private:
  Work& work_;
};

}  // namespace

std::unique_ptr<PlainListener> MakePlainListener(Work& work) {
  return std::make_unique<PlainWorker>(work);
}

}  // namespace plexion::bench
