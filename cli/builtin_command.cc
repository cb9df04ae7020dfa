// The one-shot run of the built-in scenario.
#include <ostream>

#include "form1/form1.h"
#include "files/atomic_file.h"
#include "files/file_names.h"
#include "platform/file_kind.h"
#include "platform/native_file.h"
#include "builtin/builtin_scenario.h"
#include "cli/args.h"
#include "cli/leftovers.h"
#include "cli/commands.h"

namespace {

// The run writes its two source files into the output folder and deletes them once read; a file
// of the same name already there is an author's, and would be lost.
std::string source_in_the_way(const std::string& folder) {
  const std::string route(builtin_route_name), train(builtin_train_number);
  for (const std::string& name : {line_file_name(route), train_file_name(route, train)}) {
    const std::string path = join_path(folder, name);
    const file_kind kind = kind_of_entry(path);
    if (kind != file_kind::missing && kind != file_kind::unknown) return path;
  }
  return {};
}

// The files the run leaves, in the order it writes them: the driver's documents, then the binary
// files (the plan only when it is made).
std::vector<std::string> files_left(const Form1& form) {
  const std::string route = form.route_name, train = form.train_number;
  std::vector<std::string> names = {notes_file_name(route, train),
                                    slowdowns_file_name(route, train),
                                    timetable_file_name(route, train)};
  if (form.plan_argument != 0) names.push_back(plan_file_name(route));
  names.push_back(records_file_name(route, train));
  names.push_back(cells_file_name(route, train));
  return names;
}

}  // namespace

int run_builtin(const std::vector<std::string>& args, command_io& io) {
  const command& self = *find_command("run");
  parsed_args a = parse_args(args, {{"--out", true}, {"--no-plan", false}});
  if (!a.error.empty()) return usage_error(self, io.diagnostics, a.error);
  if (!a.positional.empty()) return usage_error(self, io.diagnostics, "unexpected " + a.positional[0]);

  Form1 form;
  form.console = &io.console;
  form.diagnostics.send_to([&](const diagnostic& d) { io.diagnostics.report(d); });
  if (a.values.count("--out")) form.program_folder = a.value("--out");
  form.plan_argument = a.has("--no-plan") ? 0 : 1;
  if (const std::string path = source_in_the_way(form.program_folder); !path.empty()) {
    io.diagnostics.tell(path +
                  " already exists; the built-in run would replace and delete it, so nothing was "
                  "written. Move it away or run in another folder (--out DIR); to compile your "
                  "own sources use 'scenario-compiler compile'.");
    return exit_file_fault;
  }
  // Without --out the run writes beside the program, which an installed program's folder may
  // not allow: say so before anything starts, and how to go on.
  if (const std::string refusal = folder_write_refusal(form.program_folder); !refusal.empty()) {
    io.diagnostics.tell("cannot write into " + form.program_folder + ": " + refusal +
                        "; give a folder to write the scenario into with --out DIR");
    return exit_file_fault;
  }
  const auto run_start = std::filesystem::file_time_type::clock::now();
  const int status = run_reporting(io.diagnostics, [&] {
    folder_lock lock(form.program_folder);  // one run at a time writes into a folder
    // The two sources are written and read back in the folder too.
    std::vector<std::string> names = files_left(form);
    names.push_back(plan_file_name(form.route_name));
    names.push_back(line_file_name(form.route_name));
    names.push_back(train_file_name(form.route_name, form.train_number));
    remove_leftovers(io.diagnostics, form.program_folder, names, run_start);
    form.Form_Load();
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });
  if (status == exit_clean)
    for (const std::string& name : files_left(form)) io.out << "wrote " << form.path_of(name) << '\n';
  return status;
}
