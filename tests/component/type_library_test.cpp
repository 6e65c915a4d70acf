// The type library against the published identifiers: every class, interface, member, accessor
// kind and dispatch id, written here once from the published tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "plexion/component/type_library.hpp"

namespace plexion::component {
namespace {

struct ExpectedClass {
  const char* name;
  const char* clsid;
  const char* itf;
  const char* iid;
  const char* events;  // "" when none
  const char* eventIid;
  bool global;
};

const ExpectedClass kClasses[] = {
    {"CPlexionCtl", "{B7C223D8-706C-11D3-8C44-00105A6449C9}", "_CPlexionCtl",
     "{6917AE9D-A7F0-4F36-BDE1-B326BEE09D8F}", "", "", false},
    {"CPlexionCtls", "{B7C223DA-706C-11D3-8C44-00105A6449C9}", "_CPlexionCtls",
     "{22D1A7A3-FA3E-44D5-8A92-644517BB2A3C}", "", "", false},
    {"IPlexionEditor", "{410E290C-80B0-11D3-8C4A-00105A6449C9}", "_IPlexionEditor",
     "{96855158-D59E-4839-A0DE-C5175BC42E30}", "", "", false},
    {"CReportDefData", "{AC3D8FA7-E7E9-11D4-A3F9-000102387EC5}", "_CReportDefData",
     "{DFCAF4F6-482B-4631-82C0-D35154F84C4F}", "", "", false},
    {"CPlexionNotify", "{AC3D8FA9-E7E9-11D4-A3F9-000102387EC5}", "_CPlexionNotify",
     "{07AC0923-7B7D-4780-B2F4-59098D82FD5C}", "__CPlexionNotify",
     "{B1479B39-FEC9-45F8-B4D2-5CDE71D24884}", false},
    {"IPlexionControl", "{AC3D8FAC-E7E9-11D4-A3F9-000102387EC5}", "_IPlexionControl",
     "{5F5766B2-4187-469F-9F09-640C81E25E59}", "", "", false},
    {"GPlexion", "{AC3D8FA5-E7E9-11D4-A3F9-000102387EC5}", "_GPlexion",
     "{5CE43AAE-30BB-42C1-A72B-72321247357C}", "", "", true},
    {"CSchedData", "{AC3D8FAE-E7E9-11D4-A3F9-000102387EC5}", "_CSchedData",
     "{DF9A9E9C-11C3-4600-878C-5C0E3944012C}", "", "", false},
    {"CDataAvailData", "{AC3D8FB0-E7E9-11D4-A3F9-000102387EC5}", "_CDataAvailData",
     "{F06A0CE1-D9C9-4B52-B9EC-9A1D881E997C}", "__CDataAvailData",
     "{0AA8CB6E-7C9A-4DCE-84D2-2F1A2BF4499A}", false},
    {"CSASchedData", "{83FDD278-5612-11D5-A487-00010275EF03}", "_CSASchedData",
     "{0136427C-49DF-482F-A3C8-D6BF553DB6E8}", "", "", false},
};

// The published form "Name get, let 0x68030023; Other method 0x60030027" as one
// "Name kind id" line per accessor.
std::vector<std::string> Expand(std::string_view published) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < published.size()) {
    std::size_t end = published.find(';', start);
    if (end == std::string_view::npos) end = published.size();
    std::string entry(published.substr(start, end - start));
    start = end + 1;
    std::istringstream words(entry);
    std::string name, word, id;
    std::vector<std::string> kinds;
    words >> name;
    while (words >> word) {
      if (word.rfind("0x", 0) == 0) id = word;
      else kinds.push_back(word.back() == ',' ? word.substr(0, word.size() - 1) : word);
    }
    for (const std::string& kind : kinds) lines.push_back(name + " " + kind + " " + id);
  }
  return lines;
}

