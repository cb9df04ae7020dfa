// The one-shot run of the built-in scenario.
#include <ostream>
#include <sys/stat.h>

#include "form1/form1.h"
#include "files/atomic_file.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"
#include "cli/args.h"
#include "cli/commands.h"

namespace {

// The run writes its two source files into the output folder and deletes them once read; a file
// of the same name already there is an author's, and would be lost.
std::string source_in_the_way(const std::string& folder) {
  const std::string route(builtin_route_name), train(builtin_train_number);
  for (const std::string& name : {line_file_name(route), train_file_name(route, train)}) {
    const std::string path = join_path(folder, name);
    struct stat st;
    if (lstat(path.c_str(), &st) == 0) return path;
  }
  return {};
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
  return run_reporting(io.diagnostics, [&] {
    folder_lock lock(form.program_folder);  // one run at a time writes into a folder
    form.Form_Load();
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });
}
