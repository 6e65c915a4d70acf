#include "plexion/services/unit_of_work.hpp"

#include <string>

#include "plexion/platform/error.hpp"
#include "plexion/platform/thread_state.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::services {

namespace {

// The unit open on this thread: the service its outermost unit began on, how many units have
// joined it, and whether one of them ended uncommitted.
struct OpenUnit {
  Ref<DbService> service;
  int depth = 0;
  bool partUndone = false;
};

OpenUnit& ThisThread() { return PerThread<OpenUnit>(); }

[[noreturn]] void Fail(const std::string& message) {
  throw Error::External(status::Fail, std::string(kLibraryName), message);
}

}  // namespace

UnitOfWork::UnitOfWork(std::string_view documentKind, std::int64_t documentId)
    : outermost_(ThisThread().depth == 0) {
  OpenUnit& open = ThisThread();
  if (outermost_) {
    Ref<DbService> service(&Locate<DbService>());
    service->BeginWork();
    open.service = std::move(service);
    open.partUndone = false;
  }
  ++open.depth;
  if (documentKind.empty()) return;
  try {
    open.service->LockDocument(std::string(documentKind), documentId);
  } catch (...) {
    Leave();  // a constructor that fails runs no destructor
    throw;
  }
}

UnitOfWork::~UnitOfWork() { Leave(); }

void UnitOfWork::Commit() {
  if (ended_) Fail("this unit of work has ended already");
  OpenUnit& open = ThisThread();
  if (outermost_ && open.partUndone) {
    open.service->RollbackWork();
    ended_ = true;
    Fail(std::string(kSaveUndone) + "a part of it ended without being committed");
  }
  if (outermost_) open.service->CommitWork();
  ended_ = true;
}

// Ends this unit: the outermost one rolls back unless it has ended (a failed commit rolls back
// here); a joined one that did not commit takes the outermost one down with it.
void UnitOfWork::Leave() noexcept {
  OpenUnit& open = ThisThread();
  --open.depth;
  if (!outermost_) {
    if (!ended_) open.partUndone = true;
    return;
  }
  if (!ended_) open.service->RollbackWork();
  open.service.reset();
  open.partUndone = false;
}

}  // namespace plexion::services
