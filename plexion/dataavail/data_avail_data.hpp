// The model behind the data-availability search editor, and its listener interface.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "plexion/platform/events.hpp"
#include "plexion/services/coverage_ctls.hpp"
#include "plexion/services/coverage_db.hpp"
#include "plexion/services/selector_ctls.hpp"

namespace plexion {

// The events of __CDataAvailData, by dispatch id.
enum class DataAvailEvent : DispId {
  DataTypesChanged = 1,
  ResetTab = 2,
  UpdateDates = 3,
};

// A typed listener of the model: override the events of interest. None has arguments.
class CDataAvailDataEvents : public EventSink {
 public:
  virtual void DataTypesChanged() {}
  virtual void ResetTab() {}
  virtual void UpdateDates() {}

  void OnEvent(DispId id, std::span<Variant> args) final;
};

// The event interface __CDataAvailData: names and ids of the three events.
const InterfaceInfo& DataAvailEventInterface();

// The user picks data types, systems (level by level) and a date-time range, and asks which
// data is loaded. The model does no database work: it forwards to its search object, fills the
// editor's selector and date-time controls from the search object's tables, and raises events
// that keep the editor's tabs in step.
//
// Nothing is trapped: errors of the search object, the controls and the system configuration
// leave the member that met them, and what was assigned before stays assigned.
class CDataAvailData : public virtual Object, public ConnectionPointContainer {
 public:
  using ComponentClass = CDataAvailData;
  static constexpr std::string_view kTypeName = "CDataAvailData";

  // Creates a search object (services::Create<CoverageDb>).
  CDataAvailData();
  ~CDataAvailData() override;

  std::string EditorName() const;
  void EditorName(const std::string& value);

  // Replaces the search object.
  void Initialize(const Ref<CoverageDb>& oData);

  // Fills the data-type selector: its columns, its tag, then (after DataTypesChanged) its rows.
  void SetupDatatypeControl(const Ref<SelectorCtl>& oDataTypeSel);
  // Gives the selector the next system level (1 for the first), builds its columns along the
  // entity types, loads its rows, and returns the level.
  std::int16_t SetupSystemControl(const Ref<SelectorCtl>& oSystemSel);
  // Keeps the control, sets its scope and hands its times to the search object.
  void SetupDateTimeControl(const Ref<DateTimeCtl>& oDateTimeCtl);
  // Lists the systems of the selector's entity type (its Caption) and starts the level counts
  // afresh, all 0.
  void LoadSystemSelector(const Ref<SelectorCtl>& oSysSelector);

  // Records the level's count (the upper bound of Value, or 0 when its last element is ""),
  // then merges Value into the chosen systems and hands them to the search object. A level
  // outside the counts, or an unallocated Value, is a subscript-out-of-range error.
  void AddSelectedSystems(const StringArray& Value, std::int16_t Level);
  void RemoveSelectedSystems(const StringArray& Value);
  void SelectedDatatypes(const StringArray& Value);  // raises DataTypesChanged
  void SelectedTimes(const StringArray& Value);

  // The search's dates as en-US text; a text that is not a date is a type mismatch and leaves
  // the search object as it was.
  std::string StartDate() const;
  void StartDate(const std::string& value);
  std::string EndDate() const;
  void EndDate(const std::string& value);
  std::string MinLoadDate() const;

  // Asks the search object why the search is not valid, keeps the answer, and is true when
  // there is none.
  bool ValidSearch() const;
  std::string InValidSearchReasonText() const;
  // Runs the search; the results stay in the search object. The answer is always an array
  // with no elements, bounds 0 to -1.
  StringArray ExecuteQuery();

  Ref<CoverageEntityTypes> PhysicalEntityTypes() const;
  std::int16_t SysEntityTypeCount() const;
  std::int16_t DataTypesSelCount() const;
  StringArray SysTypesChosen() const;

  void UpdateTab();    // raises DataTypesChanged
  void ResetTab();     // raises ResetTab
  void UpdateDates();  // raises UpdateDates

  std::string DataTypeTabName() const { return "DataType"; }
  std::string DateTabName() const { return "Date"; }
  // The date-time control's smallest size; 0 before SetupDateTimeControl.
  float MinPlexionWidth() const;
  float MinPlexionHeight() const;

  // A connection holds its listener until Disconnect or the end of the model (see
  // ConnectionPoint).
  ConnectionPoint::Cookie Connect(const Ref<EventSink>& listener);
  void Disconnect(ConnectionPoint::Cookie cookie);
  ConnectionPoint* FindConnectionPoint(const Guid& eventIid) override;

  // The model's own state, for hosts and tests (not members of its dispatch interface).
  const Ref<CoverageDb>& SearchModel() const { return searchModel_; }
  std::int16_t SystemControlCount() const { return systemControlCount_; }
  const StringArray& SelectedSystems() const { return selectedSystems_; }
  // Indexed from 1, one count per entity type; unallocated before LoadSystemSelector.
  const Array<std::int16_t>& LevelCounts() const { return levelCounts_; }

 private:
  CoverageDb& Search() const;
  void BuildSystemColumns(SelectorCtl& selector, std::int16_t level);
  void SetupDateTimeScope(DateTimeCtl& control);
  void Raise(DataAvailEvent e);

  std::string editorName_;
  Ref<CoverageDb> searchModel_;
  std::int16_t systemControlCount_ = 0;
  StringArray selectedSystems_;
  mutable std::string invalidSearchReasonText_;
  Ref<DateTimeCtl> dateTimeCtl_;
  Array<std::int16_t> levelCounts_;
  TypedConnectionPoint<CDataAvailDataEvents> events_;
};

}  // namespace plexion
