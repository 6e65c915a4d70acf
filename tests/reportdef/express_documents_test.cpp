#include <gtest/gtest.h>

#include <thread>

#include "plexion/reportdef/report_def_data.hpp"
#include "stand_ins.hpp"

namespace plexion {
namespace {

using Lines = std::vector<std::string>;
using testing::ReportEnv;

TEST(ExpressCopies, EachCopyIsANewProcedureCallWithTheSourceAndTheOwner) {
  ReportEnv env;
  env.reports.scenarioDocs->express = {5};
  env.reports.folderApp->ownerId = 3;
  env.reports.procCalls.result = Variant("41");
  auto d = MakeRef<CReportDefData>();
  d->ScenarioId(5);
  env.log->Clear();
  EXPECT_EQ(d->CopyExpressScenario(5), 41);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ScenarioDocs.IsExpress(5)", "ProcCall.New", "ProcCall.ProcName(FS_CopyExpressScenario)",
                   "ProcCall.AddParam(5 | integer | \"\" | false)", "FolderApp.Owner", "FolderOwner.Id",
                   "ProcCall.AddParam(3 | integer | \"\" | false)", "FolderOwner.Release",
                   "ProcCall.Execute", "ProcCall.Release"}));
  EXPECT_EQ(d->ScenarioId(), 5) << "the caller decides where the copy's id goes";
  EXPECT_EQ(d->TempExpScenarioId(), 0);

  env.reports.templateDocs->express = {-6};
  env.reports.folderApp->ownerId = -2;
  env.reports.procCalls.result = Variant(std::int32_t{42});
  env.log->Clear();
  EXPECT_EQ(d->CopyExpressTemplate(-6), 42);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"TemplateDocs.IsExpress(-6)", "ProcCall.New", "ProcCall.ProcName(FS_CopyExpressTemplate)",
                   "ProcCall.AddParam(-6 | integer | \"\" | false)", "FolderApp.Owner", "FolderOwner.Id",
                   "ProcCall.AddParam(-2 | integer | \"\" | false)", "FolderOwner.Release",
                   "ProcCall.Execute", "ProcCall.Release"}));
  EXPECT_EQ(env.reports.procCalls.made, 2);
  EXPECT_EQ(d->TempExpTemplateId(), 0);
}

TEST(ExpressCopies, ZeroAndOrdinaryDocumentsComeBackWithoutAProcedure) {
  ReportEnv env;
  env.reports.scenarioDocs->express = {8};
  auto d = MakeRef<CReportDefData>();
  env.log->Clear();
  EXPECT_EQ(d->CopyExpressScenario(0), 0);
  EXPECT_EQ(d->CopyExpressTemplate(0), 0);
  EXPECT_TRUE(env.log->Lines().empty()) << "0 is not even looked up";
  EXPECT_EQ(d->CopyExpressTemplate(8), 8) << "express as a scenario, not as a template";
  EXPECT_EQ(d->CopyExpressScenario(-4), -4);
  EXPECT_EQ(env.log->Lines(), (Lines{"TemplateDocs.IsExpress(8)", "ScenarioDocs.IsExpress(-4)"}));
  EXPECT_EQ(env.reports.procCalls.made, 0);
}

TEST(ExpressCopies, FailuresOfTheFolderServiceAndTheProcedureReachTheCaller) {
  ReportEnv env;
  env.reports.scenarioDocs->express = {5};
  auto d = MakeRef<CReportDefData>();

  env.reports.folderApp->noOwner = true;
  env.log->Clear();
  try {
    d->CopyExpressScenario(5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::ObjectVariableNotSet);
  }
  EXPECT_TRUE(env.log->Matching("ProcCall.Execute").empty());
  EXPECT_EQ(env.log->Lines().back(), "ProcCall.Release") << "the call object is released on the way out";

  env.reports.folderApp->noOwner = false;
  env.reports.folderApp->failOn = {"FolderApp.Owner"};
  try {
    d->CopyExpressScenario(5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.source(), "FolderApp");
  }

  env.reports.folderApp->failOn.clear();
  env.reports.procCalls.failOn = {"ProcCall.Execute"};
  try {
    d->CopyExpressScenario(5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.source(), "ProcCall");
    EXPECT_EQ(e.status(), static_cast<Status>(0x80041234u));
  }

  env.reports.procCalls.failOn.clear();
  env.reports.procCalls.result = Variant("not an id");
  try {
    d->CopyExpressScenario(5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::TypeMismatch);
  }
  env.reports.procCalls.result = Variant::Null();
  try {
    d->CopyExpressScenario(5);
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), errnum::InvalidUseOfNull);
  }
  EXPECT_EQ(env.reports.procCalls.made, 5) << "a new call object for each attempt";
}

