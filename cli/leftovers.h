// A run's output folder cleared of what an interrupted run of the same files left.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "diagnostics/engine.h"

// Removes the temporary files of `names` older than `run_start` from `folder`, naming each
// one removed. Call it under the folder's lock.
void remove_leftovers(diagnostic_engine& diagnostics, const std::string& folder,
                      const std::vector<std::string>& names,
                      std::filesystem::file_time_type run_start);
