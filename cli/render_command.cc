// The render command: reads the three binary files of a compiled scenario and writes a picture
// of the route as one SVG file.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

#include "files/atomic_file.h"
#include "platform/file_kind.h"
#include "binary/binary_decoding.h"
#include "files/whole_file.h"
#include "files/file_names.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "diagnostics/diagnostic.h"
#include "render/route_picture.h"
#include "render/scenario_files.h"

namespace {

// A file that cannot be read for a reason other than its content.
struct unreadable_file {
  std::string path;
  std::string reason;
  bool missing;
};

// A file whose bytes do not decode; `noun` says what it should have been.
struct damaged_file {
  std::string path;
  const char* noun;
  decoding_fault fault;
};

std::string read_or_throw(const std::string& path) {
  whole_file f = read_whole_file(path, max_binary_bytes);
  if (!f.ok) throw unreadable_file{path, f.reason, f.missing};
  return std::move(f.bytes);
}

// Reads and decodes one file; a decoding fault is reported against the file.
template <class Decode>
auto read_decoded(const std::string& path, const char* noun, Decode decode) {
  std::string bytes = read_or_throw(path);
  try {
    return decode(bytes);
  } catch (const decoding_fault& f) {
    throw damaged_file{path, noun, f};
  }
}

// What stands at `path` when it is there and is not a regular file (a link is followed): a
// picture never replaces a device, a FIFO, a socket or a folder. Empty when the path is free
// or a regular file.
std::string not_a_regular_file(const std::string& path) {
  switch (kind_of_file(path)) {
    case file_kind::missing:
    case file_kind::unknown:
    case file_kind::regular: return {};
    case file_kind::folder: return "a folder";
    case file_kind::device: return "a device";
    case file_kind::fifo: return "a FIFO";
    case file_kind::socket: return "a socket";
    default: return "not a regular file";
  }
}

bool is_svg_name(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".svg";
}

// Where the scenario to draw lives and what it is called.
struct scenario_place {
  std::string dir;
  scenario_name name;
};

std::string folder_words(const std::string& dir) {
  return dir == "." ? "the current folder" : dir;
}

// "A_1 (--route A --train 1)" for each: where a route name holds '_', the options say how the
// name is cut.
void list_scenarios(diagnostic_engine& diagnostics, const std::vector<scenario_name>& names) {
  for (const scenario_name& n : names)
    diagnostics.report(system_message("  " + n.stem() + " (--route " + n.route + " --train " +
                                      n.train + ")"));
}

// Finds the scenario from a .sim named on the command line, from --route and --train, or by
// looking in the folder. Returns exit_clean with `place` set, or the status once the problem
// is reported.
int locate_scenario(const command& self, const parsed_args& a, scenario_place& place,
                    diagnostic_engine& diagnostics) {
  const std::string route = a.value("--route"), train = a.value("--train");
  if (!a.positional.empty()) {
    const std::string& sim = a.positional[0];
    if (a.values.count("--dir"))
      return usage_error(self, diagnostics, "give the folder once: " + sim + " or --dir, not both");
    std::filesystem::path path(sim);
    std::optional<scenario_name> n = scenario_of_records_file(sim, route, train);
    if (!n)
      return usage_error(self, diagnostics,
                         "cannot take the route and train from " + sim + " (not ROUTE_TRAIN.sim" +
                             (route.empty() && train.empty() ? "" : " with the names given") + ")");
    place.dir = path.has_parent_path() ? path.parent_path().string() : ".";
    place.name = *n;
    return exit_clean;
  }
  place.dir = a.value("--dir", ".");
  if (!route.empty() && !train.empty()) {
    place.name = {route, train};
    return exit_clean;
  }

  std::string error;
  std::vector<std::string> names = folder_file_names(place.dir, error);
  if (!error.empty()) {
    diagnostics.tell("cannot read the folder " + place.dir + ": " + error);
    return exit_file_fault;
  }
  scenario_search found = find_scenarios(names, route, train);
  if (found.complete.size() == 1) {
    place.name = found.complete[0];
    return exit_clean;
  }
  std::string which = !route.empty()   ? " of route " + route
                      : !train.empty() ? " of train " + train
                                       : "";
  if (found.complete.empty()) {
    std::string detail;  // the halves found, or the scenarios of other names
    for (const half_scenario& half : found.halves)
      detail += (detail.empty() ? ": " : ", ") + half.present + " has no " + half.missing;
    std::vector<scenario_name> others = find_scenarios(names, "", "").complete;
    if (!which.empty() && !others.empty()) {
      detail += "; it holds";
      for (size_t i = 0; i < others.size(); ++i) detail += (i ? ", " : " ") + others[i].stem();
    }
    diagnostics.tell("no compiled scenario" + which + " in " + folder_words(place.dir) +
                  (detail.empty() ? " (looked for ROUTE_TRAIN.sim beside ROUTE_TRAIN.dat)"
                                  : detail));
    return exit_file_fault;
  }
  diagnostics.tell(folder_words(place.dir) + " holds " + std::to_string(found.complete.size()) +
                " compiled scenarios" + which + "; choose one with " +
                (!route.empty() ? "--train" : !train.empty() ? "--route" : "--route and --train") +
                ":");
  list_scenarios(diagnostics, found.complete);
  return exit_usage;
}

}  // namespace

