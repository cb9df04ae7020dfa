// Finding a compiled scenario in a folder: its records ROUTE_TRAIN.sim beside its cells
// ROUTE_TRAIN.dat (and the route's plan ROUTE_linea.dat, when it was built with one).
#pragma once

#include <string>
#include <vector>

#include "files/file_names.h"

// What a folder's file names hold, for the names that fit `route` and `train` (either may be
// empty: any). Both lists are sorted by stem.
// A ROUTE_TRAIN.sim without its .dat, or the other way round: the file there and the one not.
struct half_scenario {
  std::string present;
  std::string missing;
  bool operator==(const half_scenario&) const = default;
};
struct scenario_search {
  std::vector<scenario_name> complete;  // .sim and .dat both there
  std::vector<half_scenario> halves;    // sorted by the file there
};
scenario_search find_scenarios(const std::vector<std::string>& file_names,
                               const std::string& route, const std::string& train);

// The names of the entries in `folder`. Empty with `error` set when the folder cannot be read.
std::vector<std::string> folder_file_names(const std::string& folder, std::string& error);
