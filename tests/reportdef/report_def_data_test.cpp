#include <gtest/gtest.h>

#include "plexion/reportdef/report_def_data.hpp"
#include "stand_ins.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;
using testing::ReportEnv;

Ref<DocumentType> Type(const char* name) { return MakeRef<testing::FakeDocumentType>(name); }

// InitEdit of report 12 with every id distinct, as an editor calls it for a stored report.
void EditReport12(CReportDefData& d, const Ref<ReportSpec>& spec = {},
                  std::optional<Ref<DocumentType>> serverGroupType = std::nullopt,
                  std::optional<std::int32_t> serverGroupId = std::nullopt) {
  if (serverGroupId)
    d.InitEdit(12, 3, 4, 5, 6, 7, 8, "out.csv", "RptEditor", "Traffic", 21, 22, Type("Scenario"),
               Type("Template"), 30, 31, 2.5f, "T", "E", 33, spec, serverGroupType, *serverGroupId);
  else
    d.InitEdit(12, 3, 4, 5, 6, 7, 8, "out.csv", "RptEditor", "Traffic", 21, 22, Type("Scenario"),
               Type("Template"), 30, 31, 2.5f, "T", "E", 33, spec, serverGroupType);
}

TEST(ReportDefInit, NewTakesTheOptionsFromTheReportDefaultsAndLeavesTheRestAlone) {
  ReportEnv env;
  env.base.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
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
  EXPECT_EQ(env.log->Lines(),
            (Lines{"SettingsService.ReportDefaults", "ReportDefaults.Item(Equipped Only)",
                   "ReportDefaults.Item(Test Channels)", "ReportDefaults.Item(Domain Scenario Id)"}))
      << "the parameters never reach the options, and no document service is asked";
  EXPECT_EQ(d->EquippedOnly(), "N");
  EXPECT_EQ(d->TestChannels(), "1");
  EXPECT_EQ(d->DomainScenarioId(), 42);
  EXPECT_TRUE(d->ScenarioType() == scenario);
  EXPECT_TRUE(d->TemplateType() == templ);
  EXPECT_EQ(d->AppName(), "Traffic");
  EXPECT_EQ(d->EditorName(), "RptEditor");
  EXPECT_EQ(d->EntityID(), 77);
  EXPECT_EQ(d->ChannelNumber(), 4);
  EXPECT_EQ(d->MapRadiusScale(), 1.5f);
  EXPECT_TRUE(d->IsNew());
  EXPECT_EQ(d->TemplateID(), 15);
  EXPECT_EQ(d->ScenarioId(), 50);
  EXPECT_EQ(d->ReportId(), 9);
  EXPECT_EQ(d->FileName(), "kept.csv");
  EXPECT_EQ(d->TempExpScenarioId(), 70);
  EXPECT_TRUE(d->IsTemplateExpress());
  EXPECT_EQ(d->SaveOrigScenarioId(), 50);
  EXPECT_EQ(d->SaveOrigTemplateId(), 0) << "InitNew confirms no document id";
}

TEST(ReportDefInit, NewSetsOnlyTheIdItsReferenceKindNames) {
  ReportEnv env;
  struct Case {
    ERefType kind;
    std::int32_t scenario, templ, chanSet;
  };
  for (const Case& c : {Case{ERefType::RefScenario, 99, 2, 3}, Case{ERefType::RefTemplate, 1, 99, 3},
                        Case{ERefType::refChanSetPlan, 1, 2, 99}, Case{ERefType::RefSATemplate, 1, 2, 3},
                        Case{static_cast<ERefType>(7), 1, 2, 3}, Case{static_cast<ERefType>(-1), 1, 2, 3}}) {
    auto d = MakeRef<CReportDefData>();
    d->ScenarioId(1);
    d->TemplateID(2);
    d->ChanSetID(3);
    d->InitNew({}, {}, "", "", 0, c.kind, 99, 0, 0);
    EXPECT_EQ(d->ScenarioId(), c.scenario) << static_cast<int>(c.kind);
    EXPECT_EQ(d->TemplateID(), c.templ) << static_cast<int>(c.kind);
    EXPECT_EQ(d->ChanSetID(), c.chanSet) << static_cast<int>(c.kind);
  }
}

TEST(ReportDefInit, TheServerGroupTypeChangesOnlyWhenPassedAndTheServerGroupIdDefaultsToZero) {
  ReportEnv env;
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
  EditReport12(*d);
  EXPECT_TRUE(d->ServerGroupType() == group);
  EXPECT_EQ(d->ServerGroupId(), 0) << "an omitted server group id is 0";
  EditReport12(*d, {}, Ref<DocumentType>(), 44);
  EXPECT_FALSE(d->ServerGroupType());
  EXPECT_EQ(d->ServerGroupId(), 44);
}

