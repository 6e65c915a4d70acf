#include "plexion/component/type_library.hpp"

#include <mutex>
#include <typeinfo>
#include <unordered_map>

#include "plexion/dataavail/data_avail_data.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/platform/thread_state.hpp"
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

Guid Id(std::string_view text) { return Guid::Parse(text); }

const InterfaceInfo& CPlexionCtlInterface() {
  using C = CPlexionCtl;
  static const InterfaceInfo itf("_CPlexionCtl", Id("{6917AE9D-A7F0-4F36-BDE1-B326BEE09D8F}"),
                                 {
                                     Get("Name", 0x68030003, &C::Name),
                                     Get("Label", 0x68030002, &C::Label),
                                     Get("Data", 0x68030001, &C::Data),
                                     Get("ProgID", 0x68030000, &C::ProgID),
                                 });
  return itf;
}

const InterfaceInfo& CPlexionCtlsInterface() {
  using C = CPlexionCtls;
  static const InterfaceInfo itf(
      "_CPlexionCtls", Id("{22D1A7A3-FA3E-44D5-8A92-644517BB2A3C}"),
      {
          Method("Clear", 0x60030001, &C::Clear),
          Method("Count", 0x60030002, &C::Count),
          Method("Item", kDispIdValue, &C::Item, {"v"}),
          Method("NewEnum", kDispIdNewEnum, &C::NewEnum),
          Method("Remove", 0x60030004, &C::Remove, {P("sTab").ByRef()}),
          Method("AddPlexion", 0x60030005, &C::AddPlexion, {"sName", "sLabel", "sProgID", "vData"}),
      });
  return itf;
}

const InterfaceInfo& IPlexionEditorInterface() {
  using C = IPlexionEditor;
  static const InterfaceInfo itf(
      "_IPlexionEditor", Id("{96855158-D59E-4839-A0DE-C5175BC42E30}"),
      {
          Method("HandleProcess", 0x60030000, &C::HandleProcess, {"sProc"}),
          Method("LoadData", 0x60030001, &C::LoadData, {"ctlTab", "v"}),
          Method("GetData", 0x60030002, &C::GetData),
          Method("IsDataValid", 0x60030003, &C::IsDataValid),
          Method("SaveData", 0x60030004, &C::SaveData),
      });
  return itf;
}

const InterfaceInfo& CPlexionNotifyInterface() {
  using C = CPlexionNotify;
  static const InterfaceInfo itf(
      "_CPlexionNotify", Id("{07AC0923-7B7D-4780-B2F4-59098D82FD5C}"),
      {
          Method("NotifyFormChange", 0x60030000, &C::NotifyFormChange,
                 {"ControlName", "PropertyName", "fValue"}),
          Method("NotifyTabChange", 0x60030001, &C::NotifyTabChange),
          Method("NotifyTabShow", 0x60030002, &C::NotifyTabShow, {"sTabName"}),
          Method("NotifyTabStateChange", 0x60030003, &C::NotifyTabStateChange,
                 {"sTabName", "fOverrideAllowed"}),
          Method("NotifyTabOverride", 0x60030004, &C::NotifyTabOverride, {"TheName", "TheState"}),
          Method("NotifyInitComplete", 0x60030005, &C::NotifyInitComplete),
          Method("NotifyPlexStateChange", 0x60030006, &C::NotifyPlexStateChange,
                 {"sTabName", "fState"}),
          Method("NotifyEntityTemplateChange", 0x60030007, &C::NotifyEntityTemplateChange,
                 {"TheDoc"}),
          Method("NotifyScenarioChange", 0x60030008,
                 static_cast<void (C::*)(std::int32_t&, bool&)>(&C::NotifyScenarioChange),
                 {"lScenarioId", P("fIsExpress").Optional(Variant(false))}),
          Method("NotifyBusyhourChange", 0x60030009, &C::NotifyBusyhourChange,
                 {"fDoStored", "lBusyHourId"}),
          Method("NotifyTabClick", 0x6003000A, &C::NotifyTabClick, {"Index", "ProgID"}),
          Method("NotifyReportTypeChange", 0x6003000B, &C::NotifyReportTypeChange, {"sReportType"}),
          Method("NotifyGroupByIDChange", 0x6003000C, &C::NotifyGroupByIDChange, {"sSpan"}),
      });
  return itf;
}

