#include "plexion/tabs/app_tab_table.hpp"

#include <array>

namespace plexion::tabs {

namespace {

using enum ModeRule;
using enum FeatureRule;

constexpr std::array<std::string_view, 34> kApplications = {
    "Traffic",
    "CPFail Count",
    "CPFail Message",
    "EVDO PCMD Message",
    "DOCPFail Count",
    "DOCPFail Message",
    "Config Map",
    "Config Entity",
    "Schedule",
    "Sched OverRides",
    "Config Scenario",
    "UDR",
    "Soft Alarm",
    "Soft Alarm Template",
    "SES Schedule",
    "SES Study Definition",
    "SES Sched OVR",
    "Soft Alarm Schedule",
    "Soft Alarm Sched OVR",
    "Remote Server Definition",
    "Export Definition",
    "Export Schedule",
    "EA Export Sched OVR",
    "CPFail Handoff",
    "Dictionary Import",
    "Dictionary Import Schedule",
    "Dictionary Import SchedOVR",
    "Report Post Processing",
    "Notification",
    "Confidence",
    "ASCII Data Source",
    "ODBC Data Source",
    "PCMD Count",
    "PCMD Message",
};

const std::vector<std::string_view> kCallProcessing = {"CPFail Count",      "CPFail Message",
                                                       "EVDO PCMD Message", "DOCPFail Count",
                                                       "DOCPFail Message",  "CPFail Handoff"};
const std::vector<std::string_view> kPcmd = {"PCMD Count", "PCMD Message"};
const std::vector<std::string_view> kSchedules = {"Schedule", "Sched OverRides"};
const std::vector<std::string_view> kSes = {"SES Schedule", "SES Sched OVR"};

constexpr std::string_view kExpress = "Express_Reports";
constexpr std::string_view kChannelSetPlans = "Channel_Set_Plans_Category";
constexpr std::string_view kSnmp = "EN_SNMP_Support";

const std::vector<TabRow> kRows = {
    // Traffic: enterprise mode is read once; "Express_Reports" only outside it.
    {{"Traffic"}, "General", "General", "PlexionCtls.XEARptGenTab", Enterprise},
    {{"Traffic"},
     "General",
     "General",
     "PlexionCtls.XRptGenExpTab",
     NotEnterprise,
     false,
     kExpress,
     On},
    {{"Traffic"},
     "Destination",
     "Destination",
     "PlexionCtls.XRptDestTab",
     NotEnterprise,
     false,
     kExpress,
     On},
    {{"Traffic"},
     "General",
     "General",
     "PlexionCtls.XRptGenTab",
     NotEnterprise,
     false,
     kExpress,
     Off},
    {{"Traffic"}, "ReportType", "Report Type", "PlexionCtls.XRptTypeTab"},
    {{"Traffic"}, "DateTimeScope", "Date-Time Scope", "PlexionCtls.XDTScopeTab"},
    {{"Traffic"}, "Format", "Format", "PlexionCtls.XRptFormatTab"},

    {kCallProcessing, "General", "General", "PlexionCtls.XRptGenTab"},
    {kCallProcessing, "ReportType", "Report Type", "PlexionCtls.XCPFCountRptTypeTab"},
    {kCallProcessing, "DateTimeScope", "Date-Time Scope", "PlexionCtls.XDTScopeTab"},
    {kCallProcessing, "Format", "Format", "PlexionCtls.XRptFormatTab"},

    // These name their date-time tab "DateTypeScope".
    {kPcmd, "General", "General", "PlexionCtls.XRptGenTab"},
    {kPcmd, "ReportType", "Report Type", "PlexionCtls.XCPFCountRptTypeTab"},
    {kPcmd, "DateTypeScope", "Date-Time Scope", "PlexionCtls.XDTScopeTab"},
    {kPcmd, "Format", "Format", "PlexionCtls.XRptFormatTab"},

    {{"Confidence"}, "General", "General", "PlexionCtls.XConfRptGenTab"},
    {{"Confidence"}, "ReportType", "Report Type", "PlexionCtls.XConfRptTypeTab"},
    {{"Confidence"}, "DateTypeScope", "Date-Time Scope", "PlexionCtls.XDTScopeTab"},
    {{"Confidence"}, "Format", "Format", "PlexionCtls.XRptFormatTab"},

    {{"Config Map"}, "General", "General", "PlexionCtls.XRptGenTab"},
    {{"Config Map"}, "ConfigMap", "Config Map", "PlexionCtls.XCfgMapTab"},

    {{"Config Entity"}, "General", "General", "PlexionCtls.XRptGenTab"},
    {{"Config Entity"}, "ConfigRpt", "Report Options", "PlexionCtls.XCfgRptTab"},
    {{"Config Entity"}, "Format", "Format", "PlexionCtls.XRptFormatTab"},

    {{"Config Scenario", "UDR"}, "General", "General", "PlexionCtls.XRptGenTab"},
    {{"Config Scenario", "UDR"}, "Format", "Format", "PlexionCtls.XRptFormatTab"},

    // Schedules read enterprise mode twice: for the first tab and for the server-group tab.
    {kSchedules, "General", "General", "PlexionCtls.XEASchedGenTab", Enterprise},
    {kSchedules, "General", "General", "PlexionCtls.XSchedGenTab", NotEnterprise},
    {{"Schedule"}, "Schedule", "Schedule", "PlexionCtls.XScheduleTab"},
    {kSchedules, "ScenarioOverride", "Scenario", "PlexionCtls.XScenarioTab"},
    {kSchedules, "DestinationOverride", "Destination", "PlexionCtls.XDestTab"},
    {kSchedules, "DateTimeOverride", "Date-Time Scope", "PlexionCtls.XOvrDTScopeTab"},
    {kSchedules, "ServerGrpOverride", "Server Group", "PlexionCtls.XServerGroupTab", Enterprise,
     true},
    {kSchedules, "ChanSetPlanOverride", "Channel Set Plan", "PlexionCtls.XChanSetPlanTab",
     NotEnterprise, false, kChannelSetPlans, On},

    {{"Soft Alarm"}, "SAGeneral", "General", "AlertRuleCtrls.XSAGenTab"},
    {{"Soft Alarm"}, "SAThreshold", "Alarm Threshold", "AlertRuleCtrls.XThresholdTab"},
    {{"Soft Alarm Template"}, "SATemplate", "Alarm Template", "AlertRuleCtrls.XSATemplateTab"},

    {{"Soft Alarm Schedule"}, "SASchedGeneral", "General", "PlexionCtls.XSASchedGenTab"},
    {{"Soft Alarm Schedule"}, "SASchedSchedule", "Schedule", "PlexionCtls.XSAScheduleTab"},
    {{"Soft Alarm Schedule"}, "SAScenarioOvr", "Scenario", "PlexionCtls.XSAScenarioTab"},
    {{"Soft Alarm Sched OVR"}, "SASchedGenOvr", "General", "PlexionCtls.XSASchedGenTab"},
    {{"Soft Alarm Sched OVR"}, "SASchedScenOvr", "Scenario Override", "PlexionCtls.XSAScenarioTab"},

    {{"SES Schedule"}, "SESGeneral", "General", "StudySchedCtls.XSesSchedGenTab"},
    {{"SES Schedule"}, "SESSchedule", "Schedule", "StudySchedCtls.XSesScheduleTab"},
    {{"SES Sched OVR"}, "SesSchedGenOvr", "General", "StudySchedCtls.XSesSchedGenTab"},
    {kSes, "SesSchedPlmOvr", "PLM Override", "StudySchedCtls.XSesSchedPlmOvr"},
    {kSes, "SesSchedHomOvr", "HOM Override", "StudySchedCtls.XSesSchedHomOvr"},
    {kSes, "SesSchedRfcOvr", "RF Call Trace Override", "StudySchedCtls.XSesSchedRfcOvr"},
    {kSes, "SesSchedVcsOvr", "VCSA Override", "StudySchedCtls.XSesSchedVcsOvr"},

    {{"SES Study Definition"}, "VCSGen", "General", "StudyDefCtls.XSesVcsGen"},
    {{"SES Study Definition"}, "RFCGen", "General", "StudyDefCtls.XSesRfcGen"},
    {{"SES Study Definition"}, "HOMGen", "General", "StudyDefCtls.XSesHomGen"},
    {{"SES Study Definition"}, "VCSDetail", "VCSA Detail", "StudyDefCtls.XSesVcsDetail"},
    {{"SES Study Definition"}, "RFCDetail", "Directory Number(s)", "StudyDefCtls.XSesRfcDetail"},
    {{"SES Study Definition"}, "PLMTdma", "AMPS/TDMA Detail", "StudyDefCtls.XSesPlmTdma"},
    {{"SES Study Definition"}, "PLMGen", "General", "StudyDefCtls.XSesPlmGen"},
    {{"SES Study Definition"}, "HOMDetail", "HOM Detail", "StudyDefCtls.XSesHomDetail"},
    {{"SES Study Definition"}, "HOMCurrent", "Stop HOM Studies", "StudyDefCtls.XSesHomCurrent"},
    {{"SES Study Definition"}, "PLMCdma", "CDMA Detail", "StudyDefCtls.XSesPlmCdma"},
    {{"SES Study Definition"}, "RFCCdma3g", "CDMA 3G Data", "StudyDefCtls.XSesRfcCdma3g"},

    {{"Remote Server Definition"},
     "RemoteServer",
     "Connection Definition",
     "RemoteLinkCtls.XRemoteServerTab",
     Any,
     false,
     {},
     None,
     "Remote Server"},

    {{"Export Definition"}, "EAExport", "General", "XferExportCtls.XEAExportTab"},
    {{"Export Schedule", "EA Export Sched OVR"},
     "General",
     "General",
     "XferExportSchedCtls.XEAExportSchedGenTab"},
    {{"Export Schedule"}, "Schedule", "Schedule", "XferExportSchedCtls.XEAExportSchedTab"},
    {{"Export Schedule", "EA Export Sched OVR"},
     "RemoteServerGrpOvr",
     "Remote Server Group",
     "XferExportSchedCtls.XEARemoteGroupTab"},

    {{"Dictionary Import"}, "EADDImport", "General", "XferDictImportCtls.XEADDImportTab"},
    {{"Dictionary Import Schedule", "Dictionary Import SchedOVR"},
     "General",
     "General",
     "XferDictSchedCtls.XEADDISchedGenTab"},
    {{"Dictionary Import Schedule"}, "Schedule", "Schedule", "XferDictSchedCtls.XEADDISchedTab"},
    {{"Dictionary Import Schedule", "Dictionary Import SchedOVR"},
     "RemoteServerGrpOvr",
     "Remote Server Group",
     "XferDictSchedCtls.XEARemoteGroupTab"},

    {{"Report Post Processing"},
     "ERppSourceReports",
     "Source Reports",
     "XferPostProcCtls.XSourceReports"},
    {{"Report Post Processing"},
     "ERppDestinationWorkbook",
     "Destination Workbook",
     "XferPostProcCtls.XDestinationWorkbook"},
    {{"Report Post Processing"},
     "ERppRemoteServerMappings",
     "Remote Server Mappings",
     "XferPostProcCtls.XRemoteServerMapping"},
    {{"Report Post Processing"},
     "ERppFieldMapper",
     "Report Field Mappings",
     "XferPostProcCtls.XFieldMapper"},

    {{"Notification"}, "Events", "Event", "EventNotifyCtls.XEventsTab"},
    {{"Notification"}, "Email", "Email", "EventNotifyCtls.XEventEmailTab"},
    {{"Notification"}, "SNMP", "SNMP", "EventNotifyCtls.XEventSNMPTab", Any, false, kSnmp, On},

    {{"ASCII Data Source"}, "XDSGen", "General", "PlexionCtls.XDSGenTab"},
    {{"ASCII Data Source"}, "XDSColumns", "Columns", "PlexionCtls.XDSColumnsTab"},
    {{"ODBC Data Source"}, "XDSODBC", "General", "PlexionCtls.XDSODBCTab"},
    {{"ODBC Data Source"}, "XDSColumns", "Columns", "PlexionCtls.XDSColumnsTab"},
};

}  // namespace

std::span<const std::string_view> ApplicationNames() { return kApplications; }

std::span<const TabRow> TabRows() { return kRows; }

}  // namespace plexion::tabs