int run_render(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("render");
  parsed_args a = parse_args(
      args, {{"--dir", true}, {"--route", true}, {"--train", true}, {"-o", true}});
  if (!a.error.empty()) return usage_error(self, io.diagnostics, a.error);
  if (a.positional.size() > 1) return usage_error(self, io.diagnostics, "unexpected " + a.positional[1]);
  for (const char* option : {"--dir", "--route", "--train", "-o"})
    if (a.values.count(option) && a.value(option).empty())
      return usage_error(self, io.diagnostics, std::string("option ") + option + " needs a value");
  // Refused before anything is read: the picture is SVG whatever the name says.
  if (a.values.count("-o") && a.value("-o") != "-" && !is_svg_name(a.value("-o")))
    return usage_error(self, io.diagnostics,
                       "will not write " + a.value("-o") +
                           ": the picture is SVG, so its file name ends in .svg");

  scenario_place where;
  if (int status = locate_scenario(self, a, where, io.diagnostics); status != exit_clean) return status;

  route_picture_input in;
  in.route_name = where.name.route;
  in.train_number = where.name.train;
  std::string output = a.value("-o", where.name.stem() + ".svg");
  const bool to_standard_output = output == "-";
  in.plan_file = plan_file_name(in.route_name);
  const std::string cells_path =
      join_path(where.dir, cells_file_name(in.route_name, in.train_number));
  const std::string records_path =
      join_path(where.dir, records_file_name(in.route_name, in.train_number));
  const std::string plan_path = join_path(where.dir, in.plan_file);

  if (!to_standard_output) {
    for (const std::string& input : {cells_path, records_path, plan_path})
      if (same_file(output, input))
        return usage_error(self, io.diagnostics, "the output " + output + " is the input " + input);
    std::string what = not_a_regular_file(output);
    if (!what.empty()) {
      io.diagnostics.tell("cannot write " + output + ": it is " + what + ", not a regular file");
      return exit_file_fault;
    }
  }

  return run_reporting(io.diagnostics, [&] {
    try {
      // The records first: a .sim named on the command line is the file a reader looks for.
      in.records = read_decoded(records_path, kRecordFileNoun, decode_records);
      in.cells = read_decoded(cells_path, kCellFileNoun, decode_cells);
      std::optional<route_plan_table> plan;
      try {
        plan = read_decoded(plan_path, kPlanFileNoun, decode_plan);
      } catch (const unreadable_file& f) {
        if (!f.missing) throw;  // no plan file: a scenario compiled without one
      }
      if (plan) {
        try {
          in.plan.emplace(*plan);
        } catch (const decoding_fault& f) {
          throw damaged_file{plan_path, kPlanFileNoun, f};
        }
        const long older = seconds_plan_before_records(plan_path, records_path);
        if (older > kStalePlanSeconds)
          io.diagnostics.tell("the plan " + plan_path + " was written " + duration_text(older) +
                              " before " + records_path +
                              ": it is an earlier compile's (one with --no-plan leaves it), "
                              "drawn as it stands; compile with the plan to draw the route of "
                              "these records");
      }
      if (to_standard_output) {
        out << draw_route_picture(in) << std::flush;
        if (!out) {
          io.diagnostics.tell("cannot write the picture to standard output");
          return exit_file_fault;
        }
        return exit_clean;
      }
      replace_file(output, draw_route_picture(in));
    } catch (const unreadable_file& f) {
      io.diagnostics.tell("cannot read " + f.path + ": " + f.reason);
      return exit_file_fault;
    } catch (const damaged_file& f) {
      io.diagnostics.tell(damaged_file_message(f.path, f.noun, f.fault));
      return exit_scenario_fault;
    }
    out << "wrote " << output << '\n';
    return exit_clean;
  });
}
