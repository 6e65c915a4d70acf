#include <cstring>
#include <thread>
#include <tuple>

#include "plexion/testing/doubles.hpp"
#include "report_env.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;
using testing::FakeDestination;
using testing::FakePageSetup;
using testing::Ids;
using testing::Lines;
using testing::Open;
using Env = testing::InstalledDoubles;

Ref<DocumentType> Type(const char* name) { return MakeRef<testing::FakeDocumentType>(name); }

// InitEdit of report 12 with every id distinct, as an editor calls it for a stored report.
void EditReport12(CReportDefData& d, const Ref<ReportSpec>& spec = {}) {
  d.InitEdit(12, 3, 4, 5, 6, 7, 8, "out.csv", "RptEditor", "Traffic", 21, 22, Type("Scenario"),
             Type("Template"), 30, 31, 2.5f, "T", "E", 33, spec);
}

// A definition with all four output objects attached, holding the ids spec 1, grouping 5,
// scope 2, destination 3 and page 4; its objects answer 101, 55, 102, 103 and 104 and the
// report specification kind 7. The log starts empty.
struct Attached {
  explicit Attached(Env& env)
      : spec(MakeRef<testing::FakeReportSpec>(env.log)),
        page(MakeRef<FakePageSetup>(env.log)),
        dest(MakeRef<FakeDestination>(env.log)),
        scope(MakeRef<testing::FakeDateTimeScope>(env.log)) {
    spec->insertId = 101;
    spec->groupingSpecId = 55;
    spec->specKind = 7;
    scope->nextId = 102;
    dest->nextId = 103;
    page->insertId = 104;
    d->ReportSpecData(spec);
    d->DTScopeData(scope);
    d->DestinationData(dest);
    d->PageSetupData(page);
    d->ReportSpecId(1);
    d->GroupingSpecId(5);
    d->DTScopeID(2);
    d->DestinationId(3);
    d->PageSetUpId(4);
    env.log->Clear();
  }
  Ref<CReportDefData> d = MakeRef<CReportDefData>();
  Ref<testing::FakeReportSpec> spec;
  Ref<FakePageSetup> page;
  Ref<FakeDestination> dest;
  Ref<testing::FakeDateTimeScope> scope;
};

TEST(ReportDefInit, NewTakesTheOptionsFromTheReportDefaultsLeavesTheRestAndStopsAtAFailingOne) {
  Env env;
  env.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
                                            {"Test Channels", Variant(std::int32_t{1})},
                                            {"Domain Scenario Id", Variant("42")}};
  auto d = MakeRef<CReportDefData>();
  d->ReportId(9);
  d->FileName("kept.csv");
  d->TempExpScenarioId(70);
  d->IsTemplateExpress(true);
  d->ScenarioId(50);
  d->UpdateDocumentIds();
  env.log->Clear();

  Ref<DocumentType> scenario = Type("Scenario"), templ = Type("Template");
  d->InitNew(scenario, templ, "Traffic", "RptEditor", 77, ERefType::RefTemplate, 15, 4, 1.5f);
  EXPECT_EQ(
      env.log->Lines(),
      (Lines{"SettingsService.ReportDefaults", "ReportDefaults.Item(Equipped Only)",
             "ReportDefaults.Item(Test Channels)", "ReportDefaults.Item(Domain Scenario Id)"}))
      << "the parameters never reach the options, and no document service is asked";
  EXPECT_TRUE(d->ScenarioType() == scenario && d->TemplateType() == templ);
  EXPECT_EQ(std::tuple(d->EquippedOnly(), d->TestChannels(), d->DomainScenarioId(), d->AppName(),
                       d->EditorName(), d->EntityID(), d->ChannelNumber(), d->MapRadiusScale(),
                       d->IsNew()),
            std::tuple("N", "1", 42, "Traffic", "RptEditor", 77, 4, 1.5f, true));
  EXPECT_EQ(Ids(*d), "9 50 15 0 | 0 0 0 0 0");
  EXPECT_EQ(std::tuple(d->FileName(), d->TempExpScenarioId(), d->IsTemplateExpress(),
                       d->SaveOrigScenarioId(), d->SaveOrigTemplateId()),
            std::tuple("kept.csv", 70, true, 50, 0))
      << "InitNew confirms no document id";

  // A failing setting: the options read before it are stored, nothing after it.
  env.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
                                            {"Domain Scenario Id", Variant(std::int32_t{4})}};
  auto f = MakeRef<CReportDefData>();
  f->TestChannels("before");
  Error e = ErrorOf([&] { f->InitNew({}, {}, "Traffic", "", 0, ERefType::RefScenario, 8, 0, 0); });
  EXPECT_EQ(std::tuple(e.source(), e.status(), f->EquippedOnly(), f->TestChannels(),
                       f->DomainScenarioId(), f->AppName(), f->IsNew(), f->ScenarioId()),
            std::tuple("SettingsService", static_cast<Status>(0x80041235u), "N", "before", 0, "",
                       false, 0));

  env.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
                                            {"Test Channels", Variant("Y")},
                                            {"Domain Scenario Id", Variant("four")}};
  e = ErrorOf([&] { f->InitNew({}, {}, "Traffic", "", 0, ERefType::RefScenario, 8, 0, 0); });
  EXPECT_EQ(std::pair(e.number(), f->TestChannels()),
            std::pair(errnum::TypeMismatch, std::string("Y")));
}