const InterfaceInfo& IPlexionControlInterface() {
  using C = IPlexionControl;
  static const InterfaceInfo itf(
      "_IPlexionControl", Id("{5F5766B2-4187-469F-9F09-640C81E25E59}"),
      {
          Method("HandleTabProcess", 0x60030000, &C::HandleTabProcess, {"sProcess"}),
          Method("IsTabValid", 0x60030001, &C::IsTabValid, {"sMsgBoxTitle"}),
          Method("LoadState", 0x60030002, &C::LoadState),
          Method("SaveData", 0x60030003, &C::SaveData),
          Method("LoadData", 0x60030004, &C::LoadData, {"v", "sName", "dtN"}),
          Method("SaveState", 0x60030005, &C::SaveState),
      });
  return itf;
}

const InterfaceInfo& GPlexionInterface() {
  using C = GPlexion;
  static const InterfaceInfo itf(
      "_GPlexion", Id("{5CE43AAE-30BB-42C1-A72B-72321247357C}"),
      {
          Method("WeekdayToDB", 0x60030000, &C::WeekdayToDB, {P("sWeekday").ByRef()}),
          Method("DBToWeekday", 0x60030001, &C::DBToWeekday, {P("iDay").ByRef()}),
          Method("GetNumServersForReportGroup", 0x60030002, &C::GetNumServersForReportGroup,
                 {"lReportGroupID", P("lServerGroupID").Optional(Variant(std::int32_t{0}))}),
          Method("GetFolderIdFromName", 0x60030003, &C::GetFolderIdFromName, {"sName"}),
          Method("AppTabs", 0x60030004, &C::AppTabs, {P("sKey").ByRef()}),
          Method("IsSATimeoutEnabled", 0x60030005, &C::IsSATimeoutEnabled),
          Method("SchedDataFields", 0x60030006, &C::SchedDataFields),
      });
  return itf;
}

