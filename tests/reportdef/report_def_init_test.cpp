// A report definition made new or opened for edit, and what it holds and releases.
#include <tuple>

#include "report_env.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;
using testing::Ids;
using testing::Lines;
using testing::Open;
using Env = testing::InstalledDoubles;

Ref<DocumentType> Type(const char* name) { return MakeRef<testing::FakeDocumentType>(name); }

void SetReportDefaults(Env& env, Variant equipped, Variant test, Variant domain) {
  env.settings->groups["ReportDefaults"] = {{"Equipped Only", std::move(equipped)},
                                            {"Test Channels", std::move(test)},
                                            {"Domain Scenario Id", std::move(domain)}};
}

TEST(ReportDefInitNew, TakesTheOptionsFromTheDefaultsLeavingTheStoredIds) {
  Env env;
  SetReportDefaults(env, Variant("N"), Variant(std::int32_t{1}), Variant("42"));
  auto d = MakeRef<CReportDefData>();
  d->ReportId(9);
  d->FileName("kept.csv");
  d->TempExpScenarioId(70);
  d->IsTemplateExpress(true);
  d->ScenarioId(50);
  d->UpdateDocumentIds();

  Ref<DocumentType> scenario = Type("Scenario"), templ = Type("Template");
  d->InitNew(scenario, templ, "Traffic", "RptEditor", 77, ERefType::RefTemplate, 15, 4, 1.5f);
  EXPECT_TRUE(d->ScenarioType() == scenario && d->TemplateType() == templ);
  EXPECT_EQ(std::tuple(d->EquippedOnly(), d->TestChannels(), d->DomainScenarioId(), d->AppName(),
                       d->EditorName(), d->EntityID(), d->ChannelNumber(), d->MapRadiusScale(),
                       d->IsNew()),
            std::tuple("N", "1", 42, "Traffic", "RptEditor", 77, 4, 1.5f, true));
  EXPECT_EQ(Ids(*d), "9 50 15 0 | 0 0 0 0 0");
  EXPECT_EQ(std::tuple(d->FileName(), d->TempExpScenarioId(), d->IsTemplateExpress(),
                       d->SaveOrigScenarioId(), d->SaveOrigTemplateId()),
            std::tuple("kept.csv", 70, true, 50, 0));
}

TEST(ReportDefInitNew, StopsAtAFailingDefaultKeepingTheOptionsReadBeforeIt) {
  Env env;
  env.settings->groups["ReportDefaults"] = {{"Equipped Only", Variant("N")},
                                            {"Domain Scenario Id", Variant(std::int32_t{4})}};
  auto d = MakeRef<CReportDefData>();
  d->TestChannels("before");
  auto initNew = [&] { d->InitNew({}, {}, "Traffic", "", 0, ERefType::RefScenario, 8, 0, 0); };
  Error e = ErrorOf(initNew);
  EXPECT_EQ(std::tuple(e.source(), e.status(), d->EquippedOnly(), d->TestChannels(),
                       d->DomainScenarioId(), d->AppName(), d->IsNew(), d->ScenarioId()),
            std::tuple("SettingsService", static_cast<Status>(0x80041235u), "N", "before", 0, "",
                       false, 0))
      << "a missing key";
  SetReportDefaults(env, Variant("N"), Variant("Y"), Variant("four"));
  EXPECT_EQ(ErrorOf(initNew).number(), errnum::TypeMismatch);
  EXPECT_EQ(std::pair(d->TestChannels(), d->AppName()), std::pair(std::string("Y"), std::string()));
}

TEST(ReportDefInitNew, SetsOnlyTheIdItsReferenceKindNames) {
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
}

TEST(ReportDefInitNew, ChangesTheServerGroupTypeOnlyWhenPassed) {
  Env env;
  auto d = MakeRef<CReportDefData>();
  Ref<DocumentType> group = Type("Server Group");
  d->ServerGroupType(group);
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0);
  EXPECT_TRUE(d->ServerGroupType() == group);
  d->InitNew({}, {}, "", "", 0, ERefType::RefScenario, 1, 0, 0, Ref<DocumentType>());
  EXPECT_FALSE(d->ServerGroupType()) << "passed as no object";
}

