// What the report definition's tests share: short forms of the calls they repeat, a one-line
// view of the ids a definition holds, and a definition with every output object attached.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../error_of.hpp"
#include "plexion/reportdef/report_def_data.hpp"
#include "plexion/testing/doubles.hpp"

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

// A definition with all four output objects attached, holding the ids spec 1, grouping 5,
// scope 2, destination 3 and page 4; its objects answer 101, 55, 102, 103 and 104 and the
// report specification kind 7. The log starts empty.
struct Attached {
  explicit Attached(InstalledDoubles& env)
      : spec(MakeRef<FakeReportSpec>(env.log)),
        page(MakeRef<FakePageSetup>(env.log)),
        dest(MakeRef<FakeDestination>(env.log)),
        scope(MakeRef<FakeDateTimeScope>(env.log)) {
    spec->insertId = 101;
    spec->groupingSpecId = 55;
    spec->specKind = 7;
    scope->nextId = 102;
    dest->nextId = 103;
    page->insertId = 104;
    d->ReportSpecData(spec);
    d->DTScopeData(scope);
    d->DestinationData(dest);
    d->PageSetupData(page);
    d->ReportSpecId(1);
    d->GroupingSpecId(5);
    d->DTScopeID(2);
    d->DestinationId(3);
    d->PageSetUpId(4);
    env.log->Clear();
  }
  Ref<CReportDefData> d = MakeRef<CReportDefData>();
  Ref<FakeReportSpec> spec;
  Ref<FakePageSetup> page;
  Ref<FakeDestination> dest;
  Ref<FakeDateTimeScope> scope;
};

}  // namespace plexion::testing
