// Saving a report definition's output objects and attributes, and loading its attributes. The
// objects are saved in a fixed order, which these tests state; their reads are left out.
#include <cstring>
#include <tuple>

#include "report_env.hpp"

namespace plexion {
namespace {

using testing::Attached;
using testing::ErrorOf;
using testing::Ids;
using testing::Lines;
using testing::Open;
using Env = testing::InstalledDoubles;

Lines Saves(const Env& env) {
  return env.log->Containing({".Insert", ".Update", "PageSetup.SpecKind("});
}

TEST(SaveSubTableData, ANewReportInsertsEachObjectInOrderCapturingTheIds) {
  Env env;
  Attached a(env);
  a.d->IsNew(true);
  EXPECT_TRUE(a.d->SaveSubTableData(999) == a.d);
  EXPECT_EQ(Saves(env), (Lines{"ReportSpec.Insert", "DateTimeScope.Insert", "Destination.Insert",
                               "PageSetup.SpecKind(7)", "PageSetup.Insert"}));
  EXPECT_EQ(Ids(*a.d), "0 0 0 0 | 101 55 102 103 104");
  a.spec->insertId = 201;
  a.d->SaveSubTableData(0);
  EXPECT_EQ(a.d->ReportSpecId(), 201) << "still new: inserted again";
}

TEST(SaveSubTableData, AnExistingReportUpdatesEachObjectYetRefreshesTheGrouping) {
  Env env;
  Attached a(env);
  a.d->SaveSubTableData(0);
  EXPECT_EQ(Saves(env), (Lines{"ReportSpec.Update", "DateTimeScope.Update", "Destination.Update",
                               "PageSetup.SpecKind(7)", "PageSetup.Update"}));
  EXPECT_EQ(Ids(*a.d), "0 0 0 0 | 1 55 2 3 4");
}

TEST(SaveSubTableData, OnlyAttachedObjectsAreSaved) {
  Env env;
  auto d = MakeRef<CReportDefData>();
  d->IsNew(true);
  d->ReportSpecId(1);
  d->PageSetUpId(4);
  EXPECT_TRUE(d->SaveSubTableData(0) == d);
  d->ResetReferences();
  EXPECT_EQ(Ids(*d), "0 0 0 0 | 1 0 0 0 4");
  auto page = MakeRef<testing::FakePageSetup>(env.log);
  page->insertId = 40;
  d->PageSetupData(page);
  d->SaveSubTableData(0);
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Insert"}));
  EXPECT_EQ(Ids(*d), "0 0 0 0 | 1 0 0 0 40");
}

TEST(SaveSubTableData, AFailurePartWayKeepsTheIdsCapturedSoFar) {
  Env env;
  struct Case {
    const char* failing;
    const char* ids;
  };
  for (const Case& c : {Case{"ReportSpec.GroupingSpecId", "0 0 0 0 | 101 5 2 3 4"},
                        Case{"Destination.Insert", "0 0 0 0 | 101 55 102 3 4"},
                        Case{"ReportSpec.SpecKind", "0 0 0 0 | 101 55 102 103 4"}}) {
    Attached a(env);
    a.d->IsNew(true);
    a.spec->failOn = a.page->failOn = a.dest->failOn = a.scope->failOn = {c.failing};
    const Error e = ErrorOf([&] { a.d->SaveSubTableData(0); });
    EXPECT_EQ(e.source(), std::string(c.failing, std::strchr(c.failing, '.'))) << "its own error";
    EXPECT_EQ(Ids(*a.d), c.ids) << c.failing;
    EXPECT_TRUE(env.log->Matching("PageSetup.Insert").empty()) << c.failing;
  }
}

// The ids go back in the order the objects' owners expect.
TEST(ResetReferences, GivesEachAttachedObjectItsIdBackInOrder) {
  Env env;
  Attached a(env);
  a.d->ResetReferences();
  EXPECT_EQ(env.log->Lines(), (Lines{"Destination.Id(3)", "DateTimeScope.Id(2)", "ReportSpec.Id(1)",
                                     "PageSetup.Id(4)"}));
}

Lines AttrSaves(const Env& env) { return env.log->Containing({"UseSpecKind", "SaveAttrs"}); }

TEST(SaveReportAttrs, HandsOverTheSpecKindThenSavesTheSpecThenThePageReleasingEachAnswer) {
  Env env;
  Attached a(env);
  std::int32_t report = 12;
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(AttrSaves(env), (Lines{"SettingsService.UseSpecKind(7)", "ReportSpec.SaveAttrs(12)",
                                   "ReportSpec.SaveAttrs.Release", "PageSetup.SaveAttrs(12)",
                                   "PageSetup.SaveAttrs.Release"}));
  a.spec->writeBackReportId = 13;
  env.log->Clear();
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(report, 13) << "the report id travels by reference";
  EXPECT_EQ(env.log->Matching("PageSetup.SaveAttrs(").front(), "PageSetup.SaveAttrs(13)");
}

TEST(SaveReportAttrs, SavesOnlyTheAttachedSetsOfASpecifiedReport) {
  Env env;
  Attached a(env);
  std::int32_t report = 12;
  a.d->ReportSpecData({});
  a.d->SaveReportAttrs(report);
  EXPECT_TRUE(env.log->Lines().empty());
  a.d->ReportSpecData(a.spec);
  a.d->PageSetupData({});
  env.log->Clear();
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(AttrSaves(env), (Lines{"SettingsService.UseSpecKind(7)", "ReportSpec.SaveAttrs(12)",
                                   "ReportSpec.SaveAttrs.Release"}));
}

Lines AttributeWrites(const Env& env) { return env.log->Matching("GeneralAttributes."); }

TEST(SaveGenReportAttrs, AnExpressScenarioWritesTheWholeSetBetweenClearAndSave) {
  Env env;
  Attached a(env);
  a.d->IsScenarioExpress(true);
  a.d->IncludeInactive(true);
  a.d->ExpressType("Daily");
  a.dest->webAutoOrganize = "ByDate";
  a.page->headNote = "Head";
  a.page->footNote = "Foot";
  a.page->removeControlInfo = true;
  a.d->SaveGenReportAttrs(12);
  EXPECT_EQ(
      AttributeWrites(env),
      (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
             "GeneralAttributes.Add(IncludeInactive | Y | false)",
             "GeneralAttributes.Add(ExpressType | Daily | false)",
             "GeneralAttributes.Add(WebAuto-Organize | ByDate | false)",
             "GeneralAttributes.Add(HeadNote | Head | false)",
             "GeneralAttributes.Add(FootNote | Foot | false)",
             "GeneralAttributes.Add(RemoveControlInfo | True | false)", "GeneralAttributes.Save"}));
}

TEST(SaveGenReportAttrs, AnOrdinaryScenarioWritesNeitherExpressAttributesNorEmptyNotes) {
  Env env;
  Attached a(env);
  a.d->SaveGenReportAttrs(12);
  EXPECT_EQ(
      AttributeWrites(env),
      (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
             "GeneralAttributes.Add(WebAuto-Organize | \"\" | false)", "GeneralAttributes.Save"}));
  a.d->PageSetupData({});
  env.log->Clear();
  a.d->SaveGenReportAttrs(12);
  EXPECT_TRUE(env.log->Matching("PageSetup.").empty());
}

