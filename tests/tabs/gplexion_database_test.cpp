#include "db_fixture.hpp"
#include "plexion/services/settings.hpp"
#include "plexion/tabs/gplexion.hpp"

namespace plexion {
namespace {

class GPlexionOnDatabase : public testing::DatabaseTest {};

TEST_P(GPlexionOnDatabase, FoldersAreFoundByTheirExactNameEvenWithQuotes) {
  Ref<GPlexion> g = GPlexion::Global();
  EXPECT_EQ(g->GetFolderIdFromName("Reports"), 1);
  EXPECT_EQ(g->GetFolderIdFromName("O'Brien's reports"), 3);
  EXPECT_EQ(g->GetFolderIdFromName("reports"), 0);
  EXPECT_EQ(g->GetFolderIdFromName(""), 0);
  EXPECT_EQ(g->GetFolderIdFromName("x' OR '1'='1"), 0) << "a quote cannot open the query";
}

TEST_P(GPlexionOnDatabase, ServersOfAReportGroupAreCountedPerServerGroup) {
  Ref<GPlexion> g = GPlexion::Global();
  EXPECT_EQ(g->GetNumServersForReportGroup(12), 3);
  EXPECT_EQ(g->GetNumServersForReportGroup(12, 1), 2);
  EXPECT_EQ(g->GetNumServersForReportGroup(12, 2), 1);
  EXPECT_EQ(g->GetNumServersForReportGroup(7), 1);
  EXPECT_EQ(g->GetNumServersForReportGroup(99), 0);
}

TEST_P(GPlexionOnDatabase, TheTimeOutFollowsTheColumnOfSaSchedule) {
  EXPECT_TRUE(GPlexion::Global()->IsSATimeoutEnabled());
  const char* cascade = GetParam() == backends::Engine::PostgreSQL ? " CASCADE" : "";
  db->Execute(std::string("DROP VIEW SA_Schedule_View") + cascade);
  db->Execute(std::string("DROP TABLE sa_schedule") + cascade);
  db->Execute("CREATE TABLE sa_schedule (Id integer PRIMARY KEY, Timeout_unit varchar(8))");
  EXPECT_FALSE(GPlexion::Global()->IsSATimeoutEnabled());
}

PLEXION_ON_BOTH_ENGINES(GPlexionOnDatabase);

}  // namespace
}  // namespace plexion
