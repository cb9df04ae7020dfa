// export: writes the built-in scenario's two source files, the starting point of an author's
// own scenario, and leaves everything else alone.
#include <ostream>

#include "form1/form1.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"
#include "cli/args.h"
#include "cli/commands.h"

int run_export(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("export");
  parsed_args a = parse_args(args, {{"--out", true}});
  if (!a.error.empty()) return usage_error(self, io.diagnostics, a.error);
  if (!a.positional.empty()) return usage_error(self, io.diagnostics, "unexpected " + a.positional[0]);

  Form1 form;
  form.console = &io.console;
  form.diagnostics.send_to([&](const diagnostic& d) { io.diagnostics.report(d); });
  form.program_folder = a.value("--out", ".");
  form.route_name = builtin_route_name;
  form.train_number = builtin_train_number;
  return run_reporting(io.diagnostics, [&] {
    form.dati_linea();
    out << form.path_of(line_file_name(form.route_name)) << '\n';
    form.dati_treno();
    out << form.path_of(train_file_name(form.route_name, form.train_number)) << '\n';
    return exit_clean;
  });
}
