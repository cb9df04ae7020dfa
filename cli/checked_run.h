// The compile that `check` and `serve` share: an author's sources compiled in memory with no
// file written, every diagnostic of the compiler and the lint in line order, the numbers of the
// summary, the compiled cells, records and plan, and the route's timetable.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "form1/form1.h"
#include "cli/source_run.h"
#include "diagnostics/diagnostic.h"
#include "timetable/timetable.h"

struct checked_run {
  std::vector<diagnostic> diagnostics;  // lint and compiler merged, as `check` prints them
  int status = 0;                       // how the compile ended (exit_clean unless it was cut)
  int errors = 0, warnings = 0;
  int stations = 0, signals = 0, slowdowns = 0;
  int32_t route_length = 0;  // metres
  std::unique_ptr<Form1> form;  // the compiled route: track_cells, scenario_records, route_plan
  std::optional<timetable> route_times;  // the route's timetable, when it compiled without fault

  // exit_clean, exit_scenario_fault for an error, or the status that cut the compile.
  int exit_status() const;
  // "ROUTE_TRAIN: route N m, N stations, N signals, N slowdowns; N errors, N warnings", the
  // counts said to stop at the compile's first error when it had one.
  std::string summary(const source_run& run) const;
};

// Compiles the sources `read_sources` read, writing no file; what the compiler says outside
// its diagnostics (a failure that cuts the compile) goes to `diagnostics`.
checked_run run_checked(const source_run& run, diagnostic_engine& diagnostics);
