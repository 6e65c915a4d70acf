// Recording doubles of the document folders (document types, the scenario and template
// document services, the folder application) and of the stored-procedure call.
#pragma once

#include <functional>
#include <set>

#include "plexion/services/db.hpp"
#include "plexion/services/folder_docs.hpp"
#include "plexion/testing/recorder.hpp"

namespace plexion::testing {

class FakeDocumentType final : public DocumentType {
 public:
  explicit FakeDocumentType(std::string name) : name_(std::move(name)) {}
  std::string Name() const override { return name_; }

 private:
  std::string name_;
};

// Logs "ScenarioDocs.IsExpress(5)" (or "TemplateDocs..."); the ids in `express` are express.
template <class Service>
class FakeDocuments final : public Service, public Recorder {
 public:
  FakeDocuments(SharedLog log, std::string name) : Recorder(std::move(log), std::move(name)) {}
  bool IsExpress(std::int32_t documentId) override {
    Call("IsExpress", documentId);
    return express.count(documentId) > 0;
  }
  std::set<std::int32_t> express;
};
using FakeScenarioDocs = FakeDocuments<ScenarioDocs>;
using FakeTemplateDocs = FakeDocuments<TemplateDocs>;

// Owner hands out a new owner object each time; it logs "FolderOwner.Id" and
// "FolderOwner.Release".
class FakeFolderApp final : public FolderApp, public Recorder {
 public:
  explicit FakeFolderApp(SharedLog log = NewLog()) : Recorder(std::move(log), "FolderApp") {}
  Ref<FolderOwner> Owner() override;
  Ref<DocumentType> DocType(const std::string& name) override;

  std::int32_t ownerId = 0;
  bool noOwner = false;  // Owner returns no object
};

// Logs "ProcCall.ProcName(X)", "ProcCall.AddParam(v | type | extra | flag)", "ProcCall.Execute"
// and "ProcCall.Release".
class FakeProcCall final : public ProcCall, public Recorder {
 public:
  explicit FakeProcCall(SharedLog log = NewLog()) : Recorder(std::move(log), "ProcCall") {}
  ~FakeProcCall() override { log->Add("ProcCall.Release"); }
  void ProcName(const std::string& name) override;
  void AddParam(const std::string& value, const std::string& typeName, const std::string& extra,
                bool flag) override;
  Variant Execute() override;

  Variant result;
};

// Makes procedure calls for a test: logs "ProcCall.New" for each, hands each the result and
// the failures set here.
struct FakeProcCalls {
  explicit FakeProcCalls(SharedLog log) : log(std::move(log)) {}
  std::function<Ref<ProcCall>()> Factory();

  SharedLog log;
  Variant result;
  std::vector<std::string> failOn;
  int made = 0;
};

}  // namespace plexion::testing
