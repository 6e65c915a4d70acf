// The report output objects (external component OutputLib): destination, page setup, report
// specification and the general-attribute set. Each stores itself in the database.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plexion/platform/enumerator.hpp"
#include "plexion/platform/object.hpp"
#include "plexion/platform/variant.hpp"

namespace plexion {

class Destination : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "Destination";
  static constexpr std::string_view kTypeName = "Destination";
  // Stores a new record and returns its id.
  virtual std::int32_t Insert() = 0;
  virtual void Update() = 0;
  virtual std::int32_t Id() const = 0;
  virtual void Id(std::int32_t id) = 0;
  // The web auto-organize setting, kept by the report as a general attribute.
  virtual std::string WebAutoOrganize() const = 0;
  virtual void WebAutoOrganize(const std::string& value) = 0;
};

class PageSetup : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "PageSetup";
  static constexpr std::string_view kTypeName = "PageSetup";
  virtual void SpecKind(std::int32_t kind) = 0;
  virtual std::int32_t SpecKind() const = 0;
  virtual std::int32_t Insert() = 0;
  virtual void Update() = 0;
  virtual std::int32_t Id() const = 0;
  virtual void Id(std::int32_t id) = 0;
  // The page's header and footer texts and whether the control information is left off; the
  // page setup tab edits them.
  virtual std::string HeadNote() const = 0;
  virtual void HeadNote(const std::string& text) = 0;
  virtual std::string FootNote() const = 0;
  virtual void FootNote(const std::string& text) = 0;
  virtual bool RemoveControlInfo() const = 0;
  virtual void RemoveControlInfo(bool value) = 0;
  // Saves the page setup's attributes of a report; returns an object the caller releases.
  virtual Ref<Object> SaveAttrs(std::int32_t& reportId) = 0;
};

class ReportSpec : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "ReportSpec";
  static constexpr std::string_view kTypeName = "ReportSpec";
  virtual std::int32_t Insert() = 0;
  virtual void Update() = 0;
  virtual std::int32_t Id() const = 0;
  virtual void Id(std::int32_t id) = 0;
  // The grouping specification and the kind of report; the report specification tab edits them.
  virtual std::int32_t GroupingSpecId() const = 0;
  virtual void GroupingSpecId(std::int32_t id) = 0;
  virtual std::int32_t SpecKind() const = 0;
  virtual void SpecKind(std::int32_t kind) = 0;
  // Saves the specification's attributes of a report; returns an object the caller releases.
  virtual Ref<Object> SaveAttrs(std::int32_t& reportId) = 0;
};

// One named report attribute.
class GeneralAttribute : public virtual Object {
 public:
  virtual std::string Name() const = 0;
  virtual std::string Value() const = 0;
};

// The named attributes of one report.
class GeneralAttributes : public virtual Object {
 public:
  static constexpr std::string_view kServiceName = "GeneralAttributes";
  static constexpr std::string_view kTypeName = "GeneralAttributes";
  virtual void Clear() = 0;
  virtual void ReportId(std::int32_t reportId) = 0;
  virtual std::int32_t ReportId() const = 0;
  // Appends an attribute. With replace false a name already in the set is error 457 (names are
  // compared exactly); with replace true its value is replaced in place.
  virtual void Add(const std::string& name, const std::string& value, bool replace) = 0;
  // Stores the attributes under the report id; the result is the set's own.
  virtual Variant Save() = 0;
  // Reads a report's attributes; false when it has none.
  virtual bool Load(std::int32_t reportId) = 0;
  virtual bool Exists(const std::string& name) const = 0;
  // The attribute of that name; a name not in the set is an error.
  virtual Ref<GeneralAttribute> Item(const std::string& name) const = 0;
  virtual std::int32_t Count() const = 0;
  // Yields the attributes (GeneralAttribute objects) in order.
  virtual Ref<Enumerator> NewEnum() const = 0;
};

}  // namespace plexion
