#include "plexion/testing/output_doubles.hpp"

#include "plexion/platform/enumerator.hpp"

namespace plexion::testing {

std::int32_t FakeReportSpec::Insert() {
  Call("Insert");
  id = insertId;
  return insertId;
}
void FakeReportSpec::Update() { Call("Update"); }
std::int32_t FakeReportSpec::Id() const {
  Call("Id");
  return id;
}
void FakeReportSpec::Id(std::int32_t value) {
  Call("Id", value);
  id = value;
}
std::int32_t FakeReportSpec::GroupingSpecId() const {
  Call("GroupingSpecId");
  return groupingSpecId;
}
void FakeReportSpec::GroupingSpecId(std::int32_t value) {
  Call("GroupingSpecId", value);
  groupingSpecId = value;
}
std::int32_t FakeReportSpec::SpecKind() const {
  Call("SpecKind");
  return specKind;
}
void FakeReportSpec::SpecKind(std::int32_t kind) {
  Call("SpecKind", kind);
  specKind = kind;
}
Ref<Object> FakeReportSpec::SaveAttrs(std::int32_t& reportId) {
  Call("SaveAttrs", reportId);
  if (writeBackReportId) reportId = *writeBackReportId;
  return MakeRef<ReleaseProbe>(log, "ReportSpec.SaveAttrs");
}

void FakePageSetup::SpecKind(std::int32_t kind) {
  Call("SpecKind", kind);
  specKind = kind;
}
std::int32_t FakePageSetup::SpecKind() const {
  Call("SpecKind");
  return specKind;
}
std::int32_t FakePageSetup::Insert() {
  Call("Insert");
  id = insertId;
  return insertId;
}
void FakePageSetup::Update() { Call("Update"); }
std::int32_t FakePageSetup::Id() const {
  Call("Id");
  return id;
}
void FakePageSetup::Id(std::int32_t value) {
  Call("Id", value);
  id = value;
}
std::string FakePageSetup::HeadNote() const {
  Call("HeadNote");
  return headNote;
}
void FakePageSetup::HeadNote(const std::string& text) {
  Call("HeadNote", text);
  headNote = text;
}
std::string FakePageSetup::FootNote() const {
  Call("FootNote");
  return footNote;
}
void FakePageSetup::FootNote(const std::string& text) {
  Call("FootNote", text);
  footNote = text;
}
bool FakePageSetup::RemoveControlInfo() const {
  Call("RemoveControlInfo");
  return removeControlInfo;
}
void FakePageSetup::RemoveControlInfo(bool value) {
  Call("RemoveControlInfo", value);
  removeControlInfo = value;
}
Ref<Object> FakePageSetup::SaveAttrs(std::int32_t& reportId) {
  Call("SaveAttrs", reportId);
  return MakeRef<ReleaseProbe>(log, "PageSetup.SaveAttrs");
}

namespace {
class FakeAttribute final : public GeneralAttribute {
 public:
  FakeAttribute(SharedLog log, std::string name, std::string value)
      : log_(std::move(log)), name_(std::move(name)), value_(std::move(value)) {}
  std::string Name() const override {
    log_->Add("GeneralAttribute(" + name_ + ").Name");
    return name_;
  }
  std::string Value() const override {
    log_->Add("GeneralAttribute(" + name_ + ").Value");
    return value_;
  }

 private:
  SharedLog log_;
  std::string name_, value_;
};
}  // namespace

void FakeGeneralAttributes::Clear() {
  Call("Clear");
  items.clear();
}
void FakeGeneralAttributes::ReportId(std::int32_t value) {
  Call("ReportId", value);
  reportId = value;
}
std::int32_t FakeGeneralAttributes::ReportId() const {
  Call("ReportId");
  return reportId;
}
void FakeGeneralAttributes::Add(const std::string& name, const std::string& value, bool replace) {
  Call("Add", name, value, replace);
  for (auto& item : items) {
    if (item.first != name) continue;
    if (!replace) throw Error::Runtime(errnum::DuplicateKey);
    item.second = value;
    return;
  }
  items.emplace_back(name, value);
}
Variant FakeGeneralAttributes::Save() {
  Call("Save");
  (*store)[reportId] = items;
  return Variant(static_cast<std::int32_t>(items.size()));
}
bool FakeGeneralAttributes::Load(std::int32_t value) {
  Call("Load", value);
  reportId = value;
  const auto it = store->find(value);
  items = it == store->end() ? AttributeList{} : it->second;
  return !items.empty();
}
bool FakeGeneralAttributes::Exists(const std::string& name) const {
  Call("Exists", name);
  for (const auto& item : items)
    if (item.first == name) return true;
  return false;
}
Ref<GeneralAttribute> FakeGeneralAttributes::Item(const std::string& name) const {
  Call("Item", name);
  for (const auto& item : items)
    if (item.first == name) return MakeRef<FakeAttribute>(log, item.first, item.second);
  throw ServiceFailure(source, "no attribute " + name);
}
std::int32_t FakeGeneralAttributes::Count() const {
  Call("Count");
  return static_cast<std::int32_t>(items.size());
}
Ref<Enumerator> FakeGeneralAttributes::NewEnum() const {
  Call("NewEnum");
  std::vector<Variant> attributes;
  for (const auto& [name, value] : items)
    attributes.emplace_back(Ref<GeneralAttribute>(MakeRef<FakeAttribute>(log, name, value)));
  return MakeRef<SnapshotEnumerator>(std::move(attributes));
}

}  // namespace plexion::testing
