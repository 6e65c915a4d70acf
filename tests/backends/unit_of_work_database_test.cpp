// Units of work on both engines: a save stored whole or not at all, seen from another
// connection, and two saves of one document taking turns.
#include <chrono>
#include <thread>

#include "db_fixture.hpp"
#include "plexion/backends/util/hour_ex_set.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion::backends {
namespace {

using namespace std::chrono_literals;
using services::UnitOfWork;

class UnitOfWorkOnDatabase : public testing::DatabaseTest {
 protected:
  services::ScopedService<SystemConfig> system_{MakeRef<testing::FakeSystemConfig>()};
  services::ScopedFactory<HourExSet> sets_{&MakeHourExSet};

  // Soft-alarm schedule 1 saved as its editor does: its data-load trigger and these hours.
  void SaveHours(const std::vector<std::int32_t>& hours) {
    auto schedule = MakeRef<CSASchedData>();
    schedule->LoadSASchedData(1);
    Ref<HourExSet> set = MakeHourExSet();
    set->SlotBase(1);
    set->SlotCount(24);
    set->ClearAll();
    for (std::int32_t hour : hours) set->Excluded(hour + 1, true);
    schedule->HourEXData(set);
    schedule->Periodicity("N");
    schedule->SaveSubTableData();
  }
  // Schedule 1 as another connection reads it: "EVENTS: H H ...".
  std::string Stored() {
    auto reader = Database::Open(DatabaseUrl::Parse(url));
    const QueryResult events =
        reader->Query("SELECT count(*) AS n FROM Schedule_Event WHERE Schedule_ID = 1");
    std::string text = ToString(events.rows.at(0).at(0)) + ":";
    const QueryResult hours =
        reader->Query("SELECT Hour FROM Schedule_Hour_Ex WHERE Schedule_ID = 1 ORDER BY Hour");
    for (const auto& row : hours.rows) text += " " + ToString(row.at(0));
    return text;
  }
};

TEST_P(UnitOfWorkOnDatabase, ASaveIsStoredWholeOrNotAtAll) {
  const std::string before = "0: 0 23";
  ASSERT_EQ(Stored(), before);
  struct Case {
    const char* what;
    std::function<void()> afterTheSave;  // inside the unit, before Commit
    std::string stored;
    std::string error{};
  };
  const std::vector<Case> cases = {
      {"the host's own code fails", [] { throw Error::Runtime(5); }, before,
       "Invalid procedure call"},
      {"a statement fails, and the unit takes nothing more",
       [&] {
         try {
           service->ExecuteStatement("INSERT INTO no_such_table VALUES (1)");
         } catch (const Error& e) {
           EXPECT_EQ(e.description().rfind("the save was undone: ", 0), 0u) << e.description();
           EXPECT_NE(e.description().find("no_such_table"), std::string::npos);
         }
         service->ExecuteStatement("UPDATE sa_schedule SET SubFolderName = 'x' WHERE Id = 1");
       },
       before, "the save was undone: "},
      {"committed; no other connection sees it before",
       [&] { EXPECT_EQ(Stored(), before) << "read while the unit is open"; }, "1: 3 4 5", ""},
  };
  for (const Case& c : cases) {
    std::string error;
    try {
      UnitOfWork unit("sa_schedule", 1);
      SaveHours({3, 4, 5});
      c.afterTheSave();
      unit.Commit();
    } catch (const Error& e) {
      error = e.description();
    }
    EXPECT_EQ(error.empty(), c.error.empty()) << c.what << ": " << error;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.what << ": " << error;
    EXPECT_EQ(Stored(), c.stored) << c.what;
  }
}

TEST_P(UnitOfWorkOnDatabase, TwoSavesOfOneDocumentTakeTurns) {
  const bool sqlite = GetParam() == Engine::SQLite;
  DatabaseOptions impatient;
  impatient.busyTimeout = 200ms;
  impatient.statementTimeout = 300ms;
  struct Waiter {
    const char* what;
    std::int64_t schedule;
    DatabaseOptions options;
    bool waits;         // until the first unit ends
    std::string fails;  // or fails at its time-out, saying this
    double seconds = 0;
    std::string error{};
  };
  std::vector<Waiter> waiters = {
      {"the same document", 1, {}, true, ""},
      // SQLite has one writer at a time; PostgreSQL locks the document only.
      {"another document", 2, {}, sqlite, ""},
      {"the same document, past the lock's time-out", 1, impatient, false,
       sqlite ? "database is locked" : "the statement ran past its time-out of 0.3 s"},
  };
  const auto hold = 800ms;
  {
    UnitOfWork first("sa_schedule", 1);
    SaveHours({1});
    std::vector<std::thread> threads;
    for (Waiter& w : waiters)
      threads.emplace_back([&w, this] {
        auto own = MakeRef<SociDbService>(Database::Open(DatabaseUrl::Parse(url), w.options));
        services::ScopedService<DbService> installed(own);
        const auto start = std::chrono::steady_clock::now();
        try {
          UnitOfWork unit("sa_schedule", w.schedule);
          w.seconds =
              std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
          unit.Commit();
        } catch (const Error& e) {
          w.error = e.description();
        }
      });
    std::this_thread::sleep_for(hold);
    first.Commit();
    for (std::thread& t : threads) t.join();
  }
  for (const Waiter& w : waiters) {
    if (!w.fails.empty()) {
      EXPECT_EQ(w.error.rfind("the save was undone: ", 0), 0u) << w.what << ": " << w.error;
      EXPECT_NE(w.error.find(w.fails), std::string::npos) << w.what << ": " << w.error;
      continue;
    }
    EXPECT_EQ(w.error, "") << w.what;
    if (w.waits) EXPECT_GE(w.seconds, 0.6) << w.what;
    else EXPECT_LT(w.seconds, 0.6) << w.what;
  }
  EXPECT_EQ(Stored(), "1: 1");
}

PLEXION_ON_BOTH_ENGINES(UnitOfWorkOnDatabase);

}  // namespace
}  // namespace plexion::backends
