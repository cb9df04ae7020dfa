#include "files/line_table.h"

#include <stdexcept>

#include "files/cp1252.h"

line_table make_line_table() { return line_table(line_table_size); }

line_table make_line_table(std::initializer_list<std::string_view> lines) {
  return make_line_table(std::span<const std::string_view>(lines.begin(), lines.size()));
}

line_table make_line_table(std::span<const std::string_view> lines) {
  if (lines.size() >= static_cast<size_t>(line_table_size))
    throw std::logic_error("a line table holds at most 1000 lines");
  line_table table = make_line_table();
  size_t i = 0;
  for (std::string_view line : lines) table[i++] = std::string(line);
  table[i] = std::string(end_marker);
  return table;
}

std::string text_file_bytes(const line_table& table) {
  std::string out;
  for (const std::string& entry : table) {
    if (entry == end_marker) return out;
    out += utf8_to_cp1252(entry);
    out += "\r\n";
  }
  throw std::logic_error("line table without its end marker");
}
