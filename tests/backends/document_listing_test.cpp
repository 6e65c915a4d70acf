// The browser's listing over the demo rows, on both engines.
#include "plexion/backends/folders/document_listing.hpp"
#include "db_fixture.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;

class DocumentListingOnDatabase : public testing::DatabaseTest {};

TEST_P(DocumentListingOnDatabase, ListsEveryDocumentOfTheDemo) {
  const backends::DocumentListing listing = backends::ListDocuments(*db);
  Lines folders, reports, schedules;
  for (const auto& f : listing.folders)
    folders.push_back(std::to_string(f.id) + " " + f.name + " in " + std::to_string(f.parentId));
  for (const auto& r : listing.reports)
    reports.push_back(std::to_string(r.id) + " " + r.name + " (" + r.appName + ") in " +
                      std::to_string(r.folderId));
  for (const auto* list : {&listing.reportGroupSchedules, &listing.softAlarmSchedules})
    for (const auto& s : *list)
      schedules.push_back(std::to_string(s.id) + " group " + std::to_string(s.reportGroupId) + " " +
                          s.periodicity + (s.active ? " active " : " inactive ") + s.subFolder);
  EXPECT_EQ(folders, (Lines{"4 Daily in 1", "3 O'Brien's reports in 1", "1 Reports in 0",
                            "2 Schedules in 0"}));
  EXPECT_EQ(reports,
            (Lines{"2 Failures by cell (Failure) in 1", "1 Weekly traffic (Traffic) in 1"}))
      << "filed in the folder of the report's scenario";
  EXPECT_EQ(schedules, (Lines{"1 group 12 D active Nightly", "2 group 7 W active ",
                              "3 group 12 M inactive "
                              "Enterprise",
                              "1 group 12 H active Alarms", "2 group 7 N active "}));
}

TEST_P(DocumentListingOnDatabase, AReportWhoseScenarioIsGoneIsUnfiled) {
  db->Execute("DELETE FROM fs_document WHERE id = 1");
  const auto reports = backends::ListDocuments(*db).reports;
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[0].name + " " + std::to_string(reports[0].folderId), "Failures by cell 0");
}

PLEXION_ON_BOTH_ENGINES(DocumentListingOnDatabase);

}  // namespace
}  // namespace plexion
