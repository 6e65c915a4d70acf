#include "plexion/component/type_library.hpp"

#include <typeinfo>

#include "plexion/component/interface_tables.hpp"
#include "plexion/dataavail/data_avail_data.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/platform/type_memo.hpp"
#include "plexion/reportdef/report_def_data.hpp"
#include "plexion/schedule/sa_sched_data.hpp"
#include "plexion/schedule/sched_data.hpp"
#include "plexion/tabs/contracts.hpp"
#include "plexion/tabs/gplexion.hpp"
#include "plexion/tabs/notify.hpp"
#include "plexion/tabs/tab_set.hpp"

namespace plexion::component {

namespace {

using namespace dispatch;
using namespace tables;

Guid Id(std::string_view text) { return Guid::Parse(text); }

const InterfaceInfo& CPlexionCtlInterface() {
  using Class = CPlexionCtl;
  static const InterfaceInfo itf("_CPlexionCtl", Id("{6917AE9D-A7F0-4F36-BDE1-B326BEE09D8F}"),
                                 {
                                     Get("Name", 0x68030003, &Class::Name),
                                     Get("Label", 0x68030002, &Class::Label),
                                     Get("Data", 0x68030001, &Class::Data),
                                     Get("ProgID", 0x68030000, &Class::ProgID),
                                 });
  return itf;
}

const InterfaceInfo& CPlexionCtlsInterface() {
  using Class = CPlexionCtls;
  static const InterfaceInfo itf(
      "_CPlexionCtls", Id("{22D1A7A3-FA3E-44D5-8A92-644517BB2A3C}"),
      {
          Method("Clear", 0x60030001, &Class::Clear),
          Method("Count", 0x60030002, &Class::Count),
          Method("Item", kDispIdValue, &Class::Item, {"v"}),
          Method("NewEnum", kDispIdNewEnum, &Class::NewEnum),
          Method("Remove", 0x60030004, &Class::Remove, {Param("sTab").ByRef()}),
          Method("AddPlexion", 0x60030005, &Class::AddPlexion,
                 {"sName", "sLabel", "sProgID", "vData"}),
      });
  return itf;
}

const InterfaceInfo& IPlexionEditorInterface() {
  using Class = IPlexionEditor;
  static const InterfaceInfo itf(
      "_IPlexionEditor", Id("{96855158-D59E-4839-A0DE-C5175BC42E30}"),
      {
          Method("HandleProcess", 0x60030000, &Class::HandleProcess, {"sProc"}),
          Method("LoadData", 0x60030001, &Class::LoadData, {"ctlTab", "v"}),
          Method("GetData", 0x60030002, &Class::GetData),
          Method("IsDataValid", 0x60030003, &Class::IsDataValid),
          Method("SaveData", 0x60030004, &Class::SaveData),
      });
  return itf;
}

const InterfaceInfo& CPlexionNotifyInterface() {
  using Class = CPlexionNotify;
  static const InterfaceInfo itf(
      "_CPlexionNotify", Id("{07AC0923-7B7D-4780-B2F4-59098D82FD5C}"),
      {
          Method("NotifyFormChange", 0x60030000, &Class::NotifyFormChange,
                 {"ControlName", "PropertyName", "fValue"}),
          Method("NotifyTabChange", 0x60030001, &Class::NotifyTabChange),
          Method("NotifyTabShow", 0x60030002, &Class::NotifyTabShow, {"sTabName"}),
          Method("NotifyTabStateChange", 0x60030003, &Class::NotifyTabStateChange,
                 {"sTabName", "fOverrideAllowed"}),
          Method("NotifyTabOverride", 0x60030004, &Class::NotifyTabOverride,
                 {"TheName", "TheState"}),
          Method("NotifyInitComplete", 0x60030005, &Class::NotifyInitComplete),
          Method("NotifyPlexStateChange", 0x60030006, &Class::NotifyPlexStateChange,
                 {"sTabName", "fState"}),
          Method("NotifyEntityTemplateChange", 0x60030007, &Class::NotifyEntityTemplateChange,
                 {"TheDoc"}),
          Method("NotifyScenarioChange", 0x60030008,
                 static_cast<void (Class::*)(std::int32_t&, bool&)>(&Class::NotifyScenarioChange),
                 {"lScenarioId", Param("fIsExpress").Optional(Variant(false))}),
          Method("NotifyBusyhourChange", 0x60030009, &Class::NotifyBusyhourChange,
                 {"fDoStored", "lBusyHourId"}),
          Method("NotifyTabClick", 0x6003000A, &Class::NotifyTabClick, {"Index", "ProgID"}),
          Method("NotifyReportTypeChange", 0x6003000B, &Class::NotifyReportTypeChange,
                 {"sReportType"}),
          Method("NotifyGroupByIDChange", 0x6003000C, &Class::NotifyGroupByIDChange, {"sSpan"}),
      });
  return itf;
}

const InterfaceInfo& IPlexionControlInterface() {
  using Class = IPlexionControl;
  static const InterfaceInfo itf(
      "_IPlexionControl", Id("{5F5766B2-4187-469F-9F09-640C81E25E59}"),
      {
          Method("HandleTabProcess", 0x60030000, &Class::HandleTabProcess, {"sProcess"}),
          Method("IsTabValid", 0x60030001, &Class::IsTabValid, {"sMsgBoxTitle"}),
          Method("LoadState", 0x60030002, &Class::LoadState),
          Method("SaveData", 0x60030003, &Class::SaveData),
          Method("LoadData", 0x60030004, &Class::LoadData, {"v", "sName", "dtN"}),
          Method("SaveState", 0x60030005, &Class::SaveState),
      });
  return itf;
}

const InterfaceInfo& GPlexionInterface() {
  using Class = GPlexion;
  static const InterfaceInfo itf(
      "_GPlexion", Id("{5CE43AAE-30BB-42C1-A72B-72321247357C}"),
      {
          Method("WeekdayToDB", 0x60030000, &Class::WeekdayToDB, {Param("sWeekday").ByRef()}),
          Method("DBToWeekday", 0x60030001, &Class::DBToWeekday, {Param("iDay").ByRef()}),
          Method("GetNumServersForReportGroup", 0x60030002, &Class::GetNumServersForReportGroup,
                 {"lReportGroupID", Param("lServerGroupID").Optional(Variant(std::int32_t{0}))}),
          Method("GetFolderIdFromName", 0x60030003, &Class::GetFolderIdFromName, {"sName"}),
          Method("AppTabs", 0x60030004, &Class::AppTabs, {Param("sKey").ByRef()}),
          Method("IsSATimeoutEnabled", 0x60030005, &Class::IsSATimeoutEnabled),
          Method("SchedDataFields", 0x60030006, &Class::SchedDataFields),
      });
  return itf;
}

template <class C>
ClassInfo ClassRow(std::string_view name, std::string_view clsid, const InterfaceInfo& itf,
                   const InterfaceInfo* events = nullptr,
                   Instancing instancing = Instancing::Creatable) {
  ClassInfo c{name,
              Id(clsid),
              &itf,
              events,
              instancing,
              [] { return Ref<Object>(MakeRef<C>()); },
              [](const Object& o) { return dynamic_cast<const C*>(&o) != nullptr; },
              {}};
  if constexpr (requires { C::Global(); }) c.global = [] { return Ref<Object>(C::Global()); };
  return c;
}

TypeLibrary Build() {
  TypeLibrary lib;
  lib.name = "Plexion";
  lib.libid = Id("{B7C223D6-706C-11D3-8C44-00105A6449C9}");
  lib.majorVersion = 523;
  lib.minorVersion = 0;
  lib.lcid = 0x409;
  lib.classes = {
      ClassRow<CPlexionCtl>("CPlexionCtl", "{B7C223D8-706C-11D3-8C44-00105A6449C9}",
                            CPlexionCtlInterface()),
      ClassRow<CPlexionCtls>("CPlexionCtls", "{B7C223DA-706C-11D3-8C44-00105A6449C9}",
                             CPlexionCtlsInterface()),
      ClassRow<IPlexionEditor>("IPlexionEditor", "{410E290C-80B0-11D3-8C4A-00105A6449C9}",
                               IPlexionEditorInterface()),
      ClassRow<CReportDefData>("CReportDefData", "{AC3D8FA7-E7E9-11D4-A3F9-000102387EC5}",
                               CReportDefDataInterface()),
      ClassRow<CPlexionNotify>("CPlexionNotify", "{AC3D8FA9-E7E9-11D4-A3F9-000102387EC5}",
                               CPlexionNotifyInterface(), &NotifyEventInterface()),
      ClassRow<IPlexionControl>("IPlexionControl", "{AC3D8FAC-E7E9-11D4-A3F9-000102387EC5}",
                                IPlexionControlInterface()),
      ClassRow<GPlexion>("GPlexion", "{AC3D8FA5-E7E9-11D4-A3F9-000102387EC5}", GPlexionInterface(),
                         nullptr, Instancing::GlobalObject),
      ClassRow<CSchedData>("CSchedData", "{AC3D8FAE-E7E9-11D4-A3F9-000102387EC5}",
                           CSchedDataInterface()),
      ClassRow<CDataAvailData>("CDataAvailData", "{AC3D8FB0-E7E9-11D4-A3F9-000102387EC5}",
                               CDataAvailDataInterface(), &DataAvailEventInterface()),
      ClassRow<CSASchedData>("CSASchedData", "{83FDD278-5612-11D5-A487-00010275EF03}",
                             CSASchedDataInterface()),
  };
  lib.enums = {
      {"ERefType",
       Id("{88C21060-27AB-4846-9EBC-D4BCFC7E09BD}"),
       {{"RefScenario", 0}, {"RefTemplate", 1}, {"refChanSetPlan", 2}, {"RefSATemplate", 3}}}};
  lib.externals = ExternalInterfaces();
  return lib;
}

}  // namespace

std::string ClassInfo::ProgId() const {
  return std::string(kLibraryName) + "." + std::string(name);
}

const ClassInfo* TypeLibrary::FindClass(const Guid& clsid) const {
  for (const ClassInfo& c : classes)
    if (c.clsid == clsid) return &c;
  return nullptr;
}

const ClassInfo* TypeLibrary::FindClass(std::string_view progIdOrName) const {
  for (const ClassInfo& c : classes)
    if (EqualsNoCase(c.ProgId(), progIdOrName) || EqualsNoCase(c.name, progIdOrName)) return &c;
  return nullptr;
}

const ExternalInterfaceInfo* TypeLibrary::FindExternal(std::string_view name) const {
  for (const ExternalInterfaceInfo& e : externals)
    if (EqualsNoCase(e.name(), name)) return &e;
  return nullptr;
}

namespace {

// What the library knows of an object's dynamic type.
struct Resolved {
  const ClassInfo* cls = nullptr;
  const InterfaceInfo* itf = nullptr;
};

Resolved Resolve(const TypeLibrary& lib, const Object& object) {
  for (const ClassInfo& c : lib.classes)
    if (c.isInstance(object)) return {&c, c.defaultInterface};
  for (const ExternalInterfaceInfo& e : lib.externals)
    if (e.isInstance(object)) return {nullptr, e.itf};
  return {};
}

// What the library's own type library knows of each dynamic type, worked out once.
TypeMemo<Resolved, 128> g_resolved;

Resolved ResolveCached(const TypeLibrary& lib, const Object& object) {
  if (&lib != &GetTypeLibrary()) return Resolve(lib, object);
  return g_resolved.Get(typeid(object), [&] { return Resolve(lib, object); });
}

}  // namespace

const ClassInfo* TypeLibrary::ClassOf(const Object& object) const {
  return ResolveCached(*this, object).cls;
}

const InterfaceInfo* TypeLibrary::InterfaceOf(const Object& object) const {
  return ResolveCached(*this, object).itf;
}

const InterfaceInfo* DispatchInterfaceOf(const Object& object) {
  return g_resolved.Get(typeid(object), [&] { return Resolve(GetTypeLibrary(), object); }).itf;
}

const TypeLibrary& GetTypeLibrary() {
  static const TypeLibrary lib = Build();
  return lib;
}

}  // namespace plexion::component