const InterfaceInfo& CReportDefDataInterface() {
  using C = CReportDefData;
  static const InterfaceInfo itf(
      "_CReportDefData", Id("{DFCAF4F6-482B-4631-82C0-D35154F84C4F}"),
      Rows{
          Get("WebAutoOrganize", 0x68030024, &C::WebAutoOrganize),
          GetLet("ReportId", 0x68030023, &C::ReportId, &C::ReportId),
          GetLet("EditorName", 0x68030022, &C::EditorName, &C::EditorName),
          GetLet("ScenarioId", 0x68030021, &C::ScenarioId, &C::ScenarioId),
          GetLet("TemplateID", 0x68030020, &C::TemplateID, &C::TemplateID),
          GetLet("DTScopeID", 0x6803001F, &C::DTScopeID, &C::DTScopeID),
          GetLet("DestinationId", 0x6803001E, &C::DestinationId, &C::DestinationId),
          GetLet("PageSetUpId", 0x6803001D, &C::PageSetUpId, &C::PageSetUpId),
          GetLet("ReportSpecId", 0x6803001C, &C::ReportSpecId, &C::ReportSpecId),
          GetLet("ChanSetID", 0x6803001B, &C::ChanSetID, &C::ChanSetID),
          GetLet("GroupingSpecId", 0x6803001A, &C::GroupingSpecId, &C::GroupingSpecId),
          GetLet("DomainScenarioId", 0x68030019, &C::DomainScenarioId, &C::DomainScenarioId),
          GetLet("EntityID", 0x68030018, &C::EntityID, &C::EntityID),
          GetLet("ChannelNumber", 0x68030017, &C::ChannelNumber, &C::ChannelNumber),
          GetLet("MapRadiusScale", 0x68030016, &C::MapRadiusScale, &C::MapRadiusScale),
          GetLet("TestChannels", 0x68030015, &C::TestChannels, &C::TestChannels),
          GetLet("EquippedOnly", 0x68030014, &C::EquippedOnly, &C::EquippedOnly),
          GetLet("FileName", 0x68030013, &C::FileName, &C::FileName),
          GetLet("AppName", 0x68030012, &C::AppName, &C::AppName),
          GetLet("IsScenarioExpress", 0x68030011, &C::IsScenarioExpress, &C::IsScenarioExpress),
          GetLet("IsTemplateExpress", 0x68030010, &C::IsTemplateExpress, &C::IsTemplateExpress),
          GetLet("IncludeInactive", 0x6803000F, &C::IncludeInactive, &C::IncludeInactive),
          GetLet("ExpressType", 0x6803000E, &C::ExpressType, &C::ExpressType),
          GetSet("ScenarioType", 0x6803000D, &C::ScenarioType, &C::ScenarioType),
          GetSet("ServerGroupType", 0x6803000C, &C::ServerGroupType, &C::ServerGroupType),
          GetSet("TemplateType", 0x6803000B, &C::TemplateType, &C::TemplateType),
          Set("DTScopeData", 0x6803000A, &C::DTScopeData, {"RHS"}),
          Set("DestinationData", 0x68030009, &C::DestinationData, {"RHS"}),
          Set("PageSetupData", 0x68030008, &C::PageSetupData, {"RHS"}),
          Set("ReportSpecData", 0x68030007, &C::ReportSpecData, {"RHS"}),
          Get("ReportSpecData", 0x68030007, &C::ReportSpecData),
          GetLet("IsNew", 0x68030006, &C::IsNew, &C::IsNew),
          GetLet("TempExpScenarioId", 0x68030005, &C::TempExpScenarioId, &C::TempExpScenarioId),
          GetLet("TempExpTemplateId", 0x68030004, &C::TempExpTemplateId, &C::TempExpTemplateId),
          Get("SaveOrigScenarioId", 0x68030003, &C::SaveOrigScenarioId),
          Get("SaveOrigTemplateId", 0x68030002, &C::SaveOrigTemplateId),
          Get("GenAttributes", 0x68030001, &C::GenAttributes),
          Method("InitNew", 0x60030027, &C::InitNew,
                 {P("ScenarioTypeA").ByRef(), P("TemplateTypeA").ByRef(), P("sAppNameA").ByRef(),
                  P("sEditorNameA").ByRef(), P("ordEntityA").ByRef(), P("RefType").ByRef(),
                  P("ord").ByRef(), P("iChannelNumberA").ByRef(), P("iMapRadiusScaleA").ByRef(),
                  P("ServerGroupTypeA").ByRef()}),
          Method("InitEdit", 0x60030028, &C::InitEdit,
                 {P("ordReportA").ByRef(),
                  P("ordChanSetA").ByRef(),
                  P("ordDestinationA").ByRef(),
                  P("ordPageSetupA").ByRef(),
                  P("ordDTScopeA").ByRef(),
                  P("ordReportSpecA").ByRef(),
                  P("ordGroupingSpecA").ByRef(),
                  P("sFileNameA").ByRef(),
                  P("sEditorNameA").ByRef(),
                  P("sAppNameA").ByRef(),
                  P("ordScenarioA").ByRef(),
                  P("ordTemplateA").ByRef(),
                  P("ScenarioTypeA").ByRef(),
                  P("TemplateTypeA").ByRef(),
                  P("ordEntityA").ByRef(),
                  P("iChannelNumberA").ByRef(),
                  P("MapRadiusScaleA").ByRef(),
                  P("sTestChansA").ByRef(),
                  P("sEquippedA").ByRef(),
                  P("ordDomainScenarioA").ByRef(),
                  P("ReportSpecDataA").ByRef(),
                  P("ServerGroupTypeA").ByRef(),
                  P("nServerGroupIdA").ByRef().Optional(Variant(std::int32_t{0}))}),
          Method("SaveSubTableData", 0x60030029, &C::SaveSubTableData, {P("ordReport").ByRef()}),
          Method("ResetReferences", 0x6003002A, &C::ResetReferences),
          GetLet("ServerGroupId", 0x68030000, &C::ServerGroupId, &C::ServerGroupId),
          Method("SaveReportAttrs", 0x6003002B, &C::SaveReportAttrs, {"ord"}),
          Method("SaveGenReportAttrs", 0x6003002C, &C::SaveGenReportAttrs, {P("ord").ByRef()}),
          Method("CleanUpExpressDocuments", 0x60030032, &C::CleanUpExpressDocuments),
          Method("DeleteExpScenario", 0x60030033, &C::DeleteExpScenario, {"ord"}),
          Method("DeleteExpTemplate", 0x60030034, &C::DeleteExpTemplate, {"ord"}),
          Method("UpdateDocumentIds", 0x60030035, &C::UpdateDocumentIds),
          Method("ResetDocumentIds", 0x60030036, &C::ResetDocumentIds),
          Method("CopyExpressScenario", 0x60030037, &C::CopyExpressScenario, {"ord"}),
          Method("CopyExpressTemplate", 0x60030038, &C::CopyExpressTemplate, {"ord"}),
      });
  return itf;
}