TEST(ReportDefInit, NewFailsWithTheSettingsErrorAfterStoringTheOptionsReadBefore) {
  ReportEnv env;
  env.base.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
                                                 {"Domain Scenario Id", Variant(std::int32_t{4})}};
  auto d = MakeRef<CReportDefData>();
  d->TestChannels("before");
  try {
    d->InitNew({}, {}, "Traffic", "", 0, ERefType::RefScenario, 8, 0, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.source(), "SettingsService");
    EXPECT_EQ(e.status(), static_cast<Status>(0x80041235u));
  }
  EXPECT_EQ(d->EquippedOnly(), "N");
  EXPECT_EQ(d->TestChannels(), "before");
  EXPECT_EQ(d->DomainScenarioId(), 0);
  EXPECT_EQ(d->AppName(), "");
  EXPECT_FALSE(d->IsNew());
  EXPECT_EQ(d->ScenarioId(), 0);

  env.base.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
                                                 {"Test Channels", Variant("Y")},
                                                 {"Domain Scenario Id", Variant("four")}};
  try {
    d->InitNew({}, {}, "Traffic", "", 0, ERefType::RefScenario, 8, 0, 0);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::TypeMismatch);
  }
  EXPECT_EQ(d->TestChannels(), "Y");
}

TEST(ReportDefInit, EditTakesItsParametersThenLoadsAttributesAsksExpressFlagsAndConfirmsIds) {
  ReportEnv env;
  (*env.reports.attributeStore)[12] = {{"IncludeInactive", "Y"}, {"ExpressType", "Daily"}};
  env.reports.scenarioDocs->express = {21};
  auto d = MakeRef<CReportDefData>();
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0);
  auto spec = env.Spec();
  env.log->Clear();

  EditReport12(*d, spec);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"GeneralAttributes.Load(12)", "GeneralAttributes.NewEnum",
                   "GeneralAttribute(IncludeInactive).Name", "GeneralAttribute(IncludeInactive).Value",
                   "GeneralAttribute(ExpressType).Name", "GeneralAttribute(ExpressType).Value",
                   "ScenarioDocs.IsExpress(21)", "TemplateDocs.IsExpress(22)"}))
      << "no settings are read, and the specification is only stored";
  EXPECT_EQ(d->ReportId(), 12);
  EXPECT_EQ(d->ChanSetID(), 3);
  EXPECT_EQ(d->DestinationId(), 4);
  EXPECT_EQ(d->PageSetUpId(), 5);
  EXPECT_EQ(d->DTScopeID(), 6);
  EXPECT_EQ(d->ReportSpecId(), 7);
  EXPECT_EQ(d->GroupingSpecId(), 8);
  EXPECT_EQ(d->FileName(), "out.csv");
  EXPECT_EQ(d->EditorName(), "RptEditor");
  EXPECT_EQ(d->AppName(), "Traffic");
  EXPECT_EQ(d->ScenarioId(), 21);
  EXPECT_EQ(d->TemplateID(), 22);
  EXPECT_EQ(d->ScenarioType()->Name(), "Scenario");
  EXPECT_EQ(d->TemplateType()->Name(), "Template");
  EXPECT_EQ(d->EntityID(), 30);
  EXPECT_EQ(d->ChannelNumber(), 31);
  EXPECT_EQ(d->MapRadiusScale(), 2.5f);
  EXPECT_EQ(d->TestChannels(), "T");
  EXPECT_EQ(d->EquippedOnly(), "E");
  EXPECT_EQ(d->DomainScenarioId(), 33);
  EXPECT_TRUE(d->ReportSpecData() == spec);
  EXPECT_TRUE(d->IncludeInactive());
  EXPECT_EQ(d->ExpressType(), "Daily");
  EXPECT_TRUE(d->IsScenarioExpress());
  EXPECT_FALSE(d->IsTemplateExpress());
  EXPECT_EQ(d->SaveOrigScenarioId(), 21);
  EXPECT_EQ(d->SaveOrigTemplateId(), 22);
  EXPECT_FALSE(d->IsNew());

  d->ResetDocumentIds();
  EXPECT_EQ(d->ScenarioId(), 21) << "right after InitEdit the confirmed ids are the loaded ones";
  EXPECT_EQ(d->TemplateID(), 22);
}

