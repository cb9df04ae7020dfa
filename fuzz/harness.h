// Feeds arbitrary bytes through the lint and through the whole compiler and finishing pass as
// the line file, the train file, or both, and checks the model afterwards and that the lint
// told what the compiler did; a broken invariant aborts. The run is held in memory: no file or
// folder is made.
//
// The first byte picks the mode: bits 0 and 1 say which file the rest replaces (0: the line
// file, 1: the train file, 2 or 3: both, split at the first "\n####\n"); bit 2 asks for the
// route plan. The other file is the built-in one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

void compile_fuzz_input(std::string_view input);

// The built-in scenario's two sources, as its own writers make them.
struct source_pair {
  std::string line, train;
};
const source_pair& builtin_sources();

// What a compile in memory leaves: the bytes of the three binary files as it would write them
// (the plan's only with a plan) and its last recorded code.
struct compiled_output {
  std::string plan, records, cells;
  int32_t error_code = 0, error_position = 0;
  bool operator==(const compiled_output&) const = default;
};
compiled_output compile_in_memory(const source_pair& sources, bool plan);

// The lines the lint tells are passed over, each taken out of its file in turn (up to `most`
// of them) and the sources compiled again without it.
struct passed_over_lines {
  size_t taken_out = 0;
  std::string differs;  // the first whose removal changes a byte of the output; empty if none
};
passed_over_lines take_out_passed_over_lines(const source_pair& sources, bool plan, size_t most);
