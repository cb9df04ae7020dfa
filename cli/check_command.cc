// Checking an author's line and train files: everything `compile` does, in memory, with every
// diagnostic of the compiler and the lint in line order, no file written, and a summary.
#include <algorithm>
#include <charconv>
#include <compare>
#include <optional>
#include <ostream>
#include <sstream>
#include <string_view>

#include "app/form1.h"
#include "cli/commands.h"
#include "cli/source_run.h"

namespace {

// Where a diagnostic stands for the merge: the file (line file first), the line, the column.
struct place {
  int file = 0;
  int line = 0;
  int column = 0;
  auto operator<=>(const place&) const = default;
};

// One printed diagnostic of the compiler: its lines as printed, and its place.
struct printed_block {
  std::string text;
  place at;
};

// Reads the number at the start of `text`, 0 when there is none.
int number_at(std::string_view text, size_t* used) {
  int n = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  *used = static_cast<size_t>(ptr - text.data());
  return ec == std::errc() ? n : 0;
}

// Cuts the compiler's messages into diagnostics. A line naming a source file starts one, with
// its line and column when it names them; every other line (a row, its caret, a message of the
// run) goes with the diagnostic before it.
std::vector<printed_block> blocks_of(const std::string& messages, const source_run& run) {
  std::vector<printed_block> blocks;
  std::istringstream in(messages);
  std::string text;
  while (std::getline(in, text)) {
    std::optional<place> at;
    int file = 0;
    for (const std::string* name : {&run.line_source, &run.train_source}) {
      if (text.starts_with(*name + ":")) {
        at = place{file, 0, 0};
        std::string_view rest = std::string_view(text).substr(name->size() + 1);
        size_t used = 0;
        at->line = number_at(rest, &used);
        if (used > 0 && used < rest.size() && rest[used] == ':')
          at->column = number_at(rest.substr(used + 1), &used);
        break;
      }
      ++file;
    }
    if (!at && text.starts_with("scenario-compiler:") && !blocks.empty()) at = blocks.back().at;
    if (at || blocks.empty())
      blocks.push_back({text + '\n', at.value_or(place{})});
    else
      blocks.back().text += text + '\n';
  }
  return blocks;
}

std::string plural(int n, const std::string& one, const std::string& many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

int run_check(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const command& self = *find_command("check");
  source_run run;
  if (int status = parse_source_run(self, args, {}, run, err); status != exit_clean) return status;
  if (int status = read_sources(run, err); status != exit_clean) return status;
  const std::vector<diagnostic> lint = lint_sources(run);

  // A character without a Windows-1252 form is an error already told; the check goes on with
  // '?' in its place. The compiler's messages are kept to be merged with the lint's by line.
  std::ostringstream messages;
  Form1 form;
  load_sources(form, run, messages);
  form.program_folder = ".";
  form.binary_folder = ".";
  form.write_binaries = false;
  const int status = run_reporting(messages, [&] {
    form.memorizza_percorso(run.plan ? 1 : 0);
    return form.faults_reported > 0 ? exit_scenario_fault : exit_clean;
  });

  const std::vector<printed_block> compiler = blocks_of(messages.str(), run);
  size_t next = 0;
  for (const diagnostic& d : lint) {
    const place at{d.where.file == run.line_source ? 0 : 1, d.where.line, d.where.column};
    for (; next < compiler.size() && !(at < compiler[next].at); ++next) err << compiler[next].text;
    print_diagnostic(err, d);
  }
  for (; next < compiler.size(); ++next) err << compiler[next].text;

  int signals = 0, slowdowns = 0;
  for (const track_cell& cell : form.track_cells) {
    signals += cell.kind == kind_signal;
    slowdowns += cell.kind == kind_slowdown_start;
  }
  const int warnings = run.werror ? 0 : static_cast<int>(lint.size());
  const int errors = form.faults_reported + run.encoding_errors +
                     (run.werror ? static_cast<int>(lint.size()) : 0) +
                     (status != exit_clean && form.faults_reported == 0 ? 1 : 0);
  out << run.route << '_' << run.train << ": route "
      << form.scenario_records[route_length_entry].number_2 << " m, "
      << plural(std::max(form.station_counter - 1, 0), "station", "stations") << ", "
      << plural(signals, "signal", "signals") << ", " << plural(slowdowns, "slowdown", "slowdowns")
      << "; " << plural(errors, "error", "errors") << ", "
      << plural(warnings, "warning", "warnings") << '\n';
  if (status != exit_clean) return status;
  return errors > 0 ? exit_scenario_fault : exit_clean;
}
