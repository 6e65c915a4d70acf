#include <functional>
#include <optional>
#include <tuple>

#include "db_fixture.hpp"
#include "plexion/backends/config/config_services.hpp"
#include "plexion/backends/folders/folder_docs.hpp"
#include "plexion/backends/installers.hpp"
#include "plexion/backends/output/report_outputs.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "report_env.hpp"

namespace plexion {
namespace {

using testing::ErrorOf;
using testing::Open;
using Rows = std::vector<std::vector<std::string>>;

// The default output objects, document services and procedure calls on the test's database,
// with the default settings service; destinations and date-time scopes are recording doubles.
class ReportsOnDatabase : public testing::DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    if (IsSkipped()) return;
    backends::InstallReportOutputs();
    services::SetFactory<ProcCall>([]() -> Ref<ProcCall> {
      return MakeRef<backends::SociProcCall>(backends::ThreadDatabase());
    });
    settings = MakeRef<backends::ConfigSettingsService>(
        std::make_shared<const backends::Configuration>(backends::Configuration::Defaults()));
    settings_.emplace(settings);
  }
  void TearDown() override {
    settings_.reset();
    DatabaseTest::TearDown();
  }

  // Every row of a query, each value as text ("" for null).
  Rows Select(const std::string& sql) {
    Rows rows;
    for (const auto& row : db->Query(sql).rows) {
      rows.emplace_back();
      for (const Variant& v : row) rows.back().push_back(v.IsNull() ? "" : ToString(v));
    }
    return rows;
  }
  std::int32_t Count(const std::string& table, const std::string& where) {
    return ToInt32(
        db->Query("SELECT count(*) AS n FROM " + table + " WHERE " + where).rows.at(0).at(0));
  }

  testing::SharedLog log = testing::NewLog();
  Ref<backends::ConfigSettingsService> settings;

 private:
  std::optional<services::ScopedService<SettingsService>> settings_;
};

// A new express report on scenario 2 with a report specification of kind 3, a page setup and a
// destination, as its editor leaves it before saving.
struct NewReport {
  explicit NewReport(const testing::SharedLog& log) : dest(MakeRef<testing::FakeDestination>(log)) {
    FolderApp& folders = services::Locate<FolderApp>();
    d->InitNew(folders.DocType("Scenario"), folders.DocType("Template"), "Traffic", "RptEditor", 0,
               ERefType::RefScenario, 2, 0, 1.5f);
    spec->SpecKind(3);
    spec->GroupingSpecId(9);
    page->HeadNote("O'Brien's traffic");
    page->RemoveControlInfo(true);
    dest->nextId = 501;
    dest->webAutoOrganize = "ByDate";
    d->ReportSpecData(spec);
    d->PageSetupData(page);
    d->DestinationData(dest);
    d->IsScenarioExpress(true);
    d->IncludeInactive(true);
    d->ExpressType("Daily");
  }
  Ref<CReportDefData> d = MakeRef<CReportDefData>();
  Ref<ReportSpec> spec = services::Create<ReportSpec>();
  Ref<PageSetup> page = services::Create<PageSetup>();
  Ref<testing::FakeDestination> dest;
};

const char* const kGeneralOf10 =
    "SELECT seq, name, value FROM rpt_general_attr WHERE report_id = 10 ORDER BY seq";

