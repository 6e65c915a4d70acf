// The default hour-exclusion set.
#include "plexion/backends/installers.hpp"

namespace plexion::backends {

void InstallHourExclusions() {}

}  // namespace plexion::backends
