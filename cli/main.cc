#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

int main(int argc, char** argv) {
  // An interrupted run removes its temporary files and ends as the signal ends it.
  prepare_process();
  std::vector<std::string> args(argv + 1, argv + argc);
  return scenario_compiler_main(args, std::cout, std::cerr);
}