TEST_P(ReportsOnDatabase, ANewReportIsStoredAsRowsAfterTheDemosWithItsAttributes) {
  NewReport r(log);
  EXPECT_EQ(std::pair(r.d->ScenarioType()->Name(), r.d->EquippedOnly()),
            std::pair(std::string("Scenario"), std::string("Y")))
      << "the folder application's type, the built-in report defaults";
  r.d->SaveSubTableData(0);
  EXPECT_EQ(testing::Ids(*r.d), "0 2 0 0 | 2 9 0 501 2");
  EXPECT_EQ(Select("SELECT spec_kind, grouping_spec_id FROM rpt_report_spec WHERE id = 2"),
            (Rows{{"3", "9"}}));
  std::int32_t report = 10;
  r.d->SaveReportAttrs(report);
  EXPECT_EQ(settings->CurrentSpecKind(), 3);
  EXPECT_EQ(Select("SELECT source, name, value FROM rpt_report_attr WHERE report_id = 10 "
                   "ORDER BY source, name"),
            (Rows{{"PageSetup", "FootNote", ""},
                  {"PageSetup", "HeadNote", "O'Brien's traffic"},
                  {"PageSetup", "PageSetupId", "2"},
                  {"PageSetup", "RemoveControlInfo", "True"},
                  {"PageSetup", "SpecKind", "3"},
                  {"ReportSpec", "GroupingSpecId", "9"},
                  {"ReportSpec", "ReportSpecId", "2"},
                  {"ReportSpec", "SpecKind", "3"}}))
      << "the page setup took the report specification's kind";
  r.d->SaveGenReportAttrs(report);
  EXPECT_EQ(Select(kGeneralOf10), (Rows{{"1", "IncludeInactive", "Y"},
                                        {"2", "ExpressType", "Daily"},
                                        {"3", "WebAuto-Organize", "ByDate"},
                                        {"4", "HeadNote", "O'Brien's traffic"},
                                        {"5", "RemoveControlInfo", "True"}}));
}

TEST_P(ReportsOnDatabase, ASecondSaveUpdatesTheRowsReplacingTheAttributes) {
  NewReport r(log);
  r.d->SaveSubTableData(0);
  r.d->SaveGenReportAttrs(10);
  r.d->IsNew(false);
  r.d->IsScenarioExpress(false);
  r.page->HeadNote("");
  r.page->FootNote("Confidential");
  r.spec->GroupingSpecId(11);
  r.d->SaveSubTableData(0);
  EXPECT_EQ(testing::Ids(*r.d), "0 2 0 0 | 2 11 0 501 2");
  EXPECT_EQ(Select("SELECT head_note, foot_note FROM rpt_page_setup WHERE id = 2"),
            (Rows{{"", "Confidential"}}));
  EXPECT_EQ(Count("rpt_page_setup", "1 = 1"), 2);
  r.d->SaveGenReportAttrs(10);
  EXPECT_EQ(Select(kGeneralOf10), (Rows{{"1", "WebAuto-Organize", "ByDate"},
                                        {"2", "FootNote", "Confidential"},
                                        {"3", "RemoveControlInfo", "True"}}));
}

TEST_P(ReportsOnDatabase, AnOpenedReportGetsItsAttributesBack) {
  NewReport r(log);
  r.d->SaveSubTableData(0);
  r.d->SaveGenReportAttrs(10);
  auto loaded = MakeRef<backends::SqlReportSpec>(db);
  loaded->Load(2);
  auto again = MakeRef<CReportDefData>();
  auto dest = MakeRef<testing::FakeDestination>(log);
  again->DestinationData(dest);
  Open(*again, 10, 2, 3, loaded);
  EXPECT_EQ(std::tuple(again->IncludeInactive(), again->ExpressType(), dest->webAutoOrganize,
                       again->IsScenarioExpress(), again->IsTemplateExpress()),
            std::tuple(true, "Daily", "ByDate", true, false))
      << "3 is an ordinary template";
  EXPECT_EQ(again->ReportSpecData()->GroupingSpecId(), 9);
  Open(*again, 99);
  EXPECT_EQ(std::tuple(again->GenAttributes()->Count(), again->GenAttributes()->ReportId(),
                       again->ExpressType()),
            std::tuple(0, 99, ""))
      << "a report without attributes";
}

