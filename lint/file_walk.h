// The walk over one source file: its fields taken as the compiler's readers take them, row by
// row, with the warnings about how the rows are laid out (unknown, misaligned, cut at a comma).
#pragma once

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "lint/lint.h"
#include "lint/suggest.h"
#include "source/field_reader.h"
#include "source/row_table.h"
#include "source/scanner.h"

inline std::optional<int32_t> number_of(const source_field& f) {
  int32_t v = 0;
  const char* end = f.text.data() + f.text.size();
  auto [ptr, ec] = std::from_chars(f.text.data(), end, v);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return v;
}

inline std::string quoted(const std::string& cp1252) { return quoted_field(cp1252); }

// The rows `k` starts in one part of a file: every keyword test it passes, in the readers'
// order; a station row ends the tests, and curves are read only with the plan.
inline std::vector<const row_spec*> matching(row_part part, const std::string& k, bool plan) {
  std::vector<const row_spec*> out;
  for (const keyword_test& t : keyword_tests()) {
    if (t.part != part || !holds_keyword(k, t.row)) continue;
    const row_spec& row = row_spec_of(t.row);
    if (row.kind == row_kind::curve && !plan) continue;
    out.push_back(&row);
    if (row.kind == row_kind::station) break;
  }
  return out;
}

// A row as read: its kind in the row table, its keyword field and the fields it took.
struct read_row {
  const row_spec* row;
  source_field keyword;
  std::vector<source_field> values;
  bool sound;  // started its line and ended at its line's end
};

// Where a row read whole lies and what it is, kept for the warnings told at its lines once the
// walk is done; its fields are not kept, so a file of many rows holds little.
struct row_place {
  int first_line = 0, last_line = 0;
  std::string_view kind;         // its keyword as the format names it; empty for none
  std::optional<int32_t> metre;  // for a row that starts with its place along the route
};

// A line whose first field starts no row, until the walk knows whether a later field does.
struct pending_line {
  source_field keyword;
  std::string why;  // what is wrong with its first field
  bool suggest;     // a keyword may be mistyped: did-you-mean is offered
  bool one_field;   // the line holds that field alone
  bool skipped_in;  // reached by giving up fields with a minus sign on an earlier line
  bool after_section_field;  // the field before it opened or closed the general section
};

