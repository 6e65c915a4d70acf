// The default page setup, report specification, general attributes and folder documents.
#include "plexion/backends/installers.hpp"

namespace plexion::backends {

void InstallReportOutputs() {}

}  // namespace plexion::backends
