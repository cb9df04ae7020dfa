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

// How many whole seconds the plan file at `plan_path` was written before the records at
// `records_path`; 0 when it was not, or when either cannot be told. One compile writes its
// files within moments of each other: a plan older than its records by more than
// kStalePlanSeconds is an earlier compile's, left by one without a plan.
inline constexpr long kStalePlanSeconds = 2;
long seconds_plan_before_records(const std::string& plan_path, const std::string& records_path);
// "40 s", "12 min", "3 h", "2 days": a lapse of time in its largest whole unit.
std::string duration_text(long seconds);
