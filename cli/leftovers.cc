#include "cli/leftovers.h"

#include "files/atomic_file.h"

void remove_leftovers(diagnostic_engine& diagnostics, const std::string& folder,
                      const std::vector<std::string>& names,
                      std::filesystem::file_time_type run_start) {
  for (const std::string& path : remove_stale_temporaries(folder, names, run_start))
    diagnostics.tell("removed " + path + ", a temporary file an interrupted run left");
}
