#include "lint/lint.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "files/cp1252.h"
#include "source/field_reader.h"
#include "lint/encoding.h"
#include "source/scanner.h"
#include "lint/row_rules.h"
#include "lint/suggest.h"
#include "model/grid.h"
#include "model/rounding.h"

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
};

// Plausible values (warnings only, the compiler takes any value that fits its field).
constexpr int32_t kSteepestGradient = 60;  // per mille, either way
constexpr int32_t kFastestSpeed = 300;     // km/h, line speeds and slowdowns
constexpr int32_t kMostAdhesion = 100;
constexpr int32_t kShortestStation = 100, kLongestStation = 1500;  // metres

std::optional<int32_t> number_of(const source_field& f) {
  int32_t v = 0;
  const char* end = f.text.data() + f.text.size();
  auto [ptr, ec] = std::from_chars(f.text.data(), end, v);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return v;
}

std::string quoted(const std::string& cp1252) { return quoted_field(cp1252); }

// A row as read: its rule, its keyword field and the fields it took.
struct read_row {
  const row_rule* rule;
  source_field keyword;
  std::vector<source_field> values;
  bool sound;  // started its line and ended at its line's end
};

class file_walk {
 public:
  file_walk(const source_text& source, std::vector<diagnostic>& out)
      : source_(source), cursor_(source.bytes), out_(out) {
    // Where each line starts, so a warning finds its line's text at once.
    line_starts_.push_back(0);
    const std::string& b = source.bytes;
    for (size_t i = 0; i < b.size(); ++i)
      if (b[i] == '\n' || (b[i] == '\r' && (i + 1 >= b.size() || b[i + 1] != '\n')))
        line_starts_.push_back(i + 1);
  }

  // Passes over everything up to the first field holding "[generale]"; false when none does.
  bool find_general_section() {
    while (!cursor_.at_end())
      if (contains_nocase(cursor_.read_text().text, kGeneralSection)) return true;
    return false;
  }

  // Reads the keyword of the next row, passing over up to `skips` fields with a minus sign.
  // Empty when the file ends first (the field that ends the file is never acted on).
  std::optional<source_field> next_keyword(int skips, bool* starts_line) {
    if (cursor_.at_end()) return std::nullopt;
    source_field k = cursor_.read_text();
    if (cursor_.at_end()) return std::nullopt;
    *starts_line = k.starts_line;
    for (int i = 0; i < skips && contains(k.text, kSkipMark); ++i) {
      if (cursor_.at_end()) return std::nullopt;
      k = cursor_.read_text();
      if (cursor_.at_end()) return std::nullopt;
    }
    return k;
  }

  // The line holding `k` has more fields after it.
  bool more_on_line() const { return !cursor_.at_line_start() && !cursor_.at_end(); }

  void unknown(const source_field& k, bool starts_line, bool more_fields,
               std::span<const std::string_view> keywords, const char* file_kind) {
    if (!starts_line || k.text.empty() || contains(k.text, "[") || contains(k.text, "]")) return;
    const std::string close = closest_keyword(k.text, keywords);
    if (close.empty() && !more_fields) return;  // a line of prose
    std::string detail =
        quoted(k.text) + " starts no row of the " + file_kind + " file: the line is passed over";
    if (!close.empty() && contains_nocase(k.text, close))
      detail +=
          "; letter case counts in the general section: \"progressiva\", \"uno\", "
          "\"due\", \"tre\", \"sfondo\", \"ripetizione\" and \"segnali\" are written "
          "in small letters";
    else if (!close.empty())
      detail += "; did you mean \"" + close + "\"?";
    warn("unknown-row", k.line, k.column, detail);
  }

  // A row of the general section after the field that closes it: rightly written, wrongly placed.
  void out_of_section(const source_field& k, bool starts_line) {
    if (!starts_line) return;
    warn("unknown-row", k.line, k.column,
         quoted(k.text) + " is read only in the general section, before the field that closes "
                          "it: here the line is passed over");
  }

