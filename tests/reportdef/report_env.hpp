// What the report definition's tests share: short forms of the calls they repeat and a one-line
// view of the ids a definition holds.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../error_of.hpp"
#include "plexion/reportdef/report_def_data.hpp"

namespace plexion::testing {

using Lines = std::vector<std::string>;

// Every id a definition holds: "report scenario template chanSet | spec grouping scope
// destination page", the second half in the order SaveSubTableData captures them.
inline std::string Ids(const CReportDefData& d) {
  std::string s;
  for (std::int32_t id : {d.ReportId(), d.ScenarioId(), d.TemplateID(), d.ChanSetID()})
    s += std::to_string(id) + " ";
  s += "|";
  for (std::int32_t id :
       {d.ReportSpecId(), d.GroupingSpecId(), d.DTScopeID(), d.DestinationId(), d.PageSetUpId()})
    s += " " + std::to_string(id);
  return s;
}

// InitEdit of a stored report with the given documents and every other parameter 0 or empty.
inline void Open(CReportDefData& d, std::int32_t report, std::int32_t scenario = 0,
                 std::int32_t templ = 0, const Ref<ReportSpec>& spec = {}) {
  d.InitEdit(report, 0, 0, 0, 0, 0, 0, "", "RptEditor", "Traffic", scenario, templ, {}, {}, 0, 0, 0,
             "N", "Y", 0, spec);
}

}  // namespace plexion::testing
