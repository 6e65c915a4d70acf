// The default data-availability search.
#include "plexion/backends/installers.hpp"

namespace plexion::backends {

void InstallCoverage() {}

}  // namespace plexion::backends