const InterfaceInfo& CSchedDataInterface() {
  using C = CSchedData;
  static const InterfaceInfo itf(
      "_CSchedData", Id("{DF9A9E9C-11C3-4600-878C-5C0E3944012C}"),
      Rows{
          Set("DestinationData", 0x6803002B, &C::DestinationData, {"RHS"}),
          GetLet("DoDestOverride", 0x6803002A, &C::DoDestOverride, &C::DoDestOverride),
          Set("DTScopeData", 0x68030029, &C::DTScopeData, {"RHS"}),
          GetLet("DoDTSOverride", 0x68030028, &C::DoDTSOverride, &C::DoDTSOverride),
          GetLet("OvrChanSetId", 0x68030027, &C::OvrChanSetId, &C::OvrChanSetId),
          GetLet("OvrDestinationId", 0x68030026, &C::OvrDestinationId, &C::OvrDestinationId),
          GetLet("OvrDTScopeId", 0x68030025, &C::OvrDTScopeId, &C::OvrDTScopeId),
          Get("OvrScenarioId", 0x68030024, &C::OvrScenarioId),
          Get("OvrServerGroupID", 0x68030023, &C::OvrServerGroupID),
          Let("OvrScenarioId", 0x68030024, &C::OvrScenarioId, {"RHS"}),
          Let("OvrServerGroupID", 0x68030023, &C::OvrServerGroupID, {"RHS"}),
          Get("AppName", 0x68030022, &C::AppName),
          Get("TimeZone", 0x68030021, &C::TimeZone),
          Let("AppName", 0x68030022, &C::AppName, {"RHS"}),
          Let("TimeZone", 0x68030021, &C::TimeZone, {"RHS"}),
          Method("InitEdit", 0x6003002D, &C::InitEdit,
                 {P("sEditorNameA").ByRef(),
                  P("ordClientMachineA").ByRef(),
                  P("sScheduleActiveA").ByRef(),
                  P("ordRptGrpA").ByRef(),
                  P("sRunModeA").ByRef(),
                  P("sRetrieveModeA").ByRef(),
                  P("sAutoPurgeA").ByRef(),
                  P("iPurgeIntervalA").ByRef(),
                  P("subFolderNameA").ByRef(),
                  P("dateFirstTimeA").ByRef(),
                  P("dateFinalTimeA").ByRef(),
                  P("iWhichMonthDateA").ByRef(),
                  P("iWhichWeekA").ByRef(),
                  P("iWhichWeekdayA").ByRef(),
                  P("sPeriodicityA").ByRef(),
                  P("iFrequencyA").ByRef(),
                  P("sIncludeMondaysA").ByRef(),
                  P("sIncludeTuesdaysA").ByRef(),
                  P("sIncludeWednesdaysA").ByRef(),
                  P("sIncludeThursdaysA").ByRef(),
                  P("sIncludeFridaysA").ByRef(),
                  P("sIncludeSaturdaysA").ByRef(),
                  P("sIncludeSundaysA").ByRef(),
                  P("sIncludeHolidaysA").ByRef(),
                  P("sIncludeDayAfterHolA").ByRef(),
                  P("sAppNameA").ByRef(),
                  P("sTimeZoneA").ByRef(),
                  P("sDLGrpByA").ByRef().Optional(Variant("R"))}),
          Method("InitNew", 0x6003002E, &C::InitNew,
                 {P("fIsImmediate").ByRef(), P("ordRptGrpA").ByRef(), P("sAppNameA").ByRef(),
                  P("sNameA").ByRef()}),
          Method("SaveSubTableData", 0x6003002F, &C::SaveSubTableData),
          GetLet("DLGroupBy", 0x68030020, &C::DLGroupBy, &C::DLGroupBy),
          Method("LoadSchedData", 0x60030030, &C::LoadSchedData, {P("ordID").ByRef(), "sAppName"}),
          GetLet("Periodicity", 0x6803001F, &C::Periodicity, &C::Periodicity),
          GetLet("PurgeInterval", 0x6803001E, &C::PurgeInterval, &C::PurgeInterval),
          GetLet("RetrieveMode", 0x6803001D, &C::RetrieveMode, &C::RetrieveMode),
          GetLet("RptGrpID", 0x6803001C, &C::RptGrpID, &C::RptGrpID),
          GetLet("RunMode", 0x6803001B, &C::RunMode, &C::RunMode),
          GetLet("ScheduleActive", 0x6803001A, &C::ScheduleActive, &C::ScheduleActive),
          GetLet("SubFolderName", 0x68030019, &C::SubFolderName, &C::SubFolderName),
          GetLet("WhichMonthDate", 0x68030018, &C::WhichMonthDate, &C::WhichMonthDate),
          GetLet("WhichWeek", 0x68030017, &C::WhichWeek, &C::WhichWeek),
          GetLet("WhichWeekday", 0x68030016, &C::WhichWeekday, &C::WhichWeekday),
          GetLet("AutoPurge", 0x68030015, &C::AutoPurge, &C::AutoPurge),
          GetLet("ClientMachineID", 0x68030014, &C::ClientMachineID, &C::ClientMachineID),
          GetLet("EditorName", 0x68030013, &C::EditorName, &C::EditorName),
          GetLet("FinalDateTime", 0x68030012, &C::FinalDateTime, &C::FinalDateTime),
          Get("DBFinalDateTime", 0x68030011, &C::DBFinalDateTime),
          GetLet("FirstDateTime", 0x68030010, &C::FirstDateTime, &C::FirstDateTime),
          Get("DBFirstDateTime", 0x6803000F, &C::DBFirstDateTime),
          GetLet("Frequency", 0x6803000E, &C::Frequency, &C::Frequency),
          GetLet("IncludeMondays", 0x6803000D, &C::IncludeMondays, &C::IncludeMondays),
          GetLet("IncludeTuesdays", 0x6803000C, &C::IncludeTuesdays, &C::IncludeTuesdays),
          GetLet("IncludeWednesdays", 0x6803000B, &C::IncludeWednesdays, &C::IncludeWednesdays),
          GetLet("IncludeThursdays", 0x6803000A, &C::IncludeThursdays, &C::IncludeThursdays),
          GetLet("IncludeFridays", 0x68030009, &C::IncludeFridays, &C::IncludeFridays),
          GetLet("IncludeSaturdays", 0x68030008, &C::IncludeSaturdays, &C::IncludeSaturdays),
          GetLet("IncludeSundays", 0x68030007, &C::IncludeSundays, &C::IncludeSundays),
          GetLet("IncludeHolidays", 0x68030006, &C::IncludeHolidays, &C::IncludeHolidays),
          GetLet("IncludeDayAfterHol", 0x68030005, &C::IncludeDayAfterHol, &C::IncludeDayAfterHol),
          GetLet("IsNew", 0x68030004, &C::IsNew, &C::IsNew),
          Get("IsOverride", 0x68030003, &C::IsOverride),
          GetLet("LastRunDate", 0x68030002, &C::LastRunDate, &C::LastRunDate),
          GetLet("NextRunDate", 0x68030001, &C::NextRunDate, &C::NextRunDate),
          GetLet("Override", 0x68030000, &C::Override, &C::Override),
      });
  return itf;
}

