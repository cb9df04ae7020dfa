#include "cli/commands.h"

#include <algorithm>
#include <new>
#include <ostream>
#include <sstream>

#include "form1/form1.h"
#include "cli/format_reference.h"
#include "cli/args.h"
#include "diagnostics/diagnostic.h"
#include "files/atomic_file.h"
#include "files/temp_registry.h"
#include "platform/process_start.h"

namespace {

const command kCommands[] = {
    {"run", "scenario-compiler [run] [--out DIR] [--no-plan]",
     "compile the built-in scenario and write its files",
     "Writes the built-in scenario's line and train description files and the three driver\n"
     "documents, compiles the two description files (deleting them once read) and writes the\n"
     "binary scenario files: the route plan (ROUTE_linea.dat), the scenario records\n"
     "(ROUTE_TRAIN.sim) and the track cells (ROUTE_TRAIN.dat). A folder that already holds\n"
     "a file by a source's name (an author's own, say) is left alone: nothing is written and\n"
     "the run ends with status 3; so is a folder the run may not write into. Once done, the\n"
     "run names each file it left on standard output (\"wrote PATH\").\n"
     "\n"
     "  --out DIR   write into DIR instead of the folder that holds the executable\n"
     "  --no-plan   build no route plan and write no ROUTE_linea.dat\n"
     "\n"
     "Every fault is reported on standard error as it is found. Exit status: 0 clean,\n"
     "1 a scenario fault, 2 wrong usage, 3 a file that cannot be written or read.\n",
     run_builtin},
    {"export", "scenario-compiler export [--out DIR]",
     "write the built-in scenario's two source files",
     "Writes the built-in scenario's line description file (Zenvro_Quarvel_linea.txt) and train\n"
     "description file (Zenvro_Quarvel_2417-.txt) into DIR, and keeps them: a starting point for\n"
     "a scenario of your own. Nothing else is written or changed; files of the same names are\n"
     "replaced. Prints the path of each file written.\n"
     "\n"
     "  --out DIR   write into DIR (default: the current folder)\n"
     "\n"
     "Exit status: 0 clean, 2 wrong usage, 3 a file that cannot be written.\n",
     run_export},
    {"compile",
     "scenario-compiler compile LINE_FILE TRAIN_FILE [--out DIR] [--no-plan] [--route NAME] "
     "[--train NUMBER] [--emit-on-fault] [--werror] [-Wno-NAME...] [-Wtimetable-model] "
     "[--acceleration RATE] [--deceleration RATE] [--encoding utf-8|windows-1252]",
     "compile an author's own line and train description files",
     "Compiles LINE_FILE (a line description) and TRAIN_FILE (a train description) exactly as\n"
     "the built-in run compiles its own, and writes the binary scenario files into DIR.\n"
     "The route name comes from LINE_FILE's name (NAME_linea.txt) and the train number from\n"
     "TRAIN_FILE's name (NAME_NUMBER-.txt) unless given. The two files are never changed or\n"
     "deleted: the run reads them into memory and compiles from there, and diagnostics name\n"
     "the files as given here. The files written are printed, one \"wrote PATH\" line each.\n"
     "A run with any fault writes no binary file, leaves earlier ones as they were and says\n"
     "\"no file written\".\n"
     "\n"
     "  --out DIR         write the binary files into DIR (default: the current folder)\n"
     "  --no-plan         build no route plan and write no NAME_linea.dat\n"
     "  --route NAME      the route name, first part of every output file's name\n"
     "  --train NUMBER    the train number\n"
     "  --emit-on-fault   write the binary files despite faults, as the built-in run does,\n"
     "                    to look at a partial result\n"
     "  --werror          warnings are errors: no binary file is written\n"
     "  -Wno-NAME         no warnings of kind NAME (the kinds: scenario-compiler help check)\n"
     "  -Wtimetable-model  warn of legs the modelled run arrives late on\n"
     "  --acceleration RATE  the modelled run's acceleration in m/s^2 (default 0.3)\n"
     "  --deceleration RATE  its braking rate in m/s^2 (default: from the train's braked\n"
     "                    mass; scenario-compiler help timetable)\n"
     "  --encoding ENC    utf-8: convert a file saved as UTF-8 to Windows-1252 first\n"
     "\n"
     "Exit status: 0 clean, 1 a scenario fault, 2 wrong usage (also a name that cannot be\n"
     "taken from a file name and is not given), 3 a source that cannot be read or an output\n"
     "that cannot be written.\n",
     run_compile},
    {"check",
     "scenario-compiler check LINE_FILE TRAIN_FILE [--werror] [-Wno-NAME...] [-Wtimetable-model] "
     "[--acceleration RATE] [--deceleration RATE] [--encoding utf-8|windows-1252] [--route NAME] "
     "[--train NUMBER] [--no-plan]",
     "check an author's line and train description files without writing any file",
     "Does all that compile does with LINE_FILE and TRAIN_FILE, in memory: every error of the\n"
     "compiler and every warning about rows that compile but not as meant, in line order, and\n"
     "a last line on standard output summing up: the route's length, its stations, signals\n"
     "and slowdowns, the errors and the warnings. No file is written.\n"
     "\n"
     "  --werror          warnings are errors\n"
     "  -Wno-NAME         no warnings of kind NAME\n"
     "  -Wtimetable-model  warnings of the kind that is off unless asked for\n"
     "  --acceleration RATE  the modelled run's acceleration in m/s^2 (default 0.3)\n"
     "  --deceleration RATE  its braking rate in m/s^2 (default: from the train's braked\n"
     "                    mass; scenario-compiler help timetable)\n"
     "  --encoding ENC    utf-8: a file saved as UTF-8 is converted to Windows-1252 first (a\n"
     "                    character the code page lacks is an error); windows-1252 (the\n"
     "                    default): the files are read as they are, and a UTF-8 one is warned of\n"
     "  --route NAME      the route name (default: from NAME_linea.txt)\n"
     "  --train NUMBER    the train number (default: from NAME_NUMBER-.txt)\n"
     "  --no-plan         build no route plan (curve rows are not read)\n"
     "\n"
     "Warnings (FILE:LINE:COL: warning: MESSAGE [-WNAME]):\n"
     "  misaligned-row   a row whose fields do not end at its line's end: fields run on\n"
     "                   into the next line, or are left over to be read as keywords\n"
     "  unknown-row      a line whose first field starts no row of its file\n"
     "  text-field       a station name or board text cut at a comma or holding quotes\n"
     "  encoding         a file saved as UTF-8, which is read as Windows-1252\n"
     "  row-order        a gradient, speed or adhesion row not after the one before it\n"
     "  off-grid         a position or length off the 50 m grid, which is rounded\n"
     "  run-out          a row past the route's length, in the run-out after it\n"
     "  curve-overlap    a curve that starts before the previous one ends\n"
     "  curve-class      a curve keyword holding more digits than its one class digit\n"
     "  range            a gradient beyond 60 per mille either way, a speed above 300 km/h\n"
     "                   or below 0, an adhesion above 100 or below 0, a station shorter\n"
     "                   than 100 m or longer than 1500 m, a curve of no length\n"
     "  overwrite        a row that takes what an earlier row placed: a station's stop point\n"
     "                   on another object's cell, approach markers on other markers, a\n"
     "                   second route length, speed or adhesion rows at one place,\n"
     "                   kilometre progressives that clear one another\n"
     "  timetable-order  a station's scheduled time not after the timed station's before it\n"
     "  timetable        a scheduled time that even the line-speed bound cannot meet\n"
     "  timetable-model  (off unless asked for: -Wtimetable-model) a leg the modelled run\n"
     "                   arrives late on, by how much, at the rates used\n"
     "\n"
     "Exit status: 0 clean (warnings allowed), 1 an error (or a warning under --werror),\n"
     "2 wrong usage, 3 a file that cannot be read.\n",
     run_check},
    {"inspect", "scenario-compiler inspect FILE [--raw | --json] [--kind plan|records|cells]",
     "print a binary scenario file",
     "Reads back a binary scenario file and prints what it holds in the author's terms:\n"
     "for the track cells, the objects along the route in order (stations' stop cells,\n"
     "signals with their aspects, speed boards, slowdowns, speed cuts, indicator boards,\n"
     "mountains) at their positions in metres and km, then the stretches of speed limit\n"
     "(km/h), gradient and adhesion; the .sim file beside them names the stations and gives\n"
     "the km, the line's own kilometre marks from its progressives (without them, metres\n"
     "from the start / 1000). For the records, the stations by name with their position,\n"
     "extent, stop cell and time, the board texts and the route's data (length, names,\n"
     "progressives, clock, signal repetition).\n"
     "For the route plan, its length, points, extent, curves and a sample along the route.\n"
     "The kind comes from the name (NAME_linea.dat the route plan, .sim the records, any\n"
     "other .dat the cells) unless given.\n"
     "\n"
     "  --raw                       print the fields by the model's names instead: the cells\n"
     "                              and records that hold something, a plan summary\n"
     "  --json                      print every field of every entry as JSON, losslessly:\n"
     "                              plan entries with their type code, doubles to 17 digits\n"
     "  --kind plan|records|cells   the kind of file, whatever its name\n"
     "\n"
     "A file that is not what it claims to be gets one error naming the byte offset.\n"
     "Exit status: 0 read, 1 a damaged file, 2 wrong usage, 3 a file that cannot be read.\n",
     run_inspect},
    {"render",
     "scenario-compiler render [SIM_FILE] [--dir DIR] [--route NAME] [--train NUMBER]"
     " [-o FILE.svg] [--acceleration RATE] [--deceleration RATE]",
     "draw a compiled scenario as an SVG picture",
     "Reads the binary files of a compiled scenario from one folder (found as below):\n"
     "the route plan (ROUTE_linea.dat), the scenario records (ROUTE_TRAIN.sim) and the track\n"
     "cells (ROUTE_TRAIN.dat), and writes one SVG picture of the route: the plan to scale,\n"
     "north up, with its stations, signals and a scale bar; under it the line speed limit,\n"
     "the gradient and the adhesion along the route, with the stations, signals, speed\n"
     "boards, slowdowns, speed cuts and mountains marked, and the modelled run's speed under\n"
     "the limit; under them the time-distance diagram of the timetable: the scheduled stops\n"
     "joined by the scheduled line, each leg's modelled run and line-speed bound, a late leg\n"
     "in red with its slack (scenario-compiler help timetable). Without a route plan file (a\n"
     "scenario compiled with --no-plan) it draws the profiles alone and says so.\n"
     "\n"
     "The scenario is SIM_FILE, the route and train taken from its name and the files from\n"
     "its folder; else the one in DIR (a ROUTE_TRAIN.sim beside its ROUTE_TRAIN.dat). When\n"
     "DIR holds several, they are listed and --route or --train (or both) choose.\n"
     "\n"
     "  --dir DIR        look in DIR (default: the current folder)\n"
     "  --route NAME     the route's name, which may hold '_'\n"
     "  --train NUMBER   the train's number\n"
     "  -o FILE.svg      write the picture to FILE.svg (default: ROUTE_TRAIN.svg in the\n"
     "                   current folder); '-o -' writes it to standard output. FILE.svg\n"
     "                   may not be one of the files read, nor a folder, device, FIFO or\n"
     "                   socket; a regular file there is replaced whole. A name that does\n"
     "                   not end in .svg (in any letter case) is refused\n"
     "  --acceleration RATE  the modelled run's acceleration in m/s^2 (default 0.3)\n"
     "  --deceleration RATE  its braking rate in m/s^2 (default: from the train's braked\n"
     "                   mass; scenario-compiler help timetable)\n"
     "\n"
     "Exit status: 0 the picture is written, 1 a damaged file (the message names the file\n"
     "and the byte offset), 2 wrong usage or several scenarios to choose from, 3 a file or\n"
     "folder that cannot be read or written, or no scenario found.\n",
     run_render},
    {"timetable",
     "scenario-compiler timetable [LINE_FILE TRAIN_FILE | SIM_FILE] [--dir DIR] [--route NAME] "
     "[--train NUMBER] [--json] [--acceleration RATE] [--deceleration RATE] [--no-plan] "
     "[--werror] [-Wno-NAME...] [-Wtimetable-model] [--encoding utf-8|windows-1252]",
     "tell whether a scenario's timetable can be kept: the fastest legal run, leg by leg",
     "For each timed station of a scenario (one whose row gives a scheduled time), in route\n"
     "order: its scheduled time and stop, the distance from the timed station before it, and\n"
     "for the leg between them the line-speed bound (the running time at each metre's limit,\n"
     "with no time lost to speed up or slow down: no train beats it), the modelled run's\n"
     "running time (a train that speeds up and brakes at constant rates, stops at each stop\n"
     "and keeps to every limit and slowdown at every metre), the modelled arrival when the\n"
     "train leaves the station before on time, and the slack: the time the timetable gives the\n"
     "leg, its stop excluded, less the modelled run. A last line says how tight the timetable\n"
     "is. What the times and stop values mean: scenario-compiler help format, THE\n"
     "TIMETABLE AND RUNNING TIME.\n"
     "\n"
     "The scenario is LINE_FILE and TRAIN_FILE, compiled in memory as check compiles them (its\n"
     "diagnostics are told as check tells them, and sources with errors have no timetable);\n"
     "else a compiled one, found as render finds it: SIM_FILE, or the one in DIR.\n"
     "\n"
     "  --json              the same figures as JSON: an object with a \"legs\" array, one\n"
     "                      entry per leg between timed stations, with \"from\" and \"to\"\n"
     "                      (station names), \"distance_m\", \"scheduled_s\", \"line_speed_s\"\n"
     "                      and \"modelled_s\" (running times, stops excluded) and \"slack_s\";\n"
     "                      a figure no train can have (a limit of 0 on the way) is null\n"
     "  --acceleration RATE  the modelled run's acceleration in m/s^2 (default 0.3)\n"
     "  --deceleration RATE  its braking rate in m/s^2 (default: from the train's braked\n"
     "                      mass by the Minden formula, else 0.5)\n"
     "  --dir DIR           look for the compiled scenario in DIR, as render does\n"
     "  --route NAME        the route's name (of the sources: from NAME_linea.txt)\n"
     "  --train NUMBER      the train's number (of the sources: from NAME_NUMBER-.txt)\n"
     "  --no-plan           the sources are compiled without a route plan\n"
     "  --werror            the sources' warnings are errors: no timetable\n"
     "  -Wno-NAME           no warnings of kind NAME about the sources\n"
     "  -Wtimetable-model   warn of legs the modelled run arrives late on\n"
     "  --encoding ENC      utf-8: the sources are converted from UTF-8 first\n"
     "\n"
     "Exit status: 0 the timetable is told (late legs included), 1 sources with errors or a\n"
     "damaged file, 2 wrong usage, 3 a file that cannot be read or no scenario found.\n",
     run_timetable},
    {"serve",
     "scenario-compiler serve LINE_FILE TRAIN_FILE [--port N] [--no-plan] [--route NAME] "
     "[--train NUMBER] [--werror] [-Wno-NAME...] [-Wtimetable-model] [--acceleration RATE] "
     "[--deceleration RATE] [--encoding utf-8|windows-1252]",
     "show a live picture of an author's route in the browser, redrawn at each save",
     "Compiles LINE_FILE and TRAIN_FILE in memory as check does, and again after every save\n"
     "of either (an editor that saves by renaming a new file over the old one included; a\n"
     "burst of saves compiles once), and serves a page on this machine's loopback address\n"
     "only: the picture render draws (the plan with pan and zoom, the profiles, the\n"
     "time-distance diagram with late legs in red and the tightest slack above), what a\n"
     "station, signal, board or slowdown is when pointed at, and every error and warning\n"
     "with its FILE:LINE, whose place along the route is marked when chosen. The page\n"
     "follows each compile without a reload and keeps its zoom; while the sources have\n"
     "errors it shows the last picture without errors, marked stale. A source deleted or\n"
     "unreadable is said on the page and the console, and watched until it comes back.\n"
     "Prints the address to open, then one line per compile. Writes no file. Ctrl-C ends it.\n"
     "\n"
     "  --port N          listen on port N of 127.0.0.1 and ::1 (0: any free port); without\n"
     "                    it, the first free port from 8417 to 8436\n"
     "  --no-plan         build no route plan: the picture has the profiles alone\n"
     "  --route NAME      the route name (default: from NAME_linea.txt)\n"
     "  --train NUMBER    the train number (default: from NAME_NUMBER-.txt)\n"
     "  --werror          warnings are errors\n"
     "  -Wno-NAME         no warnings of kind NAME (the kinds: scenario-compiler help check)\n"
     "  -Wtimetable-model  warn of legs the modelled run arrives late on\n"
     "  --acceleration RATE  the modelled run's acceleration in m/s^2 (default 0.3)\n"
     "  --deceleration RATE  its braking rate in m/s^2 (default: from the train's braked\n"
     "                    mass; scenario-compiler help timetable)\n"
     "  --encoding ENC    utf-8: a file saved as UTF-8 is converted to Windows-1252 first\n"
     "\n"
     "Exit status: 0 ended by Ctrl-C (SIGINT), SIGTERM or SIGHUP, 2 wrong usage, 3 the port\n"
     "cannot be had or the preview module cannot be loaded.\n",
     run_serve},
    {"lsp", "scenario-compiler lsp [--stdio]",
     "the language server for editors, over standard input and output",
     "Serves the Language Server Protocol (JSON-RPC with Content-Length headers) on standard\n"
     "input and output, for an editor to start. A file named NAME_linea.txt is a line file\n"
     "and NAME_NUMBER-.txt a train file; each is paired with the other file of its folder,\n"
     "from the editor's open buffer, else from disk. On every open and change both are\n"
     "checked in memory as check checks them, and every error and warning is published at\n"
     "its field, with its code or warning name and its related places. An open buffer is\n"
     "taken as text and converted to Windows-1252 (as --encoding utf-8 does); a file read\n"
     "from disk is read as it is. Hover tells a field's name, unit, range and meaning (a\n"
     "place's cell and kilometre mark too) and on a keyword what the row does; completion\n"
     "offers the file's keywords with their fields and, inside a row, the field's name;\n"
     "the outline lists stations, signals, slowdowns and boards; quick fixes write the\n"
     "keyword an unknown row was meant to be and the values the warnings name. Nothing is\n"
     "written to disk. Standard output carries the protocol only.\n"
     "\n"
     "  --stdio   the transport, standard input and output (the only one; editors pass it)\n"
     "\n"
     "Editors: VS Code takes the extension built from editors/vscode/ (the tests leave it as\n"
     "build/default/scenario-compiler.vsix); it knows the two kinds of file by name,\n"
     "highlights them and starts this server. Neovim 0.7 or later takes the configuration in\n"
     "editors/neovim/scenario_compiler.lua, which attaches every such buffer to one server:\n"
     "\n"
     "  code --install-extension scenario-compiler.vsix\n"
     "                       VS Code; the setting scenarioCompiler.path names the program\n"
     "                       when it is not on PATH\n"
     "  ~/.config/nvim/lua/scenario_compiler.lua\n"
     "                       Neovim: a copy of editors/neovim/scenario_compiler.lua\n"
     "  require('scenario_compiler')\n"
     "                       Neovim: the line in init.lua that loads it; before it,\n"
     "                       vim.g.scenario_compiler = '/path/to/scenario-compiler' when the\n"
     "                       program is not on PATH\n"
     "\n"
     "Exit status: 0 after the client's shutdown and exit, 1 at an exit without shutdown or\n"
     "the end of the input, 2 wrong usage.\n",
     run_lsp},
    {"help", "scenario-compiler help [COMMAND]", "show the help of a command",
     "Without a command, lists the commands; with one, shows its whole help. So do\n"
     "'scenario-compiler --help [COMMAND]' and 'scenario-compiler COMMAND --help' (or -h).\n",
     run_help},
};

}  // namespace

