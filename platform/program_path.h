// Where the running program lies.
#pragma once

#include <string>

// The running executable's path; empty when it cannot be told.
std::string executable_path();
