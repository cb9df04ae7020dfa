#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

namespace {

// What reached standard output is flushed and checked here, once: a full disk or a closed
// device under `--help > FILE` or `inspect --json FILE > OUT` is a failure, not a success
// with a cut or empty output.
int checked_standard_output(int status) {
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  if (flushed && !std::ferror(stdout) && std::cout.good()) return status;
  const int error = errno;
  tell_failure(std::cerr, "cannot write the standard output" +
                              (error != 0 ? std::string(": ") + std::strerror(error) : std::string()));
  return exit_file_fault;
}

}  // namespace

int main(int argc, char** argv) {
  // An interrupted run removes its temporary files and ends as the interruption ends it.
  const std::vector<std::string> args = prepare_process(argc, argv);
  return checked_standard_output(scenario_compiler_main(args, std::cout, std::cerr));
}