const InterfaceInfo& CSASchedDataInterface() {
  using C = CSASchedData;
  static const InterfaceInfo itf(
      "_CSASchedData", Id("{0136427C-49DF-482F-A3C8-D6BF553DB6E8}"),
      Rows{
          Method("GetHoursEx", 0x6003002C, &C::GetHoursEx, {P("ord").ByRef()}),
          GetLet("ScheduleID", 0x6803002B, &C::ScheduleID, &C::ScheduleID),
          GetLet("AutoPurge", 0x6803002A, &C::AutoPurge, &C::AutoPurge),
          GetLet("ClientMachineID", 0x68030029, &C::ClientMachineID, &C::ClientMachineID),
          Set("DestinationData", 0x68030028, &C::DestinationData, {"RHS"}),
          GetLet("DoDestOverride", 0x68030027, &C::DoDestOverride, &C::DoDestOverride),
          Set("DTScopeData", 0x68030026, &C::DTScopeData, {"RHS"}),
          Set("HourEXData", 0x68030025, &C::HourEXData, {"RHS"}),
          GetLet("DoDTSOverride", 0x68030024, &C::DoDTSOverride, &C::DoDTSOverride),
          GetLet("EditorName", 0x68030023, &C::EditorName, &C::EditorName),
          GetLet("FinalDateTime", 0x68030022, &C::FinalDateTime, &C::FinalDateTime),
          Get("DBFinalDateTime", 0x68030021, &C::DBFinalDateTime),
          GetLet("FirstDateTime", 0x68030020, &C::FirstDateTime, &C::FirstDateTime),
          Get("DBFirstDateTime", 0x6803001F, &C::DBFirstDateTime),
          GetLet("Frequency", 0x6803001E, &C::Frequency, &C::Frequency),
          GetLet("IncludeMondays", 0x6803001D, &C::IncludeMondays, &C::IncludeMondays),
          GetLet("IncludeTuesdays", 0x6803001C, &C::IncludeTuesdays, &C::IncludeTuesdays),
          GetLet("IncludeWednesdays", 0x6803001B, &C::IncludeWednesdays, &C::IncludeWednesdays),
          GetLet("IncludeThursdays", 0x6803001A, &C::IncludeThursdays, &C::IncludeThursdays),
          GetLet("IncludeFridays", 0x68030019, &C::IncludeFridays, &C::IncludeFridays),
          GetLet("IncludeSaturdays", 0x68030018, &C::IncludeSaturdays, &C::IncludeSaturdays),
          GetLet("IncludeSundays", 0x68030017, &C::IncludeSundays, &C::IncludeSundays),
          GetLet("IncludeHolidays", 0x68030016, &C::IncludeHolidays, &C::IncludeHolidays),
          GetLet("IncludeDayAfterHol", 0x68030015, &C::IncludeDayAfterHol, &C::IncludeDayAfterHol),
          Get("Timeout", 0x68030014, &C::Timeout),
          Let("Timeout", 0x68030014, &C::Timeout, {P("RHS").ByRef()}),
          Get("TimeoutUnit", 0x68030013, &C::TimeoutUnit),
          Let("TimeoutUnit", 0x68030013, &C::TimeoutUnit, {P("RHS").ByRef()}),
          GetLet("IsNew", 0x68030012, &C::IsNew, &C::IsNew),
          Get("IsOverride", 0x68030011, &C::IsOverride),
          GetLet("LastRunDate", 0x68030010, &C::LastRunDate, &C::LastRunDate),
          GetLet("NextRunDate", 0x6803000F, &C::NextRunDate, &C::NextRunDate),
          GetLet("Override", 0x6803000E, &C::Override, &C::Override),
          GetLet("OvrChanSetId", 0x6803000D, &C::OvrChanSetId, &C::OvrChanSetId),
          GetLet("OvrDestinationId", 0x6803000C, &C::OvrDestinationId, &C::OvrDestinationId),
          GetLet("OvrDTScopeId", 0x6803000B, &C::OvrDTScopeId, &C::OvrDTScopeId),
          GetLet("OvrScenarioId", 0x6803000A, &C::OvrScenarioId, &C::OvrScenarioId),
          GetLet("Periodicity", 0x68030009, &C::Periodicity, &C::Periodicity),
          GetLet("PurgeInterval", 0x68030008, &C::PurgeInterval, &C::PurgeInterval),
          GetLet("RetrieveMode", 0x68030007, &C::RetrieveMode, &C::RetrieveMode),
          GetLet("RptGrpID", 0x68030006, &C::RptGrpID, &C::RptGrpID),
          GetLet("RunMode", 0x68030005, &C::RunMode, &C::RunMode),
          GetLet("ScheduleActive", 0x68030004, &C::ScheduleActive, &C::ScheduleActive),
          GetLet("SubFolderName", 0x68030003, &C::SubFolderName, &C::SubFolderName),
          GetLet("WhichMonthDate", 0x68030002, &C::WhichMonthDate, &C::WhichMonthDate),
          GetLet("WhichWeek", 0x68030001, &C::WhichWeek, &C::WhichWeek),
          GetLet("WhichWeekday", 0x68030000, &C::WhichWeekday, &C::WhichWeekday),
          Method("InitEdit", 0x6003002E, &C::InitEdit, {P("ordSchedIDA").ByRef(),
                                                        P("sEditorNameA").ByRef(),
                                                        P("ordClientMachineA").ByRef(),
                                                        P("sScheduleActiveA").ByRef(),
                                                        P("ordRptGrpA").ByRef(),
                                                        P("ordScenarioA").ByRef(),
                                                        P("sRunModeA").ByRef(),
                                                        P("sRetrieveModeA").ByRef(),
                                                        P("sAutoPurgeA").ByRef(),
                                                        P("iPurgeIntervalA").ByRef(),
                                                        P("subFolderNameA").ByRef(),
                                                        P("dateFirstTimeA").ByRef(),
                                                        P("dateFinalTimeA").ByRef(),
                                                        P("iWhichMonthDateA").ByRef(),
                                                        P("iWhichWeekA").ByRef(),
                                                        P("iWhichWeekdayA").ByRef(),
                                                        P("sPeriodicityA").ByRef(),
                                                        P("iFrequencyA").ByRef(),
                                                        P("sIncludeMondaysA").ByRef(),
                                                        P("sIncludeTuesdaysA").ByRef(),
                                                        P("sIncludeWednesdaysA").ByRef(),
                                                        P("sIncludeThursdaysA").ByRef(),
                                                        P("sIncludeFridaysA").ByRef(),
                                                        P("sIncludeSaturdaysA").ByRef(),
                                                        P("sIncludeSundaysA").ByRef(),
                                                        P("sIncludeHolidaysA").ByRef(),
                                                        P("sIncludeDayAfterHolA").ByRef(),
                                                        P("lTimeoutA").ByRef(),
                                                        P("sTimeoutUnitA").ByRef()}),
          Method("InitNew", 0x6003002F, &C::InitNew,
                 {P("fIsImmediate").ByRef(), P("ordRptGrpA").ByRef(), P("sNameA").ByRef(),
                  P("OrdOvrScenarioA").ByRef(), P("OrdOvrChanSetPlanA").ByRef()}),
          Method("SaveSubTableData", 0x60030030, &C::SaveSubTableData),
          Method("LoadSASchedData", 0x60030031, &C::LoadSASchedData, {P("ordID").ByRef()}),
      });
  return itf;
}

