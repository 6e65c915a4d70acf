#include "plexion/services/unit_of_work.hpp"

#include <string>

#include "plexion/platform/error.hpp"
#include "plexion/platform/thread_state.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::services {

namespace {

// The unit open on this thread: the service its outermost unit began on, how many units have
// joined it, whether one of them ended uncommitted, and which unit it is (a unit that joined
// one which has ended since has nothing left to do).
struct OpenUnit {
  Ref<DbService> service;
  int depth = 0;
  bool partUndone = false;
  std::uint64_t generation = 0;
};

OpenUnit& ThisThread() { return PerThread<OpenUnit>(); }

// The outermost unit has committed or rolled back: the next unit made begins anew.
void End(OpenUnit& open) {
  open.service.reset();
  open.depth = 0;
  open.partUndone = false;
}

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
    ++open.generation;
  }
  generation_ = open.generation;
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

bool UnitOfWork::Joined() const {
  const OpenUnit& open = ThisThread();
  return open.depth > 0 && open.generation == generation_;
}

void UnitOfWork::Commit() {
  if (ended_ || !Joined()) Fail("this unit of work has ended already");
  ended_ = true;
  if (!outermost_) return;
  OpenUnit& open = ThisThread();
  if (open.partUndone) {
    open.service->RollbackWork();
    End(open);
    Fail(std::string(kSaveUndone) + "a part of it ended without being committed");
  }
  try {
    open.service->CommitWork();
  } catch (...) {
    ended_ = false;  // rolled back when it goes
    throw;
  }
  End(open);
}

// Ends this unit: the outermost one rolls back unless it has ended; a joined one that did not
// commit takes the outermost one down with it.
void UnitOfWork::Leave() noexcept {
  if (!Joined()) return;
  OpenUnit& open = ThisThread();
  if (!outermost_) {
    --open.depth;
    if (!ended_) open.partUndone = true;
    return;
  }
  if (!ended_) open.service->RollbackWork();
  End(open);
}

}  // namespace plexion::services
