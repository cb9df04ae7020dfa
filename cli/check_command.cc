// Checking an author's line and train files: everything `compile` does, in memory, with every
// diagnostic of the compiler and the lint in line order, no file written, and a summary.
#include <ostream>
#include <vector>

#include "cli/checked_run.h"
#include "cli/commands.h"
#include "cli/source_run.h"

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const command& self = *find_command("check");
  source_run run;
  if (int status = parse_source_run(self, args, {}, run, err); status != exit_clean) return status;
  diagnostic_engine diagnostics(console_printer(err));
  if (int status = read_sources(run, diagnostics); status != exit_clean) return status;
  const checked_run checked = run_checked(run, diagnostics);
  for (const diagnostic& d : checked.diagnostics) print_diagnostic(err, d);
  out << checked.summary(run) << '\n';
  return checked.exit_status();
}
