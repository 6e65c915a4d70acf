// Minimal recording destination and date-time scope for the report definition's tests.
#pragma once

#include "plexion/services/output.hpp"
#include "plexion/services/scope.hpp"
#include "plexion/testing/recorder.hpp"

namespace plexion::testing {

class StandInDestination final : public Destination, public Recorder {
 public:
  explicit StandInDestination(SharedLog log) : Recorder(std::move(log), "Destination") {}
  ~StandInDestination() override { log->Add("Destination.Release"); }
  std::int32_t Insert() override {
    Call("Insert");
    id = insertId;
    return insertId;
  }
  void Update() override { Call("Update"); }
  std::int32_t Id() const override {
    Call("Id");
    return id;
  }
  void Id(std::int32_t value) override {
    Call("Id", value);
    id = value;
  }
  std::string WebAutoOrganize() const override {
    Call("WebAutoOrganize");
    return webAutoOrganize;
  }
  void WebAutoOrganize(const std::string& value) override {
    Call("WebAutoOrganize", value);
    webAutoOrganize = value;
  }

  std::int32_t id = 0, insertId = 0;
  std::string webAutoOrganize;
};

class StandInScope final : public DateTimeScope, public Recorder {
 public:
  explicit StandInScope(SharedLog log) : Recorder(std::move(log), "DateTimeScope") {}
  ~StandInScope() override { log->Add("DateTimeScope.Release"); }
  void Insert() override {
    Call("Insert");
    id = insertId;
  }
  void Update() override { Call("Update"); }
  std::int32_t Id() const override {
    Call("Id");
    return id;
  }
  void Id(std::int32_t value) override {
    Call("Id", value);
    id = value;
  }

  std::int32_t id = 0, insertId = 0;
};

}  // namespace plexion::testing

#include "plexion/testing/doubles.hpp"
#include "plexion/testing/report_doubles.hpp"

namespace plexion::testing {

// Every double a report definition reaches, on one call log.
struct ReportEnv {
  InstalledDoubles base;
  InstalledReportDoubles reports{base.log};
  SharedLog log = base.log;

  Ref<FakeReportSpec> Spec() { return MakeRef<FakeReportSpec>(log); }
  Ref<FakePageSetup> Page() { return MakeRef<FakePageSetup>(log); }
  Ref<StandInDestination> Dest() { return MakeRef<StandInDestination>(log); }
  Ref<StandInScope> Scope() { return MakeRef<StandInScope>(log); }
};

}  // namespace plexion::testing
