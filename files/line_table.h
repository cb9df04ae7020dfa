// The lines of a text file to be written: 1001 entries, filled from index 0, closed by the
// end marker, which is never written.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using line_table = std::vector<std::string>;

constexpr int line_table_size = 1001;
inline constexpr std::string_view end_marker = "riferimento fine del file";

// A table of 1001 empty entries.
line_table make_line_table();

// A table holding `lines` from index 0 and the end marker right after them.
line_table make_line_table(std::initializer_list<std::string_view> lines);
line_table make_line_table(std::span<const std::string_view> lines);

// The bytes of the file that `table` describes: each entry before the marker in Windows-1252,
// followed by CR LF. Throws std::logic_error when no entry holds the marker.
std::string text_file_bytes(const line_table& table);
