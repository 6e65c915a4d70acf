#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/tabs/app_tab_table.hpp"
#include "plexion/tabs/app_tabs.hpp"
#include "plexion/testing/config_doubles.hpp"

namespace plexion {
namespace {

using testing::FakeFeatureRegistry;
using testing::FakeSystemConfig;

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

std::string Listing(const CPlexionCtls& set) {
  std::string out;
  for (const auto& e : set)
    out += e.item->Name() + "|" + e.item->ProgID() + "|" + ToString(e.item->Data()) + "\n";
  return out;
}

std::vector<std::string> Names(const CPlexionCtls& set) {
  std::vector<std::string> names;
  for (const auto& e : set) names.push_back(e.item->Name());
  return names;
}

TEST(AppTabs, SameSetOnOneThreadDistinctSetsOnTwo) {
  Doubles d;
  Ref<CPlexionCtls> first, second, other;
  OnFreshThread(d, [&] {
    first = MPlexion::AppTabs("Traffic");
    second = MPlexion::AppTabs("Traffic");
  });
  OnFreshThread(d, [&] { other = MPlexion::AppTabs("Traffic"); });
  ASSERT_TRUE(first);
  EXPECT_TRUE(first == second);
  EXPECT_FALSE(first == other);
}

TEST(AppTabs, BuildingMatchesExactlyWhileTheCacheIgnoresCase) {
  Doubles d;
  OnFreshThread(d, [&] {
    EXPECT_FALSE(MPlexion::AppTabs("traffic"));
    EXPECT_FALSE(MPlexion::IsAppTabsCached("traffic"));
    for (const char* bad : {"", " Traffic", "Traffic ", "Unknown"})
      EXPECT_FALSE(MPlexion::AppTabs(bad)) << bad;
    Ref<CPlexionCtls> built = MPlexion::AppTabs("Traffic");
    EXPECT_TRUE(MPlexion::AppTabs("traffic") == built);
    EXPECT_TRUE(MPlexion::AppTabs("TRAFFIC") == built);
  });
}

TEST(AppTabs, EveryApplicationHasItsTabCountInEveryMode) {
  // Tab counts per application: {plain, enterprise, every feature on}.
  const std::map<std::string, std::array<int, 3>> expected = {
      {"Traffic", {4, 4, 5}}, {"CPFail Count", {4, 4, 4}}, {"CPFail Message", {4, 4, 4}},
      {"EVDO PCMD Message", {4, 4, 4}}, {"DOCPFail Count", {4, 4, 4}},
      {"DOCPFail Message", {4, 4, 4}}, {"Config Map", {2, 2, 2}}, {"Config Entity", {3, 3, 3}},
      {"Schedule", {5, 6, 6}}, {"Sched OverRides", {4, 5, 5}}, {"Config Scenario", {2, 2, 2}},
      {"UDR", {2, 2, 2}}, {"Soft Alarm", {2, 2, 2}}, {"Soft Alarm Template", {1, 1, 1}},
      {"SES Schedule", {6, 6, 6}}, {"SES Study Definition", {11, 11, 11}},
      {"SES Sched OVR", {5, 5, 5}}, {"Soft Alarm Schedule", {3, 3, 3}},
      {"Soft Alarm Sched OVR", {2, 2, 2}}, {"Remote Server Definition", {1, 1, 1}},
      {"Export Definition", {1, 1, 1}}, {"Export Schedule", {3, 3, 3}},
      {"EA Export Sched OVR", {2, 2, 2}}, {"CPFail Handoff", {4, 4, 4}},
      {"Dictionary Import", {1, 1, 1}}, {"Dictionary Import Schedule", {3, 3, 3}},
      {"Dictionary Import SchedOVR", {2, 2, 2}}, {"Report Post Processing", {4, 4, 4}},
      {"Notification", {2, 2, 3}}, {"Confidence", {4, 4, 4}}, {"ASCII Data Source", {2, 2, 2}},
      {"ODBC Data Source", {2, 2, 2}}, {"PCMD Count", {4, 4, 4}}, {"PCMD Message", {4, 4, 4}}};
  ASSERT_EQ(tabs::ApplicationNames().size(), expected.size());
  for (int mode = 0; mode < 3; ++mode) {
    Doubles d;
    d.system->enterprise = mode == 1;
    if (mode == 2)
      d.features->enabled = {"Express_Reports", "Channel_Set_Plans_Category", "EN_SNMP_Support"};
    OnFreshThread(d, [&] {
      for (std::string_view app : tabs::ApplicationNames()) {
        Ref<CPlexionCtls> set = MPlexion::AppTabs(std::string(app));
        ASSERT_TRUE(set) << app;
        EXPECT_EQ(set->Count(), expected.at(std::string(app))[size_t(mode)]) << app << " " << mode;
        const std::string data = app == "Remote Server Definition" ? "Remote Server" : std::string(app);
        for (const auto& e : *set) EXPECT_EQ(e.item->Data(), Variant(data)) << app;
      }
    });
  }
}

TEST(AppTabs, TrafficAsksEnterpriseModeOnceAndTheExpressSwitchOnlyOutsideIt) {
  Doubles plain;
  plain.features->enabled = {"Express_Reports"};
  OnFreshThread(plain, [&] {
    EXPECT_EQ(Listing(*MPlexion::AppTabs("Traffic")),
              "General|PlexionCtls.XRptGenExpTab|Traffic\n"
              "Destination|PlexionCtls.XRptDestTab|Traffic\n"
              "ReportType|PlexionCtls.XRptTypeTab|Traffic\n"
              "DateTimeScope|PlexionCtls.XDTScopeTab|Traffic\n"
              "Format|PlexionCtls.XRptFormatTab|Traffic\n");
  });
  EXPECT_EQ(plain.log->Lines(),
            (std::vector<std::string>{"SystemConfig.EnterpriseMode", "FeatureRegistry.Features",
                                      "FeatureSet.IsEnabled(Express_Reports)",
                                      "FeatureSet.Release"}));

  Doubles enterprise;
  enterprise.system->enterprise = true;
  OnFreshThread(enterprise, [&] {
    EXPECT_EQ(MPlexion::AppTabs("Traffic")->Item(Variant("General"))->ProgID(),
              "PlexionCtls.XEARptGenTab");
  });
  EXPECT_EQ(enterprise.log->Lines(), (std::vector<std::string>{"SystemConfig.EnterpriseMode"}));
}

TEST(AppTabs, SchedulesReadEnterpriseModeTwiceAndAskForChannelSetPlansOnlyOutsideIt) {
  Doubles enterprise;
  enterprise.system->enterprise = true;
  OnFreshThread(enterprise, [&] {
    Ref<CPlexionCtls> set = MPlexion::AppTabs("Schedule");
    EXPECT_EQ(Names(*set), (std::vector<std::string>{"General", "Schedule", "ScenarioOverride",
                                                     "DestinationOverride", "DateTimeOverride",
                                                     "ServerGrpOverride"}));
    EXPECT_EQ(set->Item(Variant("General"))->ProgID(), "PlexionCtls.XEASchedGenTab");
  });
  EXPECT_EQ(enterprise.log->Lines(), (std::vector<std::string>{"SystemConfig.EnterpriseMode",
                                                               "SystemConfig.EnterpriseMode"}));

  Doubles plain;
  plain.features->enabled = {"Channel_Set_Plans_Category"};
  OnFreshThread(plain, [&] {
    Ref<CPlexionCtls> set = MPlexion::AppTabs("Sched OverRides");
    EXPECT_EQ(Names(*set), (std::vector<std::string>{"General", "ScenarioOverride",
                                                     "DestinationOverride", "DateTimeOverride",
                                                     "ChanSetPlanOverride"}));
    EXPECT_EQ(set->Item(Variant("General"))->ProgID(), "PlexionCtls.XSchedGenTab");
  });
  EXPECT_EQ(plain.log->Lines(),
            (std::vector<std::string>{"SystemConfig.EnterpriseMode", "SystemConfig.EnterpriseMode",
                                      "FeatureRegistry.Features",
                                      "FeatureSet.IsEnabled(Channel_Set_Plans_Category)",
                                      "FeatureSet.Release"}));
}

TEST(AppTabs, OnlyTheConditionalApplicationsAskAndTheCachedPathAsksNothing) {
  Doubles d;
  d.features->enabled = {"EN_SNMP_Support"};
  OnFreshThread(d, [&] {
    EXPECT_EQ(Names(*MPlexion::AppTabs("Notification")),
              (std::vector<std::string>{"Events", "Email", "SNMP"}));
    EXPECT_EQ(MPlexion::AppTabs("Notification")->Item(Variant("Events"))->Label(), "Event");
    EXPECT_EQ(d.log->Lines(), (std::vector<std::string>{"FeatureRegistry.Features",
                                                        "FeatureSet.IsEnabled(EN_SNMP_Support)",
                                                        "FeatureSet.Release"}));
    d.log->Clear();
    for (std::string_view app : tabs::ApplicationNames()) {
      if (app != "Traffic" && app != "Schedule" && app != "Sched OverRides" &&
          app != "Notification")
        MPlexion::AppTabs(std::string(app));
    }
    EXPECT_TRUE(d.log->Lines().empty());
    d.features->enabled.clear();  // a switch changed after the build changes no set
    EXPECT_EQ(MPlexion::AppTabs("Notification")->Count(), 3);
    EXPECT_TRUE(d.log->Lines().empty());
  });
}

TEST(AppTabs, AFailingFeatureQueryLeavesThePartialSetCached) {
  Doubles d;
  d.features->failingKey = "Channel_Set_Plans_Category";
  OnFreshThread(d, [&] {
    try {
      MPlexion::AppTabs("Schedule");
      ADD_FAILURE() << "no error";
    } catch (const Error& e) {
      EXPECT_EQ(e.status(), static_cast<Status>(0x80041234u)) << "the service's own status";
      EXPECT_EQ(e.source(), "FeatureSet");
    }
    d.log->Clear();
    Ref<CPlexionCtls> partial = MPlexion::AppTabs("Schedule");
    ASSERT_TRUE(partial);
    EXPECT_EQ(Names(*partial), (std::vector<std::string>{"General", "Schedule", "ScenarioOverride",
                                                         "DestinationOverride",
                                                         "DateTimeOverride"}));
    EXPECT_TRUE(d.log->Lines().empty()) << "no rebuild";
  });
}

TEST(AppTabs, TheTabNamesThatAreEasilySmoothedAway) {
  Doubles d;
  OnFreshThread(d, [&] {
    Ref<CPlexionCtls> confidence = MPlexion::AppTabs("Confidence");
    EXPECT_TRUE(confidence->Item(Variant("DateTypeScope")));
    EXPECT_FALSE(confidence->Item(Variant("DateTimeScope")));
    EXPECT_EQ(confidence->Item(Variant("ReportType"))->ProgID(), "PlexionCtls.XConfRptTypeTab");
    EXPECT_EQ(MPlexion::AppTabs("PCMD Count")->Item(Variant("ReportType"))->ProgID(),
              "PlexionCtls.XCPFCountRptTypeTab");
    Ref<CPlexionCtls> remote = MPlexion::AppTabs("Remote Server Definition");
    EXPECT_EQ(Listing(*remote),
              "RemoteServer|RemoteLinkCtls.XRemoteServerTab|Remote Server\n");
    EXPECT_TRUE(MPlexion::AppTabs("Remote Server Definition") == remote);
    std::vector<std::string> labels;
    for (const auto& e : *MPlexion::AppTabs("SES Study Definition")) labels.push_back(e.item->Label());
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "General"), 4);
  });
}

}  // namespace
}  // namespace plexion