const InterfaceInfo& CDataAvailDataInterface() {
  using C = CDataAvailData;
  static const InterfaceInfo itf(
      "_CDataAvailData", Id("{F06A0CE1-D9C9-4B52-B9EC-9A1D881E997C}"),
      {
          Get("DataTypeTabName", 0x68030010, &C::DataTypeTabName),
          Get("DateTabName", 0x6803000F, &C::DateTabName),
          Method("ExecuteQuery", 0x60030011, &C::ExecuteQuery),
          Method("UpdateTab", 0x60030012, &C::UpdateTab),
          Method("ResetTab", 0x60030013, &C::ResetTab),
          Method("Initialize", 0x60030015, &C::Initialize, {P("oData").ByRef()}),
          Method("SetupDatatypeControl", 0x60030017, &C::SetupDatatypeControl,
                 {P("oDataTypeSel").ByRef()}),
          Method("SetupSystemControl", 0x60030018, &C::SetupSystemControl,
                 {P("oSystemSel").ByRef()}),
          Method("SetupDateTimeControl", 0x60030019, &C::SetupDateTimeControl,
                 {P("oDateTimeCtl").ByRef()}),
          Method("LoadSystemSelector", 0x60030020, &C::LoadSystemSelector,
                 {P("oSysSelector").ByRef()}),
          Get("PhysicalEntityTypes", 0x6803000E, &C::PhysicalEntityTypes),
          Get("SysEntityTypeCount", 0x6803000D, &C::SysEntityTypeCount),
          Get("EditorName", 0x6803000C, &C::EditorName),
          Let("EditorName", 0x6803000C, &C::EditorName, {"RHS"}),
          Get("InValidSearchReasonText", 0x6803000A, &C::InValidSearchReasonText),
          Get("ValidSearch", 0x68030009, &C::ValidSearch),
          Get("SysTypesChosen", 0x68030008, &C::SysTypesChosen),
          Let("StartDate", 0x68030007, &C::StartDate, {"RHS"}),
          Get("StartDate", 0x68030007, &C::StartDate),
          Let("EndDate", 0x68030006, &C::EndDate, {"RHS"}),
          Get("EndDate", 0x68030006, &C::EndDate),
          Get("MinLoadDate", 0x68030005, &C::MinLoadDate),
          Get("DataTypesSelCount", 0x68030004, &C::DataTypesSelCount),
          Method("SelectedDatatypes", 0x60030022, &C::SelectedDatatypes, {P("Value").ByRef()}),
          Let("SelectedTimes", 0x68030003, &C::SelectedTimes, {P("Value").ByRef()}),
          Method("AddSelectedSystems", 0x60030023, &C::AddSelectedSystems,
                 {P("Value").ByRef(), P("Level").ByRef()}),
          Method("RemoveSelectedSystems", 0x60030025, &C::RemoveSelectedSystems,
                 {P("Value").ByRef()}),
          Get("MinPlexionWidth", 0x68030001, &C::MinPlexionWidth),
          Get("MinPlexionHeight", 0x68030000, &C::MinPlexionHeight),
          Method("UpdateDates", 0x60030026, &C::UpdateDates),
      });
  return itf;
}