  // Reads the fields of every rule that matched `k`, as the reader does, and checks that they
  // end where the line ends.
  void take_row(const source_field& k, bool starts_line, const std::vector<const row_rule*>& rules) {
    std::vector<read_row> taken;
    size_t total = 0;
    for (const row_rule* rule : rules) total += rule->fields.size();
    const field_spec* short_of = nullptr;
    std::optional<source_field> taken_from_next;
    for (const row_rule* rule : rules) {
      read_row row{rule, k, {}, starts_line};
      for (const field_spec& spec : rule->fields) {
        if (cursor_.at_end()) {
          if (!short_of) short_of = &spec;
          break;
        }
        source_field f = spec.text ? cursor_.read_text() : cursor_.read_number();
        if (f.line != k.line && !short_of) {
          short_of = &spec;
          taken_from_next = f;
        }
        row.values.push_back(std::move(f));
      }
      taken.push_back(std::move(row));
    }
    if (!starts_line || rules.empty()) return;
    const std::string row_name = quoted(k.text) + " row";
    const int line_end = static_cast<int>(line_length(k.line)) + 1;
    if (short_of && taken_from_next) {
      warn("misaligned-row", k.line, line_end,
           "the " + row_name + " ends before its " + short_of->name + " (it reads " +
               std::to_string(total) + " fields after its keyword): the reader takes " +
               quoted(taken_from_next->text) + " from line " +
               std::to_string(taken_from_next->line) + " as its " + short_of->name +
               ", and the rows after it shift");
    } else if (short_of) {
      warn("misaligned-row", k.line, line_end,
           "the " + row_name + " ends before its " + short_of->name + ", and the file ends there");
    } else if (more_on_line()) {
      // What the reader takes as the next rows' keywords.
      scanner rest = cursor_;
      std::vector<source_field> extra;
      while (!rest.at_end() && rest.line() == k.line) extra.push_back(rest.read_text());
      const bool all_empty =
          std::all_of(extra.begin(), extra.end(), [](const source_field& f) { return f.text.empty(); });
      if (!all_empty) {
        for (read_row& row : taken) row.sound = false;
        std::string list;
        for (const source_field& f : extra) list += (list.empty() ? "" : ", ") + quoted(f.text);
        const field_spec& last = rules.back()->fields.back();
        if (last.text) {
          warn("text-field", extra.front().line, extra.front().column,
               "the " + std::string(last.name) + " is cut at a comma: it reads " +
                   quoted(taken.back().values.back().text) + ", and " + list +
                   (extra.size() == 1 ? " is read as the next row's keyword"
                                      : " are read as the next rows' keywords"));
        } else {
          warn("misaligned-row", extra.front().line, extra.front().column,
               "the " + row_name + " reads " + std::to_string(total) +
                   " fields after its keyword; " +
                   (extra.size() == 1
                        ? "the one more, " + list + ", is read as the next row's keyword"
                        : "the " + std::to_string(extra.size()) + " more, " + list +
                              ", are read as the next rows' keywords"));
        }
      }
    }
    if (short_of) return;
    for (read_row& row : taken) rows_.push_back(std::move(row));
  }

  void warn(const char* name, int line, int column, const std::string& detail) {
    out_.push_back(warning_at({source_.shown_name, line, column, shown_line(source_.bytes, line_start(line), column)},
                              name, detail));
  }
  void warn_at(const char* name, const source_field& f, const std::string& detail) {
    warn(name, f.line, f.column, detail);
  }

  const std::vector<read_row>& rows() const { return rows_; }

 private:
  // Where line `n` starts; past the end for a line the file does not have.
  size_t line_start(int n) const {
    if (n < 1 || static_cast<size_t>(n) > line_starts_.size()) return source_.bytes.size();
    return line_starts_[static_cast<size_t>(n - 1)];
  }
  // The length of line `n` without its line end.
  size_t line_length(int n) const {
    const std::string& b = source_.bytes;
    const size_t start = line_start(n);
    size_t end = start;
    while (end < b.size() && b[end] != '\r' && b[end] != '\n') ++end;
    return end - start;
  }

  const source_text& source_;
  scanner cursor_;
  std::vector<diagnostic>& out_;
  std::vector<read_row> rows_;
  std::vector<size_t> line_starts_;
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

// The checks on the values of the rows read whole.
class value_checks {
 public:
  value_checks(file_walk& walk, std::optional<int32_t> route_length)
      : walk_(walk), route_length_(route_length) {}

  void run() {
    for (const read_row& row : walk_.rows()) {
      if (!row.sound) continue;
      std::vector<std::optional<int32_t>> v;
      for (const source_field& f : row.values) v.push_back(number_of(f));
      check_row(row, v);
    }
  }

 private:
  bool within_grid(int32_t p) const {
    if (!route_length_) return false;
    return fits_grid(last_cell_of(grid_length_of(*route_length_)), p, 0);
  }

  void off_grid(const read_row& row, size_t i, std::optional<int32_t> v, const char* what) {
    if (!v || *v % 50 == 0 || !within_grid(*v)) return;
    walk_.warn_at("off-grid", row.values[i],
                  "the " + std::string(what) + " " + std::to_string(*v) +
                      " m is off the 50 m grid: it is rounded to " +
                      std::to_string(round_even(*v / 50.0) * 50) + " m");
  }

