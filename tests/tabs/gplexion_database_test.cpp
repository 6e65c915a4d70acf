#include "db_fixture.hpp"
#include "plexion/services/settings.hpp"
#include "plexion/tabs/gplexion.hpp"

namespace plexion {
namespace {

class GPlexionOnDatabase : public testing::DatabaseTest {};

TEST_P(GPlexionOnDatabase, FoldersAreFoundByTheirExactNameEvenWithQuotes) {
  struct Case {
    const char* name;
    std::int32_t id;
  };
  // The last: a quote cannot open the query.
  for (const Case& c :
       {Case{"Reports", 1}, {"O'Brien's reports", 3}, {"reports", 0}, {"", 0}, {"x' OR '1'='1", 0}})
    EXPECT_EQ(GPlexion::Global()->GetFolderIdFromName(c.name), c.id) << c.name;
}

TEST_P(GPlexionOnDatabase, ServersOfAReportGroupAreCountedPerServerGroup) {
  struct Case {
    std::int32_t reportGroup, serverGroup, servers;
  };
  for (const Case& c : {Case{12, 0, 3}, {12, 1, 2}, {12, 2, 1}, {7, 0, 1}, {99, 0, 0}})
    EXPECT_EQ(GPlexion::Global()->GetNumServersForReportGroup(c.reportGroup, c.serverGroup),
              c.servers)
        << c.reportGroup << ", " << c.serverGroup;
}

PLEXION_ON_BOTH_ENGINES(GPlexionOnDatabase);

}  // namespace
}  // namespace plexion
