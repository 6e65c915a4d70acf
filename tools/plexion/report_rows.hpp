// What the report commands and the demo share: the report row an editor writes, opening a
// stored report for edit, and the listing of what InitEdit loaded.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "plexion/reportdef/report_def_data.hpp"

namespace plexion::cli {

// Writes the report row from the object's properties, as a report editor does after saving
// the output objects, under the next free id; returns that id.
std::int32_t WriteReportRow(const CReportDefData& report, const std::string& name);

// InitEdit with the values of the report's row in rpt_report (its report specification loaded
// from its row); a report without a row is opened by its id alone. False in that case.
bool OpenReportForEdit(CReportDefData& report, std::int32_t reportId);

// The general attributes as loaded, then the options InitEdit set from them.
void PrintLoadedAttributes(std::ostream& out, const CReportDefData& report,
                           const std::string& indent = "");

}  // namespace plexion::cli
