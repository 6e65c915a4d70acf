// Runs the schedule editor against the configured database (PLEXION_DB, PLEXION_CONFIG):
//   schedule_editor_host [SCHEDULE_ID]
#include <cstdlib>
#include <iostream>

#include <plexion/backends/defaults.hpp>
#include <plexion/host/entry_points.hpp>

#include "schedule_editor.hpp"

int main(int argc, char** argv) {
  try {
    plexion::backends::InstallDefaults(plexion::backends::Configuration::Discover());
    const std::int32_t id = argc > 1 ? std::atoi(argv[1]) : 1;
    {
      auto editor = plexion::MakeRef<editor_host::ScheduleEditor>(std::cout);
      editor->Open(id, 12);
      for (const auto& tab : editor->Tabs())
        if (tab->Name() == "DestinationOverride" || tab->Name() == "DateTimeOverride")
          tab->AskToOverride();
      if (!editor->IsDataValid()) return 1;
      editor->SaveData();
      editor->Close();
    }
    const bool unload = DllCanUnloadNow() == plexion::status::Ok;
    std::cout << "DllCanUnloadNow: " << (unload ? "yes" : "no") << "\n";
    return unload ? 0 : 2;
  } catch (const plexion::Error& e) {
    std::cerr << "schedule_editor_host: " << e.description() << " (" << e.source() << ")\n";
    return 1;
  }
}