TEST(ReportDefInit, EditOfReportZeroResetsTheAttributeOptionsWithoutLoading) {
  ReportEnv env;
  (*env.reports.attributeStore)[0] = {{"ExpressType", "never read"}};
  auto d = MakeRef<CReportDefData>();
  d->IncludeInactive(true);
  d->ExpressType("Weekly");
  d->IsScenarioExpress(true);
  env.log->Clear();
  d->InitEdit(0, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
  EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(0)", "TemplateDocs.IsExpress(0)"}));
  EXPECT_FALSE(d->IncludeInactive());
  EXPECT_EQ(d->ExpressType(), "");
  EXPECT_FALSE(d->IsScenarioExpress());

  d->IncludeInactive(true);
  d->InitEdit(-3, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {});
  EXPECT_FALSE(d->IncludeInactive()) << "a negative id is no report either";
  EXPECT_TRUE(env.log->Matching("GeneralAttributes.").empty());
}

TEST(ReportDefInit, EditStopsAtAFailingDocumentServiceWithTheEarlierStepsDone) {
  ReportEnv env;
  (*env.reports.attributeStore)[12] = {{"ExpressType", "Daily"}};
  env.reports.scenarioDocs->failOn = {"ScenarioDocs.IsExpress"};
  auto d = MakeRef<CReportDefData>();
  d->IsNew(true);
  d->IsTemplateExpress(true);
  try {
    EditReport12(*d);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.source(), "ScenarioDocs");
  }
  EXPECT_EQ(d->ReportId(), 12);
  EXPECT_EQ(d->ExpressType(), "Daily") << "the attributes were loaded before";
  EXPECT_TRUE(d->IsTemplateExpress()) << "the template service is not asked";
  EXPECT_TRUE(env.log->Matching("TemplateDocs.").empty());
  EXPECT_EQ(d->SaveOrigScenarioId(), 0);
  EXPECT_TRUE(d->IsNew());
}

TEST(ReportDefReferences, ResetReferencesWritesTheIdsIntoTheAttachedObjectsInOrder) {
  ReportEnv env;
  auto d = MakeRef<CReportDefData>();
  d->DestinationId(1);
  d->DTScopeID(2);
  d->ReportSpecId(3);
  d->PageSetUpId(4);
  d->ResetReferences();
  EXPECT_TRUE(env.log->Lines().empty()) << "nothing attached: nothing to do";

  auto page = env.Page();
  d->PageSetupData(page);
  d->ResetReferences();
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Id(4)"}));

  auto spec = env.Spec();
  auto dest = env.Dest();
  auto scope = env.Scope();
  d->ReportSpecData(spec);
  d->DestinationData(dest);
  d->DTScopeData(scope);
  env.log->Clear();
  d->ResetReferences();
  EXPECT_EQ(env.log->Lines(),
            (Lines{"Destination.Id(1)", "DateTimeScope.Id(2)", "ReportSpec.Id(3)", "PageSetup.Id(4)"}));
}

TEST(ReportDefLifetime, EachObjectGetsItsOwnAttributeSetAndReleasesAttachedObjectsInOrder) {
  ReportEnv env;
  auto d = MakeRef<CReportDefData>();
  Ref<GeneralAttributes> first = d->GenAttributes();
  auto other = MakeRef<CReportDefData>();
  EXPECT_TRUE(first);
  EXPECT_FALSE(first == other->GenAttributes());
  other.reset();
  first.reset();
  env.reports.lastAttributes.reset();

  {
    auto dest = env.Dest();
    auto page = env.Page();
    auto spec = env.Spec();
    auto scope = env.Scope();
    d->DestinationData(dest);
    d->PageSetupData(page);
    d->ReportSpecData(spec);
    d->DTScopeData(scope);
  }
  auto replaced = env.Page();
  env.log->Clear();
  d->PageSetupData(replaced);
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Release"})) << "the replaced one goes at once";
  replaced.reset();
  env.log->Clear();
  d.reset();
  EXPECT_EQ(env.log->Lines(), (Lines{"DateTimeScope.Release", "ReportSpec.Release",
                                     "PageSetup.Release", "Destination.Release",
                                     "GeneralAttributes.Release"}));
}

TEST(ReportDefWebAutoOrganize, ReadsTheAttributeSetAndIsEmptyWithoutTheAttributeOrTheSet) {
  ReportEnv env;
  auto d = MakeRef<CReportDefData>();
  env.log->Clear();
  EXPECT_EQ(d->WebAutoOrganize(), "");
  EXPECT_EQ(env.log->Lines(), (Lines{"GeneralAttributes.Exists(WebAuto-Organize)"}));

  d->GenAttributes()->Add("WebAuto-Organize", "ByDate", false);
  env.log->Clear();
  EXPECT_EQ(d->WebAutoOrganize(), "ByDate");
  EXPECT_EQ(env.log->Lines(),
            (Lines{"GeneralAttributes.Exists(WebAuto-Organize)",
                   "GeneralAttributes.Item(WebAuto-Organize)", "GeneralAttribute(WebAuto-Organize).Value"}));

  env.reports.noAttributes = true;
  auto bare = MakeRef<CReportDefData>();
  EXPECT_FALSE(bare->GenAttributes());
  env.log->Clear();
  EXPECT_EQ(bare->WebAutoOrganize(), "");
  EXPECT_TRUE(env.log->Lines().empty());
}

}  // namespace
}  // namespace plexion
