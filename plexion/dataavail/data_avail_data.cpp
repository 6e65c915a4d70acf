#include "plexion/dataavail/data_avail_data.hpp"

#include <limits>
#include <set>

#include "plexion/dataavail/data_avail_util.hpp"
#include "plexion/platform/convert.hpp"
#include "plexion/platform/text.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/system_config.hpp"

namespace plexion {

using dispatch::Method;

void CDataAvailDataEvents::OnEvent(DispId id, std::span<Variant> args) {
  DispatchEvent(*this, DataAvailEventInterface(), id, args);
}

const InterfaceInfo& DataAvailEventInterface() {
  using Events = CDataAvailDataEvents;
  auto id = [](DataAvailEvent e) { return static_cast<DispId>(e); };
  static const InterfaceInfo events(
      "__CDataAvailData", Guid::Parse("{0AA8CB6E-7C9A-4DCE-84D2-2F1A2BF4499A}"),
      {
          Method("DataTypesChanged", id(DataAvailEvent::DataTypesChanged),
                 &Events::DataTypesChanged),
          Method("ResetTab", id(DataAvailEvent::ResetTab), &Events::ResetTab),
          Method("UpdateDates", id(DataAvailEvent::UpdateDates), &Events::UpdateDates),
      });
  return events;
}

namespace {

// The column widths and kinds of the system selectors.
constexpr std::int16_t kSystemColumnWidth = 200;
constexpr std::int16_t kPlainColumn = 0;
constexpr std::int16_t kChainColumn = 1;

// An object argument or answer that is "no object" stops the member as the host language would.
template <class T>
T& Use(const Ref<T>& object) {
  if (!object) throw Error::Runtime(errnum::ObjectVariableNotSet);
  return *object;
}

}  // namespace

CDataAvailData::CDataAvailData()
    : searchModel_(services::Create<CoverageDb>()), events_(DataAvailEventInterface()) {}

CDataAvailData::~CDataAvailData() = default;

CoverageDb& CDataAvailData::Search() const { return Use(searchModel_); }

std::string CDataAvailData::EditorName() const { return editorName_; }
void CDataAvailData::EditorName(const std::string& value) { editorName_ = value; }

void CDataAvailData::Initialize(const Ref<CoverageDb>& oData) { searchModel_ = oData; }

void CDataAvailData::SetupDatatypeControl(const Ref<SelectorCtl>& oDataTypeSel) {
  SelectorCtl& selector = Use(oDataTypeSel);
  CoverageDb& search = Search();

  // The last two column definitions describe fields that are never shown.
  const StringArray columns = search.DataTypeColumns();
  const std::int32_t lastShown = columns.UBound(2) - 2;
  for (std::int32_t i = 1; i <= lastShown; ++i) {
    const std::string& title = columns.at(1, i);
    const std::int16_t width = ToInt16(Variant(columns.at(2, i)));
    if (UpperCase(title) == "LOADED") selector.AddColumn("First Avail", width, kPlainColumn);
    else selector.AddColumn(ProperCase(title), width, kPlainColumn);
  }
  const std::string tag = search.DataTypeTag();
  const std::int32_t tagValue = search.DataTypeTagValue();
  selector.SetTag(tag, tagValue);
  Raise(DataAvailEvent::DataTypesChanged);

  // First field: the row's text; then every field but the last two as sub-items.
  const StringArray rows = search.DataTypeRows();
  const std::int32_t firstField = rows.LBound(1), lastField = rows.UBound(1);
  for (std::int32_t j = rows.LBound(2); j <= rows.UBound(2); ++j) {
    Ref<SelectorListRow> row = selector.AddRow(rows.at(firstField, j), "");
    std::int16_t sub = 0;
    for (std::int32_t f = firstField + 1; f <= lastField - 2; ++f) {
      if (sub == std::numeric_limits<std::int16_t>::max()) throw Error::Runtime(errnum::Overflow);
      Use(row).SubItems(++sub, rows.at(f, j));
    }
  }
  selector.EndLoad();
}

std::int16_t CDataAvailData::SetupSystemControl(const Ref<SelectorCtl>& oSystemSel) {
  if (systemControlCount_ == std::numeric_limits<std::int16_t>::max())
    throw Error::Runtime(errnum::Overflow);
  ++systemControlCount_;
  SelectorCtl& selector = Use(oSystemSel);
  BuildSystemColumns(selector, systemControlCount_);
  LoadSystemSelector(oSystemSel);
  return systemControlCount_;
}

// Every entity type before the level's own that has no chain is a plain column; the entity
// types whose NextTypeId is above 0 are the levels, counted in collection order. The level's
// own type names the selector's Caption and, when it has a chain, adds a column for each type
// of the chain that has one.
void CDataAvailData::BuildSystemColumns(SelectorCtl& selector, std::int16_t level) {
  CoverageDb& search = Search();
  Ref<CoverageEntityTypes> types = search.EntityTypes();
  std::int16_t counted = 0;
  std::int32_t j = 0;
  while (counted < level) {
    ++j;
    const Ref<CoverageEntityType> held = Use(types).Item(j);
    CoverageEntityType& type = Use(held);
    if (type.ChainCount() == 0)
      selector.AddColumn(ProperCase(type.TypeName()), kSystemColumnWidth, kPlainColumn);
    if (type.NextTypeId() > 0) ++counted;
    if (counted != level) continue;

    selector.Caption(type.TypeName());
    if (type.ChainCount() > 0) {
      Ref<CoverageEntityTypesById> byId = search.EntityTypesById();
      // A chain that comes back to an id it passed would never end.
      std::set<std::int32_t> followed;
      Ref<CoverageEntityType> link = held;
      while (link) {
        if (link->NoColumn() == 0)
          selector.AddColumn(ProperCase(link->TypeName()), kSystemColumnWidth, kChainColumn);
        const std::int32_t next = link->NextTypeId();
        if (!followed.insert(next).second)
          throw Error::Runtime(errnum::InvalidProcedureCall,
                               "The entity-type chain of " + type.TypeName() +
                                   " comes back to type id " + std::to_string(next));
        link = Use(byId).Item(next);
      }
    }
  }
  selector.SelIndex(0);
}

void CDataAvailData::LoadSystemSelector(const Ref<SelectorCtl>& oSysSelector) {
  SelectorCtl& selector = Use(oSysSelector);
  CoverageDb& search = Search();
  const std::string caption = selector.Caption();
  Ref<CoverageSystems> systems = search.Systems();
  const std::int32_t count = Use(systems).Count();
  for (std::int32_t k = 1; k <= count; ++k) {
    const Ref<CoverageSystem> held = systems->Item(k);
    CoverageSystem& system = Use(held);
    if (system.TypeName() != caption) continue;
    const std::string text = system.FieldValue(1);
    const std::string key = system.Key();
    const Ref<SelectorListRow> row = selector.AddRow(text, key);
    const std::int16_t fields = system.FieldCount();
    for (std::int32_t f = 2; f <= fields; ++f)
      Use(row).SubItems(std::int16_t(f - 1), system.FieldValue(std::int16_t(f)));
    if (fields > 0) Use(row).SubItems(fields, system.TrailingText());
  }
  selector.EndLoad();
  levelCounts_ = Array<std::int16_t>(1, Use(search.EntityTypes()).Count());
}

void CDataAvailData::SetupDateTimeControl(const Ref<DateTimeCtl>& oDateTimeCtl) {
  dateTimeCtl_ = oDateTimeCtl;
  SetupDateTimeScope(Use(dateTimeCtl_));
}

void CDataAvailData::SetupDateTimeScope(DateTimeCtl& control) {
  if (services::Locate<SystemConfig>().EnterpriseMode()) control.Scope(Search().TimeScopeValue());
  else control.Scope(-1);
  Search().SetSelectedTimes(control.SelectedTimesOf());
}

void CDataAvailData::AddSelectedSystems(const StringArray& Value, std::int16_t Level) {
  const std::int32_t upper = Value.UBound();
  const std::int16_t count = Value.at(upper).empty() ? std::int16_t{0} : ToInt16(Variant(upper));
  levelCounts_.at(Level) = count;
  DataAvailUtil::AddUniqueItems(selectedSystems_, Value);
  Search().SetSelectedSystems(selectedSystems_);
}

void CDataAvailData::RemoveSelectedSystems(const StringArray& Value) {
  DataAvailUtil::RemoveItems(selectedSystems_, Value);
  Search().SetSelectedSystems(selectedSystems_);
}

void CDataAvailData::SelectedDatatypes(const StringArray& Value) {
  Search().SetSelectedDataTypes(Value);
  Raise(DataAvailEvent::DataTypesChanged);
}

void CDataAvailData::SelectedTimes(const StringArray& Value) { Search().SetSelectedTimes(Value); }

std::string CDataAvailData::StartDate() const { return Search().StartDateValue().ToText(); }

void CDataAvailData::StartDate(const std::string& value) {
  const DateTime date = ToDate(Variant(value));
  Search().StartDateValue(date);
}

std::string CDataAvailData::EndDate() const { return Search().EndDateValue().ToText(); }

void CDataAvailData::EndDate(const std::string& value) {
  const DateTime date = ToDate(Variant(value));
  Search().EndDateValue(date);
}

std::string CDataAvailData::MinLoadDate() const { return Search().MinLoadDateText(); }

bool CDataAvailData::ValidSearch() const {
  invalidSearchReasonText_ = Search().InvalidReason();
  return invalidSearchReasonText_.empty();
}

std::string CDataAvailData::InValidSearchReasonText() const { return invalidSearchReasonText_; }

StringArray CDataAvailData::ExecuteQuery() {
  std::int32_t options = 0;
  Search().RunQuery(options, "ExecuteSearchQuery");
  return StringArray(0, -1);
}

Ref<CoverageEntityTypes> CDataAvailData::PhysicalEntityTypes() const {
  return Search().EntityTypes();
}

std::int16_t CDataAvailData::SysEntityTypeCount() const {
  return ToInt16(Variant(Use(Search().EntityTypes()).Count()));
}

std::int16_t CDataAvailData::DataTypesSelCount() const { return Search().SelectedDataTypeCount(); }

StringArray CDataAvailData::SysTypesChosen() const { return Search().ChosenSystemTypes(); }

void CDataAvailData::UpdateTab() { Raise(DataAvailEvent::DataTypesChanged); }
void CDataAvailData::ResetTab() { Raise(DataAvailEvent::ResetTab); }
void CDataAvailData::UpdateDates() { Raise(DataAvailEvent::UpdateDates); }

float CDataAvailData::MinPlexionWidth() const {
  return dateTimeCtl_ ? dateTimeCtl_->MinWidth() : 0.0f;
}

float CDataAvailData::MinPlexionHeight() const {
  return dateTimeCtl_ ? dateTimeCtl_->MinHeight() : 0.0f;
}

void CDataAvailData::Raise(DataAvailEvent e) {
  using Events = CDataAvailDataEvents;
  const auto id = static_cast<DispId>(e);
  switch (e) {
    case DataAvailEvent::DataTypesChanged: return events_.Raise<&Events::DataTypesChanged>(id);
    case DataAvailEvent::ResetTab: return events_.Raise<&Events::ResetTab>(id);
    case DataAvailEvent::UpdateDates: return events_.Raise<&Events::UpdateDates>(id);
  }
}

ConnectionPoint::Cookie CDataAvailData::Connect(const Ref<EventSink>& listener) {
  return events_.Connect(listener);
}

void CDataAvailData::Disconnect(ConnectionPoint::Cookie cookie) { events_.Disconnect(cookie); }

ConnectionPoint* CDataAvailData::FindConnectionPoint(const Guid& eventIid) {
  return eventIid == events_.events().iid() ? &events_ : nullptr;
}

}  // namespace plexion
