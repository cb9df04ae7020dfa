// The language server over standard input and output: the server (lsp/) with the check
// `check` runs, on the sources in memory.
#include <iostream>
#include <vector>

#include "cli/checked_run.h"
#include "cli/commands.h"
#include "cli/lsp_command.h"
#include "cli/source_run.h"
#include "inspect/route_features.h"
#include "lsp/server.h"

check_outcome check_in_memory(const check_request& r) {
  source_run run;
  run.line_source = r.line_path;
  run.train_source = r.train_path;
  run.route = r.route;
  run.train = r.train;
  run.line_bytes = r.line_bytes;
  run.train_bytes = r.train_bytes;
  run.encoding_faults = r.encoding_faults;
  check_outcome outcome;
  // What cuts the compile short is told through this engine; it is one more diagnostic here.
  std::vector<diagnostic> told;
  diagnostic_engine engine(keeper(told));
  checked_run checked = run_checked(run, engine);
  outcome.diagnostics = std::move(checked.diagnostics);
  outcome.diagnostics.insert(outcome.diagnostics.end(), told.begin(), told.end());
  if (checked.form) {
    const auto& records = checked.form->scenario_records;
    outcome.marks = kilometre_marks(
        read_route_records({records.begin(), records.end()}).data.progressives);
  }
  return outcome;
}

int run_lsp(const std::vector<std::string>& args, command_io& io) {
  const command& self = *find_command("lsp");
  // --stdio is what editors' clients pass to say the transport; it is the only one.
  for (const std::string& arg : args)
    if (arg != "--stdio") return usage_error(self, io.diagnostics, "unexpected " + arg);
  return serve_lsp(std::cin, io.out, check_in_memory);
}