template <class C>
ClassInfo Class(std::string_view name, std::string_view clsid, const InterfaceInfo& itf,
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
      Class<CPlexionCtl>("CPlexionCtl", "{B7C223D8-706C-11D3-8C44-00105A6449C9}",
                         CPlexionCtlInterface()),
      Class<CPlexionCtls>("CPlexionCtls", "{B7C223DA-706C-11D3-8C44-00105A6449C9}",
                          CPlexionCtlsInterface()),
      Class<IPlexionEditor>("IPlexionEditor", "{410E290C-80B0-11D3-8C4A-00105A6449C9}",
                            IPlexionEditorInterface()),
      Class<CReportDefData>("CReportDefData", "{AC3D8FA7-E7E9-11D4-A3F9-000102387EC5}",
                            CReportDefDataInterface()),
      Class<CPlexionNotify>("CPlexionNotify", "{AC3D8FA9-E7E9-11D4-A3F9-000102387EC5}",
                            CPlexionNotifyInterface(), &NotifyEventInterface()),
      Class<IPlexionControl>("IPlexionControl", "{AC3D8FAC-E7E9-11D4-A3F9-000102387EC5}",
                             IPlexionControlInterface()),
      Class<GPlexion>("GPlexion", "{AC3D8FA5-E7E9-11D4-A3F9-000102387EC5}", GPlexionInterface(),
                      nullptr, Instancing::GlobalObject),
      Class<CSchedData>("CSchedData", "{AC3D8FAE-E7E9-11D4-A3F9-000102387EC5}",
                        CSchedDataInterface()),
      Class<CDataAvailData>("CDataAvailData", "{AC3D8FB0-E7E9-11D4-A3F9-000102387EC5}",
                            CDataAvailDataInterface(), &DataAvailEventInterface()),
      Class<CSASchedData>("CSASchedData", "{83FDD278-5612-11D5-A487-00010275EF03}",
                          CSASchedDataInterface()),
  };
  lib.enums = {
      {"ERefType",
       Id("{88C21060-27AB-4846-9EBC-D4BCFC7E09BD}"),
       {{"RefScenario", 0}, {"RefTemplate", 1}, {"refChanSetPlan", 2}, {"RefSATemplate", 3}}}};
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

const ClassInfo* TypeLibrary::ClassOf(const Object& object) const {
  // Each dynamic type is resolved once per thread, by the address of its type information.
  struct Cache {
    const std::type_info* lastType = nullptr;
    const ClassInfo* lastClass = nullptr;
    std::unordered_map<const std::type_info*, const ClassInfo*> byType;
  };
  auto& cache = PerThread<Cache>();
  const std::type_info* type = &typeid(object);
  if (type == cache.lastType) return cache.lastClass;
  if (auto it = cache.byType.find(type); it != cache.byType.end()) {
    cache.lastType = type;
    cache.lastClass = it->second;
    return it->second;
  }
  const ClassInfo* found = nullptr;
  for (const ClassInfo& c : classes) {
    if (c.isInstance(object)) {
      found = &c;
      break;
    }
  }
  cache.byType.emplace(type, found);
  cache.lastType = type;
  cache.lastClass = found;
  return found;
}

const TypeLibrary& GetTypeLibrary() {
  static const TypeLibrary lib = Build();
  return lib;
}

}  // namespace plexion::component
