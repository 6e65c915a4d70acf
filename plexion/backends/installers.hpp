// The default factories of each kind of external object; InstallDefaults calls them all.
#pragma once

namespace plexion::backends {

void InstallScheduleOutputs();  // date-time scope and destination
void InstallReportOutputs();    // page setup, report specification, general attributes, folders
void InstallHourExclusions();   // hour-exclusion set
void InstallCoverage();         // data-availability search

}  // namespace plexion::backends
