// plexion data-avail
#include <algorithm>
#include <iostream>
#include <map>
#include <unordered_map>

#include "context.hpp"
#include "data_avail.hpp"
#include "plexion/dataavail/data_avail_data.hpp"
#include "plexion/services/locator.hpp"
#include "text_controls.hpp"

namespace plexion::cli {

namespace {

constexpr std::size_t kMostSystemsPerList = 32767;

StringArray ListOf(const std::vector<std::string>& items) {
  return StringArray::FromVector(items, 1);
}

std::string Joined(const std::vector<std::string>& items) {
  if (items.empty()) return "none";
  std::string s;
  for (const std::string& item : items) s += (s.empty() ? "" : ", ") + item;
  return s;
}

// The search object's result table (fields by rows, row 0 naming the fields), in columns.
void PrintTable(std::ostream& out, const StringArray& table) {
  if (!table.allocated() || table.dims() != 2) return;
  std::vector<std::size_t> widths;
  for (std::int32_t f = table.LBound(1); f <= table.UBound(1); ++f) {
    std::size_t w = 0;
    for (std::int32_t r = table.LBound(2); r <= table.UBound(2); ++r)
      w = std::max(w, table.at(f, r).size());
    widths.push_back(w);
  }
  for (std::int32_t r = table.LBound(2); r <= table.UBound(2); ++r) {
    std::string line = " ";
    for (std::int32_t f = table.LBound(1); f <= table.UBound(1); ++f) {
      std::string cell = table.at(f, r);
      if (f < table.UBound(1))
        cell.resize(widths[static_cast<std::size_t>(f - table.LBound(1))], ' ');
      line += " " + cell + " ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << "\n";
  }
}

}  // namespace

int RunDataAvailSearch(const DataAvailRequest& request, std::ostream& out) {
  const bool quiet = request.brief;
  Ref<CoverageDb> search = services::Create<CoverageDb>();
  auto data = MakeRef<CDataAvailData>();
  data->Initialize(search);
  data->EditorName("plexion data-avail");
  auto listener = MakeRef<TextEventListener>(out, quiet);
  data->Connect(listener);

  if (!quiet) out << "Data-type selector\n";
  data->SetupDatatypeControl(MakeRef<TextSelector>(out, quiet));

  // One system selector per level: the entity types that link to a next one.
  Ref<CoverageEntityTypes> entityTypes = data->PhysicalEntityTypes();
  int levels = 0;
  for (std::int32_t i = 1; i <= entityTypes->Count(); ++i)
    if (entityTypes->Item(i)->NextTypeId() > 0) ++levels;
  std::vector<Ref<TextSelector>> selectors;
  for (int level = 1; level <= levels; ++level) {
    if (!quiet) out << "System selector, level " << level << "\n";
    selectors.push_back(MakeRef<TextSelector>(out, quiet));
    data->SetupSystemControl(selectors.back());
  }

  if (!quiet) out << "Date-time control\n";
  data->SetupDateTimeControl(MakeRef<TextDateTimeCtl>(out, quiet, request.times));
  if (!quiet)
    out << "  smallest size " << data->MinPlexionWidth() << " x " << data->MinPlexionHeight()
        << "\n";

  // Each system is chosen at the level of the first selector that lists it.
  std::unordered_map<std::string, std::int16_t> levelOf;
  for (const auto& selector : selectors) levelOf.reserve(levelOf.size() + selector->rows().size());
  for (std::size_t l = selectors.size(); l-- > 0;)
    for (const TextSelector::Row& row : selectors[l]->rows())
      levelOf[row.key] = static_cast<std::int16_t>(l + 1);
  std::map<std::int16_t, std::vector<std::string>> byLevel;
  for (const std::string& key : request.systems) {
    const auto level = levelOf.find(key);
    if (level == levelOf.end()) {
      std::cerr << "plexion: no system selector lists \"" << key << "\"\n";
      return 1;
    }
    byLevel[level->second].push_back(key);
  }

  listener->quiet = false;
  out << "Choices\n";
  if (!request.types.empty()) {
    out << "  data types: " << Joined(request.types) << "\n";
    data->SelectedDatatypes(ListOf(request.types));
  }
  for (const auto& [level, keys] : byLevel) {
    out << "  systems at level " << level << ": " << Joined(keys) << "\n";
    // A level's count is a 16-bit integer: a whole site's systems go in lists it can count.
    for (std::size_t from = 0; from < keys.size(); from += kMostSystemsPerList) {
      const auto to = keys.begin() + static_cast<std::ptrdiff_t>(
                                         std::min(keys.size(), from + kMostSystemsPerList));
      data->AddSelectedSystems(ListOf({keys.begin() + static_cast<std::ptrdiff_t>(from), to}),
                               level);
    }
  }
  if (data->LevelCounts().allocated()) {
    out << "  level counts:";
    for (std::int16_t n : data->LevelCounts().elements()) out << " " << n;
    out << "\n";
  }
  if (!request.start.empty()) {
    data->StartDate(request.start);
    out << "  start date: " << data->StartDate() << "\n";
  }
  if (!request.end.empty()) {
    data->EndDate(request.end);
    out << "  end date: " << data->EndDate() << "\n";
  }
  out << "  data types chosen: " << data->DataTypesSelCount() << "\n";
  out << "  entity types of the chosen systems: " << Joined(data->SysTypesChosen().elements())
      << "\n";
  out << "  first data loaded: " << data->MinLoadDate() << "\n";

  out << "Search\n";
  if (!data->ValidSearch()) {
    out << "  not valid: " << data->InValidSearchReasonText() << "\n";
    return 1;
  }
  out << "  valid\n";
  const StringArray answer = data->ExecuteQuery();
  out << "  ExecuteQuery answered an array with no elements (bounds " << answer.LBound() << " to "
      << answer.UBound() << "); the search object found:\n";
  PrintTable(out, search->QueryResults());
  return 0;
}

void RegisterDataAvailCommands(CLI::App& app, Context& ctx) {
  auto request = std::make_shared<DataAvailRequest>();
  CLI::App* command = app.add_subcommand(
      "data-avail",
      "run a data-availability search\n"
      "Search which data is loaded, as the data-availability editor does. Sets up the data-type\n"
      "selector, one system selector per level of the physical entity types and the date-time\n"
      "control, printing what each control receives and the events the model raises; applies\n"
      "the chosen data types, systems (each at the level whose selector lists it), dates and\n"
      "times of day; says whether the search is valid, or why not; and runs it, printing per\n"
      "data type and system the hours loaded out of the hours in range and the first and last\n"
      "hour loaded. Exits 1 when the search is not valid or names a system no selector lists.");
  Examples(*command,
           {"plexion data-avail --type Traffic --system S101-A --start 3/3/2026 --end 3/5/2026",
            "plexion data-avail --brief --type Paging --system DAL-MSC1"});
  command->add_option("--type", request->types,
                      "a data type, as the data-type selector lists it (repeatable)");
  command->add_option("--system", request->systems,
                      "a system key, as a system selector lists it in brackets (repeatable)");
  command->add_option("--start", request->start,
                      "start date and time: 3/3/2026, \"3/3/2026 8:00 AM\", 2026-03-03T08:00");
  command->add_option("--end", request->end,
                      "end date and time; a date alone includes its whole day");
  command->add_option(
      "--time", request->times,
      "an hour of the day to search, as the date-time control hands it out: 8:00 AM, "
      "17:00 (repeatable; none: the whole day)");
  command->add_flag("--brief", request->brief,
                    "do not print the set-up of the selectors and the date-time control");
  AddDatabaseOptions(*command, ctx);
  command->callback([request, &ctx] {
    ctx.InstallFromOptions();
    ctx.exitCode = RunDataAvailSearch(*request, std::cout);
  });
}

}  // namespace plexion::cli
