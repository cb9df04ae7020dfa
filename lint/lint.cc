// The lint's run: each file walked row by row, then the values of its rows checked.
#include "lint/lint.h"

#include <algorithm>
#include <optional>

#include "files/keywords.h"
#include "lint/encoding.h"
#include "lint/file_walk.h"
#include "lint/value_checks.h"
#include "source/row_table.h"

namespace {

constexpr warning_kind kKinds[] = {
    {"misaligned-row"},
    {"unknown-row"},
    {"text-field"},
    {"encoding"},
    {"row-order"},
    {"off-grid"},
    {"run-out"},
    {"curve-overlap"},
    {"curve-class"},
    {"range"},
    {"overwrite"},
    // Told once the route is compiled, from its timetable (timetable/findings.h).
    {"timetable-order"},
    {"timetable"},
    {"timetable-model", false},
};

// The first row `rows` holds; null for none.
const row_spec* first_of(const std::vector<const row_spec*>& rows) {
  return rows.empty() ? nullptr : rows.front();
}

void walk_line_file(file_walk& walk, value_checks& checks, bool plan) {
  if (walk.find_general_section()) walk.mark_section_field();
  bool starts_line = false;
  while (auto k = walk.next_keyword(10, &starts_line, true)) {
    const bool more = walk.more_on_line();
    auto rows = matching(row_part::line_general, k->text, plan);
    const bool closes = ends_general_section(k->text);
    walk.settle(&*k, first_of(rows), closes);
    if (rows.empty() && !closes) walk.unknown(*k, starts_line, more);
    checks.check(walk.take_row(*k, starts_line, rows));
    if (closes) {
      walk.mark_section_field();
      break;
    }
  }
  while (auto k = walk.next_keyword(2, &starts_line)) {
    const bool more = walk.more_on_line();
    // Without a plan a curve row is read as keywords, but its keyword is no misspelling.
    const std::vector<const row_spec*> main_rows = matching(row_part::line_main, k->text, true);
    std::vector<const row_spec*> rows = main_rows;
    if (!plan) std::erase_if(rows, [](const row_spec* r) { return r->kind == row_kind::curve; });
    walk.settle(&*k, first_of(rows), false);
    const bool main_row = !main_rows.empty();
    if (!main_row && !matching(row_part::line_general, k->text, true).empty())
      walk.out_of_section(*k, starts_line, more);
    else if (!main_row)
      walk.unknown(*k, starts_line, more);
    checks.check(walk.take_row(*k, starts_line, rows));
  }
  walk.settle(nullptr, nullptr, false);
}

void walk_train_file(file_walk& walk, value_checks& checks, bool empty) {
  // A train file without the section is no fault to the compiler: it reads none of its rows.
  if (!walk.find_general_section() && !empty)
    walk.warn("unknown-row", 1, 1,
              "no field holds \"[generale]\": none of the train file's rows is read, and every "
              "cell gets the starting speed and adhesion");
  bool starts_line = false;
  while (auto k = walk.next_keyword(2, &starts_line)) {
    const bool more = walk.more_on_line();
    auto rows = matching(row_part::train, k->text, true);
    walk.settle(&*k, first_of(rows), false);
    if (rows.empty()) walk.unknown(*k, starts_line, more);
    checks.check(walk.take_row(*k, starts_line, rows));
  }
  walk.settle(nullptr, nullptr, false);
}


// Each warning at a row read whole carries the row's kind and, for a row that starts with one,
// its place along the route: the walk knows them, nobody reads them back from the text.
void place_on_rows(std::vector<diagnostic>& out, const file_walk& walk) {
  const std::vector<row_place>& rows = walk.rows();  // in line order
  for (diagnostic& d : out) {
    // The last row that starts at or before the warning's line, if the warning lies within it.
    auto after = std::upper_bound(rows.begin(), rows.end(), d.where.line,
                                  [](int line, const row_place& r) { return line < r.first_line; });
    if (after == rows.begin()) continue;
    const row_place& row = *std::prev(after);
    if (d.where.line > row.last_line || row.kind.empty()) continue;
    d.row_kind = row.kind;
    if (row.metre) d.metre = *row.metre;
  }
}

std::vector<diagnostic> lint_file(const source_text& source, bool line_file,
                                  const lint_options& options,
                                  std::optional<int32_t>* route_length) {
  std::vector<diagnostic> out = encoding_warnings(source);
  file_walk walk(source, line_file, options.disabled.count("unknown-row") == 0, out);
  value_checks checks(walk, *route_length);
  if (line_file) {
    walk_line_file(walk, checks, options.plan);
    *route_length = checks.route_length();
  } else {
    walk_train_file(walk, checks, source.bytes.find_first_not_of(" \t\r\n") == std::string::npos);
  }
  place_on_rows(out, walk);
  std::stable_sort(out.begin(), out.end(), [](const diagnostic& a, const diagnostic& b) {
    return a.where.line < b.where.line;
  });
  return out;
}

}  // namespace

std::span<const warning_kind> warning_kinds() { return kKinds; }

bool is_warning_kind(const std::string& name) {
  for (const warning_kind& k : kKinds)
    if (name == k.name) return true;
  return false;
}

namespace {

// How many lines of `source` start with a keyword of the line file's rows, and how many with
// one of the train file's.
struct row_counts {
  int line_rows = 0, train_rows = 0;
};

row_counts count_rows(const source_text& source) {
  row_counts n;
  scanner fields(source.bytes);
  while (!fields.at_end()) {
    const source_field f = fields.read_text();
    if (!f.starts_line) continue;
    if (row_spec_of(f.text, true)) ++n.line_rows;
    if (row_spec_of(f.text, false)) ++n.train_rows;
  }
  return n;
}

// Two files given the wrong way round: the one error said first, for what follows from it.
std::optional<diagnostic> swapped(const source_text& line_file, const source_text& train_file) {
  const row_counts in_line = count_rows(line_file), in_train = count_rows(train_file);
  if (in_line.train_rows <= in_line.line_rows || in_train.line_rows <= in_train.train_rows)
    return std::nullopt;
  diagnostic d = failure("the two files seem swapped: " + line_file.shown_name + ", given as the "
                         "line file, holds " + std::to_string(in_line.train_rows) +
                         " rows of a train file, and " + train_file.shown_name + ", given as "
                         "the train file, " + std::to_string(in_train.line_rows) +
                         " rows of a line file; give the line file first");
  d.where = file_only(line_file.shown_name);
  return d;
}

}  // namespace

std::vector<diagnostic> lint_scenario(const source_text& line_file, const source_text& train_file,
                                      const lint_options& options) {
  if (std::optional<diagnostic> told = swapped(line_file, train_file)) return {*told};
  std::optional<int32_t> route_length;
  std::vector<diagnostic> out = lint_file(line_file, true, options, &route_length);
  std::vector<diagnostic> train = lint_file(train_file, false, options, &route_length);
  out.insert(out.end(), train.begin(), train.end());
  std::erase_if(out, [&](const diagnostic& d) { return options.disabled.count(d.name) > 0; });
  return out;
}
