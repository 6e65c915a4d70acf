// What a document browser lists: the report folders with their report definitions, and the
// report-group and soft-alarm schedules, read in a few short queries.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "plexion/backends/sql/database.hpp"

namespace plexion::backends {

struct FolderEntry {
  std::int32_t id = 0;
  std::string name;
  std::int32_t parentId = 0;  // 0: a top folder
};

// A report definition filed in the folder of its scenario document (folderId 0: unfiled).
struct ReportEntry {
  std::int32_t id = 0;
  std::string name, appName;
  std::int32_t folderId = 0;
};

struct ScheduleEntry {
  std::int32_t id = 0;
  std::int32_t reportGroupId = 0;
  std::string subFolder, periodicity;
  bool active = false;
};

struct DocumentListing {
  std::vector<FolderEntry> folders;                                     // by name
  std::vector<ReportEntry> reports;                                     // by name, then id
  std::vector<ScheduleEntry> reportGroupSchedules, softAlarmSchedules;  // by id
};

// Reads the listing; an error of the database leaves as it is.
DocumentListing ListDocuments(Database& db);

}  // namespace plexion::backends
