#include "plexion/backends/folders/document_listing.hpp"

#include "plexion/platform/convert.hpp"

namespace plexion::backends {

namespace {

std::string Text(const Variant& v) { return v.IsNull() ? std::string() : ToString(v); }
std::int32_t Number(const Variant& v) { return v.IsNull() ? 0 : ToInt32(v); }

// The schedules of one table, as the browser names them.
std::vector<ScheduleEntry> Schedules(Database& db, const std::string& table) {
  std::vector<ScheduleEntry> entries;
  for (const auto& r : db.Query("SELECT Id, RptGrpID, SubFolderName, Periodicity, ScheduleActive "
                                "FROM " +
                                table + " ORDER BY Id")
                           .rows)
    entries.push_back({Number(r[0]), Number(r[1]), Text(r[2]), Text(r[3]), Text(r[4]) == "Y"});
  return entries;
}

}  // namespace

DocumentListing ListDocuments(Database& db) {
  DocumentListing listing;
  for (const auto& r : db.Query("SELECT id, name, parent_id FROM pm_folder ORDER BY name, id").rows)
    listing.folders.push_back({Number(r[0]), Text(r[1]), Number(r[2])});
  // A report row names no folder of its own: it is filed where its scenario document is.
  for (const auto& r : db.Query("SELECT r.id, r.name, r.app_name, d.folder_id FROM rpt_report r "
                                "LEFT JOIN fs_document d ON d.id = r.scenario_id "
                                "ORDER BY r.name, r.id")
                           .rows)
    listing.reports.push_back({Number(r[0]), Text(r[1]), Text(r[2]), Number(r[3])});
  listing.reportGroupSchedules = Schedules(db, "rg_schedule");
  listing.softAlarmSchedules = Schedules(db, "sa_schedule");
  return listing;
}

}  // namespace plexion::backends
