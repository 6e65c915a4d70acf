// The editor's behaviour on Plexion's recording doubles: no database, no configuration file.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <vector>

#include <plexion/testing/doubles.hpp>

#include "schedule_editor.hpp"

namespace {

bool Logged(const plexion::testing::CallLog& log, const std::string& line) {
  const auto& lines = log.Lines();
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(ScheduleEditor, OpensTheScheduleTabsAndSavesTheOverridesItAllowed) {
  plexion::testing::InstalledDoubles doubles;
  std::ostringstream out;
  auto editor = plexion::MakeRef<editor_host::ScheduleEditor>(out);
  editor->Open(0, 12);
  ASSERT_EQ(editor->Tabs().size(), 5u) << "the schedule tabs outside enterprise mode";
  EXPECT_EQ(editor->Tabs().front()->ProgId(), "PlexionCtls.XSchedGenTab");
  EXPECT_EQ(editor->Schedule()->RptGrpID(), 12);

  for (const auto& tab : editor->Tabs()) {
    const bool allowed = tab->AskToOverride();
    EXPECT_EQ(allowed, tab->Name() == "DestinationOverride" || tab->Name() == "DateTimeOverride")
        << tab->Name();
  }
  ASSERT_TRUE(editor->IsDataValid());
  editor->SaveData();
  EXPECT_TRUE(Logged(*doubles.log, "DateTimeScope.Insert"));
  EXPECT_TRUE(Logged(*doubles.log, "Destination.Insert"));
  EXPECT_NE(editor->Schedule()->OvrDestinationId(), 0);
  EXPECT_NE(out.str().find("saved: OvrDestinationId"), std::string::npos);
  editor->Close();
}

// The unit-of-work calls and the stores, in the order the doubles received them.
std::vector<std::string> SaveLines(const plexion::testing::CallLog& log) {
  std::vector<std::string> lines;
  for (const std::string& line : log.Lines())
    for (const char* prefix :
         {"DbService.BeginWork", "DbService.LockDocument", "DbService.CommitWork",
          "DbService.RollbackWork", "DateTimeScope.Insert", "Destination.Insert"})
      if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

TEST(ScheduleEditor, SavesInOneUnitOfWorkThatRollsBackWhenAnyPartFails) {
  const std::vector<std::string> stores = {
      "DbService.BeginWork", "DbService.LockDocument(rg_schedule | 0)", "DateTimeScope.Insert",
      "Destination.Insert", "DbService.CommitWork"};
  for (const bool commitFails : {false, true}) {
    plexion::testing::InstalledDoubles doubles;
    if (commitFails) doubles.db->FailOn("DbService.CommitWork");
    std::ostringstream out;
    auto editor = plexion::MakeRef<editor_host::ScheduleEditor>(out);
    editor->Open(0, 12);
    for (const auto& tab : editor->Tabs()) tab->AskToOverride();
    std::vector<std::string> expected = stores;
    if (commitFails) {
      EXPECT_THROW(editor->SaveData(), plexion::Error);
      expected.push_back("DbService.RollbackWork");
    } else {
      editor->SaveData();
    }
    EXPECT_EQ(SaveLines(*doubles.log), expected) << "commit fails: " << commitFails;
    editor->Close();
  }
}

}  // namespace
