// A schedule editor as a host application writes one: it asks Plexion for its tab set, creates
// the notification hub and the schedule object, hands each tab its data and the hub, answers
// the tabs' questions, and saves.
#pragma once

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include <plexion/schedule/sched_data.hpp>
#include <plexion/tabs/contracts.hpp>
#include <plexion/tabs/gplexion.hpp>

namespace editor_host {

// One tab control of the editor, created from the ProgID its descriptor names.
class ScheduleTab : public plexion::IPlexionControl, public plexion::CPlexionNotifyEvents {
 public:
  ScheduleTab(std::string progId, std::ostream& log) : progId_(std::move(progId)), log_(log) {}

  void LoadData(const plexion::Variant& v, const std::string& sName,
                plexion::Ref<plexion::CPlexionNotify> dtN) override;
  bool IsTabValid(const std::string& sMsgBoxTitle) override;
  void SaveData() override;

  // Asks the editor, through the hub, whether this tab may override its part of the report
  // group; the answer comes back in the same variable.
  bool AskToOverride();

  const std::string& Name() const { return name_; }
  const std::string& ProgId() const { return progId_; }

 private:
  std::string progId_, name_, data_;
  plexion::Ref<plexion::CPlexionNotify> hub_;
  std::ostream& log_;
};

class ScheduleEditor : public plexion::IPlexionEditor, public plexion::CPlexionNotifyEvents {
 public:
  explicit ScheduleEditor(std::ostream& log);

  // Opens a stored schedule (id > 0) or a new scheduled one for a report group (id 0).
  void Open(std::int32_t scheduleId, std::int32_t reportGroup);
  bool IsDataValid() override;
  // Lets every tab save, stores the override objects and writes a stored schedule's row, all
  // in one unit of work: a failure anywhere leaves the stored schedule as it was.
  plexion::Variant SaveData() override;
  // Disconnects itself and the tabs from the hub (the hub holds its listeners, and the tabs
  // and the editor hold the hub), then drops the tabs, the hub and the data object.
  void Close();

  // The editor's answer to a tab asking to override: allowed for the override tabs.
  void TabOverride(std::string& TheName, bool& TheState) override;

  const std::vector<plexion::Ref<ScheduleTab>>& Tabs() const { return tabs_; }
  const plexion::Ref<plexion::CSchedData>& Schedule() const { return schedule_; }

 private:
  std::ostream& log_;
  plexion::Ref<plexion::CPlexionNotify> hub_;
  plexion::Ref<plexion::CSchedData> schedule_;
  std::int32_t scheduleId_ = 0;  // 0 for a new schedule
  std::vector<plexion::Ref<ScheduleTab>> tabs_;
  std::vector<plexion::ConnectionPoint::Cookie> connections_;
};

}  // namespace editor_host
