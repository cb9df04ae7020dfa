// Checking an author's line and train files: everything `compile` does, in memory, with every
// diagnostic of the compiler and the lint in line order, no file written, and a summary.
#include <algorithm>
#include <compare>
#include <ostream>
#include <vector>

#include "app/form1.h"
#include "cli/commands.h"
#include "cli/source_run.h"

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

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const command& self = *find_command("check");
  source_run run;
  if (int status = parse_source_run(self, args, {}, run, err); status != exit_clean) return status;
  if (int status = read_sources(run, err); status != exit_clean) return status;
  const std::vector<diagnostic> lint = lint_sources(run);

  // A character without a Windows-1252 form is an error already told; the check goes on with
  // '?' in its place. The compiler's faults are kept, to be printed with the lint's by line.
  std::vector<diagnostic> compiler;
  Form1 form;
  load_sources(form, run, err);
  form.kept_faults = &compiler;
  form.program_folder = ".";
  form.binary_folder = ".";
  form.write_binaries = false;
  const int status = run_reporting(err, [&] {
    form.memorizza_percorso(run.plan ? 1 : 0);
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });

  // A compiler fault tied to no file (the message that ends the run) keeps the place of the one
  // before it.
  std::vector<place> compiler_places;
  for (const diagnostic& d : compiler)
    compiler_places.push_back(d.where.file.empty() && !compiler_places.empty()
                                  ? compiler_places.back()
                                  : place_of(d, run));
  size_t next = 0;
  for (const diagnostic& d : lint) {
    const place at = place_of(d, run);
    for (; next < compiler.size() && !(at < compiler_places[next]); ++next)
      print_diagnostic(err, compiler[next]);
    print_diagnostic(err, d);
  }
  for (; next < compiler.size(); ++next) print_diagnostic(err, compiler[next]);

  int signals = 0, slowdowns = 0;
  for (const track_cell& cell : form.track_cells) {
    signals += cell.kind == kind_signal;
    slowdowns += cell.kind == kind_slowdown_start;
  }
  const int warnings = run.werror ? 0 : static_cast<int>(lint.size());
  const int errors = form.faults_reported + run.encoding_errors +
                     (run.werror ? static_cast<int>(lint.size()) : 0) +
                     (status != exit_clean && form.faults_reported == 0 ? 1 : 0);
  out << run.route << '_' << run.train << ": route "
      << form.scenario_records[route_length_entry].number_2 << " m, "
      << plural(std::max(form.station_counter - 1, 0), "station", "stations") << ", "
      << plural(signals, "signal", "signals") << ", " << plural(slowdowns, "slowdown", "slowdowns")
      << "; " << plural(errors, "error", "errors") << ", "
      << plural(warnings, "warning", "warnings") << '\n';
  if (status != exit_clean) return status;
  return errors > 0 ? exit_scenario_fault : exit_clean;
}
