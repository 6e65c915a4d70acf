// The component surface as a host that knows only ProgIDs, names and ids sees it.
#include <unistd.h>
#include <filesystem>
#include <iostream>

#include "demo.hpp"
#include "plexion/component/automation.hpp"
#include "plexion/host/entry_points.hpp"
#include "plexion/host/loader.hpp"

namespace plexion::cli {

namespace {
// Prints every event it receives by id and allows every tab override.
class IdListener final : public EventSink {
 public:
  void OnEvent(DispId id, std::span<Variant> args) override {
    std::cout << "  listener: event " << id << " with " << args.size() << " argument(s)";
    if (id == 2) {
      args[1].Assign(Variant(true));
      std::cout << ", answers TheState = True";
    }
    std::cout << "\n";
  }
};
}  // namespace

void ShowComponentSurface() {
  Heading("Component surface");
  const component::TypeLibrary& lib = component::GetTypeLibrary();
  std::cout << "  type library " << lib.name << " " << lib.libid.ToString() << ", "
            << lib.classes.size() << " classes\n";
  const auto registry = std::filesystem::temp_directory_path() /
                        ("plexion-demo-registry-" + std::to_string(getpid()) + ".toml");
  host::RegisterServer(registry.string());
  std::cout << "  registered in " << registry.string() << "\n";
  {
    Ref<Object> hub = host::CreateObject("Plexion.CPlexionNotify", registry.string());
    const component::ClassInfo* cls = lib.ClassOf(*hub);
    std::cout << "  created " << cls->ProgId() << " through its class factory\n";
    auto listener = MakeRef<IdListener>();
    component::Advise(*hub, cls->eventInterface->iid(), listener);
    const DispId id = *component::GetIDsOfNames(*hub, "NotifyTabOverride");
    Variant name("ServerGrpOverride"), state(false);
    std::vector<Variant> args{Variant::RefTo(name), Variant::RefTo(state)};
    std::cout << "  Invoke(" << DispIdText(id)
              << " NotifyTabOverride, \"ServerGrpOverride\", False)\n";
    const InvokeResult r = component::Invoke(*hub, id, InvokeKind::Method, args);
    std::cout << "  status " << r.status << "; TheState is now " << state.Describe() << "\n";
    std::cout << "  DllCanUnloadNow while the hub lives: "
              << (DllCanUnloadNow() == 0 ? "yes" : "no") << "\n";
  }
  std::cout << "  DllCanUnloadNow after releasing it: " << (DllCanUnloadNow() == 0 ? "yes" : "no")
            << "\n";
  host::UnregisterServer(registry.string());
}

}  // namespace plexion::cli
