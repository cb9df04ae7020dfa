// The render command: reads the three binary files of a compiled scenario and writes a picture
// of the route as one SVG file.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <ostream>

#include "files/atomic_file.h"
#include "platform/utf8_path.h"
#include "platform/file_kind.h"
#include "binary/binary_decoding.h"
#include "files/file_names.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "cli/scenario_reading.h"
#include "cli/source_run.h"
#include "diagnostics/diagnostic.h"
#include "render/route_picture.h"
#include "render/scenario_files.h"

namespace {

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
  std::string extension = text_of(path_of(path).extension());
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".svg";
}

}  // namespace

int run_render(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("render");
  parsed_args a = parse_args(args, {{"--dir", true},
                                    {"--route", true},
                                    {"--train", true},
                                    {"-o", true},
                                    {"--acceleration", true},
                                    {"--deceleration", true}});
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
  route_picture_input in;
  if (std::string problem = take_rate_options(a, in.rates); !problem.empty())
    return usage_error(self, io.diagnostics, problem);

  scenario_place where;
  if (int status = locate_scenario(self, a, where, io.diagnostics); status != exit_clean) return status;

  in.route_name = where.name.route;
  in.train_number = where.name.train;
  std::string output = a.value("-o", where.name.stem() + ".svg");
  const bool to_standard_output = output == "-";
  in.plan_file = plan_file_name(in.route_name);
  const std::string cells_path = where.cells_path();
  const std::string records_path = where.records_path();
  const std::string plan_path = where.plan_path();

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
    return reading_scenario(io.diagnostics, [&] {
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
      out << "wrote " << output << '\n';
      return exit_clean;
    });
  });
}
