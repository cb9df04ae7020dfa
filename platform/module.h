// A module of code loaded while the program runs.
#pragma once

#include <string>

// Loads the module at `path` for the rest of the process and returns the address of its
// function `entry`. Null when it fails: `loaded` tells whether the module itself loaded (then
// it lacks the function), `error` gives the system's words.
void* module_entry(const std::string& path, const char* entry, bool& loaded, std::string& error);
