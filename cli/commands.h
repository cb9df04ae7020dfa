// The commands of scenario-compiler: one table entry each, with its usage, short help, long help
// and run function, so the help never drifts from the code.
#pragma once

#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "diagnostics/engine.h"

// Exit statuses of every command.
enum exit_status {
  exit_clean = 0,
  exit_scenario_fault = 1,  // a recorded code, or a shown one (1250, 1251)
  exit_usage = 2,
  exit_file_fault = 3,      // a file that cannot be written or read for a reason other than its content
};

// What a command runs with: `out` takes its product (a listing, a picture, JSON); every message,
// usage errors included, goes through `diagnostics`; `console` is the run's console, where
// Form1 shows its window text.
struct command_io {
  std::ostream& out;
  std::ostream& console;
  diagnostic_engine& diagnostics;
};

struct command {
  const char* name;  // "run", the run of the built-in scenario, is also what no command means
  const char* usage;
  const char* short_help;
  const char* long_help;
  int (*run)(const std::vector<std::string>& args, command_io& io);
};

std::span<const command> command_table();
const command* find_command(const std::string& name);

// A failure that ends the command, through the one printer: "scenario-compiler: error: DETAIL".
void tell_failure(std::ostream& err, const std::string& detail);

// Prints "usage: ..." for `c` and returns exit_usage; `problem`, when given, comes first.
int usage_error(const command& c, diagnostic_engine& diagnostics, const std::string& problem = {});

// "--help" or "-h": asks for a command's help wherever it stands among the arguments.
bool is_help_option(const std::string& arg);

// Says the command is unknown, lists the commands and returns exit_usage.
int unknown_command(const std::string& name, diagnostic_engine& diagnostics);

// Runs a command's work and returns its status; a failure that ends the work is reported here,
// in the diagnostic form: a file that cannot be written gives exit_file_fault, a shown message
// (1250, 1251) the status it ends the run with, running out of memory exit_file_fault.
int run_reporting(diagnostic_engine& diagnostics, const std::function<int()>& work);

// The commands' run functions, each in its own file.
int run_builtin(const std::vector<std::string>& args, command_io& io);
int run_help(const std::vector<std::string>& args, command_io& io);
int run_compile(const std::vector<std::string>& args, command_io& io);
int run_check(const std::vector<std::string>& args, command_io& io);
int run_inspect(const std::vector<std::string>& args, command_io& io);
int run_export(const std::vector<std::string>& args, command_io& io);
int run_render(const std::vector<std::string>& args, command_io& io);
int run_serve(const std::vector<std::string>& args, command_io& io);
int run_lsp(const std::vector<std::string>& args, command_io& io);
int run_timetable(const std::vector<std::string>& args, command_io& io);

// Readies the process before any command and returns its arguments (without the program's
// name) as UTF-8: an interrupted run (SIGINT, SIGTERM, SIGHUP, SIGPIPE; Ctrl-C, Ctrl-Break)
// removes its temporary files and ends as the interruption ends it, and the standard streams
// carry bytes as written.
std::vector<std::string> prepare_process(int argc, char** argv);

// Runs the program with `args` (without the program's name) and returns its exit status.
int scenario_compiler_main(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err);
