#include "plexion/testing/schedule_doubles.hpp"

#include "plexion/testing/config_doubles.hpp"

namespace plexion::testing {

namespace {
void LogOrFail(const SharedLog& log, const std::vector<std::string>& failOn,
               const std::string& source, std::string line) {
  for (const std::string& prefix : failOn) {
    if (line.compare(0, prefix.size(), prefix) == 0) {
      log->Add(std::move(line));
      throw ServiceFailure(source);
    }
  }
  log->Add(std::move(line));
}
}  // namespace

// ---- date-time scope ----

FakeDateTimeScope::~FakeDateTimeScope() { log->Add(name + ".Release"); }
void FakeDateTimeScope::Log(std::string line) const {
  LogOrFail(log, failOn, name, std::move(line));
}

void FakeDateTimeScope::Insert() {
  Log(name + ".Insert");
  id = nextId;
}
void FakeDateTimeScope::Update() { Log(name + ".Update"); }
std::int32_t FakeDateTimeScope::Id() const {
  Log(name + ".Id");
  return id;
}
void FakeDateTimeScope::Id(std::int32_t value) {
  Log(CallText(name + ".Id", value));
  id = value;
}

// ---- destination ----

FakeDestination::~FakeDestination() { log->Add(name + ".Release"); }
void FakeDestination::Log(std::string line) const { LogOrFail(log, failOn, name, std::move(line)); }

std::int32_t FakeDestination::Insert() {
  Log(name + ".Insert");
  id = nextId;
  return id;
}
void FakeDestination::Update() { Log(name + ".Update"); }
std::int32_t FakeDestination::Id() const {
  Log(name + ".Id");
  return id;
}
void FakeDestination::Id(std::int32_t value) {
  Log(CallText(name + ".Id", value));
  id = value;
}
std::string FakeDestination::WebAutoOrganize() const {
  Log(name + ".WebAutoOrganize");
  return webAutoOrganize;
}
void FakeDestination::WebAutoOrganize(const std::string& value) {
  Log(CallText(name + ".WebAutoOrganize", value));
  webAutoOrganize = value;
}

// ---- hour-exclusion set ----

FakeHourExSet::~FakeHourExSet() { log->Add(name + ".Release"); }
void FakeHourExSet::Log(std::string line) const { LogOrFail(log, failOn, name, std::move(line)); }

void FakeHourExSet::SlotBase(std::int32_t value) {
  Log(CallText(name + ".SlotBase", value));
  base = value;
}
std::int32_t FakeHourExSet::SlotBase() const {
  Log(name + ".SlotBase");
  return base;
}
void FakeHourExSet::SlotCount(std::int32_t value) {
  Log(CallText(name + ".SlotCount", value));
  count = value;
}
std::int32_t FakeHourExSet::SlotCount() const {
  Log(name + ".SlotCount");
  return count;
}
void FakeHourExSet::ClearAll() {
  Log(name + ".ClearAll");
  slots.clear();
}
bool FakeHourExSet::Excluded(std::int32_t slot) const {
  Log(CallText(name + ".Excluded", slot));
  auto it = slots.find(slot);
  return it != slots.end() && it->second;
}
void FakeHourExSet::Excluded(std::int32_t slot, bool excluded) {
  Log(CallText(name + ".Excluded", slot, excluded));
  slots[slot] = excluded;
}
std::vector<std::int32_t> FakeHourExSet::ExcludedSlots() const {
  std::vector<std::int32_t> out;
  for (const auto& [slot, on] : slots)
    if (on) out.push_back(slot);
  return out;
}

}  // namespace plexion::testing
