// Compiling an author's own line and train description files. The run reads them into memory
// and compiles from there, so the author's files are never deleted or changed and nothing is
// copied anywhere; only the binary files reach the output folder.

#include <filesystem>
#include <ostream>

#include "form1/form1.h"
#include "platform/utf8_path.h"
#include "files/atomic_file.h"
#include "files/file_names.h"
#include "cli/args.h"
#include "cli/leftovers.h"
#include "cli/commands.h"
#include "cli/source_run.h"
#include "cli/timetable_check.h"

namespace fs = std::filesystem;

int run_compile(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("compile");
  source_run run;
  if (int status = parse_source_run(self, args, {{"--out", true}, {"--emit-on-fault", false}},
                                    run, io.diagnostics);
      status != exit_clean)
    return status;
  const parsed_args& a = run.args;
  const std::string& route = run.route;
  const std::string& train = run.train;

  const std::string out_folder = a.value("--out", ".");
  const bool plan = !a.has("--no-plan");
  std::vector<std::string> outputs = {records_file_name(route, train), cells_file_name(route, train)};
  if (plan) outputs.insert(outputs.begin(), plan_file_name(route));
  for (const std::string& name : outputs)
    for (const std::string& source : {run.line_source, run.train_source})
      if (same_file(join_path(out_folder, name), source))
        return usage_error(self, io.diagnostics,
                           "the output " + join_path(out_folder, name) + " is the source " + source);

  // Every message of the run goes through its engine, printed as it comes.
  diagnostic_engine& diagnostics = io.diagnostics;
  diagnostics.set_settings(warning_settings_of(run));
  std::error_code ec;
  if (!fs::is_directory(path_of(out_folder), ec)) {
    diagnostics.tell("cannot write into " + out_folder + ": no such folder");
    return exit_file_fault;
  }

  if (int status = read_sources(run, diagnostics); status != exit_clean) return status;
  if (!run.encoding_faults.empty()) {
    for (const diagnostic& d : run.encoding_faults) diagnostics.report(d);
    diagnostics.tell("no file written");
    return exit_scenario_fault;
  }
  for (const diagnostic& d : lint_sources(run)) diagnostics.report(d);
  // Under --werror the warnings came out as errors.
  const bool warnings_fail = diagnostics.errors() > 0;

  // The sources stay in memory; only the binary files are written into the output folder,
  // each straight to its place.
  Form1 form;
  load_sources(form, run);
  form.diagnostics.send_to([&](const diagnostic& d) { diagnostics.report(d); });
  // The compiler's warnings follow the same settings: under --werror one holds the files back.
  form.diagnostics.set_settings(warning_settings_of(run));
  form.program_folder = out_folder;
  form.binary_folder = out_folder;
  // A fault keeps the earlier binary files as they were, unless the author asks to see the
  // partial result; warnings made errors by --werror hold them back too.
  const bool emit_on_fault = a.has("--emit-on-fault");
  form.write_on_fault = emit_on_fault;
  if (warnings_fail) form.write_binaries = false;
  // The timetable's warnings come once the route is finished, before any file is written.
  check_timetable(form, run.rates);
  const auto run_start = std::filesystem::file_time_type::clock::now();
  const int status = run_reporting(diagnostics, [&] {
    folder_lock lock(out_folder);  // one run at a time writes into a folder
    // A killed run's temporary files of these names: the plan's too, under --no-plan.
    std::vector<std::string> names = outputs;
    if (!plan) names.push_back(plan_file_name(route));
    remove_leftovers(diagnostics, out_folder, names, run_start);
    form.memorizza_percorso(plan ? 1 : 0);
    return form.faults_reported > 0 || form.warnings_made_errors > 0 || warnings_fail
               ? exit_scenario_fault
               : exit_clean;
  });
  if (form.binaries_written) {
    for (const std::string& name : outputs)
      if (name != plan_file_name(route) || form.route_plan.exists())
        out << "wrote " << join_path(out_folder, name) << '\n';
    // An earlier compile's plan beside the new files would be drawn with them as if theirs.
    const std::string plan_path = join_path(out_folder, plan_file_name(route));
    std::error_code exists_ec;
    if (!plan && std::filesystem::exists(path_of(plan_path), exists_ec))
      diagnostics.tell("kept " + plan_path +
                       " as it was: --no-plan writes no plan, so it is an earlier compile's, "
                       "and render draws it with these files; compile without --no-plan to "
                       "write it anew, or remove it");
  } else if (status == exit_scenario_fault) {
    diagnostics.tell(std::string("no file written") +
                     (emit_on_fault || warnings_fail || form.warnings_made_errors > 0
                          ? ""
                          : " (--emit-on-fault writes them despite the faults)"));
  }
  return status;
}