TEST(ReportDefInit, NewSetsOnlyTheIdItsReferenceKindNamesAndTheServerGroupTypeOnlyWhenPassed) {
  Env env;
  struct Case {
    ERefType kind;
    std::int32_t scenario, templ, chanSet;
  };
  for (const Case& c :
       {Case{ERefType::RefScenario, 99, 2, 3}, Case{ERefType::RefTemplate, 1, 99, 3},
        Case{ERefType::refChanSetPlan, 1, 2, 99}, Case{ERefType::RefSATemplate, 1, 2, 3},
        Case{static_cast<ERefType>(7), 1, 2, 3}, Case{static_cast<ERefType>(-1), 1, 2, 3}}) {
    auto d = MakeRef<CReportDefData>();
    d->ScenarioId(1);
    d->TemplateID(2);
    d->ChanSetID(3);
    d->InitNew({}, {}, "", "", 0, c.kind, 99, 0, 0);
    EXPECT_EQ(std::tuple(d->ScenarioId(), d->TemplateID(), d->ChanSetID()),
              std::tuple(c.scenario, c.templ, c.chanSet))
        << static_cast<int>(c.kind);
  }

  // The server group type changes only when passed; an omitted server group id is 0.
  auto d = MakeRef<CReportDefData>();
  Ref<DocumentType> group = Type("Server Group");
  d->ServerGroupType(group);
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0);
  EXPECT_TRUE(d->ServerGroupType() == group) << "omitted: left as it was";
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0, Ref<DocumentType>());
  EXPECT_FALSE(d->ServerGroupType()) << "passed as no object: cleared";
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0, group);
  EXPECT_TRUE(d->ServerGroupType() == group);

  d->ServerGroupId(5);
  Open(*d, 12);
  EXPECT_EQ(std::pair(d->ServerGroupType() == group, d->ServerGroupId()), std::pair(true, 0))
      << "an omitted server group id is 0";
  d->InitEdit(12, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {},
              Ref<DocumentType>(), 44);
  EXPECT_EQ(std::pair(d->ServerGroupType() == nullptr, d->ServerGroupId()), std::pair(true, 44));
}

