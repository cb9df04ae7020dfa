#include "cli/checked_run.h"

#include <algorithm>
#include <compare>
#include <ostream>

#include "cli/commands.h"
#include "cli/timetable_check.h"
#include "files/file_names.h"

namespace {

// Where a diagnostic stands for the merge: the file (line file first), the line, the column.
struct place {
  int file = 0;
  int line = 0;
  int column = 0;
  auto operator<=>(const place&) const = default;
};

place place_of(const diagnostic& d, const source_run& run) {
  return {d.where.file == run.line_source ? 0 : 1, d.where.line, d.where.column};
}

std::string plural(int n, const std::string& one, const std::string& many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

checked_run run_checked(const source_run& run, diagnostic_engine& diagnostics) {
  checked_run result;
  const std::vector<diagnostic> lint = lint_sources(run);
  // A character without a Windows-1252 form is an error told at its place among the lint's; the
  // check goes on with '?' in its place.
  std::vector<diagnostic> read = run.encoding_faults;
  read.insert(read.end(), lint.begin(), lint.end());
  std::stable_sort(read.begin(), read.end(), [&](const diagnostic& a, const diagnostic& b) {
    return place_of(a, run) < place_of(b, run);
  });

  // The compiler's faults are kept, to be merged with those by line.
  std::vector<diagnostic> compiler;
  result.form = std::make_unique<Form1>();
  Form1& form = *result.form;
  load_sources(form, run);
  form.diagnostics.send_to(keeper(compiler));
  // The run's settings, so that silenced warnings are not even worded.
  form.diagnostics.set_settings(warning_settings_of(run));
  form.program_folder = ".";
  form.binary_folder = ".";
  form.write_binaries = false;
  check_timetable(form, run.rates, &result.route_times);
  result.status = run_reporting(diagnostics, [&] {
    form.memorizza_percorso(run.plan ? 1 : 0);
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });
  form.finished_route_check = nullptr;  // it holds a pointer into `result`
  // The timetable's warnings, told once the route was finished, go among the others by place.
  const auto timetable_start = std::stable_partition(
      compiler.begin(), compiler.end(), [](const diagnostic& d) { return !d.name.starts_with("timetable"); });
  std::vector<diagnostic> timings(timetable_start, compiler.end());
  compiler.erase(timetable_start, compiler.end());
  for (diagnostic& d : timings) {
    auto after = std::find_if(compiler.begin(), compiler.end(), [&](const diagnostic& c) {
      return !c.where.file.empty() && place_of(d, run) < place_of(c, run);
    });
    compiler.insert(after, std::move(d));
  }

  // A compiler fault tied to no file (the message that ends the run) keeps the place of the one
  // before it.
  std::vector<place> compiler_places;
  for (const diagnostic& d : compiler)
    compiler_places.push_back(d.where.file.empty() && !compiler_places.empty()
                                  ? compiler_places.back()
                                  : place_of(d, run));
  // All of them, merged, through one engine: its settings make warnings errors under --werror,
  // and it counts them.
  diagnostic_engine engine(keeper(result.diagnostics), warning_settings_of(run));
  size_t next = 0;
  for (const diagnostic& d : read) {
    // At one place what was found before the compile comes first, as `compile` tells it: an
    // error of a file as a whole (the files swapped) before what the compile said of that file.
    const place at = place_of(d, run);
    for (; next < compiler.size() && compiler_places[next] < at; ++next)
      engine.report(compiler[next]);
    engine.report(d);
  }
  for (; next < compiler.size(); ++next) engine.report(compiler[next]);

  for (const track_cell& cell : form.track_cells) {
    result.signals += cell.kind == kind_signal;
    result.slowdowns += cell.kind == kind_slowdown_start;
  }
  result.stations = std::max(form.station_counter - 1, 0);
  result.route_length = form.scenario_records[route_length_entry].number_2;
  // A compile cut short with no fault of its own (the stamping message) is one error more.
  result.warnings = engine.warnings();
  result.errors =
      engine.errors() + (result.status != exit_clean && form.faults_reported == 0 ? 1 : 0);
  return result;
}

int checked_run::exit_status() const {
  if (status != exit_clean) return status;
  return errors > 0 ? exit_scenario_fault : exit_clean;
}

std::string checked_run::summary(const source_run& run) const {
  return scenario_name{run.route, run.train}.stem() + ": route " + std::to_string(route_length) + " m, " +
         plural(stations, "station", "stations") + ", " + plural(signals, "signal", "signals") +
         ", " + plural(slowdowns, "slowdown", "slowdowns") +
         // After a fault the compile reads no further rows: the counts are not the sources'.
         (form && form->faults_reported > 0 ? ", counted up to the compile's first error" : "") +
         "; " +
         plural(errors, "error", "errors") + ", " + plural(warnings, "warning", "warnings");
}
