// Units of work on the recording database double: what the service is asked, in which order.
// Here the whole transcript is the contract: begin and lock before the statements, then one
// commit or rollback, decided by the outermost unit.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "plexion/services/locator.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "plexion/testing/db_doubles.hpp"

namespace plexion::services {
namespace {

using Calls = std::vector<std::string>;
const std::string kBegin = "DbService.BeginWork", kSave = "DbService.ExecuteStatement(save)",
                  kCommit = "DbService.CommitWork", kRollback = "DbService.RollbackWork";

struct Case {
  const char* what;
  std::function<void(testing::FakeDbService&)> run;
  Calls calls;
  std::string error{};  // the text the case ends with, "" for none
};

void Save(testing::FakeDbService& db) { db.ExecuteStatement("save"); }

TEST(UnitOfWork, TheOutermostUnitDecidesWhetherToCommit) {
  const std::vector<Case> cases = {
      {"committed",
       [](auto& db) {
         UnitOfWork unit("sa_schedule", 1);
         Save(db);
         unit.Commit();
       },
       {kBegin, "DbService.LockDocument(sa_schedule | 1)", kSave, kCommit}},
      {"left by an exception",
       [](auto& db) {
         UnitOfWork unit;
         Save(db);
         throw Error::Runtime(5);
       },
       {kBegin, kSave, kRollback},
       "Invalid procedure call or argument"},
      {"a joined unit locks its own document and commits with the outermost",
       [](auto& db) {
         UnitOfWork outer;
         {
           UnitOfWork inner("rg_schedule", 7);
           Save(db);
           inner.Commit();
         }
         outer.Commit();
       },
       {kBegin, "DbService.LockDocument(rg_schedule | 7)", kSave, kCommit}},
      {"a joined unit left uncommitted undoes the outermost",
       [](auto& db) {
         UnitOfWork outer;
         try {
           UnitOfWork inner;
           Save(db);
           throw Error::Runtime(5);
         } catch (const Error&) {
         }
         outer.Commit();
       },
       {kBegin, kSave, kRollback},
       "the save was undone: a part of it ended without being committed"},
      {"a failed commit rolls back",
       [](auto& db) {
         db.FailOn(kCommit);
         UnitOfWork unit;
         unit.Commit();
       },
       {kBegin, kCommit, kRollback},
       "injected failure"},
      {"a failed lock ends the unit it began",
       [](auto& db) {
         db.FailOn("DbService.LockDocument");
         UnitOfWork unit("sa_schedule", 2);
       },
       {kBegin, "DbService.LockDocument(sa_schedule | 2)", kRollback},
       "injected failure"},
      {"a failed begin leaves nothing open",
       [](auto& db) {
         db.FailOn(kBegin);
         UnitOfWork unit;
       },
       {kBegin},
       "injected failure"},
  };
  for (const Case& c : cases) {
    auto db = MakeRef<testing::FakeDbService>();
    ScopedService<DbService> installed(db);
    std::string error;
    try {
      c.run(*db);
    } catch (const Error& e) {
      error = e.description();
    }
    EXPECT_EQ(db->log->Lines(), c.calls) << c.what;
    EXPECT_EQ(error.empty(), c.error.empty()) << c.what;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;

    // Whatever the case left, the next unit is an outermost one again.
    db->log->Clear();
    db->failOn.clear();
    UnitOfWork next;
    next.Commit();
    EXPECT_EQ(db->log->Lines(), (Calls{kBegin, kCommit})) << c.what;
  }
}

TEST(UnitOfWork, AUnitOnAnotherThreadIsNotJoinedToThisOne) {
  auto mine = MakeRef<testing::FakeDbService>();
  ScopedService<DbService> installed(mine);
  UnitOfWork open("sa_schedule", 1);
  auto theirs = MakeRef<testing::FakeDbService>();
  std::thread([&] {
    ScopedService<DbService> own(theirs);
    UnitOfWork unit("sa_schedule", 1);
    unit.Commit();
  }).join();
  EXPECT_EQ(theirs->log->Lines(),
            (Calls{kBegin, "DbService.LockDocument(sa_schedule | 1)", kCommit}))
      << "not joined to this thread's unit";
  EXPECT_EQ(mine->log->Lines().size(), 2u);
  open.Commit();
}

}  // namespace
}  // namespace plexion::services