TEST(ReportDefInitEdit, AnOmittedServerGroupKeepsItsTypeWithId0) {
  Env env;
  auto d = MakeRef<CReportDefData>();
  d->ServerGroupType(Type("Server Group"));
  d->ServerGroupId(5);
  Open(*d, 12);
  EXPECT_EQ(std::pair(d->ServerGroupType()->Name(), d->ServerGroupId()),
            std::pair(std::string("Server Group"), 0));
  d->InitEdit(12, 0, 0, 0, 0, 0, 0, "", "", "", 0, 0, {}, {}, 0, 0, 0, "", "", 0, {},
              Ref<DocumentType>(), 44);
  EXPECT_EQ(std::pair(d->ServerGroupType() == nullptr, d->ServerGroupId()), std::pair(true, 44));
}

// InitEdit of report 12 with every id distinct, as an editor calls it for a stored report.
void EditReport12(CReportDefData& d, const Ref<ReportSpec>& spec = {}) {
  d.InitEdit(12, 3, 4, 5, 6, 7, 8, "out.csv", "RptEditor", "Traffic", 21, 22, Type("Scenario"),
             Type("Template"), 30, 31, 2.5f, "T", "E", 33, spec);
}

TEST(ReportDefInitEdit, EveryMemberComesFromItsParameterOrTheStore) {
  Env env;
  (*env.report.attributeStore)[12] = {{"IncludeInactive", "Y"}, {"ExpressType", "Daily"}};
  env.report.scenarioDocs->express = {21};
  env.settings->failOn = {"SettingsService."};
  auto d = MakeRef<CReportDefData>();
  auto spec = MakeRef<testing::FakeReportSpec>(env.log);
  EditReport12(*d, spec);
  EXPECT_EQ(Ids(*d), "12 21 22 3 | 7 8 6 4 5");
  EXPECT_EQ(
      std::tuple(d->FileName(), d->EditorName(), d->AppName(), d->EntityID(), d->ChannelNumber(),
                 d->MapRadiusScale(), d->TestChannels(), d->EquippedOnly(), d->DomainScenarioId(),
                 d->ScenarioType()->Name(), d->TemplateType()->Name()),
      std::tuple("out.csv", "RptEditor", "Traffic", 30, 31, 2.5f, "T", "E", 33, "Scenario",
                 "Template"));
  EXPECT_TRUE(d->ReportSpecData() == spec);
  EXPECT_TRUE(env.log->Matching("ReportSpec.").empty()) << "the specification is only held";
  EXPECT_EQ(std::tuple(d->IncludeInactive(), d->ExpressType(), d->IsScenarioExpress(),
                       d->IsTemplateExpress(), d->IsNew()),
            std::tuple(true, "Daily", true, false, false));
}

TEST(ReportDefInitEdit, ConfirmsTheLoadedDocumentIds) {
  Env env;
  auto d = MakeRef<CReportDefData>();
  EditReport12(*d);
  d->ScenarioId(90);
  d->TemplateID(91);
  EXPECT_EQ(std::pair(d->SaveOrigScenarioId(), d->SaveOrigTemplateId()), std::pair(21, 22));
  d->ResetDocumentIds();
  EXPECT_EQ(std::pair(d->ScenarioId(), d->TemplateID()), std::pair(21, 22));
}

TEST(ReportDefInitEdit, AFailingDocumentServiceStopsItAfterTheAttributesWereLoaded) {
  Env env;
  (*env.report.attributeStore)[12] = {{"ExpressType", "Daily"}};
  env.report.scenarioDocs->failOn = {"ScenarioDocs.IsExpress"};
  auto d = MakeRef<CReportDefData>();
  d->IsNew(true);
  d->IsTemplateExpress(true);
  EXPECT_EQ(ErrorOf([&] { EditReport12(*d); }).source(), "ScenarioDocs");
  EXPECT_EQ(std::tuple(d->ReportId(), d->ExpressType(), d->IsTemplateExpress(),
                       d->SaveOrigScenarioId(), d->IsNew()),
            std::tuple(12, "Daily", true, 0, true));
}

// The order of the releases is the definition's promise to the objects it holds.
TEST(ReportDefLifetime, AttachedObjectsAreReleasedInTheirOrder) {
  Env env;
  Ref<CReportDefData> d = testing::Attached(env).d;
  env.report.lastAttributes.reset();
  d->PageSetupData(MakeRef<testing::FakePageSetup>(env.log));
  EXPECT_EQ(env.log->Lines(), (Lines{"PageSetup.Release"}));
  env.log->Clear();
  d.reset();
  EXPECT_EQ(env.log->Lines(),
            (Lines{"DateTimeScope.Release", "ReportSpec.Release", "PageSetup.Release",
                   "Destination.Release", "GeneralAttributes.Release"}));
}

}  // namespace
}  // namespace plexion
