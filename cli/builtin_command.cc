// The one-shot run of the built-in scenario.
#include <ostream>

#include "app/form1.h"
#include "files/atomic_file.h"
#include "cli/args.h"
#include "cli/commands.h"

int run_builtin(const std::vector<std::string>& args, std::ostream& /*out*/, std::ostream& err) {
  const command& self = *find_command("run");
  parsed_args a = parse_args(args, {{"--out", true}, {"--no-plan", false}});
  if (!a.error.empty()) return usage_error(self, err, a.error);
  if (!a.positional.empty()) return usage_error(self, err, "unexpected " + a.positional[0]);

  Form1 form;
  form.console = &err;
  if (a.values.count("--out")) form.program_folder = a.value("--out");
  form.plan_argument = a.has("--no-plan") ? 0 : 1;
  return run_reporting(err, [&] {
    folder_lock lock(form.program_folder);  // one run at a time writes into a folder
    form.Form_Load();
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });
}
