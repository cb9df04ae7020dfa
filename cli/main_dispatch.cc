#include <algorithm>
#include <ostream>

#include "cli/commands.h"
#include "diagnostics/engine.h"

namespace {

int dispatch(const std::vector<std::string>& args, command_io& io) {
  // "--help" and "-h" first: the list of commands, or one command's help when one follows.
  if (!args.empty() && is_help_option(args[0]))
    return run_help(std::vector<std::string>(args.begin() + 1, args.end()), io);
  if (!args.empty() && args[0] == "--version") {
    io.out << "scenario-compiler " << SC_VERSION << '\n';
    return exit_clean;
  }
  const bool named = !args.empty() && !args[0].empty() && args[0][0] != '-';
  const command* c = named ? find_command(args[0]) : find_command("run");
  if (!c) return unknown_command(args[0], io.diagnostics);
  std::vector<std::string> rest(args.begin() + (named ? 1 : 0), args.end());
  // "COMMAND --help" shows that command's help, whatever else stands beside it.
  if (std::any_of(rest.begin(), rest.end(), is_help_option)) return run_help({c->name}, io);
  return c->run(rest, io);
}

}  // namespace

// Whatever a command does outside its own reporting (reading its sources, say), running out of
// memory is still one message and a status, not an abort.
int scenario_compiler_main(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
  diagnostic_engine diagnostics(console_printer(err));
  command_io io{out, err, diagnostics};
  return run_reporting(diagnostics, [&] { return dispatch(args, io); });
}
