// The fuzz harness: arbitrary bytes through the lint and the whole compiler and finishing pass,
// in memory. No file or folder is made: both sources live in the run's memory files and the
// binary files are encoded into memory and read back instead of written.
#include "fuzz/harness.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "form1/form1.h"
#include "diagnostics/error_codes.h"
#include "binary/binary_encoding.h"
#include "files/cp1252.h"
#include "files/file_names.h"
#include "model/grid.h"
#include "builtin/builtin_scenario.h"
#include "lint/lint.h"

namespace {

const std::string kRoute(builtin_route_name);
const std::string kTrain(builtin_train_number);
const std::string kLineName = line_file_name(kRoute);
const std::string kTrainName = train_file_name(kRoute, kTrain);

// A folder that does not exist: a run that tries to touch the disk fails loudly.
const char kNoFolder[] = "/nonexistent/scenario-compiler-fuzz";

// A run of the compiler on sources held in memory, writing nothing.
struct memory_run {
  std::unique_ptr<Form1> form = std::make_unique<Form1>();  // a Form1 cannot be moved
  std::ostringstream console;

  memory_run(std::string_view line, std::string_view train, bool plan) {
    Form1& f = *form;
    f.console = &console;
    f.program_folder = kNoFolder;
    f.route_name = kRoute;
    f.train_number = kTrain;
    f.write_binaries = false;
    std::map<std::string, std::string>& files = f.memory_files.emplace();
    files[kLineName] = line;
    files[kTrainName] = train;
    try {
      f.memorizza_percorso(plan ? 1 : 0);
    } catch (const program_end&) {
      // 1250 or 1251 shown: the run ends there, as it should.
    }
  }
};

[[noreturn]] void violation(const std::string& what) {
  fprintf(stderr, "invariant broken: %s\n", what.c_str());
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

// The file with line `n` (from 1) taken out, its line end with it. Lines end as the walk and
// the reader end them: at LF, CR LF or a lone CR.
std::string without_line(const std::string& bytes, int n) {
  size_t start = 0;
  int line = 1;
  for (size_t i = 0; i < bytes.size() && line < n; ++i)
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n'))) {
      ++line;
      start = i + 1;
    }
  if (line < n) return bytes;
  size_t end = start;
  while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
  if (end < bytes.size()) end += bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
  std::string out = bytes;
  out.erase(start, end - start);
  return out;
}

// The diagnostics the lint makes of the sources: each in one of the two files, at a line it
// has, and told in the lint's own kinds.
std::vector<diagnostic> checked_lint(const source_pair& sources, bool plan) {
  lint_options options;
  options.plan = plan;
  std::vector<diagnostic> told =
      lint_scenario({kLineName, sources.line}, {kTrainName, sources.train}, options);
  // At most as many lines as line ends, and one more.
  auto lines_of = [](const std::string& bytes) {
    return std::count(bytes.begin(), bytes.end(), '\n') +
           std::count(bytes.begin(), bytes.end(), '\r') + 1;
  };
  const std::ptrdiff_t line_lines = lines_of(sources.line), train_lines = lines_of(sources.train);
  for (const diagnostic& d : told) {
    if (d.where.file != kLineName && d.where.file != kTrainName)
      violation("the lint names a file it was not given: " + d.where.file);
    const std::ptrdiff_t lines = d.where.file == kLineName ? line_lines : train_lines;
    if (d.where.line < 0 || d.where.line > lines || d.where.column < 0)
      violation("the lint tells a place its file does not have: line " +
                std::to_string(d.where.line) + ", column " + std::to_string(d.where.column));
    if (d.level == severity::warning && !is_warning_kind(d.name))
      violation("the lint tells a warning of no kind: " + d.name);
  }
  return told;
}

// The compile's output, encoded as the binary files are.
compiled_output output_of(const Form1& form) {
  compiled_output out;
  out.error_code = form.error_code;
  out.error_position = form.error_position;
  if (form.route_plan.exists()) {
    byte_buffer plan;
    for (size_t i = 0; i < form.route_plan.entry_count(); ++i)
      plan.variant({form.route_plan.types[i], form.route_plan.values[i]});
    out.plan = std::move(plan.bytes());
  }
  byte_buffer records, cells;
  encode_array(records, form.scenario_records);
  encode_array(cells, form.track_cells);
  out.records = std::move(records.bytes());
  out.cells = std::move(cells.bytes());
  return out;
}

// Whether the lint tells `d`'s line passed over. Its words come after the quoted first field,
// which may hold any words: they are looked for after the last place the field can end.
bool told_passed_over(const diagnostic& d) {
  if (d.name != "unknown-row") return false;
  size_t after = 0;
  for (const char* follows : {"\" starts no row of the ", "\" is read only in the general section"})
    if (size_t at = d.detail.rfind(follows); at != std::string::npos) after = std::max(after, at);
  return d.detail.find("is passed over", after) != std::string::npos;
}

// `whole` is the sources' own output, encoded only once a line is taken out.
passed_over_lines passed_over_in(const source_pair& sources, bool plan, size_t most,
                                 const std::function<compiled_output()>& whole) {
  passed_over_lines result;
  std::optional<compiled_output> output;
  for (const diagnostic& d : checked_lint(sources, plan)) {
    if (result.taken_out >= most) break;
    if (!told_passed_over(d)) continue;
    ++result.taken_out;
    source_pair without = sources;
    std::string& file = d.where.file == kLineName ? without.line : without.train;
    file = without_line(file, d.where.line);
    if (!output) output = whole();
    if (compile_in_memory(without, plan) == *output) continue;
    result.differs = d.where.file + ":" + std::to_string(d.where.line) + ": \"" + d.where.text +
                     "\" is told passed over, but the compile without it differs";
    break;
  }
  return result;
}

}  // namespace

