#include "platform/process_start.h"

std::vector<std::string> program_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

// POSIX streams are bytes already, and a terminal takes the program's UTF-8 as it is.
void prepare_standard_streams() {}
