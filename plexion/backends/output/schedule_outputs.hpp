// The default date-time scope and destination: each stores itself as one row of its own table
// ("dt_scope", "out_destination") in the database of this thread's database service.
#pragma once

#include <cstdint>
#include <string>

#include "plexion/platform/datetime.hpp"
#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"

namespace plexion::backends {

// The period a report covers: either the last Count units (Relative, Unit "H", "D", "W" or
// "M") or the fixed span from StartDateTime to EndDateTime.
class DbDateTimeScope final : public DateTimeScope {
 public:
  // Stores a new row; its id comes from the database and becomes Id.
  void Insert() override;
  // Rewrites the row Id names; an Id without a row is an error.
  void Update() override;
  std::int32_t Id() const override { return id_; }
  void Id(std::int32_t id) override { id_ = id; }

  // Reads the row of that id into this object (and sets Id); an absent row is an error.
  void Load(std::int32_t id);

  bool Relative() const { return relative_; }
  void Relative(bool value) { relative_ = value; }
  std::int32_t Count() const { return count_; }
  void Count(std::int32_t value) { count_ = value; }
  std::string Unit() const { return unit_; }
  void Unit(const std::string& value) { unit_ = value; }
  DateTime StartDateTime() const { return start_; }
  void StartDateTime(DateTime value) { start_ = value; }
  DateTime EndDateTime() const { return end_; }
  void EndDateTime(DateTime value) { end_ = value; }

  // "last 7 D" or "01/05/2026 - 01/06/2026", for listings.
  std::string Describe() const;

 private:
  std::int32_t id_ = 0;
  bool relative_ = true;
  std::int32_t count_ = 1;
  std::string unit_ = "D";
  DateTime start_, end_;
};

// Where a report's output goes: a Kind ("Folder", "Email", "Printer", "Web"), its Target (a
// folder name, an address, a printer) and a file Format.
class DbDestination final : public Destination {
 public:
  // Stores a new row and returns its id (from the database), which also becomes Id.
  std::int32_t Insert() override;
  // Rewrites the row Id names; an Id without a row is an error.
  void Update() override;
  std::int32_t Id() const override { return id_; }
  void Id(std::int32_t id) override { id_ = id; }
  std::string WebAutoOrganize() const override { return webAutoOrganize_; }
  void WebAutoOrganize(const std::string& value) override { webAutoOrganize_ = value; }

  // Reads the row of that id into this object (and sets Id); an absent row is an error.
  void Load(std::int32_t id);

  std::string Kind() const { return kind_; }
  void Kind(const std::string& value) { kind_ = value; }
  std::string Target() const { return target_; }
  void Target(const std::string& value) { target_ = value; }
  std::string Format() const { return format_; }
  void Format(const std::string& value) { format_ = value; }

  // "Folder Reports (CSV)", for listings.
  std::string Describe() const;

 private:
  std::int32_t id_ = 0;
  std::string kind_ = "Folder";
  std::string target_;
  std::string format_ = "CSV";
  std::string webAutoOrganize_ = "N";
};

}  // namespace plexion::backends
