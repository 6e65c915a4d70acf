// Installs the real default implementation of every external service for the process.
#pragma once

#include <functional>
#include <string>

#include "plexion/backends/config/configuration.hpp"
#include "plexion/services/db.hpp"

namespace plexion::backends {

// Settings, system configuration, feature switches and group-by defaults from the
// configuration; the database service (one connection per thread, schema created on first use)
// and the objects that store themselves in the database.
void InstallDefaults(const Configuration& config);

// What makes each thread's database service: a connection to the configuration's database
// with its [database] options, the schema created on first use.
std::function<Ref<DbService>()> DbServiceFactory(const Configuration& config);

// InstallDefaults, then this thread's database service is replaced by one opened at once on
// the configuration's database, so that a database that cannot be opened fails here. Other
// threads keep the service they have. (A host switching databases: `plexion.use_database`.)
void ReinstallDefaults(const Configuration& config);

// The configuration's database URL, else the per-user SQLite file.
std::string DatabaseUrlOf(const Configuration& config);

}  // namespace plexion::backends