// "Name kind id" per accessor, in function-table order.
const std::map<std::string, std::vector<std::string>> kMembers = {
    {"_CSchedData",
     Expand("DestinationData set 0x6803002B; DoDestOverride get, let 0x6803002A; "
            "DTScopeData set 0x68030029; DoDTSOverride get, let 0x68030028; "
            "OvrChanSetId get, let 0x68030027; OvrDestinationId get, let 0x68030026; "
            "OvrDTScopeId get, let 0x68030025; OvrScenarioId get 0x68030024; "
            "OvrServerGroupID get 0x68030023; OvrScenarioId let 0x68030024; "
            "OvrServerGroupID let 0x68030023; AppName get 0x68030022; TimeZone get 0x68030021; "
            "AppName let 0x68030022; TimeZone let 0x68030021; InitEdit method 0x6003002D; "
            "InitNew method 0x6003002E; SaveSubTableData method 0x6003002F; "
            "DLGroupBy get, let 0x68030020; LoadSchedData method 0x60030030; "
            "Periodicity get, let 0x6803001F; PurgeInterval get, let 0x6803001E; "
            "RetrieveMode get, let 0x6803001D; RptGrpID get, let 0x6803001C; "
            "RunMode get, let 0x6803001B; ScheduleActive get, let 0x6803001A; "
            "SubFolderName get, let 0x68030019; WhichMonthDate get, let 0x68030018; "
            "WhichWeek get, let 0x68030017; WhichWeekday get, let 0x68030016; "
            "AutoPurge get, let 0x68030015; ClientMachineID get, let 0x68030014; "
            "EditorName get, let 0x68030013; FinalDateTime get, let 0x68030012; "
            "DBFinalDateTime get 0x68030011; FirstDateTime get, let 0x68030010; "
            "DBFirstDateTime get 0x6803000F; Frequency get, let 0x6803000E; "
            "IncludeMondays get, let 0x6803000D; IncludeTuesdays get, let 0x6803000C; "
            "IncludeWednesdays get, let 0x6803000B; IncludeThursdays get, let 0x6803000A; "
            "IncludeFridays get, let 0x68030009; IncludeSaturdays get, let 0x68030008; "
            "IncludeSundays get, let 0x68030007; IncludeHolidays get, let 0x68030006; "
            "IncludeDayAfterHol get, let 0x68030005; IsNew get, let 0x68030004; "
            "IsOverride get 0x68030003; LastRunDate get, let 0x68030002; "
            "NextRunDate get, let 0x68030001; Override get, let 0x68030000")},
    {"_CSASchedData",
     Expand("GetHoursEx method 0x6003002C; ScheduleID get, let 0x6803002B; "
            "AutoPurge get, let 0x6803002A; ClientMachineID get, let 0x68030029; "
            "DestinationData set 0x68030028; DoDestOverride get, let 0x68030027; "
            "DTScopeData set 0x68030026; HourEXData set 0x68030025; "
            "DoDTSOverride get, let 0x68030024; EditorName get, let 0x68030023; "
            "FinalDateTime get, let 0x68030022; DBFinalDateTime get 0x68030021; "
            "FirstDateTime get, let 0x68030020; DBFirstDateTime get 0x6803001F; "
            "Frequency get, let 0x6803001E; IncludeMondays get, let 0x6803001D; "
            "IncludeTuesdays get, let 0x6803001C; IncludeWednesdays get, let 0x6803001B; "
            "IncludeThursdays get, let 0x6803001A; IncludeFridays get, let 0x68030019; "
            "IncludeSaturdays get, let 0x68030018; IncludeSundays get, let 0x68030017; "
            "IncludeHolidays get, let 0x68030016; IncludeDayAfterHol get, let 0x68030015; "
            "Timeout get, let 0x68030014; TimeoutUnit get, let 0x68030013; "
            "IsNew get, let 0x68030012; IsOverride get 0x68030011; "
            "LastRunDate get, let 0x68030010; NextRunDate get, let 0x6803000F; "
            "Override get, let 0x6803000E; OvrChanSetId get, let 0x6803000D; "
            "OvrDestinationId get, let 0x6803000C; OvrDTScopeId get, let 0x6803000B; "
            "OvrScenarioId get, let 0x6803000A; Periodicity get, let 0x68030009; "
            "PurgeInterval get, let 0x68030008; RetrieveMode get, let 0x68030007; "
            "RptGrpID get, let 0x68030006; RunMode get, let 0x68030005; "
            "ScheduleActive get, let 0x68030004; SubFolderName get, let 0x68030003; "
            "WhichMonthDate get, let 0x68030002; WhichWeek get, let 0x68030001; "
            "WhichWeekday get, let 0x68030000; InitEdit method 0x6003002E; "
            "InitNew method 0x6003002F; SaveSubTableData method 0x60030030; "
            "LoadSASchedData method 0x60030031")},
    {"_CReportDefData",
     Expand("WebAutoOrganize get 0x68030024; ReportId get, let 0x68030023; "
            "EditorName get, let 0x68030022; ScenarioId get, let 0x68030021; "
            "TemplateID get, let 0x68030020; DTScopeID get, let 0x6803001F; "
            "DestinationId get, let 0x6803001E; PageSetUpId get, let 0x6803001D; "
            "ReportSpecId get, let 0x6803001C; ChanSetID get, let 0x6803001B; "
            "GroupingSpecId get, let 0x6803001A; DomainScenarioId get, let 0x68030019; "
            "EntityID get, let 0x68030018; ChannelNumber get, let 0x68030017; "
            "MapRadiusScale get, let 0x68030016; TestChannels get, let 0x68030015; "
            "EquippedOnly get, let 0x68030014; FileName get, let 0x68030013; "
            "AppName get, let 0x68030012; IsScenarioExpress get, let 0x68030011; "
            "IsTemplateExpress get, let 0x68030010; IncludeInactive get, let 0x6803000F; "
            "ExpressType get, let 0x6803000E; ScenarioType get, set 0x6803000D; "
            "ServerGroupType get, set 0x6803000C; TemplateType get, set 0x6803000B; "
            "DTScopeData set 0x6803000A; DestinationData set 0x68030009; "
            "PageSetupData set 0x68030008; ReportSpecData set, get 0x68030007; "
            "IsNew get, let 0x68030006; TempExpScenarioId get, let 0x68030005; "
            "TempExpTemplateId get, let 0x68030004; SaveOrigScenarioId get 0x68030003; "
            "SaveOrigTemplateId get 0x68030002; GenAttributes get 0x68030001; "
            "InitNew method 0x60030027; InitEdit method 0x60030028; "
            "SaveSubTableData method 0x60030029; ResetReferences method 0x6003002A; "
            "ServerGroupId get, let 0x68030000; SaveReportAttrs method 0x6003002B; "
            "SaveGenReportAttrs method 0x6003002C; CleanUpExpressDocuments method 0x60030032; "
            "DeleteExpScenario method 0x60030033; DeleteExpTemplate method 0x60030034; "
            "UpdateDocumentIds method 0x60030035; ResetDocumentIds method 0x60030036; "
            "CopyExpressScenario method 0x60030037; CopyExpressTemplate method 0x60030038")},
    {"_CPlexionCtl",
     Expand("Name get 0x68030003; Label get 0x68030002; Data get 0x68030001; "
            "ProgID get 0x68030000")},
    {"_CPlexionCtls",
     Expand("Clear method 0x60030001; Count method 0x60030002; Item method 0x00000000; "
            "NewEnum method 0xFFFFFFFC; Remove method 0x60030004; AddPlexion method 0x60030005")},
    {"_IPlexionEditor",
     Expand("HandleProcess method 0x60030000; LoadData method 0x60030001; "
            "GetData method 0x60030002; IsDataValid method 0x60030003; SaveData method 0x60030004")},
    {"_CPlexionNotify",
     Expand("NotifyFormChange method 0x60030000; NotifyTabChange method 0x60030001; "
            "NotifyTabShow method 0x60030002; NotifyTabStateChange method 0x60030003; "
            "NotifyTabOverride method 0x60030004; NotifyInitComplete method 0x60030005; "
            "NotifyPlexStateChange method 0x60030006; "
            "NotifyEntityTemplateChange method 0x60030007; "
            "NotifyScenarioChange method 0x60030008; NotifyBusyhourChange method 0x60030009; "
            "NotifyTabClick method 0x6003000A; NotifyReportTypeChange method 0x6003000B; "
            "NotifyGroupByIDChange method 0x6003000C")},
    {"_IPlexionControl",
     Expand("HandleTabProcess method 0x60030000; IsTabValid method 0x60030001; "
            "LoadState method 0x60030002; SaveData method 0x60030003; "
            "LoadData method 0x60030004; SaveState method 0x60030005")},
    {"_GPlexion",
     Expand("WeekdayToDB method 0x60030000; DBToWeekday method 0x60030001; "
            "GetNumServersForReportGroup method 0x60030002; "
            "GetFolderIdFromName method 0x60030003; AppTabs method 0x60030004; "
            "IsSATimeoutEnabled method 0x60030005; SchedDataFields method 0x60030006")},
    {"_CDataAvailData",
     Expand("DataTypeTabName get 0x68030010; DateTabName get 0x6803000F; "
            "ExecuteQuery method 0x60030011; UpdateTab method 0x60030012; "
            "ResetTab method 0x60030013; Initialize method 0x60030015; "
            "SetupDatatypeControl method 0x60030017; SetupSystemControl method 0x60030018; "
            "SetupDateTimeControl method 0x60030019; LoadSystemSelector method 0x60030020; "
            "PhysicalEntityTypes get 0x6803000E; SysEntityTypeCount get 0x6803000D; "
            "EditorName get 0x6803000C; EditorName let 0x6803000C; "
            "InValidSearchReasonText get 0x6803000A; ValidSearch get 0x68030009; "
            "SysTypesChosen get 0x68030008; StartDate let 0x68030007; StartDate get 0x68030007; "
            "EndDate let 0x68030006; EndDate get 0x68030006; MinLoadDate get 0x68030005; "
            "DataTypesSelCount get 0x68030004; SelectedDatatypes method 0x60030022; "
            "SelectedTimes let 0x68030003; AddSelectedSystems method 0x60030023; "
            "RemoveSelectedSystems method 0x60030025; MinPlexionWidth get 0x68030001; "
            "MinPlexionHeight get 0x68030000; UpdateDates method 0x60030026")},
    {"__CDataAvailData",
     Expand("DataTypesChanged method 0x00000001; ResetTab method 0x00000002; "
            "UpdateDates method 0x00000003")},
    {"__CPlexionNotify",
     Expand("TabChange method 0x00000001; TabOverride method 0x00000002; "
            "TabShow method 0x00000003; TabStateChange method 0x00000004; "
            "EntityTemplateChange method 0x00000005; InitComplete method 0x00000006; "
            "PlexStateChange method 0x00000007; FormChange method 0x00000008; "
            "ScenarioChange method 0x00000009; BusyhourChange method 0x0000000A; "
            "TabClick method 0x0000000B; ReportTypeChange method 0x0000000C; "
            "GroupByIDChange method 0x0000000D")},
};

