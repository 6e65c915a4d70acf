// Hosts that know only names and ids: every class found in the type library and reached through
// dispatch on live objects. The library's published identifiers, every member in function-table
// order with its accessor kind, dispatch id and parameters, and the enumeration are checked against
// docs/type-library.md, which `plexion typelib` prints from it (Docs.TypeLibraryIsCurrent).
#include <gtest/gtest.h>

#include <thread>

#include "plexion/component/automation.hpp"
#include "plexion/platform/enumerator.hpp"
#include "plexion/tabs/contracts.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/testing/doubles.hpp"

namespace plexion::component {
namespace {

// Calls a member by name, as a late-binding host does.
InvokeResult Call(Object& o, std::string_view name, std::vector<Variant> args = {},
                  InvokeKind kinds = InvokeKind::Method | InvokeKind::Get) {
  const auto id = GetIDsOfNames(o, name);
  if (!id) {
    InvokeResult r;
    r.status = status::UnknownName;
    return r;
  }
  return Invoke(o, *id, kinds, args);
}

Ref<Object> Create(std::string_view progId) { return GetTypeLibrary().FindClass(progId)->create(); }

TEST(TypeLibrary, EveryClassIsFoundByEachOfItsNames) {
  testing::InstalledDoubles doubles;
  const TypeLibrary& lib = GetTypeLibrary();
  for (const ClassInfo& c : lib.classes) {
    SCOPED_TRACE(std::string(c.name));
    EXPECT_EQ(c.ProgId(), "Plexion." + std::string(c.name));
    EXPECT_EQ(lib.FindClass(c.name), &c);
    EXPECT_EQ(lib.FindClass(c.ProgId()), &c);
    EXPECT_EQ(lib.FindClass(c.clsid), &c);
    EXPECT_EQ(lib.ClassOf(*c.create()), &c);
    const bool global = c.name == "GPlexion";
    EXPECT_EQ(c.instancing == Instancing::GlobalObject, global);
    EXPECT_EQ(GlobalInstance(c) != nullptr, global);
  }
  EXPECT_EQ(lib.FindClass("Plexion.NoSuchClass"), nullptr);
  EXPECT_EQ(lib.FindClass(Guid::Parse("{00000000-0000-0000-0000-000000000001}")), nullptr);
}

TEST(DispatchSurface, ATabSetIsReachedByNameDefaultMemberOrEnumerator) {
  Ref<Object> set = Create("Plexion.CPlexionCtls");
  EXPECT_TRUE(
      Call(*set, "AddPlexion", {Variant("General"), Variant("General"), Variant("P.Gen")}).ok());
  EXPECT_TRUE(Call(*set, "addplexion",
                   {Variant("Format"), Variant("Fmt"), Variant("P.Fmt"), Variant(std::int32_t{7})})
                  .ok());
  std::vector<Variant> position{Variant(std::int16_t{2})};
  InvokeResult item = Invoke(*set, kDispIdValue, InvokeKind::Method | InvokeKind::Get, position);
  ASSERT_TRUE(item.ok());
  Ref<Object> format = item.value.ObjectValue();
  EXPECT_EQ(std::pair(Call(*format, "Label").value, Call(*format, "Data").value),
            std::pair(Variant("Fmt"), Variant(std::int32_t{7})));
  EXPECT_EQ(Call(*format, "Data", {}, InvokeKind::Let).status, status::MemberNotFound)
      << "a descriptor is read-only";
  std::vector<Variant> none;
  InvokeResult e = Invoke(*set, kDispIdNewEnum, InvokeKind::Method | InvokeKind::Get, none);
  ASSERT_TRUE(e.ok());
  Variant first;
  ASSERT_TRUE(ToObjectOf<Enumerator>(e.value)->Next(first));
  EXPECT_EQ(Call(*first.ObjectValue(), "Name").value, Variant("General"));
}

TEST(DispatchSurface, RemoveLeavesItsByReferenceArgumentAlone) {
  Ref<Object> set = Create("Plexion.CPlexionCtls");
  Call(*set, "AddPlexion", {Variant("General"), Variant("General"), Variant("P.Gen")});
  std::string tab = "general";
  EXPECT_TRUE(Call(*set, "Remove", {Variant::RefTo(tab)}).ok());
  EXPECT_EQ(std::pair(tab, Call(*set, "Count").value),
            std::pair(std::string("general"), Variant(std::int32_t{0})));
}

// A host's listener: receives events by id and answers through the by-reference arguments.
class HostSink final : public EventSink {
 public:
  void OnEvent(DispId id, std::span<Variant> args) override {
    ids.push_back(id);
    if (id == 2 && args.size() == 2) args[1].Assign(Variant(true));        // TabOverride: allow
    if (id == 8 && args.size() == 3) args[2].Assign(Variant("listener"));  // FormChange
  }
  std::vector<DispId> ids;
};

TEST(DispatchSurface, HubEventsReachAnAdvisedListenerByIdWithItsAnswersWrittenBack) {
  Ref<Object> hub = Create("Plexion.CPlexionNotify");
  const ClassInfo* cls = GetTypeLibrary().ClassOf(*hub);
  auto sink = MakeRef<HostSink>();
  const AdviseResult advised = Advise(*hub, cls->eventInterface->iid(), sink);
  ASSERT_EQ(advised.status, status::Ok);
  EXPECT_EQ(Advise(*hub, cls->defaultInterface->iid(), sink).status, status::CannotConnect);
  const WeakRef<HostSink> watched(sink);
  HostSink* const listener = sink.get();
  sink.reset();
  ASSERT_TRUE(watched.Lock()) << "the connection alone holds the listener until Unadvise";

  Variant name("DestinationOverride"), state(false);
  EXPECT_TRUE(Call(*hub, "NotifyTabOverride", {Variant::RefTo(name), Variant::RefTo(state)}).ok());
  EXPECT_EQ(state, Variant(true)) << "the listener's answer is written back through Invoke";
  EXPECT_TRUE(Call(*hub, "NotifyTabShow", {Variant::RefTo(name)}).ok());
  Variant value("caller");
  EXPECT_TRUE(
      Call(*hub, "NotifyFormChange", {Variant("ctl"), Variant("Text"), Variant::RefTo(value)})
          .ok());
  EXPECT_EQ(value, Variant("caller")) << "FormChange listeners change only the hub's copies";
  std::int32_t scenario = 4;
  EXPECT_TRUE(Call(*hub, "NotifyScenarioChange", {Variant::RefTo(scenario)}).ok());
  EXPECT_EQ(listener->ids, (std::vector<DispId>{2, 3, 8, 9}));

  EXPECT_EQ(Unadvise(*hub, cls->eventInterface->iid(), advised.cookie), status::Ok);
  EXPECT_FALSE(watched.Lock()) << "Unadvise released the listener";
  EXPECT_EQ(Unadvise(*hub, cls->eventInterface->iid(), advised.cookie), status::NoConnection);
  EXPECT_TRUE(Call(*hub, "NotifyTabChange").ok());
}

TEST(DispatchSurface, DataAvailabilityRaisesItsThreeEventsById) {
  testing::InstalledDoubles d;
  Ref<Object> model = Create("Plexion.CDataAvailData");
  const ClassInfo* cls = GetTypeLibrary().ClassOf(*model);
  auto sink = MakeRef<HostSink>();
  ASSERT_EQ(Advise(*model, cls->eventInterface->iid(), sink).status, status::Ok);
  EXPECT_TRUE(Call(*model, "UpdateTab").ok());
  EXPECT_TRUE(Call(*model, "ResetTab").ok());
  EXPECT_TRUE(Call(*model, "UpdateDates").ok());
  StringArray types(1, 1);
  types.at(1) = "Traffic";
  Variant chosen(types);
  EXPECT_TRUE(Call(*model, "SelectedDatatypes", {Variant::RefTo(chosen)}).ok());
  EXPECT_EQ(sink->ids, (std::vector<DispId>{1, 2, 3, 1}));
}

TEST(DispatchSurface, ADataObjectTakesByReferenceArguments) {
  testing::InstalledDoubles d;
  Ref<Object> report = Create("Plexion.CReportDefData");
  Variant scenarioType = Variant::Nothing(), templateType = Variant::Nothing();
  Variant app("Traffic"), editor("Editor 1"), entity(std::int32_t{5}), refType(std::int32_t{1}),
      ord(std::int32_t{77}), channel(std::int32_t{3}), radius(2.5f);
  const InvokeResult init =
      Call(*report, "InitNew",
           {Variant::RefTo(scenarioType), Variant::RefTo(templateType), Variant::RefTo(app),
            Variant::RefTo(editor), Variant::RefTo(entity), Variant::RefTo(refType),
            Variant::RefTo(ord), Variant::RefTo(channel), Variant::RefTo(radius)});
  ASSERT_TRUE(init.ok()) << init.error.description;
  EXPECT_EQ(Call(*report, "TemplateID").value, Variant(std::int32_t{77})) << "RefTemplate";
  const InvokeResult saved = Call(*report, "SaveSubTableData", {Variant(std::int32_t{0})});
  ASSERT_TRUE(saved.ok());
  EXPECT_TRUE(saved.value.ObjectValue() == report);
}

TEST(DispatchSurface, AccessorsAPropertyLacksAreRefused) {
  testing::InstalledDoubles d;
  Ref<Object> schedule = Create("Plexion.CSchedData");
  EXPECT_EQ(Call(*schedule, "IsOverride", {Variant(true)}, InvokeKind::Let).status,
            status::MemberNotFound);
  Ref<Object> alarm = Create("Plexion.CSASchedData");
  std::string unit = "M";
  EXPECT_TRUE(Call(*alarm, "TimeoutUnit", {Variant::RefTo(unit)}, InvokeKind::Let).ok());
  EXPECT_EQ(unit, "M") << "a let by reference never writes back";
  std::int32_t id = 7;
  const InvokeResult hours = Call(*alarm, "GetHoursEx", {Variant::RefTo(id)});
  ASSERT_TRUE(hours.ok()) << hours.error.description;
  EXPECT_TRUE(Call(*alarm, "HourEXData", {hours.value}, InvokeKind::Set).ok());
  EXPECT_EQ(Call(*alarm, "HourEXData", {hours.value}, InvokeKind::Let).status,
            status::MemberNotFound);
}

class HostEditor final : public IPlexionEditor {
 public:
  bool IsDataValid() override { return true; }
};

TEST(DispatchSurface, ContractsDispatchToTheHostsOverrides) {
  auto editor = MakeRef<HostEditor>();
  EXPECT_EQ(Call(*editor, "IsDataValid").value, Variant(true));
  EXPECT_EQ(Call(*editor, "HandleProcess", {Variant("Save")}).value, Variant(false));
  Ref<Object> control = Create("Plexion.IPlexionControl");
  Ref<Object> hub = Create("Plexion.CPlexionNotify");
  EXPECT_TRUE(
      Call(*control, "LoadData", {Variant("Schedule"), Variant("General"), Variant(hub)}).ok());
  EXPECT_EQ(
      Call(*control, "LoadData", {Variant("Schedule"), Variant("General"), Variant(editor)}).status,
      status::TypeMismatch)
      << "an object of the wrong class for dtN";
  EXPECT_EQ(Call(*control, "IsTabValid", {Variant("Title")}).value, Variant(false));
}

TEST(DispatchSurface, AnObjectOutsideTheTypeLibraryHasNoDispatchInterface) {
  class Stranger final : public Object {};
  auto stranger = MakeRef<Stranger>();
  std::vector<Variant> none;
  EXPECT_EQ(Invoke(*stranger, 0, InvokeKind::Method, none).status, status::NoInterface);
  EXPECT_FALSE(GetIDsOfNames(*stranger, "Item"));
}

TEST(DispatchSurface, GlobalObjectWithoutCreationOnePerThread) {
  testing::InstalledDoubles d;
  const ClassInfo& cls = *GetTypeLibrary().FindClass("GPlexion");
  Ref<Object> global = GlobalInstance(cls);
  ASSERT_TRUE(global);
  EXPECT_TRUE(GlobalInstance(cls) == global);
  std::string key = "Traffic";
  const InvokeResult tabs = Call(*global, "AppTabs", {Variant::RefTo(key)});
  ASSERT_TRUE(tabs.ok());
  EXPECT_EQ(Call(*tabs.value.ObjectValue(), "Count").value, Variant(std::int32_t{4}));
  EXPECT_TRUE(Call(*global, "GetNumServersForReportGroup", {Variant("12")}).ok());
  EXPECT_EQ(d.log->Lines().back(),
            "DbService.CallNumericFunction(EA_DD.ea_num_servers_for_repgroup | 12, 0)")
      << "the text converted by value, the omitted server group 0";

  // Each thread has its own (and its own tab-set cache: the AppTabs tests).
  Ref<Object> other;
  std::thread([&] { other = GlobalInstance(cls); }).join();
  EXPECT_FALSE(other == global);
  EXPECT_TRUE(cls.create() != global) << "also creatable";
}

}  // namespace
}  // namespace plexion::component