TEST(ReportDefInit,
     EditTakesItsParametersThenLoadsAttributesAsksExpressFlagsConfirmsIdsOrStopsAtAFailure) {
  Env env;
  (*env.report.attributeStore)[12] = {{"IncludeInactive", "Y"}, {"ExpressType", "Daily"}};
  env.report.scenarioDocs->express = {21};
  auto d = MakeRef<CReportDefData>();
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0);
  auto spec = MakeRef<testing::FakeReportSpec>(env.log);
  env.log->Clear();

  EditReport12(*d, spec);
  EXPECT_EQ(
      env.log->Lines(),
      (Lines{"GeneralAttributes.Load(12)", "GeneralAttributes.NewEnum",
             "GeneralAttribute(IncludeInactive).Name", "GeneralAttribute(IncludeInactive).Value",
             "GeneralAttribute(ExpressType).Name", "GeneralAttribute(ExpressType).Value",
             "ScenarioDocs.IsExpress(21)", "TemplateDocs.IsExpress(22)"}))
      << "no settings are read, and the report specification is only stored";
  EXPECT_EQ(Ids(*d), "12 21 22 3 | 7 8 6 4 5");
  EXPECT_EQ(
      std::tuple(d->FileName(), d->EditorName(), d->AppName(), d->EntityID(), d->ChannelNumber(),
                 d->MapRadiusScale(), d->TestChannels(), d->EquippedOnly(), d->DomainScenarioId(),
                 d->ScenarioType()->Name(), d->TemplateType()->Name()),
      std::tuple("out.csv", "RptEditor", "Traffic", 30, 31, 2.5f, "T", "E", 33, "Scenario",
                 "Template"));
  EXPECT_TRUE(d->ReportSpecData() == spec);
  EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), d->IsScenarioExpress(),
                       d->IsTemplateExpress(), d->IsNew()),
            std::tuple(true, "Daily", true, false, false));

  d->ScenarioId(90);
  d->TemplateID(91);
  d->ResetDocumentIds();
  EXPECT_EQ(std::tuple(d->ScenarioId(), d->TemplateID(), d->SaveOrigScenarioId()),
            std::tuple(21, 22, 21))
      << "InitEdit confirmed the loaded ids";

  // A failing document service stops it with the earlier steps done.
  env.log->Clear();
  (*env.report.attributeStore)[12] = {{"ExpressType", "Daily"}};
  env.report.scenarioDocs->failOn = {"ScenarioDocs.IsExpress"};
  auto f = MakeRef<CReportDefData>();
  f->IsNew(true);
  f->IsTemplateExpress(true);
  EXPECT_EQ(ErrorOf([&] { EditReport12(*f); }).source(), "ScenarioDocs");
  EXPECT_EQ(std::tuple(f->ReportId(), f->ExpressType(), f->IsTemplateExpress(),
                       f->SaveOrigScenarioId(), f->IsNew()),
            std::tuple(12, "Daily", true, 0, true))
      << "the attributes were loaded before; the template service is not asked, no id confirmed";
  EXPECT_TRUE(env.log->Matching("TemplateDocs.").empty());
}

TEST(ReportDefLifetime, EachObjectGetsItsOwnAttributeSetAndReleasesAttachedObjectsInOrder) {
  Env env;
  Ref<CReportDefData> d = Attached(env).d;
  Ref<GeneralAttributes> first = d->GenAttributes();
  EXPECT_TRUE(first);
  EXPECT_FALSE(first == MakeRef<CReportDefData>()->GenAttributes());
  first.reset();
  env.report.lastAttributes.reset();

  auto replaced = MakeRef<FakePageSetup>(env.log);
  env.log->Clear();
  d->PageSetupData(replaced);
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Release"})) << "the replaced one goes at once";
  replaced.reset();
  env.log->Clear();
  d.reset();
  EXPECT_EQ(env.log->Lines(),
            (Lines{"DateTimeScope.Release", "ReportSpec.Release", "PageSetup.Release",
                   "Destination.Release", "GeneralAttributes.Release"}));
}

