// The notification hub through which an editor and its tabs talk, and its listener interface.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "plexion/platform/events.hpp"

namespace plexion {

// The events of __CPlexionNotify, by dispatch id.
enum class NotifyEvent : DispId {
  TabChange = 1,
  TabOverride = 2,
  TabShow = 3,
  TabStateChange = 4,
  EntityTemplateChange = 5,
  InitComplete = 6,
  PlexStateChange = 7,
  FormChange = 8,
  ScenarioChange = 9,
  BusyhourChange = 10,
  TabClick = 11,
  ReportTypeChange = 12,
  GroupByIDChange = 13,
};

// A typed listener of the hub: override the events of interest. Every argument refers to the
// notifying caller's variable (to the hub's copies for FormChange), so assigning to it answers.
// Each method is one event of __CPlexionNotify, in id order; the event table binds them.
class CPlexionNotifyEvents : public EventSink {
 public:
  virtual void TabChange() {}
  virtual void TabOverride(std::string& TheName, bool& TheState);
  virtual void TabShow(std::string& TheName);
  virtual void TabStateChange(std::string& sTabName, bool& fState);
  virtual void EntityTemplateChange(Ref<Object>& TheDoc);
  virtual void InitComplete() {}
  virtual void PlexStateChange(std::string& sTabName, bool& fState);
  virtual void FormChange(std::string& ControlName, std::string& PropertyName, Variant& fValue);
  virtual void ScenarioChange(std::int32_t& ScenarioId, bool& fIsExpress);
  virtual void BusyhourChange(bool& DoStored, std::int32_t& BusyhourId);
  virtual void TabClick(std::int32_t& Index, std::string& ProgID);
  virtual void ReportTypeChange(std::string& sReportType);
  virtual void GroupByIDChange(std::string& sSpan);

  void OnEvent(DispId id, std::span<Variant> args) final;
};

// The event interface __CPlexionNotify: names, ids and parameters of the thirteen events.
const InterfaceInfo& NotifyEventInterface();

// One hub per open document. Each Notify method raises its one event to every connected
// listener, synchronously, and returns when the last listener has returned. Arguments travel by
// reference to the caller's variables, except for NotifyFormChange, whose listeners share the
// hub's copies of the three values.
class CPlexionNotify : public virtual Object, public ConnectionPointContainer {
 public:
  using ComponentClass = CPlexionNotify;
  static constexpr std::string_view kTypeName = "CPlexionNotify";

  CPlexionNotify();

  void NotifyFormChange(const std::string& ControlName, const std::string& PropertyName,
                        const Variant& fValue);
  void NotifyTabChange();
  void NotifyTabShow(std::string& sTabName);
  void NotifyTabStateChange(std::string& sTabName, bool& fOverrideAllowed);
  void NotifyTabOverride(std::string& TheName, bool& TheState);
  void NotifyInitComplete();
  void NotifyPlexStateChange(std::string& sTabName, bool& fState);
  // Any object reference passes through (a document of the folder component, normally).
  void NotifyEntityTemplateChange(Ref<Object>& TheDoc);
  // Without fIsExpress listeners receive a false of the hub's own, which they may change.
  void NotifyScenarioChange(std::int32_t& lScenarioId);
  void NotifyScenarioChange(std::int32_t& lScenarioId, bool& fIsExpress);
  void NotifyBusyhourChange(bool& fDoStored, std::int32_t& lBusyHourId);
  void NotifyTabClick(std::int32_t& Index, std::string& ProgID);
  void NotifyReportTypeChange(std::string& sReportType);
  void NotifyGroupByIDChange(std::string& sSpan);

  // A connection holds its listener until Disconnect or the end of the hub (see ConnectionPoint).
  ConnectionPoint::Cookie Connect(const Ref<EventSink>& listener);
  void Disconnect(ConnectionPoint::Cookie cookie);
  ConnectionPoint* FindConnectionPoint(const Guid& eventIid) override;

 private:
  template <auto Handler, class... A>
  void Raise(NotifyEvent e, A&... args);

  TypedConnectionPoint<CPlexionNotifyEvents> events_;
};

}  // namespace plexion
