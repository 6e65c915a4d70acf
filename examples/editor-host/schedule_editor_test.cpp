// The editor's behaviour on Plexion's recording doubles: no database, no configuration file.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

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

}  // namespace
