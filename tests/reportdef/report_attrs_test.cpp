#include <gtest/gtest.h>

#include "plexion/reportdef/report_def_data.hpp"
#include "stand_ins.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;
using testing::AttributeList;
using testing::ReportEnv;

// A report definition with all four output objects attached, each answering distinct ids.
struct Attached {
  explicit Attached(ReportEnv& env)
      : d(MakeRef<CReportDefData>()), spec(env.Spec()), page(env.Page()), dest(env.Dest()),
        scope(env.Scope()) {
    spec->insertId = 101;
    spec->groupingSpecId = 55;
    spec->specKind = 7;
    scope->insertId = 102;
    dest->insertId = 103;
    page->insertId = 104;
    d->ReportSpecData(spec);
    d->DTScopeData(scope);
    d->DestinationData(dest);
    d->PageSetupData(page);
    d->ReportSpecId(1);
    d->DTScopeID(2);
    d->DestinationId(3);
    d->PageSetUpId(4);
    d->GroupingSpecId(5);
    env.log->Clear();
  }
  void ExpectIds(std::int32_t spec_, std::int32_t grouping, std::int32_t scope_, std::int32_t dest_,
                 std::int32_t page_) const {
    EXPECT_EQ(d->ReportSpecId(), spec_);
    EXPECT_EQ(d->GroupingSpecId(), grouping);
    EXPECT_EQ(d->DTScopeID(), scope_);
    EXPECT_EQ(d->DestinationId(), dest_);
    EXPECT_EQ(d->PageSetUpId(), page_);
  }
  Ref<CReportDefData> d;
  Ref<testing::FakeReportSpec> spec;
  Ref<testing::FakePageSetup> page;
  Ref<testing::StandInDestination> dest;
  Ref<testing::StandInScope> scope;
};

TEST(SaveSubTableData, ANewReportInsertsEachObjectInOrderAndCapturesTheNewIds) {
  ReportEnv env;
  Attached a(env);
  a.d->IsNew(true);
  Ref<CReportDefData> returned = a.d->SaveSubTableData(999);
  EXPECT_TRUE(returned == a.d);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ReportSpec.Insert", "ReportSpec.GroupingSpecId", "DateTimeScope.Insert",
                   "DateTimeScope.Id", "Destination.Insert", "ReportSpec.SpecKind",
                   "PageSetup.SpecKind(7)", "PageSetup.Insert"}));
  a.ExpectIds(101, 55, 102, 103, 104);

  a.spec->insertId = 201;
  env.log->Clear();
  a.d->SaveSubTableData(0);
  EXPECT_EQ(env.log->Matching("ReportSpec.Insert").size(), 1u) << "still new: inserts again";
  EXPECT_EQ(a.d->ReportSpecId(), 201);
  EXPECT_TRUE(a.d->IsNew());
}

TEST(SaveSubTableData, AnExistingReportOnlyUpdatesYetRefreshesTheGroupingSpec) {
  ReportEnv env;
  Attached a(env);
  a.d->SaveSubTableData(0);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ReportSpec.Update", "ReportSpec.GroupingSpecId", "DateTimeScope.Update",
                   "Destination.Update", "ReportSpec.SpecKind", "PageSetup.SpecKind(7)",
                   "PageSetup.Update"}));
  a.ExpectIds(1, 55, 2, 3, 4);
}

TEST(SaveSubTableData, OnlyTheAttachedObjectsAreStored) {
  ReportEnv env;
  auto d = MakeRef<CReportDefData>();
  d->IsNew(true);
  d->ReportSpecId(1);
  d->PageSetUpId(4);
  EXPECT_TRUE(d->SaveSubTableData(0) == d);
  EXPECT_TRUE(env.log->Lines().empty());
  EXPECT_EQ(d->ReportSpecId(), 1);

  auto page = env.Page();
  page->insertId = 40;
  d->PageSetupData(page);
  env.log->Clear();
  d->SaveSubTableData(0);
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Insert"})) << "no specification: no SpecKind";
  EXPECT_EQ(d->PageSetUpId(), 40);
  EXPECT_EQ(d->ReportSpecId(), 1);
}