TEST(SaveSubTableData,
     ANewReportInsertsAnExistingOneUpdatesYetRefreshesTheGroupingOnlyAttachedObjectsCount) {
  Env env;
  Attached a(env);
  a.d->IsNew(true);
  EXPECT_TRUE(a.d->SaveSubTableData(999) == a.d);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ReportSpec.Insert", "ReportSpec.GroupingSpecId", "DateTimeScope.Insert",
                   "DateTimeScope.Id", "Destination.Insert", "ReportSpec.SpecKind",
                   "PageSetup.SpecKind(7)", "PageSetup.Insert"}));
  EXPECT_EQ(Ids(*a.d), "0 0 0 0 | 101 55 102 103 104");

  a.spec->insertId = 201;
  env.log->Clear();
  a.d->SaveSubTableData(0);
  EXPECT_EQ(std::pair(env.log->Matching("ReportSpec.Insert").size(), a.d->ReportSpecId()),
            std::pair(1ul, 201))
      << "still new: inserts again";

  Attached existing(env);
  existing.d->SaveSubTableData(0);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ReportSpec.Update", "ReportSpec.GroupingSpecId", "DateTimeScope.Update",
                   "Destination.Update", "ReportSpec.SpecKind", "PageSetup.SpecKind(7)",
                   "PageSetup.Update"}));
  EXPECT_EQ(Ids(*existing.d), "0 0 0 0 | 1 55 2 3 4");

  env.log->Clear();
  existing.d->ResetReferences();
  EXPECT_EQ(env.log->Lines(), (Lines{"Destination.Id(3)", "DateTimeScope.Id(2)", "ReportSpec.Id(1)",
                                     "PageSetup.Id(4)"}));

  // Only the attached objects are stored or given their ids back.
  env.log->Clear();
  auto d = MakeRef<CReportDefData>();
  d->IsNew(true);
  d->ReportSpecId(1);
  d->PageSetUpId(4);
  EXPECT_TRUE(d->SaveSubTableData(0) == d);
  d->ResetReferences();
  EXPECT_TRUE(env.log->Lines().empty());
  EXPECT_EQ(Ids(*d), "0 0 0 0 | 1 0 0 0 4");

  auto page = MakeRef<FakePageSetup>(env.log);
  page->insertId = 40;
  d->PageSetupData(page);
  d->SaveSubTableData(0);
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Insert"}))
      << "no report specification: no SpecKind";
  EXPECT_EQ(Ids(*d), "0 0 0 0 | 1 0 0 0 40");
}

TEST(SaveSubTableData, AFailurePartWayKeepsTheIdsCapturedSoFarAndGoesNoFurther) {
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
    EXPECT_EQ(e.status(), static_cast<Status>(0x80041234u)) << c.failing;
    EXPECT_EQ(Ids(*a.d), c.ids) << c.failing;
    EXPECT_EQ(env.log->Lines().back(), c.failing) << "no call after the failing one";
  }
}

