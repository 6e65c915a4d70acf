// The sets' contents in every mode are the published record's (docs/tab-sets.md,
// Docs.TabSetsAreCurrent); here: caching, and what building asks.
#include <gtest/gtest.h>

#include <thread>

#include "../error_of.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/tabs/app_tabs.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion {
namespace {

using testing::FakeFeatureRegistry;
using testing::FakeSystemConfig;
using Lines = std::vector<std::string>;

// The registry cache lives per thread: each case runs on a new thread with its own doubles.
struct Doubles {
  testing::SharedLog log = testing::NewLog();
  Ref<FakeSystemConfig> system = MakeRef<FakeSystemConfig>(log);
  Ref<FakeFeatureRegistry> features = MakeRef<FakeFeatureRegistry>(log);
};

template <class F>
void OnFreshThread(Doubles& d, F&& body) {
  std::thread([&] {
    services::ScopedService<SystemConfig> s(d.system);
    services::ScopedService<FeatureRegistry> f(d.features);
    body();
  }).join();
}

Lines Names(const CPlexionCtls& set) {
  Lines out;
  for (const auto& e : set) out.push_back(e.item->Name());
  return out;
}

TEST(AppTabs, BuildingMatchesTheNameExactlyTheCacheIgnoresCase) {
  Doubles d;
  OnFreshThread(d, [&] {
    for (const char* bad : {"traffic", "", " Traffic", "Traffic ", "Unknown"})
      EXPECT_FALSE(MPlexion::AppTabs(bad)) << '"' << bad << '"';
    Ref<CPlexionCtls> built = MPlexion::AppTabs("Traffic");
    ASSERT_TRUE(built);
    for (const char* same : {"Traffic", "traffic", "TRAFFIC"})
      EXPECT_TRUE(MPlexion::AppTabs(same) == built) << same;
  });
}

TEST(AppTabs, EachThreadBuildsItsOwnSet) {
  Doubles d;
  Ref<CPlexionCtls> first, second;
  OnFreshThread(d, [&] { first = MPlexion::AppTabs("Traffic"); });
  OnFreshThread(d, [&] { second = MPlexion::AppTabs("Traffic"); });
  ASSERT_TRUE(first && second);
  EXPECT_FALSE(first == second);
}

// Traffic asks for express reports only outside enterprise mode, the schedules for channel-set
// plans only outside it, Notification for SNMP always.
TEST(AppTabs, ConditionalApplicationsAskForTheirFeatureOnlyWhenBuilt) {
  struct Case {
    const char* app;
    bool enterprise;
    Lines asked;
  };
  const auto asks = [](const char* key) {
    return Lines{"FeatureSet.IsEnabled(" + std::string(key) + ")"};
  };
  for (const Case& c : {Case{"Traffic", false, asks("Express_Reports")}, Case{"Traffic", true, {}},
                        Case{"Schedule", true, {}},
                        Case{"Sched OverRides", false, asks("Channel_Set_Plans_Category")},
                        Case{"Notification", true, asks("EN_SNMP_Support")}}) {
    Doubles d;
    d.system->enterprise = c.enterprise;
    d.features->enabled = {"Express_Reports", "Channel_Set_Plans_Category", "EN_SNMP_Support"};
    OnFreshThread(d, [&] {
      Ref<CPlexionCtls> set = MPlexion::AppTabs(c.app);
      const std::int32_t count = set->Count();
      EXPECT_EQ(d.log->Matching("FeatureSet.IsEnabled"), c.asked) << c.app;
      d.log->Clear();
      d.features->enabled.clear();
      d.system->enterprise = !c.enterprise;
      EXPECT_TRUE(MPlexion::AppTabs(c.app) == set);
      EXPECT_EQ(set->Count(), count) << c.app << ": switches read when it was built";
      EXPECT_TRUE(d.log->Lines().empty()) << c.app << " is built once";
    });
  }
}

TEST(AppTabs, AFailingFeatureQueryLeavesThePartialSetCached) {
  Doubles d;
  d.features->failingKey = "Channel_Set_Plans_Category";
  OnFreshThread(d, [&] {
    const Error e = testing::ErrorOf([] { MPlexion::AppTabs("Schedule"); });
    EXPECT_EQ(std::pair(e.status(), e.source()),
              std::pair(static_cast<Status>(0x80041234u), std::string("FeatureSet")));
    d.log->Clear();
    Ref<CPlexionCtls> partial = MPlexion::AppTabs("Schedule");
    ASSERT_TRUE(partial);
    EXPECT_EQ(Names(*partial), (Lines{"General", "Schedule", "ScenarioOverride",
                                      "DestinationOverride", "DateTimeOverride"}));
    EXPECT_TRUE(d.log->Lines().empty()) << "no rebuild";
  });
}

}  // namespace
}  // namespace plexion