TEST(SaveSubTableData, AFailurePartWayKeepsTheIdsCapturedSoFar) {
  ReportEnv env;
  {
    Attached a(env);
    a.d->IsNew(true);
    a.dest->failOn = {"Destination.Insert"};
    EXPECT_THROW(a.d->SaveSubTableData(0), Error);
    a.ExpectIds(101, 55, 102, 3, 4);
    EXPECT_TRUE(env.log->Matching("PageSetup.").empty());
  }
  {
    Attached a(env);
    a.d->IsNew(true);
    a.spec->failOn = {"ReportSpec.GroupingSpecId"};
    try {
      a.d->SaveSubTableData(0);
      FAIL();
    } catch (const Error& e) {
      EXPECT_EQ(e.source(), "ReportSpec");
      EXPECT_EQ(e.status(), static_cast<Status>(0x80041234u));
    }
    a.ExpectIds(101, 5, 2, 3, 4);
  }
  {
    Attached a(env);
    a.d->IsNew(true);
    a.spec->failOn = {"ReportSpec.SpecKind"};
    EXPECT_THROW(a.d->SaveSubTableData(0), Error);
    a.ExpectIds(101, 55, 102, 103, 4);
    EXPECT_TRUE(env.log->Matching("PageSetup.").empty()) << "the kind is read before the insert";
  }
}

TEST(SaveReportAttrs, HandsTheSpecKindToTheSettingsThenSavesSpecAndPageAttributes) {
  ReportEnv env;
  Attached a(env);
  std::int32_t report = 12;
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ReportSpec.SpecKind", "SettingsService.UseSpecKind(7)", "ReportSpec.SaveAttrs(12)",
                   "ReportSpec.SaveAttrs.Release", "PageSetup.SaveAttrs(12)",
                   "PageSetup.SaveAttrs.Release"}))
      << "each returned object is released before the next call";

  a.spec->writeBackReportId = 13;
  env.log->Clear();
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(report, 13) << "the report id travels by reference";
  EXPECT_EQ(env.log->Matching("PageSetup.SaveAttrs(").front(), "PageSetup.SaveAttrs(13)");

  a.d->PageSetupData({});
  env.log->Clear();
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(env.log->Lines(), (Lines{"ReportSpec.SpecKind", "SettingsService.UseSpecKind(7)",
                                     "ReportSpec.SaveAttrs(13)", "ReportSpec.SaveAttrs.Release"}));
}

TEST(SaveReportAttrs, DoesNothingWithoutASpecificationAndStopsAtAFailingSetting) {
  ReportEnv env;
  auto d = MakeRef<CReportDefData>();
  auto page = env.Page();
  d->PageSetupData(page);
  std::int32_t report = 12;
  env.log->Clear();
  d->SaveReportAttrs(report);
  EXPECT_TRUE(env.log->Lines().empty()) << "not even the page setup";

  Attached a(env);
  env.base.settings->failOn = {"SettingsService.UseSpecKind"};
  EXPECT_THROW(a.d->SaveReportAttrs(report), Error);
  EXPECT_EQ(env.log->Lines(), (Lines{"ReportSpec.SpecKind", "SettingsService.UseSpecKind(7)"}));
}

TEST(SaveGenReportAttrs, AnExpressScenarioWritesTheWholeSetBetweenClearAndSave) {
  ReportEnv env;
  Attached a(env);
  a.d->IsScenarioExpress(true);
  a.d->IncludeInactive(true);
  a.d->ExpressType("Daily");
  a.dest->webAutoOrganize = "ByDate";
  a.page->headNote = "Head";
  a.page->footNote = "Foot";
  a.page->removeControlInfo = true;
  a.d->SaveGenReportAttrs(12);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
                   "GeneralAttributes.Add(IncludeInactive | Y | false)",
                   "GeneralAttributes.Add(ExpressType | Daily | false)", "Destination.WebAutoOrganize",
                   "GeneralAttributes.Add(WebAuto-Organize | ByDate | false)", "PageSetup.HeadNote",
                   "GeneralAttributes.Add(HeadNote | Head | false)", "PageSetup.FootNote",
                   "GeneralAttributes.Add(FootNote | Foot | false)", "PageSetup.RemoveControlInfo",
                   "GeneralAttributes.Add(RemoveControlInfo | True | false)", "GeneralAttributes.Save"}));
  EXPECT_EQ(env.reports.attributeStore->at(12),
            (AttributeList{{"IncludeInactive", "Y"}, {"ExpressType", "Daily"}, {"WebAuto-Organize", "ByDate"},
                           {"HeadNote", "Head"}, {"FootNote", "Foot"}, {"RemoveControlInfo", "True"}}));

  a.d->IncludeInactive(false);
  a.d->ExpressType("");
  a.d->SaveGenReportAttrs(12);
  EXPECT_EQ(env.reports.attributeStore->at(12).at(0), (std::pair<std::string, std::string>{"IncludeInactive", "N"}));
  EXPECT_EQ(env.reports.attributeStore->at(12).at(1), (std::pair<std::string, std::string>{"ExpressType", ""}))
      << "an empty express type is still written";
}

