#include <gtest/gtest.h>

#include <map>
#include <thread>

#include "../error_of.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/tabs/app_tab_table.hpp"
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

// Each tab as "Name=ProgID", in order.
std::string Tabs(const CPlexionCtls& set) {
  std::string out;
  for (const auto& e : set)
    out += (out.empty() ? "" : " ") + e.item->Name() + "=" + e.item->ProgID();
  return out;
}

Lines Concat(Lines a, const Lines& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(AppTabs, OneSetPerThreadBuiltOnAnExactNameAndCachedWithoutRegardToCase) {
  Doubles d;
  Ref<CPlexionCtls> built, other;
  OnFreshThread(d, [&] {
    EXPECT_FALSE(MPlexion::AppTabs("traffic"));
    EXPECT_FALSE(MPlexion::IsAppTabsCached("traffic"));
    for (const char* bad : {"", " Traffic", "Traffic ", "Unknown"})
      EXPECT_FALSE(MPlexion::AppTabs(bad)) << bad;
    built = MPlexion::AppTabs("Traffic");
    EXPECT_TRUE(MPlexion::AppTabs("traffic") == built);
    EXPECT_TRUE(MPlexion::AppTabs("TRAFFIC") == built);
  });
  OnFreshThread(d, [&] { other = MPlexion::AppTabs("Traffic"); });
  ASSERT_TRUE(built);
  EXPECT_FALSE(built == other);
}

TEST(AppTabs, EveryApplicationHasItsTabCountInEveryMode) {
  // Tab counts per application: {plain, enterprise, every feature on}.
  const std::map<std::string, std::array<int, 3>> expected = {
      {"Traffic", {4, 4, 5}},
      {"CPFail Count", {4, 4, 4}},
      {"CPFail Message", {4, 4, 4}},
      {"EVDO PCMD Message", {4, 4, 4}},
      {"DOCPFail Count", {4, 4, 4}},
      {"DOCPFail Message", {4, 4, 4}},
      {"Config Map", {2, 2, 2}},
      {"Config Entity", {3, 3, 3}},
      {"Schedule", {5, 6, 6}},
      {"Sched OverRides", {4, 5, 5}},
      {"Config Scenario", {2, 2, 2}},
      {"UDR", {2, 2, 2}},
      {"Soft Alarm", {2, 2, 2}},
      {"Soft Alarm Template", {1, 1, 1}},
      {"SES Schedule", {6, 6, 6}},
      {"SES Study Definition", {11, 11, 11}},
      {"SES Sched OVR", {5, 5, 5}},
      {"Soft Alarm Schedule", {3, 3, 3}},
      {"Soft Alarm Sched OVR", {2, 2, 2}},
      {"Remote Server Definition", {1, 1, 1}},
      {"Export Definition", {1, 1, 1}},
      {"Export Schedule", {3, 3, 3}},
      {"EA Export Sched OVR", {2, 2, 2}},
      {"CPFail Handoff", {4, 4, 4}},
      {"Dictionary Import", {1, 1, 1}},
      {"Dictionary Import Schedule", {3, 3, 3}},
      {"Dictionary Import SchedOVR", {2, 2, 2}},
      {"Report Post Processing", {4, 4, 4}},
      {"Notification", {2, 2, 3}},
      {"Confidence", {4, 4, 4}},
      {"ASCII Data Source", {2, 2, 2}},
      {"ODBC Data Source", {2, 2, 2}},
      {"PCMD Count", {4, 4, 4}},
      {"PCMD Message", {4, 4, 4}}};
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
        const std::string data =
            app == "Remote Server Definition" ? "Remote Server" : std::string(app);
        for (const auto& e : *set) EXPECT_EQ(e.item->Data(), Variant(data)) << app;
      }
    });
  }
}