std::vector<std::string> Lines(const InterfaceInfo& itf) {
  std::vector<std::string> lines;
  for (const MemberInfo& m : itf.members()) {
    char id[16];
    std::snprintf(id, sizeof id, "0x%08X", static_cast<unsigned>(m.id));
    lines.push_back(std::string(m.name) + " " + std::string(KindName(m.kind)) + " " + id);
  }
  return lines;
}

TEST(TypeLibrary, LibraryClassesAndInterfacesCarryThePublishedIds) {
  const TypeLibrary& lib = GetTypeLibrary();
  EXPECT_EQ(lib.name, "Plexion");
  EXPECT_EQ(lib.libid.ToString(), "{B7C223D6-706C-11D3-8C44-00105A6449C9}");
  EXPECT_EQ(lib.majorVersion, 523);
  EXPECT_EQ(lib.minorVersion, 0);
  EXPECT_EQ(lib.lcid, 0x409u);
  std::size_t i = 0;
  for (const ExpectedClass& e : kClasses) {
    SCOPED_TRACE(e.name);
    const ClassInfo* c = lib.FindClass(e.name);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->clsid.ToString(), e.clsid);
    EXPECT_EQ(c->ProgId(), std::string("Plexion.") + e.name);
    EXPECT_EQ(c->defaultInterface->name(), e.itf);
    EXPECT_EQ(c->defaultInterface->iid().ToString(), e.iid);
    EXPECT_EQ(c->eventInterface ? std::string(c->eventInterface->name()) : "", e.events);
    if (c->eventInterface) {
      EXPECT_EQ(c->eventInterface->iid().ToString(), e.eventIid);
    }
    EXPECT_EQ(c->instancing == Instancing::GlobalObject, e.global);
    EXPECT_EQ(bool(c->global), e.global);
    EXPECT_EQ(lib.FindClass(c->clsid), c);
    ++i;
  }
  EXPECT_EQ(lib.classes.size(), i) << "every class of the library is expected";
}