TEST(SaveReportAttrs,
     SpecAndPageAttributesAfterTheSpecKindThenTheGeneralSetWholeForAnExpressScenario) {
  Env env;
  Attached a(env);
  std::int32_t report = 12;
  a.d->SaveReportAttrs(report);
  EXPECT_EQ(env.log->Lines(), (Lines{"ReportSpec.SpecKind", "SettingsService.UseSpecKind(7)",
                                     "ReportSpec.SaveAttrs(12)", "ReportSpec.SaveAttrs.Release",
                                     "PageSetup.SaveAttrs(12)", "PageSetup.SaveAttrs.Release"}))
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

  a.d->PageSetupData(a.page);
  a.d->ReportSpecData({});
  env.log->Clear();
  a.d->SaveReportAttrs(report);
  EXPECT_TRUE(env.log->Lines().empty()) << "no report specification: not even the page setup";

  a.d->ReportSpecData(a.spec);
  env.settings->failOn = {"SettingsService.UseSpecKind"};
  EXPECT_THROW(a.d->SaveReportAttrs(report), Error);
  EXPECT_EQ(env.log->Lines(), (Lines{"ReportSpec.SpecKind", "SettingsService.UseSpecKind(7)"}));

  // The general attributes: an express scenario writes the whole set, an ordinary one skips the
  // express attributes.
  Attached g(env);
  g.d->IsScenarioExpress(true);
  g.d->IncludeInactive(true);
  g.d->ExpressType("Daily");
  g.dest->webAutoOrganize = "ByDate";
  g.page->headNote = "Head";
  g.page->footNote = "Foot";
  g.page->removeControlInfo = true;
  g.d->SaveGenReportAttrs(12);
  EXPECT_EQ(
      env.log->Lines(),
      (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
             "GeneralAttributes.Add(IncludeInactive | Y | false)",
             "GeneralAttributes.Add(ExpressType | Daily | false)", "Destination.WebAutoOrganize",
             "GeneralAttributes.Add(WebAuto-Organize | ByDate | false)", "PageSetup.HeadNote",
             "GeneralAttributes.Add(HeadNote | Head | false)", "PageSetup.FootNote",
             "GeneralAttributes.Add(FootNote | Foot | false)", "PageSetup.RemoveControlInfo",
             "GeneralAttributes.Add(RemoveControlInfo | True | false)", "GeneralAttributes.Save"}));

  g.d->IsScenarioExpress(false);
  g.dest->webAutoOrganize = "";
  g.page->headNote = g.page->footNote = "";
  g.page->removeControlInfo = false;
  env.log->Clear();
  g.d->SaveGenReportAttrs(12);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
                   "Destination.WebAutoOrganize",
                   "GeneralAttributes.Add(WebAuto-Organize | \"\" | false)", "PageSetup.HeadNote",
                   "PageSetup.FootNote", "PageSetup.RemoveControlInfo", "GeneralAttributes.Save"}))
      << "empty notes and a false flag are not written";

  g.d->PageSetupData({});
  env.log->Clear();
  g.d->SaveGenReportAttrs(12);
  EXPECT_TRUE(env.log->Matching("PageSetup.").empty());

  // Without a destination it fails after Clear and before Save.
  auto d = MakeRef<CReportDefData>();
  d->IsScenarioExpress(true);
  env.log->Clear();
  EXPECT_EQ(ErrorOf([&] { d->SaveGenReportAttrs(12); }).number(), errnum::ObjectVariableNotSet);
  EXPECT_EQ(env.log->Lines(), (Lines{"GeneralAttributes.Clear", "GeneralAttributes.ReportId(12)",
                                     "GeneralAttributes.Add(IncludeInactive | N | false)",
                                     "GeneralAttributes.Add(ExpressType | \"\" | false)"}))
      << "a false flag is written as N, an empty express type is still written";

  env.report.noAttributes = true;
  auto bare = MakeRef<CReportDefData>();
  EXPECT_FALSE(bare->GenAttributes());
  env.log->Clear();
  bare->SaveGenReportAttrs(12);
  EXPECT_TRUE(env.log->Lines().empty()) << "no attribute set: nothing to do, not even fail";
  EXPECT_EQ(bare->WebAutoOrganize(), "");
}

