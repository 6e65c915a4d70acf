#include "plexion/backends/defaults.hpp"

#include <memory>

#include "plexion/backends/config/config_services.hpp"
#include "plexion/backends/installers.hpp"
#include "plexion/backends/sql/schema.hpp"
#include "plexion/backends/sql/soci_db_service.hpp"
#include "plexion/services/locator.hpp"

namespace plexion::backends {

std::string DatabaseUrlOf(const Configuration& config) {
  return config.databaseUrl.empty() ? DatabaseUrl::DefaultSqliteUrl() : config.databaseUrl;
}

std::function<Ref<DbService>()> DbServiceFactory(const Configuration& config) {
  const DatabaseUrl url = DatabaseUrl::Parse(DatabaseUrlOf(config));
  return [url, options = config.database]() -> Ref<DbService> {
    std::shared_ptr<Database> db = Database::Open(url, options);
    EnsureSchema(*db);
    return MakeRef<SociDbService>(std::move(db));
  };
}

void InstallDefaults(const Configuration& config) {
  auto shared = std::make_shared<const Configuration>(config);
  InstallConfigServices(shared);
  services::SetFactory<DbService>(DbServiceFactory(config));
  services::SetFactory<ProcCall>(
      []() -> Ref<ProcCall> { return MakeRef<SociProcCall>(ThreadDatabase()); });
  InstallScheduleOutputs();
  InstallReportOutputs();
  InstallHourExclusions();
  InstallCoverage();
}

void ReinstallDefaults(const Configuration& config) {
  InstallDefaults(config);
  PerThread<services::ThreadSlot<DbService>>().instance = nullptr;
  services::Locate<DbService>();
}

}  // namespace plexion::backends
