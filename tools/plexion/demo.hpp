// The sections of plexion demo, one file each.
#pragma once

#include <string>

namespace plexion::cli {

void Heading(const std::string& text);

void ShowSchedules();
void ShowReportDefinition();
void ShowSoftAlarmSchedule();
void ShowDataAvailability();
void ShowComponentSurface();

}  // namespace plexion::cli