TEST(ExpressDeletes, ADeleteRunsTheProcedureWithTheIdByReference) {
  ReportEnv env;
  env.reports.scenarioDocs->express = {5};
  env.reports.templateDocs->express = {6};
  auto d = MakeRef<CReportDefData>();
  env.log->Clear();
  std::int32_t scenario = 5, templ = 6;
  d->DeleteExpScenario(scenario);
  d->DeleteExpTemplate(templ);
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ScenarioDocs.IsExpress(5)", "DbService.ExecuteProcedure(FS_DeleteExpressScenario | 5&)",
                   "TemplateDocs.IsExpress(6)", "DbService.ExecuteProcedure(FS_DeleteExpressTemplate | 6&)"}));

  env.log->Clear();
  std::int32_t zero = 0, ordinary = 6;
  d->DeleteExpTemplate(zero);
  d->DeleteExpScenario(zero);
  EXPECT_TRUE(env.log->Lines().empty());
  d->DeleteExpScenario(ordinary);
  EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(6)"})) << "no procedure for an ordinary scenario";
}

TEST(ExpressDeletes, CleanUpDeletesBothCopiesKeepsTheirIdsAndStopsAtTheFirstFailure) {
  ReportEnv env;
  env.reports.scenarioDocs->express = {7};
  env.reports.templateDocs->express = {8};
  auto d = MakeRef<CReportDefData>();
  d->CleanUpExpressDocuments();
  EXPECT_EQ(env.log->Lines(), (Lines{})) << "both temporary ids 0: nothing asked, nothing deleted";

  d->TempExpScenarioId(7);
  d->TempExpTemplateId(8);
  d->CleanUpExpressDocuments();
  EXPECT_EQ(env.log->Lines(),
            (Lines{"ScenarioDocs.IsExpress(7)", "DbService.ExecuteProcedure(FS_DeleteExpressScenario | 7&)",
                   "TemplateDocs.IsExpress(8)", "DbService.ExecuteProcedure(FS_DeleteExpressTemplate | 8&)"}));
  EXPECT_EQ(d->TempExpScenarioId(), 7);
  EXPECT_EQ(d->TempExpTemplateId(), 8);

  env.log->Clear();
  env.base.db->FailOn("DbService.ExecuteProcedure(FS_DeleteExpressScenario");
  try {
    d->CleanUpExpressDocuments();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.source(), "DbService");
  }
  EXPECT_TRUE(env.log->Matching("TemplateDocs.").empty()) << "the template is not attempted";

  env.log->Clear();
  env.reports.scenarioDocs->failOn = {"ScenarioDocs.IsExpress"};
  EXPECT_THROW(d->CleanUpExpressDocuments(), Error);
  EXPECT_EQ(env.log->Lines(), (Lines{"ScenarioDocs.IsExpress(7)"}));
}

TEST(ExpressCopies, EachThreadAsksItsOwnDocumentServices) {
  ReportEnv env;
  env.reports.scenarioDocs->express = {5};
  env.reports.procCalls.result = Variant(std::int32_t{50});
  auto here = MakeRef<CReportDefData>();
  EXPECT_EQ(here->CopyExpressScenario(5), 50);

  std::int32_t there = -1;
  testing::SharedLog otherLog;
  std::thread([&] {
    ReportEnv other;  // 5 is no express scenario on this thread
    otherLog = other.log;
    there = MakeRef<CReportDefData>()->CopyExpressScenario(5);
  }).join();
  EXPECT_EQ(there, 5);
  EXPECT_EQ(otherLog->Matching("ScenarioDocs."), (Lines{"ScenarioDocs.IsExpress(5)"}));
  EXPECT_EQ(env.log->Matching("ScenarioDocs."), (Lines{"ScenarioDocs.IsExpress(5)"}));
  EXPECT_EQ(here->CopyExpressScenario(5), 50) << "and this thread keeps its own";
}

}  // namespace
}  // namespace plexion