std::span<const command> command_table() { return kCommands; }

const command* find_command(const std::string& name) {
  for (const command& c : kCommands)
    if (name == c.name) return &c;
  return nullptr;
}

std::vector<std::string> prepare_process(int argc, char** argv) {
  remove_temporaries_on_signals();
  prepare_standard_streams();
  return program_arguments(argc, argv);
}

int run_reporting(diagnostic_engine& diagnostics, const std::function<int()>& work) {
  try {
    return work();
  } catch (const program_end& end) {
    return end.status;
  } catch (const write_failure& f) {
    diagnostics.report(failure(f.what()));
    return exit_file_fault;
  } catch (const reading_fault& f) {
    // Only a cell outside the grid after the readers are done: a fault of the program.
    diagnostics.report(failure(f.what()));
    return exit_scenario_fault;
  } catch (const std::bad_alloc&) {
    // The unwinding has freed what the run held and dropped its temporary files.
    diagnostics.report(failure("out of memory: the run is stopped"));
    return exit_file_fault;
  }
}

void tell_failure(std::ostream& err, const std::string& detail) {
  print_diagnostic(err, failure(detail));
}

int usage_error(const command& c, diagnostic_engine& diagnostics, const std::string& problem) {
  if (!problem.empty()) diagnostics.tell(problem);
  diagnostics.report(system_message(std::string("usage: ") + c.usage));
  return exit_usage;
}

