// Recording doubles of the report output objects: report specification, page setup and the
// general-attribute set. Each logs "Object.Release" when it goes.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "plexion/services/output.hpp"
#include "plexion/testing/recorder.hpp"

namespace plexion::testing {

class FakeReportSpec final : public ReportSpec, public Recorder {
 public:
  explicit FakeReportSpec(SharedLog log = NewLog()) : Recorder(std::move(log), "ReportSpec") {}
  ~FakeReportSpec() override { log->Add("ReportSpec.Release"); }

  std::int32_t Insert() override;
  void Update() override;
  std::int32_t Id() const override;
  void Id(std::int32_t id) override;
  std::int32_t GroupingSpecId() const override;
  void GroupingSpecId(std::int32_t id) override;
  std::int32_t SpecKind() const override;
  void SpecKind(std::int32_t kind) override;
  // Returns an object that logs "ReportSpec.SaveAttrs.Release".
  Ref<Object> SaveAttrs(std::int32_t& reportId) override;

  std::int32_t id = 0;
  std::int32_t insertId = 0;  // what Insert returns (and stores in id)
  std::int32_t groupingSpecId = 0;
  std::int32_t specKind = 0;
  std::optional<std::int32_t> writeBackReportId;  // SaveAttrs writes it into its argument
};

class FakePageSetup final : public PageSetup, public Recorder {
 public:
  explicit FakePageSetup(SharedLog log = NewLog()) : Recorder(std::move(log), "PageSetup") {}
  ~FakePageSetup() override { log->Add("PageSetup.Release"); }

  void SpecKind(std::int32_t kind) override;
  std::int32_t SpecKind() const override;
  std::int32_t Insert() override;
  void Update() override;
  std::int32_t Id() const override;
  void Id(std::int32_t id) override;
  std::string HeadNote() const override;
  void HeadNote(const std::string& text) override;
  std::string FootNote() const override;
  void FootNote(const std::string& text) override;
  bool RemoveControlInfo() const override;
  void RemoveControlInfo(bool value) override;
  Ref<Object> SaveAttrs(std::int32_t& reportId) override;

  std::int32_t id = 0;
  std::int32_t insertId = 0;
  std::int32_t specKind = 0;
  std::string headNote, footNote;
  bool removeControlInfo = false;
};

using AttributeList = std::vector<std::pair<std::string, std::string>>;
// Attributes saved per report id, shared by every set of one test so that a set can load
// what another saved.
using AttributeStore = std::shared_ptr<std::map<std::int32_t, AttributeList>>;

class FakeGeneralAttributes final : public GeneralAttributes, public Recorder {
 public:
  explicit FakeGeneralAttributes(
      SharedLog log = NewLog(),
      AttributeStore store = std::make_shared<AttributeStore::element_type>())
      : Recorder(std::move(log), "GeneralAttributes"), store(std::move(store)) {}
  ~FakeGeneralAttributes() override { log->Add("GeneralAttributes.Release"); }

  void Clear() override;
  void ReportId(std::int32_t reportId) override;
  std::int32_t ReportId() const override;
  void Add(const std::string& name, const std::string& value, bool replace) override;
  // Stores the set under its report id; returns the number stored.
  Variant Save() override;
  // Takes the stored set of the report (none: empty) and answers whether it has attributes.
  bool Load(std::int32_t reportId) override;
  bool Exists(const std::string& name) const override;
  Ref<GeneralAttribute> Item(const std::string& name) const override;
  std::int32_t Count() const override;
  // Yields attribute objects that log "GeneralAttribute(NAME).Name" and ".Value".
  Ref<Enumerator> NewEnum() const override;

  std::int32_t reportId = 0;
  AttributeList items;
  AttributeStore store;
};

}  // namespace plexion::testing
