#include "tools/commands.h"

#include <algorithm>
#include <ostream>

namespace {

const command kCommands[] = {
    {"", "scenario-compiler [--out DIR] [--no-plan]",
     "compile the built-in scenario and write its files",
     "Writes the built-in scenario's line and train description files and the three driver\n"
     "documents, compiles the two description files (deleting them once read) and writes the\n"
     "binary scenario files: the route plan (ROUTE_linea.dat), the scenario records\n"
     "(ROUTE_TRAIN.sim) and the track cells (ROUTE_TRAIN.dat).\n"
     "\n"
     "  --out DIR   write into DIR instead of the folder that holds the executable\n"
     "  --no-plan   build no route plan and write no ROUTE_linea.dat\n"
     "\n"
     "Every fault is reported on standard error as it is found. Exit status: 0 clean,\n"
     "1 a scenario fault, 2 wrong usage, 3 a file that cannot be written or read.\n",
     run_builtin},
    {"help", "scenario-compiler help [COMMAND]", "show the help of a command",
     "Without a command, lists the commands; with one, shows its whole help.\n", run_help},
    {"render", "scenario-compiler render [--dir DIR] [--route NAME] [--train NUMBER] [-o FILE.svg]",
     "draw a compiled scenario as an SVG picture",
     "Reads the binary files of a compiled scenario from DIR (default: the current folder):\n"
     "the route plan (ROUTE_linea.dat), the scenario records (ROUTE_TRAIN.sim) and the track\n"
     "cells (ROUTE_TRAIN.dat), and writes one SVG picture of the route: the plan to scale,\n"
     "north up, with its stations, signals and a scale bar; under it the line speed limit,\n"
     "the gradient and the adhesion along the route, with the stations, signals, speed\n"
     "boards, slowdowns, speed cuts and mountains marked. Without a route plan file (a\n"
     "scenario compiled with --no-plan) it draws the profiles alone and says so.\n"
     "\n"
     "  --dir DIR        read the files from DIR\n"
     "  --route NAME     the route's name (default: the built-in Zenvro_Quarvel)\n"
     "  --train NUMBER   the train's number (default: the built-in 2417)\n"
     "  -o FILE.svg      write the picture to FILE.svg (default: ROUTE_TRAIN.svg in the\n"
     "                   current folder)\n"
     "\n"
     "Exit status: 0 the picture is written, 1 a damaged file (the message names the file\n"
     "and the byte offset), 2 wrong usage, 3 a file that cannot be read or written.\n",
     run_render},
};

}  // namespace

std::span<const command> command_table() { return kCommands; }

const command* find_command(const std::string& name) {
  for (const command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

int usage_error(const command& c, std::ostream& err, const std::string& problem) {
  if (!problem.empty()) err << "scenario-compiler: " << problem << '\n';
  err << "usage: " << c.usage << '\n';
  return exit_usage;
}

int run_help(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() > 1) return usage_error(*find_command("help"), err, "too many arguments");
  if (args.size() == 1) {
    const command* c = find_command(args[0]);
    if (!c || args[0].empty())
      return usage_error(*find_command("help"), err, "unknown command " + args[0]);
    out << "usage: " << c->usage << "\n\n" << c->short_help << ".\n\n" << c->long_help;
    return exit_clean;
  }
  out << "usage: scenario-compiler [COMMAND] [OPTIONS]\n\n"
      << "A scenario compiler for a train-driving simulator.\n\ncommands:\n";
  for (const command& c : kCommands) {
    std::string name = *c.name ? c.name : "(none)";
    out << "  " << name << std::string(name.size() < 10 ? 10 - name.size() : 1, ' ')
        << c.short_help << '\n';
  }
  out << "\n  --help     this text\n  --version  the program's version\n"
      << "\n'scenario-compiler help COMMAND' shows a command's whole help.\n";
  return exit_clean;
}