namespace {

void list_commands(std::ostream& out) {
  out << "commands:\n";
  for (const command& c : kCommands) {
    std::string name = c.name;
    out << "  " << name << std::string(name.size() < 10 ? 10 - name.size() : 1, ' ')
        << c.short_help << '\n';
  }
}

}  // namespace

bool is_help_option(const std::string& arg) { return arg == "--help" || arg == "-h"; }

int unknown_command(const std::string& name, diagnostic_engine& diagnostics) {
  std::vector<std::string_view> names;
  for (const command& c : kCommands) names.push_back(c.name);
  diagnostics.tell("unknown command '" + name + "'" + did_you_mean(name, names, "'", "'"));
  std::ostringstream list;
  list_commands(list);
  list << "'scenario-compiler help COMMAND' shows a command's whole help.";
  diagnostics.report(system_message(list.str()));
  return exit_usage;
}

int run_help(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  if (args.size() > 1) return usage_error(*find_command("help"), io.diagnostics, "too many arguments");
  if (args.size() == 1 && args[0] == "format") {
    print_format_reference(out);
    return exit_clean;
  }
  if (args.size() == 1) {
    const command* c = find_command(args[0]);
    if (!c) return unknown_command(args[0], io.diagnostics);
    out << "usage: " << c->usage << "\n\n" << c->short_help << ".\n\n" << c->long_help;
    return exit_clean;
  }
  out << "usage: scenario-compiler [COMMAND] [OPTIONS]\n\n"
      << "A scenario compiler for a train-driving simulator. Without a command it runs the\n"
      << "built-in scenario.\n\n";
  list_commands(out);
  out << "\ntopics:\n  format    the line and train source files, row by row\n";
  out << "\n  --help     this text\n  --version  the program's version\n"
      << "\n'scenario-compiler help COMMAND' (or COMMAND --help) shows a command's whole help.\n";
  return exit_clean;
}
