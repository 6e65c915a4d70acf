#include "plexion/tabs/notify.hpp"

namespace plexion {

using dispatch::Method;
using Events = CPlexionNotifyEvents;

// The listener's defaults do nothing; they are defined out of line so that unnamed parameters
// keep their names in the header.
void CPlexionNotifyEvents::TabOverride(std::string&, bool&) {}
void CPlexionNotifyEvents::TabShow(std::string&) {}
void CPlexionNotifyEvents::TabStateChange(std::string&, bool&) {}
void CPlexionNotifyEvents::EntityTemplateChange(Ref<Object>&) {}
void CPlexionNotifyEvents::PlexStateChange(std::string&, bool&) {}
void CPlexionNotifyEvents::FormChange(std::string&, std::string&, Variant&) {}
void CPlexionNotifyEvents::ScenarioChange(std::int32_t&, bool&) {}
void CPlexionNotifyEvents::BusyhourChange(bool&, std::int32_t&) {}
void CPlexionNotifyEvents::TabClick(std::int32_t&, std::string&) {}
void CPlexionNotifyEvents::ReportTypeChange(std::string&) {}
void CPlexionNotifyEvents::GroupByIDChange(std::string&) {}

void CPlexionNotifyEvents::OnEvent(DispId id, std::span<Variant> args) {
  DispatchEvent(*this, NotifyEventInterface(), id, args);
}

const InterfaceInfo& NotifyEventInterface() {
  auto id = [](NotifyEvent e) { return static_cast<DispId>(e); };
  static const InterfaceInfo events(
      "__CPlexionNotify", Guid::Parse("{B1479B39-FEC9-45F8-B4D2-5CDE71D24884}"),
      {
          Method("TabChange", id(NotifyEvent::TabChange), &Events::TabChange),
          Method("TabOverride", id(NotifyEvent::TabOverride), &Events::TabOverride,
                 {"TheName", "TheState"}),
          Method("TabShow", id(NotifyEvent::TabShow), &Events::TabShow, {"TheName"}),
          Method("TabStateChange", id(NotifyEvent::TabStateChange), &Events::TabStateChange,
                 {"sTabName", "fState"}),
          Method("EntityTemplateChange", id(NotifyEvent::EntityTemplateChange),
                 &Events::EntityTemplateChange, {"TheDoc"}),
          Method("InitComplete", id(NotifyEvent::InitComplete), &Events::InitComplete),
          Method("PlexStateChange", id(NotifyEvent::PlexStateChange), &Events::PlexStateChange,
                 {"sTabName", "fState"}),
          Method("FormChange", id(NotifyEvent::FormChange), &Events::FormChange,
                 {"ControlName", "PropertyName", "fValue"}),
          Method("ScenarioChange", id(NotifyEvent::ScenarioChange), &Events::ScenarioChange,
                 {"ScenarioId", "fIsExpress"}),
          Method("BusyhourChange", id(NotifyEvent::BusyhourChange), &Events::BusyhourChange,
                 {"DoStored", "BusyhourId"}),
          Method("TabClick", id(NotifyEvent::TabClick), &Events::TabClick, {"Index", "ProgID"}),
          Method("ReportTypeChange", id(NotifyEvent::ReportTypeChange), &Events::ReportTypeChange,
                 {"sReportType"}),
          Method("GroupByIDChange", id(NotifyEvent::GroupByIDChange), &Events::GroupByIDChange,
                 {"sSpan"}),
      });
  return events;
}

CPlexionNotify::CPlexionNotify() : events_(NotifyEventInterface()) {}

template <auto Handler, class... A>
void CPlexionNotify::Raise(NotifyEvent e, A&... args) {
  events_.Raise<Handler>(static_cast<DispId>(e), args...);
}

void CPlexionNotify::NotifyFormChange(const std::string& ControlName,
                                      const std::string& PropertyName, const Variant& fValue) {
  std::string control = ControlName, property = PropertyName;
  Variant value = fValue.Value();
  Raise<&Events::FormChange>(NotifyEvent::FormChange, control, property, value);
}

void CPlexionNotify::NotifyTabChange() { Raise<&Events::TabChange>(NotifyEvent::TabChange); }

void CPlexionNotify::NotifyTabShow(std::string& sTabName) {
  Raise<&Events::TabShow>(NotifyEvent::TabShow, sTabName);
}

void CPlexionNotify::NotifyTabStateChange(std::string& sTabName, bool& fOverrideAllowed) {
  Raise<&Events::TabStateChange>(NotifyEvent::TabStateChange, sTabName, fOverrideAllowed);
}

void CPlexionNotify::NotifyTabOverride(std::string& TheName, bool& TheState) {
  Raise<&Events::TabOverride>(NotifyEvent::TabOverride, TheName, TheState);
}

void CPlexionNotify::NotifyInitComplete() {
  Raise<&Events::InitComplete>(NotifyEvent::InitComplete);
}

void CPlexionNotify::NotifyPlexStateChange(std::string& sTabName, bool& fState) {
  Raise<&Events::PlexStateChange>(NotifyEvent::PlexStateChange, sTabName, fState);
}

void CPlexionNotify::NotifyEntityTemplateChange(Ref<Object>& TheDoc) {
  Raise<&Events::EntityTemplateChange>(NotifyEvent::EntityTemplateChange, TheDoc);
}

void CPlexionNotify::NotifyScenarioChange(std::int32_t& lScenarioId) {
  bool fIsExpress = false;
  NotifyScenarioChange(lScenarioId, fIsExpress);
}

void CPlexionNotify::NotifyScenarioChange(std::int32_t& lScenarioId, bool& fIsExpress) {
  Raise<&Events::ScenarioChange>(NotifyEvent::ScenarioChange, lScenarioId, fIsExpress);
}

void CPlexionNotify::NotifyBusyhourChange(bool& fDoStored, std::int32_t& lBusyHourId) {
  Raise<&Events::BusyhourChange>(NotifyEvent::BusyhourChange, fDoStored, lBusyHourId);
}

void CPlexionNotify::NotifyTabClick(std::int32_t& Index, std::string& ProgID) {
  Raise<&Events::TabClick>(NotifyEvent::TabClick, Index, ProgID);
}

void CPlexionNotify::NotifyReportTypeChange(std::string& sReportType) {
  Raise<&Events::ReportTypeChange>(NotifyEvent::ReportTypeChange, sReportType);
}

void CPlexionNotify::NotifyGroupByIDChange(std::string& sSpan) {
  Raise<&Events::GroupByIDChange>(NotifyEvent::GroupByIDChange, sSpan);
}

ConnectionPoint::Cookie CPlexionNotify::Connect(const Ref<EventSink>& listener) {
  return events_.Connect(listener);
}

void CPlexionNotify::Disconnect(ConnectionPoint::Cookie cookie) { events_.Disconnect(cookie); }

ConnectionPoint* CPlexionNotify::FindConnectionPoint(const Guid& eventIid) {
  return eventIid == events_.events().iid() ? &events_ : nullptr;
}

}  // namespace plexion
