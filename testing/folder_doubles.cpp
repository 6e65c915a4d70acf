#include "plexion/testing/folder_doubles.hpp"

namespace plexion::testing {

namespace {
class FakeOwner final : public FolderOwner {
 public:
  FakeOwner(SharedLog log, std::int32_t id) : log_(std::move(log)), id_(id) {}
  ~FakeOwner() override { log_->Add("FolderOwner.Release"); }
  std::int32_t Id() const override {
    log_->Add("FolderOwner.Id");
    return id_;
  }

 private:
  SharedLog log_;
  std::int32_t id_;
};
}  // namespace

Ref<FolderOwner> FakeFolderApp::Owner() {
  Call("Owner");
  if (noOwner) return {};
  return MakeRef<FakeOwner>(log, ownerId);
}

Ref<DocumentType> FakeFolderApp::DocType(const std::string& name) {
  Call("DocType", name);
  return MakeRef<FakeDocumentType>(name);
}

void FakeProcCall::ProcName(const std::string& name) { Call("ProcName", name); }

void FakeProcCall::AddParam(const std::string& value, const std::string& typeName,
                            const std::string& extra, bool flag) {
  Call("AddParam", value, typeName, extra, flag);
}

Variant FakeProcCall::Execute() {
  Call("Execute");
  return result;
}

std::function<Ref<ProcCall>()> FakeProcCalls::Factory() {
  return [this]() -> Ref<ProcCall> {
    log->Add("ProcCall.New");
    ++made;
    auto call = MakeRef<FakeProcCall>(log);
    call->result = result;
    call->failOn = failOn;
    return call;
  };
}

}  // namespace plexion::testing
