// The fuzz harness: arbitrary bytes through the whole compiler and finishing pass.
#include "fuzz/harness.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "diagnostics/error_codes.h"
#include "app/form1.h"
#include "files/atomic_file.h"
#include "files/file_names.h"
#include "files/line_table.h"
#include "files/whole_file.h"
#include "scenario/builtin_scenario.h"

namespace {

const std::string kRoute(builtin_route_name);
const std::string kTrain(builtin_train_number);

struct builtin_sources {
  std::string line, train;
};

std::string make_folder() {
  std::string base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp";
  std::string pattern = base + "/sc-fuzz-XXXXXX";
  if (!mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a temporary folder from " + pattern);
  return pattern;
}

const builtin_sources& builtin() {
  static const builtin_sources sources = [] {
    std::string folder = make_folder();
    Form1 form;
    form.program_folder = folder;
    form.route_name = kRoute;
    form.train_number = kTrain;
    form.dati_linea();
    form.dati_treno();
    builtin_sources s;
    auto slurp = [&](const std::string& name) { return read_whole_file(join_path(folder, name)).bytes; };
    s.line = slurp(line_file_name(kRoute));
    s.train = slurp(train_file_name(kRoute, kTrain));
    std::filesystem::remove_all(folder);
    return s;
  }();
  return sources;
}

[[noreturn]] void violation(const std::string& what) {
  fprintf(stderr, "model invariant broken: %s\n", what.c_str());
  abort();
}

void check_model(const Form1& form) {
  if (form.error_code != 0 && !find_error_code(form.error_code))
    violation("error_code " + std::to_string(form.error_code) + " is not in the table of codes");
  if (form.has_grid()) {
    if (form.track_cells.size() != static_cast<size_t>(form.last_cell_index) + 1)
      violation("grid size does not match last_cell_index");
    if (form.grid_length > 1007000) violation("grid longer than the longest route allows");
  }
  if (form.route_plan.exists()) {
    if (form.route_plan.upper != form.grid_length) violation("plan bounds");
    if (form.route_plan.entry_count() != 2 * (static_cast<size_t>(form.grid_length) + 1))
      violation("plan size");
  }
  if (form.mountain_count < 0 || form.mountain_count > 80) violation("mountain count");
  if (form.board_index < 0 || form.board_index > 80) violation("board index");
  if (form.input.has_value()) violation("a file is still open");
}

}  // namespace

void compile_fuzz_input(std::string_view input) {
  if (input.empty()) return;
  const uint8_t* data = reinterpret_cast<const uint8_t*>(input.data());
  size_t size = input.size();
  const builtin_sources& sources = builtin();
  uint8_t mode = data[0];
  std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string line = sources.line, train = sources.train;
  switch (mode & 3) {
    case 0: line = rest; break;
    case 1: train = rest; break;
    default: {
      size_t cut = rest.find("\n####\n");
      line = rest.substr(0, cut);
      train = cut == std::string_view::npos ? std::string() : std::string(rest.substr(cut + 6));
    }
  }

  static const std::string folder = make_folder();
  Form1 form;
  std::ostringstream console;
  form.console = &console;
  form.program_folder = folder;
  form.route_name = kRoute;
  form.train_number = kTrain;
  replace_file(join_path(folder, line_file_name(kRoute)), line);
  replace_file(join_path(folder, train_file_name(kRoute, kTrain)), train);
  try {
    form.memorizza_percorso((mode & 4) ? 1 : 0);
  } catch (const program_end&) {
    // 1250 or 1251 shown: the run ends there, as it should.
  }
  check_model(form);
  // Whatever happened, the compiler leaves no intermediate file behind once it has read it.
  if (form.file_exists(line_file_name(kRoute)) && form.error_code != 101)
    violation("the line file is still there");
  std::filesystem::remove(join_path(folder, train_file_name(kRoute, kTrain)));
}
