#include "plexion/tabs/gplexion.hpp"

#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/platform/thread_state.hpp"
#include "plexion/schedule/msql.hpp"
#include "plexion/services/db.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/settings.hpp"

namespace plexion {

namespace MPlexion {

namespace {
// A weekday row, asked of the settings service anew at each access.
Ref<WeekdayRow> WeekdayRowAt(std::int32_t i) {
  Ref<WeekdayRows> rows = services::Locate<SettingsService>().WeekdayList();
  Ref<WeekdayRow> row = rows->Item(i);
  if (!row) throw Error::Runtime(errnum::ObjectVariableNotSet);
  return row;
}
std::int32_t WeekdayCount() { return services::Locate<SettingsService>().WeekdayList()->Count(); }
}  // namespace

std::int32_t WeekdayToDB(const std::string& sWeekday) {
  std::int32_t result = 0;
  const std::int32_t n = WeekdayCount();
  for (std::int32_t i = 1; i <= n; ++i) {
    if (ValuesEqual(WeekdayRowAt(i)->Item("UIVal"), Variant(sWeekday)))
      result = ToInt32(WeekdayRowAt(i)->Item("DBVal"));
  }
  return result;
}

std::string DBToWeekday(std::int32_t iDay) {
  std::string result;
  const std::int32_t n = WeekdayCount();
  for (std::int32_t i = 1; i <= n; ++i) {
    if (ValuesEqual(WeekdayRowAt(i)->Item("DBVal"), Variant(iDay)))
      result = ToString(WeekdayRowAt(i)->Item("UIVal"));
  }
  return result;
}

std::int32_t GetNumServersForReportGroup(std::int32_t lReportGroupID, std::int32_t lServerGroupID) {
  DbService& db = services::Locate<DbService>();
  Ref<DbValue> reportGroup = db.MakeLongValue(lReportGroupID);
  Ref<DbValue> serverGroup = db.MakeLongValue(lServerGroupID);
  VariantArray values(0, 1);
  values.at(0) = Variant(reportGroup);
  values.at(1) = Variant(serverGroup);
  return db.CallNumericFunction("EA_DD.ea_num_servers_for_repgroup", db.FormatValueList(values));
}

std::int32_t GetFolderIdFromName(const std::string& sName) {
  DbService& db = services::Locate<DbService>();
  Ref<DbRecordset> rs = db.OpenRecordset("SELECT id FROM pm_folder WHERE name = " + SqlQuote(sName),
                                         false, "", 0, "", "", 60);
  if (!rs || rs->IsBOF()) return 0;
  return ToInt32(rs->Fields()->Item("Id")->Value());
}

bool IsSATimeoutEnabled() {
  return services::Locate<DbService>().ColumnExists("sa_schedule", "TimeOut", "", 0, "", "");
}

}  // namespace MPlexion

Ref<GPlexion> GPlexion::Global() {
  Ref<GPlexion>& instance = PerThread<Ref<GPlexion>>();
  if (!instance) {
    instance = MakeRef<GPlexion>();
    instance->KeepInModuleState();
  }
  return instance;
}

std::int32_t GPlexion::WeekdayToDB(const std::string& sWeekday) const {
  return MPlexion::WeekdayToDB(sWeekday);
}
std::string GPlexion::DBToWeekday(std::int32_t iDay) const { return MPlexion::DBToWeekday(iDay); }
std::int32_t GPlexion::GetNumServersForReportGroup(std::int32_t lReportGroupID,
                                                   std::int32_t lServerGroupID) const {
  return MPlexion::GetNumServersForReportGroup(lReportGroupID, lServerGroupID);
}
std::int32_t GPlexion::GetFolderIdFromName(const std::string& sName) const {
  return MPlexion::GetFolderIdFromName(sName);
}
Ref<CPlexionCtls> GPlexion::AppTabs(const std::string& sKey) const {
  return MPlexion::AppTabs(sKey);
}
bool GPlexion::IsSATimeoutEnabled() const { return MPlexion::IsSATimeoutEnabled(); }
std::string GPlexion::SchedDataFields() const { return MSQL::SchedDataFields(); }

}  // namespace plexion
