#include "cli/format_reference_fields.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

namespace {

// A range wraps where its line would pass 72 columns, short of the prose's 78, so that it
// reads as a column.
constexpr size_t kTableWidth = 72;
constexpr size_t kGap = 3;  // blanks between columns

// `text` in lines of at most `width` characters, broken at blanks; a longer word stands alone.
std::vector<std::string> wrapped(const std::string& text, size_t width) {
  std::vector<std::string> lines;
  std::string line;
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find(' ', from);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(from, end - from);
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      lines.push_back(line);
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    from = end + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

std::string padded(const std::string& text, size_t width) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

}  // namespace

std::string field_table(std::span<const row_spec* const> rows) {
  const bool row_column = rows.size() > 1;
  size_t row_width = std::strlen("row"), name_width = std::strlen("field"),
         unit_width = std::strlen("unit");
  for (const row_spec* row : rows) {
    row_width = std::max(row_width, std::strlen(row->keyword));
    for (const field_spec& f : row->fields) {
      name_width = std::max(name_width, std::strlen(f.name));
      unit_width = std::max(unit_width, std::strlen(f.unit));
    }
  }
  row_width = row_column ? row_width + kGap : 0;
  name_width += kGap;
  unit_width += kGap;
  const size_t range_column = 2 + row_width + name_width + unit_width;
  const size_t range_width = kTableWidth > range_column ? kTableWidth - range_column : 1;

  std::string out;
  auto line = [&](const std::string& row, const std::string& name, const std::string& unit,
                  const std::string& range) {
    std::string text = "  " + padded(row, row_width) + padded(name, name_width) +
                       padded(unit, unit_width) + range;
    text.erase(text.find_last_not_of(' ') + 1);
    out += text + '\n';
  };
  line(row_column ? "row" : "", "field", "unit", "range");
  for (const row_spec* row : rows) {
    const std::span<const field_spec> fields = row->fields;
    for (size_t first = 0; first < fields.size();) {
      // The fields from `first` that share its range.
      size_t end = first + 1;
      while (end < fields.size() && std::strcmp(fields[end].range, fields[first].range) == 0)
        ++end;
      const std::vector<std::string> range = wrapped(fields[first].range, range_width);
      for (size_t i = 0; i < std::max(end - first, range.size()); ++i) {
        const bool has_field = first + i < end;
        line(row_column && first + i == 0 ? row->keyword : "",
             has_field ? fields[first + i].name : "", has_field ? fields[first + i].unit : "",
             i < range.size() ? range[i] : "");
      }
      first = end;
    }
  }
  return out;
}

std::vector<reference_section> with_field_tables(std::span<const row_section> sections) {
  static std::deque<std::string> texts;  // a deque keeps its strings in place as it grows
  std::vector<reference_section> out;
  for (const row_section& s : sections) {
    std::vector<const row_spec*> rows;
    for (row_kind kind : s.rows) rows.push_back(&row_spec_of(kind));
    texts.push_back(std::string(s.before) + "\n" + field_table(rows) + "\n" + s.after);
    out.push_back({s.title, texts.back().c_str()});
  }
  return out;
}
