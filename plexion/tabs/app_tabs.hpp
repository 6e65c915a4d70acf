// The application tab registry: one cached tab set per application name and thread.
#pragma once

#include <string>

#include "plexion/tabs/tab_set.hpp"

namespace plexion::MPlexion {

// The tab set of an application, built on the first request on this thread and the very same
// set afterwards; no object for a name that is not an application. The cache lookup ignores
// letter case, building matches names exactly.
Ref<CPlexionCtls> AppTabs(const std::string& sKey);

bool IsAppTabsCached(const std::string& sKey);

// Builds and caches the set of an application name (exact match); other names do nothing.
// The set enters the cache before its tabs are added, so an error part-way leaves it partial.
void BuildAppTabs(const std::string& sKey);

}  // namespace plexion::MPlexion
