#include "demo.hpp"

namespace plexion::cli {

void ShowReportDefinition() {}

}  // namespace plexion::cli
