// plexion demo: the main job, a walk through what the library does.
#include <unistd.h>
#include <filesystem>
#include <iostream>
#include <thread>

#include "context.hpp"
#include "demo.hpp"
#include "plexion/backends/config/config_services.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/tabs/app_tabs.hpp"
#include "plexion/tabs/contracts.hpp"
#include "plexion/tabs/gplexion.hpp"

namespace plexion::cli {

void PrintTabSet(std::ostream& out, const CPlexionCtls& set);
void InitDatabase(const std::string& url, bool withDemo, bool force, std::ostream& progress);

void Heading(const std::string& text) { std::cout << "\n== " << text << " ==\n"; }

namespace {

// Tab sets are cached per thread, so each mode is shown from a thread of its own.
void ShowTabSets(const backends::Configuration& base, bool enterprise) {
  std::thread([&] {
    auto config = std::make_shared<backends::Configuration>(base);
    config->enterpriseMode = enterprise;
    config->features["Express_Reports"] = !enterprise;
    services::ScopedService<SystemConfig> system(MakeRef<backends::ConfigSystemConfig>(config));
    services::ScopedService<FeatureRegistry> features(
        MakeRef<backends::ConfigFeatureRegistry>(config));
    for (const char* app : {"Traffic", "Schedule", "Soft Alarm Schedule"}) {
      std::cout << "\n"
                << app << (enterprise ? " (enterprise mode)" : " (Express_Reports on)") << ":\n";
      PrintTabSet(std::cout, *MPlexion::AppTabs(app));
    }
  }).join();
}

// A schedule editor: it owns the hub and answers the tabs' questions through it.
class DemoEditor final : public IPlexionEditor, public CPlexionNotifyEvents {
 public:
  DemoEditor() : hub(MakeRef<CPlexionNotify>()) {}
  void TabOverride(std::string& TheName, bool& TheState) override {
    std::cout << "  editor: " << TheName << " asks whether it may override (" << BoolText(TheState)
              << "); the editor answers True\n";
    TheState = true;
  }
  Ref<CPlexionNotify> hub;
};

// A tab control of the schedule editor.
class DemoTab final : public IPlexionControl, public CPlexionNotifyEvents {
 public:
  void LoadData(const Variant& v, const std::string& sName, Ref<CPlexionNotify> dtN) override {
    data_ = ToString(v);
    name_ = sName;
    hub_ = std::move(dtN);
    std::cout << "  tab " << name_ << " loaded with data \"" << data_ << "\"\n";
  }
  void TabShow(std::string& TheName) override {
    std::cout << "  tab " << name_ << " hears TabShow(" << TheName << ")\n";
  }
  void AskToOverride() {
    bool allowed = false;
    std::cout << "  tab " << name_ << ": NotifyTabOverride(\"" << name_ << "\", False)\n";
    hub_->NotifyTabOverride(name_, allowed);
    std::cout << "  tab " << name_ << " reads back " << BoolText(allowed) << "\n";
  }

 private:
  std::string data_, name_;
  Ref<CPlexionNotify> hub_;
};

void ShowHub() {
  Heading("Notification hub");
  Ref<CPlexionCtls> tabs = MPlexion::AppTabs("Schedule");
  auto editor = MakeRef<DemoEditor>();
  // The hub holds its listeners until they disconnect; the editor and the tabs hold the hub.
  std::vector<ConnectionPoint::Cookie> connections{editor->hub->Connect(editor)};
  std::vector<Ref<DemoTab>> controls;
  for (const char* name : {"DestinationOverride", "DateTimeOverride"}) {
    Ref<CPlexionCtl> descriptor = tabs->Item(Variant(name));
    auto tab = MakeRef<DemoTab>();
    tab->LoadData(descriptor->Data(), descriptor->Name(), editor->hub);
    connections.push_back(editor->hub->Connect(tab));
    controls.push_back(tab);
  }
  std::string shown = "DestinationOverride";
  std::cout << "  editor: NotifyTabShow(\"" << shown << "\")\n";
  editor->hub->NotifyTabShow(shown);
  controls.front()->AskToOverride();
  for (ConnectionPoint::Cookie cookie : connections) editor->hub->Disconnect(cookie);
}

void ShowGlobalServices() {
  Heading("Global service object");
  Ref<GPlexion> g = GPlexion::Global();
  std::cout << "  WeekdayToDB(\"Tuesday\") = " << g->WeekdayToDB("Tuesday") << "\n";
  std::cout << "  DBToWeekday(7) = \"" << g->DBToWeekday(7) << "\"\n";
  std::cout << "  WeekdayToDB(\"tuesday\") = " << g->WeekdayToDB("tuesday")
            << " (names match exactly)\n";
  for (const char* folder : {"Reports", "O'Brien's reports", "Absent"})
    std::cout << "  GetFolderIdFromName(\"" << folder << "\") = " << g->GetFolderIdFromName(folder)
              << "\n";
  std::cout << "  GetNumServersForReportGroup(12) = " << g->GetNumServersForReportGroup(12) << "\n";
  std::cout << "  GetNumServersForReportGroup(12, 1) = " << g->GetNumServersForReportGroup(12, 1)
            << "\n";
  std::cout << "  IsSATimeoutEnabled = " << BoolText(g->IsSATimeoutEnabled()) << "\n";
}

// A fresh SQLite database in a temporary folder, removed when the demo ends.
class TemporaryDatabase {
 public:
  TemporaryDatabase()
      : dir_(std::filesystem::temp_directory_path() /
             ("plexion-demo-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(dir_);
  }
  ~TemporaryDatabase() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string url() const { return "sqlite3://db=" + (dir_ / "demo.db").string(); }

 private:
  std::filesystem::path dir_;
};

void Run(Context& ctx, bool force) {
  backends::Configuration config = ctx.LoadConfiguration();
  std::cout << "Plexion demo (configuration: " << config.source << ")\n";
  TemporaryDatabase temporary;
  if (ctx.dbUrl.empty()) ctx.dbUrl = temporary.url();
  Heading("Database");
  InitDatabase(ctx.dbUrl, true, force, std::cout);
  Heading("Tab sets");
  ShowTabSets(config, false);
  ShowTabSets(config, true);
  ctx.Install(std::move(config));
  ShowHub();
  ShowGlobalServices();
  ShowSchedules();
  ShowReportDefinition();
  ShowSoftAlarmSchedule();
  ShowDataAvailability();
  ShowComponentSurface();
}

}  // namespace

void RegisterDemo(CLI::App& app, Context& ctx) {
  CLI::App* demo = app.add_subcommand(
      "demo",
      "walk through what the library does\n"
      "Walk through what the library does and print it, on a temporary SQLite database\n"
      "with the demo rows. With --db, Plexion's tables there are created anew with the demo\n"
      "rows, as `plexion db init --demo` does: a database holding documents is refused\n"
      "unless --force.");
  Examples(*demo, {"plexion demo",
                   "plexion demo --db \"postgresql://host=127.0.0.1 port=54329 dbname=plexion_test "
                   "user=postgres\""});
  AddDatabaseOptions(*demo, ctx);
  auto force = std::make_shared<bool>(false);
  demo->add_flag("--force", *force, "with --db: delete the documents the database holds");
  demo->callback([&ctx, force] { Run(ctx, *force); });
}

}  // namespace plexion::cli