  void run_out(const read_row& row, std::optional<int32_t> p) {
    if (!p || !route_length_ || *p <= *route_length_ || !within_grid(*p)) return;
    walk_.warn_at("run-out", row.values[0],
                  "the " + quoted(row.keyword.text) + " row at " + std::to_string(*p) +
                      " m lies past the route's end at " + std::to_string(*route_length_) +
                      " m, in the run-out");
  }

  void range(const read_row& row, size_t i, std::optional<int32_t> v, int32_t low, int32_t high,
             const std::string& what, const char* unit) {
    if (!v || (*v >= low && *v <= high)) return;
    walk_.warn_at("range", row.values[i],
                  "the " + what + " " + std::to_string(*v) + unit + " lies outside " +
                      std::to_string(low) + " to " + std::to_string(high) + unit);
  }

  // Gradient, speed and adhesion cells are filled in sequence from the last one written: a row
  // at or behind it still writes one cell, and its value starts after that.
  struct sequence {
    int64_t next_cell = 0;
    std::optional<int32_t> previous;
    int previous_line = 0;
  };

  void in_order(sequence& s, const read_row& row, std::optional<int32_t> p, const char* what) {
    if (!p || !within_grid(*p)) return;
    const int64_t cell = running_cell(*p);
    if (cell > 0) {
      do ++s.next_cell;
      while (s.next_cell < cell);
    }
    if (s.previous && (s.next_cell != cell || *p <= *s.previous))
      walk_.warn_at("row-order", row.values[0],
                    "this " + std::string(what) + " row at " + std::to_string(*p) +
                        " m is not after the one at " + std::to_string(*s.previous) + " m (line " +
                        std::to_string(s.previous_line) + "): cells are filled in order, so its " +
                        what + " applies from " + std::to_string(s.next_cell * 50) + " m on");
    s.previous = *p;
    s.previous_line = row.keyword.line;
  }

  void check_row(const read_row& row, const std::vector<std::optional<int32_t>>& v) {
    switch (row.rule->kind) {
      case row_kind::gradient:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        range(row, 1, v[1], -kSteepestGradient, kSteepestGradient, "gradient", " per mille");
        in_order(gradients_, row, v[0], "gradient");
        break;
      case row_kind::speed:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        range(row, 1, v[1], 0, kFastestSpeed, "speed", " km/h");
        in_order(speeds_, row, v[0], "speed");
        break;
      case row_kind::adhesion:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        range(row, 1, v[1], 0, kMostAdhesion, "adhesion", "");
        in_order(adhesions_, row, v[0], "adhesion");
        break;
      case row_kind::curve:
        run_out(row, v[0]);
        range(row, 1, v[1], 1, INT32_MAX, "curve length", " m");
        if (v[0] && v[1]) {
          const int64_t end = int64_t{*v[0]} + *v[1];
          if (curve_end_ && *v[0] < *curve_end_)
            walk_.warn_at(
                "curve-overlap", row.values[0],
                "the curve at " + std::to_string(*v[0]) +
                    " m starts before the previous one (line " + std::to_string(curve_line_) +
                    ") ends at " + std::to_string(*curve_end_) + " m: " +
                    (end <= *curve_end_ ? std::string("the plan leaves it out")
                                        : "the plan turns it from " + std::to_string(*curve_end_) +
                                              " m to " + std::to_string(end) + " m"));
          if (!curve_end_ || end > *curve_end_) curve_end_ = end;
          curve_line_ = row.keyword.line;
        }
        break;
      case row_kind::mountain:
        off_grid(row, 0, v[0], "start");
        off_grid(row, 1, v[1], "end");
        run_out(row, v[0]);
        break;
      case row_kind::speed_board:
      case row_kind::indicator_board:
      case row_kind::signal:
      case row_kind::speed_cut:
        off_grid(row, 0, v[0], "position");
        run_out(row, v[0]);
        break;
      case row_kind::slowdown:
        off_grid(row, 0, v[0], "start");
        off_grid(row, 2, v[2], "length");
        run_out(row, v[0]);
        range(row, 1, v[1], 0, kFastestSpeed, "slowdown speed", " km/h");
        break;
      case row_kind::station:
        run_out(row, v[0]);
        range(row, 2, v[2], kShortestStation, kLongestStation, "station length", " m");
        break;
      default:
        break;
    }
    // Quotes are no syntax: they stay in the text.
    const field_spec& last = row.rule->fields.back();
    if (last.text && contains(row.values.back().text, "\""))
      walk_.warn_at("text-field", row.values.back(),
                    "the quotes are kept: the " + std::string(last.name) + " reads " +
                        quoted(row.values.back().text));
  }

  file_walk& walk_;
  std::optional<int32_t> route_length_;
  sequence gradients_, speeds_, adhesions_;
  std::optional<int64_t> curve_end_;
  int curve_line_ = 0;
};

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
  value_checks(walk, *route_length).run();
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