TEST(LoadGenReportAttrs, NamesCompareExactlyOnlyAnUpperCaseYIsTrueAndEveryLoadResetsFirst) {
  Env env;
  (*env.report.attributeStore)[12] = {{"includeinactive", "Y"},
                                      {"IncludeInactive", "y"},
                                      {"ExpressType", "Weekly"},
                                      {"HeadNote", "not read back"},
                                      {"WebAuto-Organize", "ByName"}};
  (*env.report.attributeStore)[0] = {{"ExpressType", "never read"}};
  auto d = MakeRef<CReportDefData>();
  auto dest = MakeRef<FakeDestination>(env.log);
  d->DestinationData(dest);
  d->IncludeInactive(true);
  env.log->Clear();
  Open(*d, 12);
  EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), dest->webAutoOrganize),
            std::tuple(false, "Weekly", "ByName"));
  EXPECT_EQ(env.log->Matching("GeneralAttribute(").size(), 8u)
      << "one Name per attribute, one Value per known name: "
      << ::testing::PrintToString(env.log->Matching("GeneralAttribute("));
  EXPECT_EQ(env.log->Matching("Destination."), (Lines{"Destination.WebAutoOrganize(ByName)"}));

  (*env.report.attributeStore)[12] = {{"IncludeInactive", "Y"}, {"WebAuto-Organize", "ByDate"}};
  d->DestinationData({});
  Open(*d, 12);
  EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), dest->webAutoOrganize),
            std::tuple(true, "", "ByName"))
      << "reset before loading; a detached destination hears nothing";
  env.log->Clear();
  EXPECT_EQ(d->WebAutoOrganize(), "ByDate") << "but the set has it";
  EXPECT_EQ(env.log->Lines(), (Lines{"GeneralAttributes.Exists(WebAuto-Organize)",
                                     "GeneralAttributes.Item(WebAuto-Organize)",
                                     "GeneralAttribute(WebAuto-Organize).Value"}));

  env.log->Clear();
  Open(*d, 13);
  EXPECT_EQ(env.log->Matching("GeneralAttributes."), (Lines{"GeneralAttributes.Load(13)"}))
      << "a report without attributes is not enumerated";
  EXPECT_FALSE(d->IncludeInactive());
  env.log->Clear();
  EXPECT_EQ(d->WebAutoOrganize(), "");
  EXPECT_EQ(env.log->Lines(), (Lines{"GeneralAttributes.Exists(WebAuto-Organize)"}));

  for (std::int32_t report : {0, -3}) {
    d->IncludeInactive(true);
    d->ExpressType("Weekly");
    d->IsScenarioExpress(true);
    env.log->Clear();
    Open(*d, report);
    EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(0)", "TemplateDocs.IsExpress(0)"}))
        << "no report: nothing loaded";
    EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), d->IsScenarioExpress()),
              std::tuple(false, "", false));
  }
}

TEST(ExpressCopies,
     EachCopyIsANewProcedureCallWithTheSourceAndTheOwnerOnItsThreadAndFailuresReachTheCaller) {
  Env env;
  env.report.scenarioDocs->express = {5};
  env.report.templateDocs->express = {-6};
  auto d = MakeRef<CReportDefData>();
  d->ScenarioId(5);
  struct Case {
    std::string docs;
    std::int32_t source, owner;
    Variant result;
    std::int32_t copy;
  };
  for (const Case& c : {Case{"Scenario", 5, 3, Variant("41"), 41},
                        Case{"Template", -6, -2, Variant(std::int32_t{42}), 42}}) {
    env.report.folderApp->ownerId = c.owner;
    env.report.procCalls.result = c.result;
    env.log->Clear();
    EXPECT_EQ(
        c.docs == "Scenario" ? d->CopyExpressScenario(c.source) : d->CopyExpressTemplate(c.source),
        c.copy);
    const std::string source = std::to_string(c.source), owner = std::to_string(c.owner);
    EXPECT_EQ(
        env.log->Lines(),
        (Lines{c.docs + "Docs.IsExpress(" + source + ")", "ProcCall.New",
               "ProcCall.ProcName(FS_CopyExpress" + c.docs + ")",
               "ProcCall.AddParam(" + source + " | integer | \"\" | false)", "FolderApp.Owner",
               "FolderOwner.Id", "ProcCall.AddParam(" + owner + " | integer | \"\" | false)",
               "FolderOwner.Release", "ProcCall.Execute", "ProcCall.Release"}));
  }
  EXPECT_EQ(std::tuple(d->ScenarioId(), d->TempExpScenarioId(), d->TempExpTemplateId()),
            std::tuple(5, 0, 0))
      << "the caller decides where the copy's id goes";

  env.log->Clear();
  EXPECT_EQ(d->CopyExpressScenario(0), 0);
  EXPECT_EQ(d->CopyExpressTemplate(0), 0);
  EXPECT_TRUE(env.log->Lines().empty()) << "0 is not even looked up";
  EXPECT_EQ(d->CopyExpressTemplate(5), 5) << "express as a scenario, not as a template";
  EXPECT_EQ(d->CopyExpressScenario(-4), -4);
  EXPECT_EQ(env.log->Lines(), (Lines{"TemplateDocs.IsExpress(5)", "ScenarioDocs.IsExpress(-4)"}));
  EXPECT_EQ(env.report.procCalls.made, 2) << "no procedure for those";

  // Each thread asks its own document services: 5 is no express scenario on another thread.
  std::int32_t there = -1;
  testing::SharedLog otherLog;
  env.log->Clear();
  std::thread([&] {
    Env other;
    otherLog = other.log;
    there = MakeRef<CReportDefData>()->CopyExpressScenario(5);
  }).join();
  EXPECT_EQ(there, 5);
  EXPECT_EQ(otherLog->Matching("ScenarioDocs."), (Lines{"ScenarioDocs.IsExpress(5)"}));
  EXPECT_TRUE(env.log->Lines().empty());
  env.report.procCalls.result = Variant(std::int32_t{50});
  EXPECT_EQ(d->CopyExpressScenario(5), 50) << "and this thread keeps its own";

  // Failures of the folder service and the procedure reach the caller.
  env.report.procCalls.made = 0;
  auto copy = [&] { return ErrorOf([&] { d->CopyExpressScenario(5); }); };

  env.report.folderApp->noOwner = true;
  env.log->Clear();
  EXPECT_EQ(copy().number(), errnum::ObjectVariableNotSet);
  EXPECT_TRUE(env.log->Matching("ProcCall.Execute").empty());
  EXPECT_EQ(env.log->Lines().back(), "ProcCall.Release")
      << "the call object is released on the way out";

  env.report.folderApp->noOwner = false;
  env.report.folderApp->failOn = {"FolderApp.Owner"};
  EXPECT_EQ(copy().source(), "FolderApp");

  env.report.folderApp->failOn.clear();
  env.report.procCalls.failOn = {"ProcCall.Execute"};
  const Error e = copy();
  EXPECT_EQ(std::pair(e.source(), e.status()),
            std::pair(std::string("ProcCall"), static_cast<Status>(0x80041234u)));

  env.report.procCalls.failOn.clear();
  env.report.procCalls.result = Variant("not an id");
  EXPECT_EQ(copy().number(), errnum::TypeMismatch);
  env.report.procCalls.result = Variant::Null();
  EXPECT_EQ(copy().number(), errnum::InvalidUseOfNull);
  EXPECT_EQ(env.report.procCalls.made, 5) << "a new call object for each attempt";
}

