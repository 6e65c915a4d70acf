#include "demo.hpp"

namespace plexion::cli {

void ShowComponentSurface() {}

}  // namespace plexion::cli
