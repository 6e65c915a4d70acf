// The default hour-exclusion set: flag slots held in memory.
#pragma once

#include "plexion/services/hour_exclusions.hpp"

namespace plexion::backends {

// A new set with no slots (SlotBase 0, SlotCount 0).
Ref<HourExSet> MakeHourExSet();

}  // namespace plexion::backends
