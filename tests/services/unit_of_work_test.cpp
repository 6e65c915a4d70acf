// Units of work on the recording database double: what the service is asked, in which order.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "plexion/services/locator.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "plexion/testing/db_doubles.hpp"

namespace plexion::services {
namespace {

struct Case {
  const char* what;
  std::function<void(testing::FakeDbService&)> run;
  std::vector<std::string> calls;
  std::string error{};  // the text the case ends with, "" for none
};

void Save(testing::FakeDbService& db) { db.ExecuteStatement("save"); }

TEST(UnitOfWork, BeginsCommitsRollsBackAndJoinsAsTheOutermostUnitDecides) {
  const std::vector<Case> cases = {
      {"committed",
       [](auto& db) {
         UnitOfWork unit("sa_schedule", 1);
         Save(db);
         unit.Commit();
       },
       {"DbService.BeginWork", "DbService.LockDocument(sa_schedule | 1)",
        "DbService.ExecuteStatement(save)", "DbService.CommitWork"}},
      {"left by an exception",
       [](auto& db) {
         UnitOfWork unit;
         Save(db);
         throw Error::Runtime(5);
       },
       {"DbService.BeginWork", "DbService.ExecuteStatement(save)", "DbService.RollbackWork"},
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
       {"DbService.BeginWork", "DbService.LockDocument(rg_schedule | 7)",
        "DbService.ExecuteStatement(save)", "DbService.CommitWork"}},
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
       {"DbService.BeginWork", "DbService.ExecuteStatement(save)", "DbService.RollbackWork"},
       "the save was undone: a part of it ended without being committed"},
      {"units one after another in one scope",
       [](auto& db) {
         UnitOfWork first;
         first.Commit();
         UnitOfWork second("sa_schedule", 2);
         Save(db);
         second.Commit();
       },
       {"DbService.BeginWork", "DbService.CommitWork", "DbService.BeginWork",
        "DbService.LockDocument(sa_schedule | 2)", "DbService.ExecuteStatement(save)",
        "DbService.CommitWork"}},
      {"a failed commit rolls back",
       [](auto& db) {
         db.FailOn("DbService.CommitWork");
         UnitOfWork unit;
         unit.Commit();
       },
       {"DbService.BeginWork", "DbService.CommitWork", "DbService.RollbackWork"},
       "injected failure"},
      {"a failed lock ends the unit it began",
       [](auto& db) {
         db.FailOn("DbService.LockDocument");
         UnitOfWork unit("sa_schedule", 2);
       },
       {"DbService.BeginWork", "DbService.LockDocument(sa_schedule | 2)", "DbService.RollbackWork"},
       "injected failure"},
      {"a failed begin leaves nothing open",
       [](auto& db) {
         db.FailOn("DbService.BeginWork");
         UnitOfWork unit;
       },
       {"DbService.BeginWork"},
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
    EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(error.empty(), c.error.empty()) << c.what;

    // Whatever the case left, the next unit is an outermost one again.
    db->log->Clear();
    db->failOn.clear();
    UnitOfWork next;
    next.Commit();
    EXPECT_EQ(db->log->Lines(),
              (std::vector<std::string>{"DbService.BeginWork", "DbService.CommitWork"}))
        << c.what;
  }
}

TEST(UnitOfWork, EachThreadHasItsOwn) {
  auto mine = MakeRef<testing::FakeDbService>();
  ScopedService<DbService> installed(mine);
  UnitOfWork open("sa_schedule", 1);
  auto theirs = MakeRef<testing::FakeDbService>();
  std::thread([&] {
    ScopedService<DbService> own(theirs);
    UnitOfWork unit("sa_schedule", 1);
    unit.Commit();
  }).join();
  EXPECT_EQ(
      theirs->log->Lines(),
      (std::vector<std::string>{"DbService.BeginWork", "DbService.LockDocument(sa_schedule | 1)",
                                "DbService.CommitWork"}))
      << "not joined to this thread's unit";
  EXPECT_EQ(mine->log->Lines().size(), 2u);
  open.Commit();
}

}  // namespace
}  // namespace plexion::services
