#include "demo.hpp"

namespace plexion::cli {

void ShowDataAvailability() {}

}  // namespace plexion::cli
