// Temporary copies of express scenarios and templates: made by a procedure call each, deleted
// by the database service, each only for an express document.
#include <thread>

#include "report_env.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;
using testing::Lines;
using Env = testing::InstalledDoubles;

TEST(ExpressCopies, EachCopyIsANewProcedureCallWithTheSourceThenTheOwner) {
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
    EXPECT_EQ(env.log->Matching("ProcCall."),
              (Lines{"ProcCall.New", "ProcCall.ProcName(FS_CopyExpress" + c.docs + ")",
                     "ProcCall.AddParam(" + source + " | integer | \"\" | false)",
                     "ProcCall.AddParam(" + owner + " | integer | \"\" | false)",
                     "ProcCall.Execute", "ProcCall.Release"}));
  }
  EXPECT_EQ(std::tuple(d->ScenarioId(), d->TempExpScenarioId(), d->TempExpTemplateId()),
            std::tuple(5, 0, 0))
      << "the caller decides where the copy's id goes";
}

TEST(ExpressCopies, ZeroOrAnOrdinaryDocumentComesBackUncopied) {
  Env env;
  env.report.scenarioDocs->express = {5};
  auto d = MakeRef<CReportDefData>();
  for (std::int32_t zero : {d->CopyExpressScenario(0), d->CopyExpressTemplate(0)})
    EXPECT_EQ(zero, 0);
  EXPECT_TRUE(env.log->Lines().empty()) << "0 is not even looked up";
  EXPECT_EQ(d->CopyExpressTemplate(5), 5) << "express as a scenario, not as a template";
  EXPECT_EQ(d->CopyExpressScenario(-4), -4);
  EXPECT_EQ(env.report.procCalls.made, 0);
}

TEST(ExpressCopies, EachThreadAsksItsOwnDocumentServices) {
  Env env;
  env.report.scenarioDocs->express = {5};
  env.report.procCalls.result = Variant(std::int32_t{50});
  std::int32_t there = -1;
  std::thread([&] {
    Env other;
    there = MakeRef<CReportDefData>()->CopyExpressScenario(5);
  }).join();
  EXPECT_EQ(there, 5) << "5 is no express scenario on the other thread";
  EXPECT_TRUE(env.log->Lines().empty());
  EXPECT_EQ(MakeRef<CReportDefData>()->CopyExpressScenario(5), 50);
}

TEST(ExpressCopies, EveryFailureReachesTheCallerWithANewCallObjectEachTime) {
  Env env;
  env.report.scenarioDocs->express = {5};
  auto d = MakeRef<CReportDefData>();
  auto copy = [&] { return ErrorOf([&] { d->CopyExpressScenario(5); }); };
  env.report.folderApp->noOwner = true;
  EXPECT_EQ(copy().number(), errnum::ObjectVariableNotSet);
  EXPECT_TRUE(env.log->Matching("ProcCall.Execute").empty());
  EXPECT_EQ(env.log->Lines().back(), "ProcCall.Release") << "released on the way out";

  env.report.folderApp->noOwner = false;
  env.report.folderApp->failOn = {"FolderApp.Owner"};
  EXPECT_EQ(copy().source(), "FolderApp");
  env.report.folderApp->failOn.clear();
  env.report.procCalls.failOn = {"ProcCall.Execute"};
  EXPECT_EQ(copy().source(), "ProcCall");
  env.report.procCalls.failOn.clear();
  env.report.procCalls.result = Variant("not an id");
  EXPECT_EQ(copy().number(), errnum::TypeMismatch);
  env.report.procCalls.result = Variant::Null();
  EXPECT_EQ(copy().number(), errnum::InvalidUseOfNull);
  EXPECT_EQ(env.report.procCalls.made, 5);
}

Lines Deletes(const Env& env) { return env.log->Matching("DbService.ExecuteProcedure"); }

TEST(ExpressDeletes, CleanUpDeletesOnlyExpressCopiesByReferenceKeepingTheIds) {
  Env env;
  env.report.scenarioDocs->express = {7};
  env.report.templateDocs->express = {8};
  auto d = MakeRef<CReportDefData>();
  d->CleanUpExpressDocuments();
  std::int32_t ordinary = 8;
  d->DeleteExpScenario(ordinary);
  EXPECT_TRUE(Deletes(env).empty()) << "temporary ids 0 and an ordinary scenario";

  d->TempExpScenarioId(7);
  d->TempExpTemplateId(8);
  d->CleanUpExpressDocuments();
  EXPECT_EQ(Deletes(env), (Lines{"DbService.ExecuteProcedure(FS_DeleteExpressScenario | 7&)",
                                 "DbService.ExecuteProcedure(FS_DeleteExpressTemplate | 8&)"}));
  EXPECT_EQ(std::tuple(d->TempExpScenarioId(), d->TempExpTemplateId()), std::tuple(7, 8));
}

TEST(ExpressDeletes, CleanUpStopsAtTheFirstFailure) {
  Env env;
  env.report.scenarioDocs->express = {7};
  env.report.templateDocs->express = {8};
  auto d = MakeRef<CReportDefData>();
  d->TempExpScenarioId(7);
  d->TempExpTemplateId(8);
  env.db->FailOn("DbService.ExecuteProcedure(FS_DeleteExpressScenario");
  EXPECT_EQ(ErrorOf([&] { d->CleanUpExpressDocuments(); }).source(), "DbService");
  env.report.scenarioDocs->failOn = {"ScenarioDocs.IsExpress"};
  EXPECT_EQ(ErrorOf([&] { d->CleanUpExpressDocuments(); }).source(), "ScenarioDocs");
  EXPECT_TRUE(env.log->Matching("TemplateDocs.").empty()) << "the template is not attempted";
}

}  // namespace
}  // namespace plexion
