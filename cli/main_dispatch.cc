#include <ostream>

#include "cli/commands.h"

namespace {

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h"))
    return run_help({}, out, err);
  if (!args.empty() && args[0] == "--version") {
    out << "scenario-compiler " << SC_VERSION << '\n';
    return exit_clean;
  }
  if (!args.empty() && !args[0].empty() && args[0][0] != '-') {
    const command* c = find_command(args[0]);
    if (!c) return usage_error(*find_command("run"), err, "unknown command " + args[0]);
    return c->run(std::vector<std::string>(args.begin() + 1, args.end()), out, err);
  }
  // Without a command the program runs the built-in scenario.
  return find_command("run")->run(args, out, err);
}

}  // namespace

// Whatever a command does outside its own reporting (reading its sources, say), running out of
// memory is still one message and a status, not an abort.
int scenario_compiler_main(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err) {
  return run_reporting(err, [&] { return dispatch(args, out, err); });
}
