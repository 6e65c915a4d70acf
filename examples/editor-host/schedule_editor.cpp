#include "schedule_editor.hpp"

#include <ostream>

#include <plexion/platform/convert.hpp>
#include <plexion/services/db.hpp>
#include <plexion/services/locator.hpp>
#include <plexion/services/output.hpp>
#include <plexion/services/scope.hpp>
#include <plexion/services/unit_of_work.hpp>

namespace editor_host {

using namespace plexion;

void ScheduleTab::LoadData(const Variant& v, const std::string& sName, Ref<CPlexionNotify> dtN) {
  data_ = ToString(v);
  name_ = sName;
  hub_ = std::move(dtN);
  log_ << "tab " << name_ << " (" << progId_ << ") loaded with \"" << data_ << "\"\n";
}

bool ScheduleTab::IsTabValid(const std::string&) { return !name_.empty() && hub_; }

void ScheduleTab::SaveData() { log_ << "tab " << name_ << " saved\n"; }

bool ScheduleTab::AskToOverride() {
  bool allowed = false;
  hub_->NotifyTabOverride(name_, allowed);
  log_ << "tab " << name_ << " asked to override: " << BoolText(allowed) << "\n";
  return allowed;
}

ScheduleEditor::ScheduleEditor(std::ostream& log) : log_(log) {}

void ScheduleEditor::Open(std::int32_t scheduleId, std::int32_t reportGroup) {
  hub_ = MakeRef<CPlexionNotify>();
  // The hub holds its listeners until they disconnect: Close breaks the cycles through it.
  connections_.push_back(hub_->Connect(Ref<EventSink>(this)));
  schedule_ = MakeRef<CSchedData>();
  scheduleId_ = scheduleId;
  if (scheduleId > 0) {
    schedule_->LoadSchedData(scheduleId, "Schedule");
    log_ << "schedule " << scheduleId << " loaded: report group " << schedule_->RptGrpID() << "\n";
  } else {
    schedule_->InitNew(false, reportGroup, "Schedule", "Schedule Editor");
    log_ << "new schedule for report group " << reportGroup << "\n";
  }
  for (const auto& entry : *GPlexion::Global()->AppTabs("Schedule")) {
    const CPlexionCtl& descriptor = *entry.item;
    auto tab = MakeRef<ScheduleTab>(descriptor.ProgID(), log_);
    tab->LoadData(descriptor.Data(), descriptor.Name(), hub_);
    connections_.push_back(hub_->Connect(tab));
    tabs_.push_back(tab);
  }
  hub_->NotifyInitComplete();
}

void ScheduleEditor::TabOverride(std::string& TheName, bool& TheState) {
  TheState = TheName == "DestinationOverride" || TheName == "DateTimeOverride";
  if (TheName == "DestinationOverride" && TheState) {
    schedule_->DoDestOverride(true);
    schedule_->DestinationData(services::Create<Destination>());
  }
  if (TheName == "DateTimeOverride" && TheState) {
    schedule_->DoDTSOverride(true);
    schedule_->DTScopeData(services::Create<DateTimeScope>());
  }
}

bool ScheduleEditor::IsDataValid() {
  for (const auto& tab : tabs_)
    if (!tab->IsTabValid("Schedule")) return false;
  return true;
}

Variant ScheduleEditor::SaveData() {
  services::UnitOfWork unit("rg_schedule", scheduleId_);
  for (const auto& tab : tabs_) tab->SaveData();
  schedule_->SaveSubTableData();
  if (!schedule_->IsNew()) {
    const std::string first = schedule_->DBFirstDateTime()->SqlText();
    const std::string final = schedule_->DBFinalDateTime()->SqlText();
    services::Locate<DbService>().ExecuteStatement(
        "UPDATE rg_schedule SET OvrDTScopeId = " + std::to_string(schedule_->OvrDTScopeId()) +
        ", OvrDestinationId = " + std::to_string(schedule_->OvrDestinationId()) +
        ", FirstDateTime = " + first + ", FinalDateTime = " + final +
        " WHERE Id = " + std::to_string(scheduleId_));
  }
  unit.Commit();
  log_ << "saved: OvrDestinationId " << schedule_->OvrDestinationId() << ", OvrDTScopeId "
       << schedule_->OvrDTScopeId() << ", first run " << schedule_->DBFirstDateTime()->SqlText()
       << "\n";
  return Variant(schedule_);
}

void ScheduleEditor::Close() {
  for (ConnectionPoint::Cookie cookie : connections_) hub_->Disconnect(cookie);
  connections_.clear();
  tabs_.clear();
  schedule_.reset();
  hub_.reset();
}

}  // namespace editor_host
