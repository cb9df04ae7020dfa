// The timetable command: for each timed station of a scenario, its scheduled time, the distance
// from the one before, the leg's line-speed bound and modelled run, the modelled arrival and the
// slack; from an author's sources compiled in memory as check compiles them, or from the binary
// files of a compiled scenario as render reads them.
#include <ostream>

#include "cli/checked_run.h"
#include "cli/commands.h"
#include "cli/scenario_reading.h"
#include "cli/source_run.h"
#include "timetable/route_timetable.h"
#include "timetable/timetable_print.h"

namespace {

void print(std::ostream& out, const timetable& t, const scenario_name& name, bool json) {
  if (json)
    out << timetable_json(t, name.route, name.train);
  else
    print_timetable(out, t, name.stem());
}

// From the sources: every diagnostic as check tells it, then the table, unless there are
// errors.
int from_sources(const command& self, const std::vector<std::string>& args, command_io& io) {
  source_run run;
  if (int status = parse_source_run(self, args, {{"--json", false}}, run, io.diagnostics);
      status != exit_clean)
    return status;
  if (int status = read_sources(run, io.diagnostics); status != exit_clean) return status;
  const checked_run checked = run_checked(run, io.diagnostics);
  for (const diagnostic& d : checked.diagnostics) io.diagnostics.report(d);
  if (checked.exit_status() != exit_clean || !checked.route_times) {
    io.diagnostics.tell("no timetable: the sources do not compile without errors");
    return checked.exit_status() != exit_clean ? checked.exit_status() : exit_scenario_fault;
  }
  print(io.out, *checked.route_times, {run.route, run.train}, run.args.has("--json"));
  return exit_clean;
}

int from_compiled(const command& self, const std::vector<std::string>& args, command_io& io) {
  parsed_args a = parse_args(args, {{"--dir", true},
                                    {"--route", true},
                                    {"--train", true},
                                    {"--json", false},
                                    {"--acceleration", true},
                                    {"--deceleration", true}});
  if (!a.error.empty()) return usage_error(self, io.diagnostics, a.error);
  for (const char* option : {"--dir", "--route", "--train"})
    if (a.values.count(option) && a.value(option).empty())
      return usage_error(self, io.diagnostics, std::string("option ") + option + " needs a value");
  rate_overrides rates;
  if (std::string problem = take_rate_options(a, rates); !problem.empty())
    return usage_error(self, io.diagnostics, problem);
  scenario_place where;
  if (int status = locate_scenario(self, a, where, io.diagnostics); status != exit_clean) return status;
  return run_reporting(io.diagnostics, [&] {
    return reading_scenario(io.diagnostics, [&] {
      const std::vector<scenario_record> records =
          read_decoded(where.records_path(), kRecordFileNoun, decode_records);
      const std::vector<track_cell> cells = read_decoded(where.cells_path(), kCellFileNoun, decode_cells);
      print(io.out, route_timetable(cells, records, rates), where.name, a.has("--json"));
      return exit_clean;
    });
  });
}

}  // namespace

int run_timetable(const std::vector<std::string>& args, command_io& io) {
  const command& self = *find_command("timetable");
  // Two words are an author's sources; one or none a compiled scenario. The words are counted
  // with every option either form takes, the warning words aside.
  std::vector<std::string> rest;
  std::set<std::string> ignored;
  take_warning_words(args, rest, ignored);
  const parsed_args counted = parse_args(
      rest, {{"--dir", true}, {"--route", true}, {"--train", true}, {"--json", false},
             {"--acceleration", true}, {"--deceleration", true}, {"--no-plan", false},
             {"--werror", false}, {"--encoding", true}});
  if (counted.positional.size() == 2) {
    if (counted.values.count("--dir"))
      return usage_error(self, io.diagnostics,
                         "--dir looks for a compiled scenario; LINE_FILE and TRAIN_FILE are sources");
    return from_sources(self, args, io);
  }
  if (counted.positional.size() > 2)
    return usage_error(self, io.diagnostics, "unexpected " + counted.positional[2]);
  return from_compiled(self, args, io);
}
