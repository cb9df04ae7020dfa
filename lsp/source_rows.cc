#include "lsp/source_rows.h"

#include "files/keywords.h"
#include "lint/file_walk.h"

namespace {

class row_walk {
 public:
  explicit row_walk(std::string_view bytes) : cursor_(bytes) {}

  bool find_general_section() {
    while (!cursor_.at_end())
      if (contains_nocase(cursor_.read_text().text, kGeneralSection)) return true;
    return false;
  }

  // The next keyword field, passing over up to `skips` fields holding "-".
  std::optional<source_field> next_keyword(int skips) {
    if (cursor_.at_end()) return std::nullopt;
    source_field k = cursor_.read_text();
    for (int i = 0; i < skips && contains(k.text, kSkipMark) && !cursor_.at_end(); ++i)
      k = cursor_.read_text();
    return k;
  }

  void take(const source_field& k, const std::vector<const row_spec*>& specs) {
    for (const row_spec* spec : specs) {
      source_row row{spec, k, {}};
      for (const field_spec& field : spec->fields) {
        if (cursor_.at_end()) break;
        row.values.push_back(field.text ? cursor_.read_text() : cursor_.read_number());
      }
      rows.push_back(std::move(row));
    }
  }

  std::vector<source_row> rows;

 private:
  scanner cursor_;
};

}  // namespace

std::vector<source_row> source_rows(std::string_view bytes, bool line_file) {
  row_walk walk(bytes);
  if (!walk.find_general_section()) return {};
  if (line_file) {
    while (auto k = walk.next_keyword(10)) {
      walk.take(*k, matching(row_part::line_general, k->text, true));
      if (ends_general_section(k->text)) break;
    }
  }
  const row_part part = line_file ? row_part::line_main : row_part::train;
  while (auto k = walk.next_keyword(2)) walk.take(*k, matching(part, k->text, true));
  return std::move(walk.rows);
}

std::optional<field_place> field_at(const std::vector<source_row>& rows, std::string_view bytes,
                                    int line, int column) {
  // The last field of the line that starts at or before the column, and the first after it.
  std::optional<field_place> before, after;
  auto consider = [&](const source_row& row, int index, const source_field& f) {
    if (f.line != line) return;
    if (f.column <= column && (!before || before->at()->column <= f.column))
      before = field_place{&row, index};
    if (f.column > column && (!after || after->at()->column > f.column))
      after = field_place{&row, index};
  };
  for (const source_row& row : rows) {
    if (row.keyword.line > line) break;
    consider(row, -1, row.keyword);
    for (size_t i = 0; i < row.values.size(); ++i)
      consider(row, static_cast<int>(i), row.values[i]);
  }
  auto no_comma = [&](size_t from, size_t to) {
    for (size_t i = from; i < to && i < bytes.size(); ++i)
      if (bytes[i] == ',') return false;
    return true;
  };
  const size_t cursor = [&] {
    const source_field* f = before ? before->at() : after ? after->at() : nullptr;
    return f ? f->line_offset + static_cast<size_t>(column - 1) : 0;
  }();
  // Within the field or the blanks after it, up to its comma.
  if (before) {
    const source_field& f = *before->at();
    if (no_comma(f.line_offset + static_cast<size_t>(f.column - 1) + f.text.size(), cursor))
      return before;
  }
  // In the blanks before a field, after the comma before it.
  if (after) {
    const source_field& f = *after->at();
    if (no_comma(cursor, f.line_offset + static_cast<size_t>(f.column - 1))) return after;
  }
  return std::nullopt;
}
