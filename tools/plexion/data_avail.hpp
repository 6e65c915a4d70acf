// The data-availability search as plexion data-avail and plexion demo run it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace plexion::cli {

struct DataAvailRequest {
  std::vector<std::string> types;  // data type names
  std::vector<std::string>
      systems;                     // system keys, each chosen at the level whose selector lists it
  std::vector<std::string> times;  // times of day the date-time control hands out
  std::string start, end;          // "" when not given
  bool brief = false;              // do not print the controls' set-up
};

// Sets up the data-type selector, one system selector per level and the date-time control with
// text controls, applies the choices, says whether the search is valid and runs it when it is,
// printing all of it. Answers 0 when the search ran, 1 when it was not valid or named a system
// that no selector lists (said on stderr).
int RunDataAvailSearch(const DataAvailRequest& request, std::ostream& out);

}  // namespace plexion::cli
