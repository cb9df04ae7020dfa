// Feeds arbitrary bytes through the whole compiler and finishing pass as the line file, the
// train file, or both, and checks the model afterwards; a broken invariant aborts. The run is
// held in memory: no file or folder is made.
//
// The first byte picks the mode: bits 0 and 1 say which file the rest replaces (0: the line
// file, 1: the train file, 2 or 3: both, split at the first "\n####\n"); bit 2 asks for the
// route plan. The other file is the built-in one.
#pragma once

#include <string_view>

void compile_fuzz_input(std::string_view input);