const source_pair& builtin_sources() {
  static const source_pair sources = [] {
    Form1 form;
    form.program_folder = kNoFolder;
    form.route_name = kRoute;
    form.train_number = kTrain;
    form.memory_files.emplace();
    form.dati_linea();
    form.dati_treno();
    return source_pair{form.memory_files->at(kLineName), form.memory_files->at(kTrainName)};
  }();
  return sources;
}

compiled_output compile_in_memory(const source_pair& sources, bool plan) {
  const memory_run run(sources.line, sources.train, plan);
  return output_of(*run.form);
}

passed_over_lines take_out_passed_over_lines(const source_pair& sources, bool plan, size_t most) {
  return passed_over_in(sources, plan, most, [&] { return compile_in_memory(sources, plan); });
}

void compile_fuzz_input(std::string_view input) {
  if (input.empty()) return;
  const source_pair& builtin = builtin_sources();
  const uint8_t mode = static_cast<uint8_t>(input[0]);
  const bool plan = (mode & 4) != 0;
  std::string_view rest = input.substr(1);

  source_pair sources = builtin;
  switch (mode & 3) {
    case 0:
      sources.line = rest;
      break;
    case 1:
      sources.train = rest;
      break;
    default: {
      size_t cut = rest.find("\n####\n");
      sources.line = rest.substr(0, cut);
      sources.train = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 6);
    }
  }

  const memory_run run(sources.line, sources.train, plan);
  const Form1& form = *run.form;
  check_faults(form);
  check_route(form);
  check_readers(form, form);
  // Whatever happened, the compiler leaves no line file behind once it has read it.
  if (form.file_exists(kLineName) && form.error_code != 101)
    violation("the line file is still there");
  // However the run ended, the records it holds must be writable.
  check_records(form);

  // The lint reads the same sources, and a line it tells passed over is one the compile does
  // without: the first such line is taken out and the sources compiled again.
  const passed_over_lines taken = passed_over_in(sources, plan, 1, [&] { return output_of(form); });
  if (!taken.differs.empty()) violation(taken.differs);
}
