// plexion demo: the soft-alarm schedule.
#include <iostream>

#include "demo.hpp"
#include "echo_db_service.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "schedule_print.hpp"

namespace plexion::cli {

namespace {

// Saves as one unit of work with every statement printed; says so when none ran.
void SaveShowingStatements(CSASchedData& s) {
  auto echo = MakeRef<EchoingDbService>(services::Locate<DbService>(), std::cout, "    ran: ");
  {
    services::ScopedService<DbService> echoing(echo);
    services::UnitOfWork unit("sa_schedule", s.ScheduleID());
    s.SaveSubTableData();
    unit.Commit();
  }
  if (echo->statements() == 0) std::cout << "    no statement run\n";
}

void ReadBack(std::int32_t id) {
  auto reader = MakeRef<CSASchedData>();
  std::cout << "  read back: excluded hours " << ExcludedHours(*reader->GetHoursEx(id))
            << "; trigger events " << StoredEvents(id) << "\n";
}

}  // namespace

void ShowSoftAlarmSchedule() {
  Heading("Soft-alarm schedule");
  auto fresh = MakeRef<CSASchedData>();
  fresh->InitNew(false, 12, "Night watch", 4, 2);
  std::cout << "  InitNew(scheduled, 12, scenario 4, plan 2): RunMode \"" << fresh->RunMode()
            << "\", PurgeInterval " << fresh->PurgeInterval() << ", OvrScenarioId "
            << fresh->OvrScenarioId() << ", OvrChanSetId " << fresh->OvrChanSetId() << ", Timeout "
            << fresh->Timeout() << " \"" << fresh->TimeoutUnit() << "\"\n";

  auto s = MakeRef<CSASchedData>();
  s->LoadSASchedData(1);
  Ref<HourExSet> hours = s->GetHoursEx(s->ScheduleID());
  std::cout << "  schedule 1: report group " << s->RptGrpID() << ", Periodicity \""
            << s->Periodicity() << "\", Timeout " << s->Timeout() << " \"" << s->TimeoutUnit()
            << "\", excluded hours " << ExcludedHours(*hours) << ", trigger events "
            << StoredEvents(1) << "\n";

  // Night hours off, midnight back on, and let the data load trigger it.
  for (std::int32_t hour = 1; hour <= 5; ++hour) hours->Excluded(hour + 1, true);
  hours->Excluded(1, false);
  s->HourEXData(hours);
  s->Periodicity("N");
  std::cout << "  saving with hours " << ExcludedHours(*hours) << " and Periodicity \"N\":\n";
  SaveShowingStatements(*s);
  ReadBack(1);

  s->Periodicity("n");
  s->HourEXData(nullptr);
  std::cout << "  saving with Periodicity \"n\" and no set attached:\n";
  SaveShowingStatements(*s);
  ReadBack(1);

  auto created = MakeRef<CSASchedData>();
  created->InitNew(true, 7, "Data-load check", 0, 0);
  created->ScheduleID(3);
  created->Periodicity("N");
  std::cout << "  a new schedule (IsNew " << BoolText(created->IsNew())
            << ") stored as row 3 deletes nothing:\n";
  SaveShowingStatements(*created);
  ReadBack(3);
}

}  // namespace plexion::cli
