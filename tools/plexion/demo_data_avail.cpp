#include <iostream>

#include "data_avail.hpp"
#include "demo.hpp"

namespace plexion::cli {

void ShowDataAvailability() {
  Heading("Data availability");
  std::cout << "A valid search: Traffic and Failures of two sectors, 3 to 5 March 2026\n";
  DataAvailRequest valid;
  valid.types = {"Traffic", "Failures"};
  valid.systems = {"S101-A", "S201-B"};
  valid.start = "3/3/2026";
  valid.end = "3/5/2026";
  RunDataAvailSearch(valid, std::cout);

  std::cout << "\nAn invalid search: Handovers of site 201 with the end date before the start date"
               " (set-up not shown)\n";
  DataAvailRequest invalid;
  invalid.types = {"Handovers"};
  invalid.systems = {"S201"};
  invalid.start = "3/5/2026";
  invalid.end = "3/1/2026";
  invalid.brief = true;
  RunDataAvailSearch(invalid, std::cout);
}

}  // namespace plexion::cli
