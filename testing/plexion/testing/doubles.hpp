// Every service double, sharing one call log, installed for the current thread while alive.
#pragma once

#include "plexion/services/locator.hpp"
#include "plexion/testing/config_doubles.hpp"
#include "plexion/testing/coverage_doubles.hpp"
#include "plexion/testing/db_doubles.hpp"
#include "plexion/testing/report_doubles.hpp"
#include "plexion/testing/schedule_doubles.hpp"
#include "plexion/testing/settings_doubles.hpp"

namespace plexion::testing {

struct InstalledDoubles {
  SharedLog log = NewLog();
  Ref<FakeDbService> db = MakeRef<FakeDbService>(log);
  Ref<FakeSettingsService> settings = MakeRef<FakeSettingsService>(log);
  Ref<FakeSystemConfig> system = MakeRef<FakeSystemConfig>(log);
  Ref<FakeFeatureRegistry> features = MakeRef<FakeFeatureRegistry>(log);
  Ref<FakeGroupByDefaults> groupBy = MakeRef<FakeGroupByDefaults>(log);
  // The search object each new data-availability model creates.
  Ref<FakeCoverageDb> coverage = MakeRef<FakeCoverageDb>(log);
  // Document services, folder application, attribute sets and procedure calls.
  InstalledReportDoubles report{log};
  // Hour-exclusion sets, date-time scopes and destinations made by services::Create.
  InstalledOutputDoubles outputs{log};

 private:
  services::ScopedService<DbService> db_{db};
  services::ScopedService<SettingsService> settings_{settings};
  services::ScopedService<SystemConfig> system_{system};
  services::ScopedService<FeatureRegistry> features_{features};
  services::ScopedService<GroupByDefaults> groupBy_{groupBy};
  services::ScopedFactory<CoverageDb> coverage_{[c = coverage]() -> Ref<CoverageDb> { return c; }};
};

}  // namespace plexion::testing
