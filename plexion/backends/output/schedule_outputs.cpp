// The default date-time scope and destination.
#include "plexion/backends/installers.hpp"

namespace plexion::backends {

void InstallScheduleOutputs() {}

}  // namespace plexion::backends
