// plexion demo: the report-group schedule.
#include <iostream>

#include "demo.hpp"
#include "plexion/backends/output/schedule_outputs.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"
#include "plexion/services/system_config.hpp"
#include "plexion/services/unit_of_work.hpp"
#include "plexion/tabs/gplexion.hpp"

namespace plexion::cli {

namespace {

// The configured system, but in enterprise mode.
class EnterpriseSystem final : public SystemConfig {
 public:
  explicit EnterpriseSystem(SystemConfig& base) : base_(&base) {}
  bool EnterpriseMode() override { return true; }
  std::int32_t HourSlotCount(std::int32_t& reserved) override {
    return base_->HourSlotCount(reserved);
  }

 private:
  SystemConfig* base_;
};

// The configured settings, but with time zones in use.
class ZonedSettings final : public SettingsService {
 public:
  explicit ZonedSettings(SettingsService& base) : base_(&base) {}
  bool TimeZonesEnabled() override { return true; }
  std::string TimeZoneRegion() override { return base_->TimeZoneRegion(); }
  Ref<SettingGroup> ImmediateDefaults() override { return base_->ImmediateDefaults(); }
  Ref<SettingGroup> ScheduledDefaults() override { return base_->ScheduledDefaults(); }
  Ref<SettingGroup> ReportDefaults() override { return base_->ReportDefaults(); }
  Ref<WeekdayRows> WeekdayList() override { return base_->WeekdayList(); }
  void UseSpecKind(std::int32_t& kind) override { base_->UseSpecKind(kind); }

 private:
  SettingsService* base_;
};

Ref<CSchedData> LoadSchedule(std::int32_t id) {
  auto s = MakeRef<CSchedData>();
  s->LoadSchedData(id, "Schedule");
  return s;
}

void Summary(const char* title, const CSchedData& s) {
  std::cout << "  " << title << ": report group " << s.RptGrpID() << ", run mode \"" << s.RunMode()
            << "\", first run " << s.FirstDateTime().ToText() << ", time zone \"" << s.TimeZone()
            << "\", DLGroupBy \"" << s.DLGroupBy() << "\", server group " << s.OvrServerGroupID()
            << ", scope " << s.OvrDTScopeId() << ", destination " << s.OvrDestinationId() << "\n";
}

}  // namespace

void ShowSchedules() {
  Heading("Report-group schedule");
  std::cout << "  SchedDataFields = \"" << GPlexion::Global()->SchedDataFields() << "\"\n";

  auto fresh = MakeRef<CSchedData>();
  fresh->InitNew(true, 12, "Schedule", "Morning run");
  std::cout << "  InitNew(immediate, 12): RunMode \"" << fresh->RunMode() << "\", IsOverride "
            << BoolText(fresh->IsOverride()) << ", Override " << BoolText(fresh->Override())
            << ", PurgeInterval " << fresh->PurgeInterval() << ", FinalDateTime "
            << fresh->FinalDateTime().ToText() << ", DLGroupBy \"" << fresh->DLGroupBy() << "\"\n";
  fresh->RunMode("i");
  std::cout << "  RunMode \"i\": IsOverride " << BoolText(fresh->IsOverride())
            << " (only \"I\" is immediate)\n";

  Summary("schedule 1", *LoadSchedule(1));
  {
    services::ScopedService<SettingsService> zoned(
        MakeRef<ZonedSettings>(services::Locate<SettingsService>()));
    Summary("schedule 2, time zones on", *LoadSchedule(2));
  }
  Summary("schedule 2, time zones off", *LoadSchedule(2));
  {
    services::ScopedService<SystemConfig> enterprise(
        MakeRef<EnterpriseSystem>(services::Locate<SystemConfig>()));
    Summary("schedule 3, enterprise mode", *LoadSchedule(3));
  }

  // The editor attaches override objects, saves them, then writes the row with their ids: one
  // unit of work, so that the row never points at overrides that were not stored.
  services::UnitOfWork save("rg_schedule", 1);
  Ref<CSchedData> s = LoadSchedule(1);
  auto scope = MakeRef<backends::DbDateTimeScope>();
  scope->Count(3);
  scope->Unit("W");
  auto destination = MakeRef<backends::DbDestination>();
  destination->Kind("Email");
  destination->Target("noc@example.com");
  s->DTScopeData(scope);
  s->DestinationData(destination);
  s->DoDTSOverride(true);
  s->DoDestOverride(true);
  s->SaveSubTableData();
  std::cout << "  saved the overrides of schedule 1: scope " << s->OvrDTScopeId() << " ("
            << scope->Describe() << "), destination " << s->OvrDestinationId() << " ("
            << destination->Describe() << ")\n";
  const std::string first = s->DBFirstDateTime()->SqlText();
  const std::string final = s->DBFinalDateTime()->SqlText();
  std::cout << "  DBFirstDateTime = " << first << ", DBFinalDateTime = " << final << "\n";
  services::Locate<DbService>().ExecuteStatement(
      "UPDATE rg_schedule SET OvrDTScopeId = " + std::to_string(s->OvrDTScopeId()) +
      ", OvrDestinationId = " + std::to_string(s->OvrDestinationId()) +
      ", FirstDateTime = " + first + ", FinalDateTime = " + final + " WHERE Id = 1");
  save.Commit();

  services::UnitOfWork saveAgain("rg_schedule", 1);
  Ref<CSchedData> stored = LoadSchedule(1);
  scope->Count(4);
  stored->DTScopeData(scope);
  stored->DoDTSOverride(true);
  stored->SaveSubTableData();
  saveAgain.Commit();
  auto reread = MakeRef<backends::DbDateTimeScope>();
  reread->Load(stored->OvrDTScopeId());
  std::cout << "  reloaded schedule 1 points at scope " << stored->OvrDTScopeId()
            << "; saving it again updates that row: " << reread->Describe() << "\n";
  stored->RunMode("I");
  std::cout << "  as an immediate run, DBFirstDateTime = " << stored->DBFirstDateTime()->SqlText()
            << "\n";
}

}  // namespace plexion::cli