TEST(SaveGenReportAttrs, WithoutADestinationItFailsBetweenClearAndSave) {
  Env env;
  auto d = MakeRef<CReportDefData>();
  d->IsScenarioExpress(true);
  env.log->Clear();
  EXPECT_EQ(ErrorOf([&] { d->SaveGenReportAttrs(12); }).number(), errnum::ObjectVariableNotSet);
  EXPECT_EQ(AttributeWrites(env),
            (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
                   "GeneralAttributes.Add(IncludeInactive | N | false)",
                   "GeneralAttributes.Add(ExpressType | \"\" | false)"}));
}

TEST(SaveGenReportAttrs, WithoutAnAttributeSetThereIsNothingToDo) {
  Env env;
  env.report.noAttributes = true;
  auto bare = MakeRef<CReportDefData>();
  EXPECT_NO_THROW(bare->SaveGenReportAttrs(12));
  EXPECT_EQ(bare->WebAutoOrganize(), "");
}

TEST(LoadGenReportAttrs, NamesCompareExactlyOnlyAnUpperCaseYIsTrue) {
  Env env;
  (*env.report.attributeStore)[12] = {{"includeinactive", "Y"},
                                      {"IncludeInactive", "y"},
                                      {"ExpressType", "Weekly"},
                                      {"HeadNote", "not read back"},
                                      {"WebAuto-Organize", "ByName"}};
  auto d = MakeRef<CReportDefData>();
  auto dest = MakeRef<testing::FakeDestination>(env.log);
  d->DestinationData(dest);
  d->IncludeInactive(true);
  Open(*d, 12);
  EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), dest->webAutoOrganize,
                       d->WebAutoOrganize()),
            std::tuple(false, "Weekly", "ByName", "ByName"));
}

TEST(LoadGenReportAttrs, EveryLoadResetsTheAttributesFirst) {
  Env env;
  (*env.report.attributeStore)[12] = {{"IncludeInactive", "Y"}, {"WebAuto-Organize", "ByDate"}};
  auto d = MakeRef<CReportDefData>();
  auto detached = MakeRef<testing::FakeDestination>(env.log);
  d->DestinationData(detached);
  d->DestinationData({});
  d->ExpressType("Weekly");
  Open(*d, 12);
  EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), d->WebAutoOrganize(),
                       detached->webAutoOrganize),
            std::tuple(true, "", "ByDate", ""));
  for (std::int32_t report : {13, 0, -3}) {
    d->IncludeInactive(true);
    d->ExpressType("Weekly");
    env.log->Clear();
    Open(*d, report);
    EXPECT_EQ(std::pair(d->IncludeInactive(), d->ExpressType()), std::pair(false, std::string()))
        << report;
    EXPECT_EQ(d->WebAutoOrganize(), "") << report;
  }
  EXPECT_TRUE(env.log->Matching("GeneralAttributes.Load").empty()) << "no report: nothing loaded";
}

}  // namespace
}  // namespace plexion