TEST(TypeLibrary, EveryMemberInFunctionTableOrderWithItsKindAndId) {
  std::size_t seen = 0;
  for (const ClassInfo& c : GetTypeLibrary().classes) {
    for (const InterfaceInfo* itf : {c.defaultInterface, c.eventInterface}) {
      if (!itf) continue;
      SCOPED_TRACE(std::string(itf->name()));
      const auto expected = kMembers.find(std::string(itf->name()));
      ASSERT_NE(expected, kMembers.end());
      EXPECT_EQ(Lines(*itf), expected->second);
      ++seen;
    }
  }
  EXPECT_EQ(seen, kMembers.size());
}

TEST(TypeLibrary, ParametersStateTheirPassingAndDefaults) {
  const InterfaceInfo& g = *GetTypeLibrary().FindClass("GPlexion")->defaultInterface;
  const MemberInfo* servers = g.Find(0x60030002, InvokeKind::Method);
  ASSERT_EQ(servers->params.size(), 2u);
  EXPECT_FALSE(servers->params[0].byRef);
  EXPECT_TRUE(servers->params[1].optional);
  EXPECT_EQ(*servers->params[1].defaultValue, Variant(std::int32_t{0}));
  EXPECT_TRUE(g.Find(0x60030004, InvokeKind::Method)->params[0].byRef) << "AppTabs(sKey) by reference";
  const InterfaceInfo& hub = *GetTypeLibrary().FindClass("CPlexionNotify")->defaultInterface;
  const MemberInfo* scenario = hub.Find(0x60030008, InvokeKind::Method);
  EXPECT_TRUE(scenario->params[1].byRef);
  EXPECT_TRUE(scenario->params[1].optional);
  EXPECT_FALSE(hub.Find(0x60030000, InvokeKind::Method)->params[2].byRef)
      << "NotifyFormChange takes its values by value";
  const EnumInfo& refType = GetTypeLibrary().enums.at(0);
  EXPECT_EQ(refType.name, "ERefType");
  EXPECT_EQ(refType.id.ToString(), "{88C21060-27AB-4846-9EBC-D4BCFC7E09BD}");
  EXPECT_EQ(refType.values, (std::vector<std::pair<std::string_view, std::int32_t>>{
                                {"RefScenario", 0}, {"RefTemplate", 1}, {"refChanSetPlan", 2},
                                {"RefSATemplate", 3}}));
}

}  // namespace
}  // namespace plexion::component