// Traffic reads enterprise mode once and the express switch only outside it; the schedules read
// enterprise mode twice and ask for channel-set plans only outside it; Notification asks for SNMP.
// A set once built asks nothing again, even after a switch changed.
TEST(AppTabs, EachConditionalApplicationAsksWhatItsTabsDependOnInOrderAndOnlyOnce) {
  const Lines kMode{"SystemConfig.EnterpriseMode"};
  const auto feature = [](const std::string& key) {
    return Lines{"FeatureRegistry.Features", "FeatureSet.IsEnabled(" + key + ")",
                 "FeatureSet.Release"};
  };
  struct Case {
    const char* app;
    bool enterprise;
    std::string feature, tabs;
    Lines asked;
  };
  for (const Case& c :
       {Case{"Traffic", false, "Express_Reports",
             "General=PlexionCtls.XRptGenExpTab Destination=PlexionCtls.XRptDestTab "
             "ReportType=PlexionCtls.XRptTypeTab DateTimeScope=PlexionCtls.XDTScopeTab "
             "Format=PlexionCtls.XRptFormatTab",
             Concat(kMode, feature("Express_Reports"))},
        Case{"Traffic", true, "Express_Reports",
             "General=PlexionCtls.XEARptGenTab ReportType=PlexionCtls.XRptTypeTab "
             "DateTimeScope=PlexionCtls.XDTScopeTab Format=PlexionCtls.XRptFormatTab",
             kMode},
        Case{"Schedule", true, "Channel_Set_Plans_Category",
             "General=PlexionCtls.XEASchedGenTab Schedule=PlexionCtls.XScheduleTab "
             "ScenarioOverride=PlexionCtls.XScenarioTab DestinationOverride=PlexionCtls.XDestTab "
             "DateTimeOverride=PlexionCtls.XOvrDTScopeTab "
             "ServerGrpOverride=PlexionCtls.XServerGroupTab",
             Concat(kMode, kMode)},
        Case{"Sched OverRides", false, "Channel_Set_Plans_Category",
             "General=PlexionCtls.XSchedGenTab ScenarioOverride=PlexionCtls.XScenarioTab "
             "DestinationOverride=PlexionCtls.XDestTab DateTimeOverride=PlexionCtls.XOvrDTScopeTab "
             "ChanSetPlanOverride=PlexionCtls.XChanSetPlanTab",
             Concat(Concat(kMode, kMode), feature("Channel_Set_Plans_Category"))},
        Case{"Notification", false, "EN_SNMP_Support",
             "Events=EventNotifyCtls.XEventsTab Email=EventNotifyCtls.XEventEmailTab "
             "SNMP=EventNotifyCtls.XEventSNMPTab",
             feature("EN_SNMP_Support")}}) {
    Doubles d;
    d.system->enterprise = c.enterprise;
    d.features->enabled = {c.feature};
    OnFreshThread(d, [&] {
      Ref<CPlexionCtls> set = MPlexion::AppTabs(c.app);
      EXPECT_EQ(Tabs(*set), c.tabs) << c.app;
      EXPECT_EQ(d.log->Lines(), c.asked) << c.app;
      d.log->Clear();
      d.features->enabled.clear();
      EXPECT_TRUE(MPlexion::AppTabs(c.app) == set);
      EXPECT_TRUE(d.log->Lines().empty()) << c.app << " is built once";
    });
  }

  Doubles d;  // every other application asks nothing
  OnFreshThread(d, [&] {
    for (std::string_view app : tabs::ApplicationNames()) {
      if (app != "Traffic" && app != "Schedule" && app != "Sched OverRides" &&
          app != "Notification")
        MPlexion::AppTabs(std::string(app));
    }
  });
  EXPECT_TRUE(d.log->Lines().empty());
}

TEST(AppTabs, AFailingFeatureQueryLeavesThePartialSetCached) {
  Doubles d;
  d.features->failingKey = "Channel_Set_Plans_Category";
  OnFreshThread(d, [&] {
    const Error e = testing::ErrorOf([] { MPlexion::AppTabs("Schedule"); });
    EXPECT_EQ(std::pair(e.status(), e.source()),
              std::pair(static_cast<Status>(0x80041234u), std::string("FeatureSet")))
        << "the service's own status";
    d.log->Clear();
    Ref<CPlexionCtls> partial = MPlexion::AppTabs("Schedule");
    ASSERT_TRUE(partial);
    EXPECT_EQ(Tabs(*partial),
              "General=PlexionCtls.XSchedGenTab Schedule=PlexionCtls.XScheduleTab "
              "ScenarioOverride=PlexionCtls.XScenarioTab DestinationOverride=PlexionCtls.XDestTab "
              "DateTimeOverride=PlexionCtls.XOvrDTScopeTab");
    EXPECT_TRUE(d.log->Lines().empty()) << "no rebuild";
  });
}

TEST(AppTabs, TheTabNamesThatAreEasilySmoothedAway) {
  Doubles d;
  OnFreshThread(d, [&] {
    EXPECT_EQ(MPlexion::AppTabs("Notification")->Item(Variant("Events"))->Label(), "Event");
    Ref<CPlexionCtls> confidence = MPlexion::AppTabs("Confidence");
    EXPECT_TRUE(confidence->Item(Variant("DateTypeScope")) &&
                !confidence->Item(Variant("DateTimeScope")));
    EXPECT_EQ(confidence->Item(Variant("ReportType"))->ProgID(), "PlexionCtls.XConfRptTypeTab");
    EXPECT_EQ(MPlexion::AppTabs("PCMD Count")->Item(Variant("ReportType"))->ProgID(),
              "PlexionCtls.XCPFCountRptTypeTab");
    EXPECT_EQ(Tabs(*MPlexion::AppTabs("Remote Server Definition")),
              "RemoteServer=RemoteLinkCtls.XRemoteServerTab");
    std::vector<std::string> labels;
    for (const auto& e : *MPlexion::AppTabs("SES Study Definition"))
      labels.push_back(e.item->Label());
    EXPECT_EQ(std::count(labels.begin(), labels.end(), "General"), 4);
  });
}

}  // namespace
}  // namespace plexion
