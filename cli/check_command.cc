// Checking an author's line and train files: everything `compile` does, in memory, with every
// diagnostic of the compiler and the lint in line order, no file written, and a summary.
#include <ostream>
#include <vector>

#include "cli/checked_run.h"
#include "cli/commands.h"
#include "cli/source_run.h"

int run_check(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("check");
  source_run run;
  if (int status = parse_source_run(self, args, {}, run, io.diagnostics); status != exit_clean)
    return status;
  if (int status = read_sources(run, io.diagnostics); status != exit_clean) return status;
  // The run's diagnostics come back merged in line order, the settings applied, and are told so.
  const checked_run checked = run_checked(run, io.diagnostics);
  for (const diagnostic& d : checked.diagnostics) io.diagnostics.report(d);
  out << checked.summary(run) << '\n';
  return checked.exit_status();
}
