// The fuzz harness: arbitrary bytes through the whole compiler and finishing pass, in memory.
// No file or folder is made: both sources live in the run's memory files and the binary files
// are encoded into memory and read back instead of written.
#include "fuzz/harness.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <string_view>

#include "form1/form1.h"
#include "diagnostics/error_codes.h"
#include "binary/binary_encoding.h"
#include "files/cp1252.h"
#include "files/file_names.h"
#include "model/grid.h"
#include "builtin/builtin_scenario.h"

namespace {

const std::string kRoute(builtin_route_name);
const std::string kTrain(builtin_train_number);
const std::string kLineName = line_file_name(kRoute);
const std::string kTrainName = train_file_name(kRoute, kTrain);

// A folder that does not exist: a run that tries to touch the disk fails loudly.
const char kNoFolder[] = "/nonexistent/scenario-compiler-fuzz";

struct builtin_sources {
  std::string line, train;
};

// The built-in scenario's two sources, written once by its own writers into memory.
const builtin_sources& builtin() {
  static const builtin_sources sources = [] {
    Form1 form;
    form.program_folder = kNoFolder;
    form.route_name = kRoute;
    form.train_number = kTrain;
    form.memory_files.emplace();
    form.dati_linea();
    form.dati_treno();
    return builtin_sources{form.memory_files->at(kLineName), form.memory_files->at(kTrainName)};
  }();
  return sources;
}

[[noreturn]] void violation(const std::string& what) {
  fprintf(stderr, "model invariant broken: %s\n", what.c_str());
  abort();
}

void check_faults(const fault_state& faults) {
  if (faults.error_code != 0 && !find_error_code(faults.error_code))
    violation("error_code " + std::to_string(faults.error_code) + " is not in the table of codes");
}

void check_route(const route_state& route) {
  if (route.has_grid()) {
    if (route.track_cells.size() != static_cast<size_t>(route.last_cell_index) + 1)
      violation("grid size does not match last_cell_index");
    if (route.grid_length > grid_length_of(kLongestRoute))
      violation("grid longer than the longest route allows");
  }
  if (route.route_plan.exists()) {
    if (route.route_plan.upper != route.grid_length) violation("plan bounds");
    if (route.route_plan.entry_count() != 2 * (static_cast<size_t>(route.grid_length) + 1))
      violation("plan size");
  }
}

void check_readers(const line_reader_state& line, const text_input_state& text) {
  if (line.mountain_count < 0 || line.mountain_count > 80) violation("mountain count");
  if (line.board_index < 0 || line.board_index > 80) violation("board index");
  if (text.input) violation("a file is still open");
}

// The records as the run would write them (the cells and the plan are numbers that always
// encode): an encoding that throws (a text too long for its length field, say) escapes and is a
// finding, and every text must have a Windows-1252 form, not come back with '?' in place of
// what it could not hold.
void check_records(const route_state& route) {
  byte_buffer records;
  encode_array(records, route.scenario_records);
  for (size_t i = 0; i < route.scenario_records.size(); ++i) {
    const std::string& text = route.scenario_records[i].text;
    if (cp1252_to_utf8(utf8_to_cp1252(text)) != text)
      violation("the text of record " + std::to_string(i) + " has no Windows-1252 form");
  }
}

}  // namespace

void compile_fuzz_input(std::string_view input) {
  if (input.empty()) return;
  const builtin_sources& sources = builtin();
  const uint8_t mode = static_cast<uint8_t>(input[0]);
  std::string_view rest = input.substr(1);

  Form1 form;
  std::ostringstream console;
  form.console = &console;
  form.program_folder = kNoFolder;
  form.route_name = kRoute;
  form.train_number = kTrain;
  form.write_binaries = false;
  std::map<std::string, std::string>& files = form.memory_files.emplace();
  switch (mode & 3) {
    case 0:
      files[kLineName] = rest;
      files[kTrainName] = sources.train;
      break;
    case 1:
      files[kLineName] = sources.line;
      files[kTrainName] = rest;
      break;
    default: {
      size_t cut = rest.find("\n####\n");
      files[kLineName] = rest.substr(0, cut);
      files[kTrainName] = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 6);
    }
  }

  try {
    form.memorizza_percorso((mode & 4) ? 1 : 0);
  } catch (const program_end&) {
    // 1250 or 1251 shown: the run ends there, as it should.
  }
  check_faults(form);
  check_route(form);
  check_readers(form, form);
  // Whatever happened, the compiler leaves no line file behind once it has read it.
  if (form.file_exists(kLineName) && form.error_code != 101)
    violation("the line file is still there");
  // However the run ended, the records it holds must be writable.
  check_records(form);
}
