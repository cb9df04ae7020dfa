// Compiling an author's own line and train description files. The run reads them into memory
// and compiles from there, so the author's files are never deleted or changed and nothing is
// copied anywhere; only the binary files reach the output folder.

#include <filesystem>
#include <ostream>

#include "app/form1.h"
#include "files/atomic_file.h"
#include "files/file_names.h"
#include "files/whole_file.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/source_run.h"

namespace {

namespace fs = std::filesystem;

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

int run_compile(const std::vector<std::string>& args, std::ostream& /*out*/, std::ostream& err) {
  const command& self = *find_command("compile");
  source_run run;
  if (int status = parse_source_run(self, args, {{"--out", true}}, run, err); status != exit_clean)
    return status;
  const parsed_args& a = run.args;
  const std::string& line_source = run.line_source;
  const std::string& train_source = run.train_source;
  const std::string& route = run.route;
  const std::string& train = run.train;

  const std::string out_folder = a.value("--out", ".");
  const bool plan = !a.has("--no-plan");
  std::vector<std::string> outputs = {records_file_name(route, train), cells_file_name(route, train)};
  if (plan) outputs.insert(outputs.begin(), plan_file_name(route));
  for (const std::string& name : outputs)
    for (const std::string& source : {line_source, train_source})
      if (same_file(join_path(out_folder, name), source))
        return usage_error(self, err, "the output " + join_path(out_folder, name) +
                                          " is the source " + source);

  std::error_code ec;
  if (!fs::is_directory(out_folder, ec)) {
    err << "scenario-compiler: cannot write into " << out_folder << ": no such folder\n";
    return exit_file_fault;
  }

  if (int status = read_sources(run, err); status != exit_clean) return status;
  if (run.encoding_errors > 0) return exit_scenario_fault;
  const std::vector<diagnostic> warnings = lint_sources(run);
  for (const diagnostic& d : warnings) print_diagnostic(err, d);
  const bool warnings_fail = run.werror && !warnings.empty();

  // The sources stay in memory; only the binary files are written into the output folder,
  // each straight to its place.
  Form1 form;
  load_sources(form, run, err);
  form.program_folder = out_folder;
  form.binary_folder = out_folder;
  if (warnings_fail) form.write_binaries = false;
  return run_reporting(err, [&] {
    form.memorizza_percorso(plan ? 1 : 0);
    return form.faults_reported > 0 || warnings_fail ? exit_scenario_fault : exit_clean;
  });
}
