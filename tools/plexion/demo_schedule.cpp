#include "demo.hpp"

namespace plexion::cli {

void ShowSchedules() {}

}  // namespace plexion::cli
