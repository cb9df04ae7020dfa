// Reading back a binary scenario file and printing it for a person or as JSON.
#include <filesystem>
#include <ostream>

#include "binary/binary_decoding.h"
#include "platform/utf8_path.h"
#include "files/file_names.h"
#include "files/whole_file.h"
#include "cli/args.h"
#include "cli/commands.h"
#include "diagnostics/diagnostic.h"
#include "inspect/inspect_print.h"
#include "inspect/route_print.h"

namespace {

// The kind of file its name claims, as --kind names it; empty when the name says nothing.
std::string kind_from_name(const std::string& path) {
  switch (binary_kind_of(text_of(path_of(path).filename()))) {
    case binary_file_kind::plan: return "plan";
    case binary_file_kind::records: return "records";
    case binary_file_kind::cells: return "cells";
    case binary_file_kind::unknown: break;
  }
  return {};
}

// The records of the train whose cells are inspected, read from the .sim file beside them;
// empty when there is none or it cannot be read whole.
std::vector<scenario_record> records_beside(const std::string& records_file) {
  whole_file read = read_whole_file(records_file, max_binary_bytes);
  if (!read.ok) return {};
  try {
    return decode_records(read.bytes);
  } catch (const decoding_fault&) {
    return {};
  }
}

}  // namespace

int run_inspect(const std::vector<std::string>& args, command_io& io) {
  std::ostream& out = io.out;
  const command& self = *find_command("inspect");
  parsed_args a = parse_args(args, {{"--json", false}, {"--raw", false}, {"--kind", true}});
  if (!a.error.empty()) return usage_error(self, io.diagnostics, a.error);
  if (a.positional.empty()) return usage_error(self, io.diagnostics, "needs FILE");
  if (a.positional.size() > 1) return usage_error(self, io.diagnostics, "unexpected " + a.positional[1]);
  if (a.has("--json") && a.has("--raw"))
    return usage_error(self, io.diagnostics, "--json and --raw are two different prints: give one");
  const std::string file = a.positional[0];
  std::string kind = a.value("--kind", kind_from_name(file));
  if (a.values.count("--kind") && kind != "plan" && kind != "records" && kind != "cells")
    return usage_error(self, io.diagnostics, "--kind takes plan, records or cells, not '" + kind + "'");
  if (kind.empty())
    return usage_error(self, io.diagnostics,
                       "cannot tell the kind of " + file +
                           " from its name (_linea.dat, .sim, .dat); give it with --kind");

  whole_file read = read_whole_file(file, max_binary_bytes);
  if (!read.ok) {
    io.diagnostics.tell("cannot read " + file + ": " + read.reason);
    return exit_file_fault;
  }
  const std::string& bytes = read.bytes;

  // The author's terms by default; --raw the model's fields, --json every field losslessly.
  const bool json = a.has("--json"), raw = a.has("--raw");
  try {
    if (kind == "cells") {
      auto cells = decode_cells(bytes);
      if (json) {
        print_cells_json(out, file, cells);
      } else if (raw) {
        print_cells(out, file, cells);
      } else {
        std::string records_file = records_path_beside(file);
        print_route_cells(out, file, cells, records_beside(records_file), records_file);
      }
    } else if (kind == "records") {
      auto records = decode_records(bytes);
      json  ? print_records_json(out, file, records)
      : raw ? print_records(out, file, records)
            : print_route_records(out, file, records);
    } else {
      route_plan_table plan = decode_plan(bytes);
      json  ? print_plan_json(out, file, plan)
      : raw ? print_plan(out, file, plan)
            : print_route_plan(out, file, plan);
    }
  } catch (const decoding_fault& f) {
    const char* noun = kind == "cells"     ? kCellFileNoun
                       : kind == "records" ? kRecordFileNoun
                                           : kPlanFileNoun;
    io.diagnostics.tell(damaged_file_message(file, noun, f));
    return exit_scenario_fault;
  }
  return exit_clean;
}
