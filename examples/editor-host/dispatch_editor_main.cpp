// The schedule editor through the dispatch surface only, as a host that knows ProgIDs, member
// names and dispatch ids: every object comes from the registry (`plexion register` first), every
// call goes through Invoke.
//   dispatch_editor_host [SCHEDULE_ID]
#include <cstdlib>
#include <iostream>

#include <plexion/component/automation.hpp>
#include <plexion/host/entry_points.hpp>
#include <plexion/host/loader.hpp>
#include <plexion/platform/enumerator.hpp>
#include <plexion/services/unit_of_work.hpp>

namespace {

using namespace plexion;

// Calls a member by name; a failure ends the host with the error's text.
Variant Call(Object& object, std::string_view member, std::vector<Variant> args = {},
             InvokeKind kinds = InvokeKind::Method | InvokeKind::Get) {
  const auto id = component::GetIDsOfNames(object, member);
  if (!id) throw Error::Runtime(errnum::ObjectDoesNotSupport, "no member " + std::string(member));
  const InvokeResult r = component::Invoke(object, *id, kinds, args);
  if (!r.ok()) throw Error(r.error.scode, r.error.number, r.error.source, r.error.description);
  return r.value;
}

// The editor's listener: receives the hub's events by id and allows the override tabs.
class EditorSink final : public EventSink {
 public:
  void OnEvent(DispId id, std::span<Variant> args) override {
    if (id != 2 || args.size() != 2) return;  // TabOverride(TheName, TheState)
    const std::string name = ToString(args[0]);
    const bool allow = name == "DestinationOverride" || name == "DateTimeOverride";
    args[1].Assign(Variant(allow));
    std::cout << "editor: TabOverride(" << name << ") answered " << BoolText(allow) << "\n";
  }
};

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::int32_t scheduleId = argc > 1 ? std::atoi(argv[1]) : 1;
    {
      Ref<Object> global = host::CreateObject("Plexion.GPlexion");
      Ref<Object> tabs = Call(*global, "AppTabs", {Variant("Schedule")}).ObjectValue();
      Ref<Object> hub = host::CreateObject("Plexion.CPlexionNotify");
      Ref<Object> schedule = host::CreateObject("Plexion.CSchedData");

      // Connect through the event interface's id, as a host does. The connection holds the
      // sink until Unadvise.
      const Guid events = Guid::Parse("{B1479B39-FEC9-45F8-B4D2-5CDE71D24884}");
      const component::AdviseResult advised =
          component::Advise(*hub, events, MakeRef<EditorSink>());
      if (advised.status != status::Ok) return 1;

      std::int32_t id = scheduleId;
      Call(*schedule, "LoadSchedData", {Variant::RefTo(id), Variant("Schedule")});
      std::cout << "schedule " << id << " loaded: RptGrpID "
                << ToString(Call(*schedule, "RptGrpID")) << "\n";

      // Each tab gets its descriptor's Data, its Name and the hub: LoadData is 0x60030004.
      std::vector<Ref<Object>> controls;
      std::vector<Variant> none;
      const InvokeResult e = component::Invoke(*tabs, kDispIdNewEnum, InvokeKind::Method, none);
      auto enumerator = ToObjectOf<Enumerator>(e.value);
      Variant item;
      while (enumerator->Next(item)) {
        Object& descriptor = *item.ObjectValue();
        Ref<Object> control = host::CreateObject("Plexion.IPlexionControl");
        std::vector<Variant> load{Call(descriptor, "Data"), Call(descriptor, "Name"), Variant(hub)};
        if (!component::Invoke(*control, 0x60030004, InvokeKind::Method, load).ok()) return 1;
        std::cout << "tab " << ToString(load[1]) << " loaded\n";
        controls.push_back(control);
      }

      // A tab asks through the hub; the answer comes back in the by-reference argument.
      Variant tabName("DestinationOverride"), allowed(false);
      Call(*hub, "NotifyTabOverride", {Variant::RefTo(tabName), Variant::RefTo(allowed)});
      std::cout << "the tab reads back " << ToString(allowed) << "\n";

      Call(*schedule, "DoDestOverride", {allowed}, InvokeKind::Let);
      // The save is one unit of work, opened through the library's services as any host does.
      services::UnitOfWork unit("rg_schedule", scheduleId);
      Ref<Object> saved = Call(*schedule, "SaveSubTableData").ObjectValue();
      unit.Commit();
      std::cout << "saved: the same object " << BoolText(saved == schedule) << ", DBFinalDateTime "
                << (Call(*schedule, "DBFinalDateTime").ObjectValue() ? "handed out" : "missing")
                << "\n";
      if (component::Unadvise(*hub, events, advised.cookie) != status::Ok) return 1;
    }
    const bool unload = DllCanUnloadNow() == status::Ok;
    std::cout << "DllCanUnloadNow: " << (unload ? "yes" : "no") << "\n";
    return unload ? 0 : 2;
  } catch (const Error& e) {
    std::cerr << "dispatch_editor_host: " << e.description() << " (" << e.source() << ")\n";
    return 1;
  }
}
