// The default report output objects: report specification, page setup and general-attribute
// set, each stored in the database of this thread's database service.
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "plexion/backends/sql/database.hpp"
#include "plexion/services/output.hpp"

namespace plexion::backends {

// What SaveAttrs hands back: which report's attributes were written, and how many.
class SavedReportAttrs final : public virtual Object {
 public:
  SavedReportAttrs(std::int32_t reportId, std::int32_t count)
      : reportId_(reportId), count_(count) {}
  std::int32_t ReportId() const { return reportId_; }
  std::int32_t Count() const { return count_; }

 private:
  std::int32_t reportId_;
  std::int32_t count_;
};

// A row of rpt_report_spec. SaveAttrs writes the specification's settings as the report's
// "ReportSpec" rows of rpt_report_attr.
class SqlReportSpec final : public ReportSpec {
 public:
  explicit SqlReportSpec(std::shared_ptr<Database> db) : db_(std::move(db)) {}

  std::int32_t Insert() override;
  void Update() override;  // the row Id names must exist
  std::int32_t Id() const override { return id_; }
  void Id(std::int32_t id) override { id_ = id; }
  std::int32_t GroupingSpecId() const override { return groupingSpecId_; }
  void GroupingSpecId(std::int32_t id) override { groupingSpecId_ = id; }
  std::int32_t SpecKind() const override { return specKind_; }
  void SpecKind(std::int32_t kind) override { specKind_ = kind; }
  Ref<Object> SaveAttrs(std::int32_t& reportId) override;

  // Reads the stored row of that id (which must exist) into the object.
  void Load(std::int32_t id);

 private:
  std::shared_ptr<Database> db_;
  std::int32_t id_ = 0;
  std::int32_t groupingSpecId_ = 0;
  std::int32_t specKind_ = 0;
};

// A row of rpt_page_setup. SaveAttrs writes the page settings as the report's "PageSetup" rows
// of rpt_report_attr.
class SqlPageSetup final : public PageSetup {
 public:
  explicit SqlPageSetup(std::shared_ptr<Database> db) : db_(std::move(db)) {}

  void SpecKind(std::int32_t kind) override { specKind_ = kind; }
  std::int32_t SpecKind() const override { return specKind_; }
  std::int32_t Insert() override;
  void Update() override;
  std::int32_t Id() const override { return id_; }
  void Id(std::int32_t id) override { id_ = id; }
  std::string HeadNote() const override { return headNote_; }
  void HeadNote(const std::string& text) override { headNote_ = text; }
  std::string FootNote() const override { return footNote_; }
  void FootNote(const std::string& text) override { footNote_ = text; }
  bool RemoveControlInfo() const override { return removeControlInfo_; }
  void RemoveControlInfo(bool value) override { removeControlInfo_ = value; }
  Ref<Object> SaveAttrs(std::int32_t& reportId) override;

  void Load(std::int32_t id);

 private:
  std::shared_ptr<Database> db_;
  std::int32_t id_ = 0;
  std::int32_t specKind_ = 0;
  std::string headNote_, footNote_;
  bool removeControlInfo_ = false;
};

// The general attributes of one report, kept in memory and stored as the rows of
// rpt_general_attr in the order they were added. Names compare exactly.
class SqlGeneralAttributes final : public GeneralAttributes {
 public:
  explicit SqlGeneralAttributes(std::shared_ptr<Database> db) : db_(std::move(db)) {}

  void Clear() override { items_.clear(); }
  void ReportId(std::int32_t reportId) override { reportId_ = reportId; }
  std::int32_t ReportId() const override { return reportId_; }
  void Add(const std::string& name, const std::string& value, bool replace) override;
  // Replaces the stored attributes of the report (which must have an id above 0) by the set's,
  // in one transaction; returns how many were stored.
  Variant Save() override;
  // Replaces the set by the stored attributes of a report and takes its id.
  bool Load(std::int32_t reportId) override;
  bool Exists(const std::string& name) const override;
  Ref<GeneralAttribute> Item(const std::string& name) const override;
  std::int32_t Count() const override { return static_cast<std::int32_t>(items_.size()); }
  Ref<Enumerator> NewEnum() const override;

 private:
  // The position of an attribute, or the count when the set has none of that name.
  std::size_t IndexOf(const std::string& name) const;

  std::shared_ptr<Database> db_;
  std::int32_t reportId_ = 0;
  std::vector<std::pair<std::string, std::string>> items_;
};

}  // namespace plexion::backends