class file_walk {
 public:
  // `tell_unknown`: whether lines that start no row are told; nothing is looked for when not.
  file_walk(const source_text& source, bool line_file, bool tell_unknown,
            std::vector<diagnostic>& out)
      : source_(source),
        cursor_(source.bytes),
        out_(out),
        line_file_(line_file),
        tell_unknown_(tell_unknown),
        suggest_(author_keywords(line_file)) {
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
  // Empty when the file ends first (the field that ends the file is never acted on). In the
  // line file's general section (`general`) the reader does not look for the end while it
  // passes fields over: it acts on the file's last field when it gets there so, and a field to
  // pass over at the end makes it read past the end, which it reports itself.
  std::optional<source_field> next_keyword(int skips, bool* starts_line, bool general = false) {
    if (cursor_.at_end()) return std::nullopt;
    after_section_field_ = section_field_last_;
    section_field_last_ = false;
    read_past_end_ = false;
    source_field k = cursor_.read_text();
    search_line_ = k.line;
    if (cursor_.at_end()) return std::nullopt;
    *starts_line = k.starts_line;
    for (int i = 0; i < skips && contains(k.text, kSkipMark); ++i) {
      if (cursor_.at_end()) {
        read_past_end_ = general;
        return std::nullopt;
      }
      k = cursor_.read_text();
      if (!general && cursor_.at_end()) return std::nullopt;
    }
    return k;
  }

  // The field just read opens or closes the line file's general section. The reader acts on it
  // only when another field follows it: a last line after it is no line the file can do without.
  void mark_section_field() { section_field_last_ = true; }

  // The line holding `k` has more fields after it.
  bool more_on_line() const { return !cursor_.at_line_start() && !cursor_.at_end(); }

  // `k`, read at a line's start, starts no row of the file. A line of that one field close to
  // no keyword is prose, and not told. Whether a longer line is passed over is known once the
  // walk has read the line's later fields as the reader does: `settle` tells it.
  void unknown(const source_field& k, bool starts_line, bool more_fields) {
    if (!tell_unknown_ || !starts_line || k.text.empty() || contains(k.text, "[") ||
        contains(k.text, "]"))
      return;
    pending_ = pending_line{k, quoted(k.text) + " starts no row of the " + file_kind() + " file",
                            true, !more_fields, search_line_ != k.line,
                            after_section_field_};
    if (!more_fields) settle(nullptr, nullptr, false);
  }

  // A row of the general section after the field that closes it: rightly written, wrongly placed.
  void out_of_section(const source_field& k, bool starts_line, bool more_fields) {
    if (!tell_unknown_ || !starts_line) return;
    pending_ = pending_line{k,
                            quoted(k.text) + " is read only in the general section, before the "
                                             "field that closes it",
                            false, !more_fields, search_line_ != k.line,
                            after_section_field_};
    if (!more_fields) settle(nullptr, nullptr, false);
  }

  // The walk read `next` as the next keyword field (null at the file's end), starting `row`
  // (null for none) or closing the general section: what became of the line whose first
  // field started no row, once that is known.
  void settle(const source_field* next, const row_spec* row, bool closes_section) {
    if (!pending_) return;
    const bool same_line = next && next->line == pending_->keyword.line;
    if (same_line && !row && !closes_section) return;  // not known yet
    const pending_line p = std::move(*pending_);
    pending_.reset();
    if (!same_line) {
      // A field with a minus sign at the line's end gives up the next line's first field too.
      if (!next && read_past_end_ && search_line_ == p.keyword.line)
        passed_over(p, "the reader gives up a field holding \"-\" for the one after it, and here "
                       "that runs past the file's end");
      else if (p.skipped_in || (next && search_line_ == p.keyword.line))
        passed_over(p, "the reader gives up a field holding \"-\" for the one after it, and here "
                       "that runs across a line end");
      else if (!next && p.after_section_field)
        passed_over(p, "it is the file's last line, after the field that opens or closes the "
                       "general section, and the reader acts on no field that ends the file");
      else
        passed_over(p, nullptr);
    } else if (row) {
      // The reader tries each field as a keyword in turn: this one starts a row.
      const std::string later = quoted(next->text) + ", a later field of its line, ";
      const std::string starts = std::string("a ") + row->name + " row";
      warn("unknown-row", p.keyword.line, p.keyword.column,
           p.suggest ? p.why + ", but " + later + "does: the reader starts " + starts +
                           " there and takes its fields from the fields after it"
                     : p.why + "; here " + later + "starts " + starts +
                           ", which takes its fields from the fields after it");
    } else {
      warn("unknown-row", p.keyword.line, p.keyword.column,
           p.why + ", but " + quoted(next->text) +
               ", a later field of its line, closes the general section: the fields after it "
               "are read as the rest of the line file's rows");
    }
  }

  // A line no field of which starts a row: passed over, unless `counts` says why taking it out
  // may still change what the reader reads.
  void passed_over(const pending_line& p, const char* counts) {
    std::string detail =
        counts ? p.why + ", nor does a later field of its line; but " + counts +
                     ", so taking the line out may change what is read"
               : p.why + ": " + (p.suggest ? "the line" : "here the line") + " is passed over";
    if (p.suggest) {
      const std::optional<std::string> close = suggest_.closest(p.keyword.text);
      if (!close) {
        // The first line past the budget says so, once; after it single fields go untold.
        if (budget_told_) {
          if (p.one_field) return;
        } else {
          budget_told_ = true;
          detail += "; the file holds more than " + std::to_string(kSuggestionBudget) +
                    " different first fields that start no row: no keyword is suggested for "
                    "those from here on, and a line of a single field is no longer told";
        }
      } else if (close->empty()) {
        if (p.one_field) return;  // a line of prose
      } else if (contains_nocase(p.keyword.text, *close)) {
        detail +=
            "; letter case counts in the general section: \"progressiva\", \"uno\", "
            "\"due\", \"tre\", \"sfondo\", \"ripetizione\" and \"segnali\" are written "
            "in small letters";
      } else {
        detail += "; did you mean \"" + *close + "\"?";
      }
    }
    warn("unknown-row", p.keyword.line, p.keyword.column, detail);
  }

  // Reads the fields of every row that `k` starts, as the reader does, and checks that they
  // end where the line ends. Returns the rows read whole, for their values to be checked.
  std::vector<read_row> take_row(const source_field& k, bool starts_line,
                                 const std::vector<const row_spec*>& specs) {
    std::vector<read_row> taken;
    size_t total = 0;
    for (const row_spec* spec : specs) total += spec->fields.size();
    const field_spec* short_of = nullptr;
    std::optional<source_field> taken_from_next;
    for (const row_spec* spec : specs) {
      read_row row{spec, k, {}, starts_line};
      for (const field_spec& field : spec->fields) {
        if (cursor_.at_end()) {
          if (!short_of) short_of = &field;
          break;
        }
        source_field f = field.text ? cursor_.read_text() : cursor_.read_number();
        if (f.line != k.line && !short_of) {
          short_of = &field;
          taken_from_next = f;
        }
        row.values.push_back(std::move(f));
      }
      taken.push_back(std::move(row));
    }
    // A row that starts within its line is not checked: what led the reader there is told.
    if (!starts_line || specs.empty()) return {};
    const std::string row_name = quoted(k.text) + " row";
    const int line_end = static_cast<int>(line_length(k.line)) + 1;
    // Only a comma parts fields: a row whose fields are parted by tabs is one keyword field.
    const std::string parted_by_tabs =
        contains(k.text, "\t") ? "; its fields are parted by tabs, but only a comma parts fields"
                               : "";
    if (short_of && taken_from_next) {
      warn("misaligned-row", k.line, line_end,
           "the " + row_name + " ends before its " + short_of->name + " (it reads " +
               std::to_string(total) + " fields after its keyword)" + parted_by_tabs +
               ": the reader takes " + quoted(taken_from_next->text) + " from line " +
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
        const field_spec& last = specs.back()->fields.back();
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
                              ", are read as the next rows' keywords") +
                   decimal_comma(taken.back().values.back(), extra.front()));
        }
      }
    }
    return keep(std::move(taken), short_of != nullptr);
  }

  // "4,5" read as two fields, the comma between them and no blank: a number with a decimal
  // comma, which no field takes.
  static std::string decimal_comma(const source_field& whole, const source_field& fraction) {
    auto digits = [](const std::string& t, bool sign) {
      const size_t from = sign && !t.empty() && t[0] == '-' ? 1 : 0;
      return t.size() > from && t.find_first_not_of("0123456789", from) == std::string::npos;
    };
    const bool adjoining = whole.line == fraction.line &&
                           fraction.column == whole.column + static_cast<int>(whole.text.size()) + 1;
    if (!adjoining || !digits(whole.text, true) || !digits(fraction.text, false)) return {};
    return "; if " + quoted(whole.text + "," + fraction.text) +
           " is one number with a decimal comma, write it whole: the fields take whole numbers "
           "only";
  }

  diagnostic& warn(const char* name, int line, int column, const std::string& detail) {
    out_.push_back(warning_at({source_.shown_name, line, column, shown_line(source_.bytes, line_start(line), column)},
                              name, detail));
    return out_.back();
  }
  // A warning at field `f`; the row's kind and place are added once the walk is done.
  void warn_at(const char* name, const source_field& f, const std::string& detail) {
    warn(name, f.line, f.column, detail);
  }

  // The rows read whole, in line order.
  const std::vector<row_place>& rows() const { return places_; }

 private:
  // Rows short of a field (taken from the next line or missing at the file's end) are not
  // read whole; the others' places are kept.
  std::vector<read_row> keep(std::vector<read_row> taken, bool cut_short) {
    if (cut_short) return {};
    for (const read_row& row : taken) {
      row_place place{row.keyword.line,
                      row.values.empty() ? row.keyword.line : row.values.back().line, {}, {}};
      if (const std::optional<row_keyword> kind = row_keyword_of(row.keyword.text, line_file_)) {
        place.kind = keyword_test_of(*kind).written;
        if (starts_with_metre(*kind) && !row.values.empty()) place.metre = number_of(row.values[0]);
      }
      places_.push_back(place);
    }
    return taken;
  }

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

  const char* file_kind() const { return line_file_ ? "line" : "train"; }

  const source_text& source_;
  scanner cursor_;
  std::vector<diagnostic>& out_;
  std::vector<row_place> places_;
  std::vector<size_t> line_starts_;
  bool line_file_;
  bool tell_unknown_;
  keyword_suggester suggest_;
  std::optional<pending_line> pending_;
  int search_line_ = 0;  // the line of the first field the last keyword search read
  bool read_past_end_ = false;  // the last keyword search read past the file's end
  bool section_field_last_ = false;   // the last field read opened or closed the section
  bool after_section_field_ = false;  // so did the one before the last keyword search
  bool budget_told_ = false;
};
