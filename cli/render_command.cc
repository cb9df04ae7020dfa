// The render command: reads the three binary files of a compiled scenario and writes a picture
// of the route as one SVG file.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>

#include "files/atomic_file.h"
#include "files/binary_decoding.h"
#include "files/whole_file.h"
#include "scenario/builtin_scenario.h"
#include "files/file_names.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "render/route_picture.h"

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

constexpr const char* kCellNoun = "track cell file";
constexpr const char* kRecordNoun = "scenario record file";
constexpr const char* kPlanNoun = "route plan file";

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
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode)) return {};
  if (S_ISDIR(st.st_mode)) return "a folder";
  if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "a device";
  if (S_ISFIFO(st.st_mode)) return "a FIFO";
  if (S_ISSOCK(st.st_mode)) return "a socket";
  return "not a regular file";
}

bool same_file(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

}  // namespace

int run_render(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const command& self = *find_command("render");
  parsed_args a = parse_args(
      args, {{"--dir", true}, {"--route", true}, {"--train", true}, {"-o", true}});
  if (!a.error.empty()) return usage_error(self, err, a.error);
  if (!a.positional.empty()) return usage_error(self, err, "unexpected " + a.positional[0]);
  for (const char* option : {"--dir", "--route", "--train", "-o"})
    if (a.values.count(option) && a.value(option).empty())
      return usage_error(self, err, std::string("option ") + option + " needs a value");

  // The built-in scenario's names unless others are given.
  route_picture_input in;
  in.route_name = a.value("--route", std::string(builtin_route_name));
  in.train_number = a.value("--train", std::string(builtin_train_number));
  std::string dir = a.value("--dir", ".");
  std::string output = a.value("-o", in.route_name + "_" + in.train_number + ".svg");
  const bool to_standard_output = output == "-";
  in.plan_file = plan_file_name(in.route_name);
  const std::string cells_path = join_path(dir, cells_file_name(in.route_name, in.train_number));
  const std::string records_path =
      join_path(dir, records_file_name(in.route_name, in.train_number));
  const std::string plan_path = join_path(dir, in.plan_file);

  if (!to_standard_output) {
    for (const std::string& input : {cells_path, records_path, plan_path})
      if (same_file(output, input))
        return usage_error(self, err, "the output " + output + " is the input " + input);
    std::string what = not_a_regular_file(output);
    if (!what.empty()) {
      err << "scenario-compiler: cannot write " << output << ": it is " << what
          << ", not a regular file\n";
      return exit_file_fault;
    }
  }

  return run_reporting(err, [&] {
    try {
      in.cells = read_decoded(cells_path, kCellNoun, decode_cells);
      in.records = read_decoded(records_path, kRecordNoun, decode_records);
      std::optional<route_plan_table> plan;
      try {
        plan = read_decoded(plan_path, kPlanNoun, decode_plan);
      } catch (const unreadable_file& f) {
        if (!f.missing) throw;  // no plan file: a scenario compiled without one
      }
      if (plan) {
        try {
          in.plan.emplace(*plan);
        } catch (const decoding_fault& f) {
          throw damaged_file{plan_path, kPlanNoun, f};
        }
      }
      if (to_standard_output) {
        out << draw_route_picture(in) << std::flush;
        if (!out) {
          err << "scenario-compiler: cannot write the picture to standard output\n";
          return exit_file_fault;
        }
        return exit_clean;
      }
      replace_file(output, draw_route_picture(in));
    } catch (const unreadable_file& f) {
      err << "scenario-compiler: cannot read " << f.path << ": " << f.reason << '\n';
      return exit_file_fault;
    } catch (const damaged_file& f) {
      // Worded as inspect words it, so that both commands tell of a damaged file alike.
      err << "scenario-compiler: " << f.path << ": not a valid " << f.noun << ": at byte "
          << f.fault.offset << ": " << f.fault.message << '\n';
      return exit_scenario_fault;
    }
    out << "wrote " << output << '\n';
    return exit_clean;
  });
}