TEST(ExpressDeletes, CleanUpDeletesExpressCopiesByReferenceKeepsTheIdsAndStopsAtTheFirstFailure) {
  Env env;
  env.report.scenarioDocs->express = {7};
  env.report.templateDocs->express = {8};
  auto d = MakeRef<CReportDefData>();
  d->CleanUpExpressDocuments();
  std::int32_t ordinary = 8;
  d->DeleteExpScenario(ordinary);
  EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(8)"}))
      << "temporary ids 0 are not even looked up; an ordinary scenario is not deleted";

  d->TempExpScenarioId(7);
  d->TempExpTemplateId(8);
  env.log->Clear();
  d->CleanUpExpressDocuments();
  EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(7)",
                                     "DbService.ExecuteProcedure(FS_DeleteExpressScenario | 7&)",
                                     "TemplateDocs.IsExpress(8)",
                                     "DbService.ExecuteProcedure(FS_DeleteExpressTemplate | 8&)"}));
  EXPECT_EQ(std::tuple(d->TempExpScenarioId(), d->TempExpTemplateId()), std::tuple(7, 8));

  env.log->Clear();
  env.db->FailOn("DbService.ExecuteProcedure(FS_DeleteExpressScenario");
  EXPECT_EQ(ErrorOf([&] { d->CleanUpExpressDocuments(); }).source(), "DbService");
  EXPECT_TRUE(env.log->Matching("TemplateDocs.").empty()) << "the template is not attempted";

  env.log->Clear();
  env.report.scenarioDocs->failOn = {"ScenarioDocs.IsExpress"};
  EXPECT_THROW(d->CleanUpExpressDocuments(), Error);
  EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(7)"}));
}

}  // namespace
}  // namespace plexion