TEST(SaveGenReportAttrs, AnOrdinaryScenarioSkipsTheExpressAttributesAndEmptyPageValues) {
  ReportEnv env;
  Attached a(env);
  a.d->IncludeInactive(true);
  a.d->ExpressType("Daily");
  a.d->SaveGenReportAttrs(12);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)", "Destination.WebAutoOrganize",
                   "GeneralAttributes.Add(WebAuto-Organize | \"\" | false)", "PageSetup.HeadNote",
                   "PageSetup.FootNote", "PageSetup.RemoveControlInfo", "GeneralAttributes.Save"}));
  EXPECT_EQ(env.reports.attributeStore->at(12), (AttributeList{{"WebAuto-Organize", ""}}));

  a.d->PageSetupData({});
  env.log->Clear();
  a.d->SaveGenReportAttrs(12);
  EXPECT_TRUE(env.log->Matching("PageSetup.").empty());
}

TEST(SaveGenReportAttrs, WithoutADestinationItFailsAfterClearAndBeforeSave) {
  ReportEnv env;
  auto d = MakeRef<CReportDefData>();
  (*env.reports.attributeStore)[12] = {{"ExpressType", "stored before"}};
  d->IsScenarioExpress(true);
  env.log->Clear();
  try {
    d->SaveGenReportAttrs(12);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::ObjectVariableNotSet);
  }
  EXPECT_EQ(env.log->Lines(),
            (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
                   "GeneralAttributes.Add(IncludeInactive | N | false)",
                   "GeneralAttributes.Add(ExpressType | \"\" | false)"}));
  EXPECT_EQ(env.reports.attributeStore->at(12), (AttributeList{{"ExpressType", "stored before"}}));

  env.reports.noAttributes = true;
  auto bare = MakeRef<CReportDefData>();
  env.log->Clear();
  bare->SaveGenReportAttrs(12);
  EXPECT_TRUE(env.log->Lines().empty()) << "no attribute set: nothing to do, not even fail";
}

TEST(LoadGenReportAttrs, NamesCompareExactlyAndOnlyAnUpperCaseYMeansTrue) {
  ReportEnv env;
  (*env.reports.attributeStore)[12] = {{"includeinactive", "Y"}, {"IncludeInactive", "y"},
                                       {"ExpressType", "Weekly"},  {"HeadNote", "not read back"},
                                       {"WebAuto-Organize", "ByName"}};
  auto d = MakeRef<CReportDefData>();
  auto dest = env.Dest();
  d->DestinationData(dest);
  d->IncludeInactive(true);
  env.log->Clear();
  d->InitEdit(12, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
  EXPECT_FALSE(d->IncludeInactive());
  EXPECT_EQ(d->ExpressType(), "Weekly");
  EXPECT_EQ(dest->webAutoOrganize, "ByName");
  EXPECT_EQ(env.log->Matching("GeneralAttribute(").size(), 8u)
      << "one Name per attribute, one Value per known name: "
      << ::testing::PrintToString(env.log->Matching("GeneralAttribute("));
  EXPECT_EQ(env.log->Matching("Destination."), (Lines{"Destination.WebAutoOrganize(ByName)"}));

  (*env.reports.attributeStore)[12] = {{"IncludeInactive", "Y"}, {"WebAuto-Organize", "ByDate"}};
  d->DestinationData({});
  d->InitEdit(12, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
  EXPECT_TRUE(d->IncludeInactive());
  EXPECT_EQ(d->ExpressType(), "") << "reset before loading";
  EXPECT_EQ(dest->webAutoOrganize, "ByName") << "a detached destination hears nothing";
  EXPECT_EQ(d->WebAutoOrganize(), "ByDate");

  env.log->Clear();
  d->InitEdit(13, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
  EXPECT_EQ(env.log->Matching("GeneralAttributes."), (Lines{"GeneralAttributes.Load(13)"}))
      << "a report without attributes is not enumerated";
  EXPECT_FALSE(d->IncludeInactive());
}

TEST(LoadGenReportAttrs, WhatOneDefinitionSavesTheNextOneLoads) {
  ReportEnv env;
  Attached a(env);
  a.d->IsScenarioExpress(true);
  a.d->IncludeInactive(true);
  a.d->ExpressType("Monthly");
  a.dest->webAutoOrganize = "ByEntity";
  a.d->SaveGenReportAttrs(40);

  auto again = MakeRef<CReportDefData>();
  auto dest = env.Dest();
  again->DestinationData(dest);
  again->InitEdit(40, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
  EXPECT_TRUE(again->IncludeInactive());
  EXPECT_EQ(again->ExpressType(), "Monthly");
  EXPECT_EQ(dest->webAutoOrganize, "ByEntity");
  EXPECT_EQ(again->WebAutoOrganize(), "ByEntity");
}

}  // namespace
}  // namespace plexion
