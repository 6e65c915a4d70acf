// The global service object and the MPlexion routines it forwards to.
#pragma once

#include <cstdint>
#include <string>

#include "plexion/tabs/app_tabs.hpp"

namespace plexion {

namespace MPlexion {

// The stored number of a weekday's screen name (exact match); 0 when no row has it. When
// several rows match, the last one decides.
std::int32_t WeekdayToDB(const std::string& sWeekday);
// The screen name of a stored weekday number; "" when no row has it. The last match decides.
std::string DBToWeekday(std::int32_t iDay);
// The servers of a report group (of one server group unless it is 0), counted by the database.
std::int32_t GetNumServersForReportGroup(std::int32_t lReportGroupID, std::int32_t lServerGroupID);
// The id of the first folder of that name; 0 when there is none. A quote in the name is doubled.
std::int32_t GetFolderIdFromName(const std::string& sName);
// Whether the database's soft-alarm schedules carry a time-out ("sa_schedule" has "TimeOut").
bool IsSATimeoutEnabled();

}  // namespace MPlexion

// Small shared services for editors and tab controls. Callable without creating it: each
// thread has its own predeclared instance (Global); it can also be created.
class GPlexion : public virtual Object {
 public:
  using ComponentClass = GPlexion;
  static constexpr std::string_view kTypeName = "GPlexion";

  // This thread's predeclared instance, created on first use.
  static Ref<GPlexion> Global();

  std::int32_t WeekdayToDB(const std::string& sWeekday) const;
  std::string DBToWeekday(std::int32_t iDay) const;
  std::int32_t GetNumServersForReportGroup(std::int32_t lReportGroupID,
                                           std::int32_t lServerGroupID = 0) const;
  std::int32_t GetFolderIdFromName(const std::string& sName) const;
  Ref<CPlexionCtls> AppTabs(const std::string& sKey) const;
  bool IsSATimeoutEnabled() const;
  // The columns the report-group schedule loader selects (MSQL::SchedDataFields).
  std::string SchedDataFields() const;
};

}  // namespace plexion
