#include "demo.hpp"

namespace plexion::cli {

void ShowSoftAlarmSchedule() {}

}  // namespace plexion::cli
