// Recording doubles of the date-time scope, the destination and the hour-exclusion set. Each
// records its calls into the shared call log under its name ("DateTimeScope.Insert"), records
// "NAME.Release" when it dies, and fails a call whose log line starts with a prefix in failOn
// (after recording it).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "plexion/services/hour_exclusions.hpp"
#include "plexion/services/locator.hpp"
#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"
#include "plexion/testing/call_log.hpp"

namespace plexion::testing {

class FakeDateTimeScope final : public DateTimeScope {
 public:
  explicit FakeDateTimeScope(SharedLog log = NewLog(), std::string name = "DateTimeScope")
      : log(std::move(log)), name(std::move(name)) {}
  ~FakeDateTimeScope() override;

  void Insert() override;  // takes nextId as its Id
  void Update() override;
  std::int32_t Id() const override;
  void Id(std::int32_t id) override;

  SharedLog log;
  std::string name;
  std::int32_t id = 0;
  std::int32_t nextId = 501;
  std::vector<std::string> failOn;

 private:
  void Log(std::string line) const;
};

class FakeDestination final : public Destination {
 public:
  explicit FakeDestination(SharedLog log = NewLog(), std::string name = "Destination")
      : log(std::move(log)), name(std::move(name)) {}
  ~FakeDestination() override;

  std::int32_t Insert() override;  // returns nextId, which also becomes its Id
  void Update() override;
  std::int32_t Id() const override;
  void Id(std::int32_t id) override;
  std::string WebAutoOrganize() const override;
  void WebAutoOrganize(const std::string& value) override;

  SharedLog log;
  std::string name;
  std::int32_t id = 0;
  std::int32_t nextId = 701;
  std::string webAutoOrganize;
  std::vector<std::string> failOn;

 private:
  void Log(std::string line) const;
};

// Slots are kept in a map without a range check, so that a test sees every index it is handed.
class FakeHourExSet final : public HourExSet {
 public:
  explicit FakeHourExSet(SharedLog log = NewLog(), std::string name = "HourExSet")
      : log(std::move(log)), name(std::move(name)) {}
  ~FakeHourExSet() override;

  void SlotBase(std::int32_t base) override;
  std::int32_t SlotBase() const override;
  void SlotCount(std::int32_t count) override;
  std::int32_t SlotCount() const override;
  void ClearAll() override;
  bool Excluded(std::int32_t slot) const override;
  void Excluded(std::int32_t slot, bool excluded) override;

  // The slots that read true, ascending, without recording a call.
  std::vector<std::int32_t> ExcludedSlots() const;

  SharedLog log;
  std::string name;
  std::int32_t base = 0;
  std::int32_t count = 0;
  std::map<std::int32_t, bool> slots;
  std::vector<std::string> failOn;

 private:
  void Log(std::string line) const;
};

// Installs, for this thread, factories that hand out recording doubles sharing one log; the
// objects made are kept in order of creation.
struct InstalledOutputDoubles {
  explicit InstalledOutputDoubles(SharedLog log) : log(std::move(log)) {}

  SharedLog log;
  std::vector<Ref<FakeHourExSet>> hourSets;
  std::vector<Ref<FakeDateTimeScope>> scopes;
  std::vector<Ref<FakeDestination>> destinations;

 private:
  services::ScopedFactory<HourExSet> hourSets_{[this]() -> Ref<HourExSet> {
    hourSets.push_back(MakeRef<FakeHourExSet>(log));
    return hourSets.back();
  }};
  services::ScopedFactory<DateTimeScope> scopes_{[this]() -> Ref<DateTimeScope> {
    scopes.push_back(MakeRef<FakeDateTimeScope>(log));
    return scopes.back();
  }};
  services::ScopedFactory<Destination> destinations_{[this]() -> Ref<Destination> {
    destinations.push_back(MakeRef<FakeDestination>(log));
    return destinations.back();
  }};
};

}  // namespace plexion::testing
