// The author's safety net: warnings about rows that compile but not as the author meant. The
// pass reads the two source files as the compiler's readers take their fields and changes
// nothing; the compiler's own faults stay the compiler's.
#pragma once

#include <set>
#include <span>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"

// A kind of warning, by its name as in -Wno-NAME; what each means is told in check's help.
struct warning_kind {
  const char* name;
  bool on_by_default = true;  // false: told only when asked for with -WNAME
};

// Every kind of warning, in the order the help lists them.
std::span<const warning_kind> warning_kinds();
bool is_warning_kind(const std::string& name);

// A source file: its bytes as the compiler will read them and the name to show.
struct source_text {
  std::string shown_name;
  std::string bytes;
};

struct lint_options {
  bool plan = true;                // curve rows are read only when the route plan is built
  std::set<std::string> disabled;  // kinds silenced with -Wno-NAME
};

// The warnings of both files, the line file's first, each file's in line order.
std::vector<diagnostic> lint_scenario(const source_text& line_file, const source_text& train_file,
                                      const lint_options& options);