TEST_P(ReportsOnDatabase, ExpressCopiesAreRealRowsThatOnlyCleanUpDeletes) {
  auto d = MakeRef<CReportDefData>();
  const std::string owner = std::to_string(services::Locate<FolderApp>().Owner()->Id());

  const std::int32_t scenarioCopy = d->CopyExpressScenario(2);
  const std::int32_t templateCopy = d->CopyExpressTemplate(4);
  EXPECT_GT(scenarioCopy, 4);
  EXPECT_EQ(templateCopy, scenarioCopy + 1);
  EXPECT_EQ(
      Select("SELECT doc_type_id, name, folder_id, owner_id, is_express, copied_from "
             "FROM fs_document WHERE id IN (" +
             std::to_string(scenarioCopy) + ", " + std::to_string(templateCopy) + ") ORDER BY id"),
      (Rows{{"1", "Express traffic", "1", owner, "Y", "2"},
            {"2", "Express layout", "1", owner, "Y", "4"}}));
  EXPECT_EQ(d->CopyExpressScenario(4), 4) << "an express template is no express scenario";
  EXPECT_EQ(d->CopyExpressTemplate(999), 999) << "no such document";
  std::int32_t ordinary = 1;
  d->DeleteExpScenario(ordinary);
  EXPECT_EQ(Count("fs_document", "1 = 1"), 6);

  d->TempExpScenarioId(scenarioCopy);
  d->TempExpTemplateId(templateCopy);
  d->CleanUpExpressDocuments();
  EXPECT_EQ(Count("fs_document", "copied_from IS NOT NULL"), 0);
  EXPECT_EQ(Count("fs_document", "1 = 1"), 4) << "the sources stay";
  EXPECT_EQ(d->TempExpScenarioId(), scenarioCopy);
  d->CleanUpExpressDocuments();  // the copies are gone: nothing to do
  EXPECT_EQ(Count("fs_document", "1 = 1"), 4);
}

TEST_P(ReportsOnDatabase, OutputObjectsRefuseWhatTheyCannotStore) {
  auto spec = MakeRef<backends::SqlReportSpec>(db);
  spec->Id(77);
  auto page = MakeRef<backends::SqlPageSetup>(db);
  auto attrs = MakeRef<backends::SqlGeneralAttributes>(db);
  std::int32_t noReport = 0;
  const std::pair<const char*, std::function<void()>> refused[] = {
      {"a specification that is not stored", [&] { spec->Update(); }},
      {"loading it", [&] { spec->Load(77); }},
      {"its attributes without a report", [&] { spec->SaveAttrs(noReport); }},
      {"a page setup that is not stored", [&] { page->Update(); }},
      {"an attribute without a name", [&] { attrs->Add("", "x", false); }},
      {"attributes without a report id", [&] { attrs->Save(); }},
      {"a document type that is none",
       [&] { services::Locate<FolderApp>().DocType("Spreadsheet"); }}};
  for (const auto& [what, call] : refused) EXPECT_THROW(call(), Error) << what;
}

TEST_P(ReportsOnDatabase, AttributeNamesAreKeysOfTheirExactCaseReplacedOnlyWhenAsked) {
  auto attrs = MakeRef<backends::SqlGeneralAttributes>(db);
  attrs->Add("Name", "a", false);
  EXPECT_EQ(ErrorOf([&] { attrs->Add("Name", "b", false); }).number(), errnum::DuplicateKey);
  attrs->Add("name", "c", false);
  attrs->Add("Name", "d", true);
  EXPECT_THROW(attrs->Item("NAME"), Error);
  attrs->ReportId(30);
  EXPECT_EQ(attrs->Save(), Variant(std::int32_t{2}));
  EXPECT_EQ(Select("SELECT name, value FROM rpt_general_attr WHERE report_id = 30 ORDER BY seq"),
            (Rows{{"Name", "d"}, {"name", "c"}}));
}

PLEXION_ON_BOTH_ENGINES(ReportsOnDatabase);

}  // namespace
}  // namespace plexion
