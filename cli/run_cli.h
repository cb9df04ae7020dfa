// Test helper: runs the program's command line in the test's process and keeps what it printed.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"

struct cli_result {
  int status;
  std::string out;
  std::string err;
};

inline cli_result run(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = scenario_compiler_main(args, out, err);
  return {status, out.str(), err.str()};
}
