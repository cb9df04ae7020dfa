// The lint's run: each file walked row by row, then the values of its rows checked.
#include "lint/lint.h"

#include <algorithm>
#include <optional>

#include "files/keywords.h"
#include "lint/encoding.h"
#include "lint/file_walk.h"
#include "lint/row_rules.h"
#include "lint/value_checks.h"

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
    {"range"},
    {"overwrite"},
};

std::vector<const row_rule*> matching(std::span<const row_rule> rules, const std::string& k,
                                      bool plan) {
  std::vector<const row_rule*> out;
  for (const row_rule& r : rules) {
    if (!r.matches(k) || (r.kind == row_kind::curve && !plan)) continue;
    out.push_back(&r);
    if (r.kind == row_kind::station) break;
  }
  return out;
}

void walk_line_file(file_walk& walk, bool plan) {
  walk.find_general_section();
  bool starts_line = false;
  while (auto k = walk.next_keyword(10, &starts_line)) {
    const bool more = walk.more_on_line();
    auto rules = matching(general_rules(), k->text, plan);
    if (rules.empty() && !ends_general_section(k->text))
      walk.unknown(*k, starts_line, more, line_keywords(), "line");
    walk.take_row(*k, starts_line, rules);
    if (ends_general_section(k->text)) break;
  }
  while (auto k = walk.next_keyword(2, &starts_line)) {
    const bool more = walk.more_on_line();
    auto rules = matching(main_line_rules(), k->text, plan);
    // Without a plan a curve row is read as keywords, but its keyword is no misspelling.
    const bool main_row = !matching(main_line_rules(), k->text, true).empty();
    if (!main_row && !matching(general_rules(), k->text, true).empty())
      walk.out_of_section(*k, starts_line);
    else if (!main_row)
      walk.unknown(*k, starts_line, more, line_keywords(), "line");
    walk.take_row(*k, starts_line, rules);
  }
}

void walk_train_file(file_walk& walk, bool empty) {
  // A train file without the section is no fault to the compiler: it reads none of its rows.
  if (!walk.find_general_section() && !empty)
    walk.warn("unknown-row", 1, 1,
              "no field holds \"[generale]\": none of the train file's rows is read, and every "
              "cell gets the starting speed and adhesion");
  bool starts_line = false;
  while (auto k = walk.next_keyword(2, &starts_line)) {
    const bool more = walk.more_on_line();
    auto rules = matching(train_rules(), k->text, true);
    if (rules.empty()) walk.unknown(*k, starts_line, more, train_keywords(), "train");
    walk.take_row(*k, starts_line, rules);
  }
}


// The compiler makes the grid anew at each route length row: the last one holds.
std::optional<int32_t> route_length_of(const file_walk& walk) {
  std::optional<int32_t> length;
  for (const read_row& row : walk.rows())
    if (row.rule->kind == row_kind::route_length) length = number_of(row.values[0]);
  return length;
}

// Each warning at a row read whole carries the row's kind and, for a row that starts with one,
// its place along the route: the walk knows them, nobody reads them back from the text.
void place_on_rows(std::vector<diagnostic>& out, const file_walk& walk, bool line_file) {
  const std::vector<read_row>& rows = walk.rows();  // in line order
  for (diagnostic& d : out) {
    // The last row that starts at or before the warning's line, if the warning lies within it.
    auto after = std::upper_bound(rows.begin(), rows.end(), d.where.line,
                                  [](int line, const read_row& r) { return line < r.keyword.line; });
    if (after == rows.begin()) continue;
    const read_row& row = *std::prev(after);
    const int last = row.values.empty() ? row.keyword.line : row.values.back().line;
    if (d.where.line > last) continue;
    const std::optional<row_keyword> kind = row_keyword_of(row.keyword.text, line_file);
    if (!kind) continue;
    d.row_kind = keyword_test_of(*kind).written;
    if (starts_with_metre(*kind) && !row.values.empty())
      if (std::optional<int32_t> metre = number_of(row.values[0])) d.metre = *metre;
  }
}

std::vector<diagnostic> lint_file(const source_text& source, bool line_file, bool plan,
                                  std::optional<int32_t>* route_length) {
  std::vector<diagnostic> out = encoding_warnings(source);
  file_walk walk(source, out);
  if (line_file) {
    walk_line_file(walk, plan);
    *route_length = route_length_of(walk);
  } else {
    walk_train_file(walk, source.bytes.find_first_not_of(" \t\r\n") == std::string::npos);
  }
  check_values(walk, *route_length);
  place_on_rows(out, walk, line_file);
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

std::vector<diagnostic> lint_scenario(const source_text& line_file, const source_text& train_file,
                                      const lint_options& options) {
  std::optional<int32_t> route_length;
  std::vector<diagnostic> out = lint_file(line_file, true, options.plan, &route_length);
  std::vector<diagnostic> train = lint_file(train_file, false, options.plan, &route_length);
  out.insert(out.end(), train.begin(), train.end());
  std::erase_if(out, [&](const diagnostic& d) { return options.disabled.count(d.name) > 0; });
  return out;
}
