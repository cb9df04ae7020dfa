#include "lint/encoding.h"

#include <algorithm>
#include <cstdio>

#include "files/cp1252.h"
#include "source/field_reader.h"
#include "source/scanner.h"
#include "text/utf8.h"

bool is_utf8_beyond_ascii(const std::string& bytes) {
  bool beyond = false;
  for (size_t i = 0; i < bytes.size();) {
    const utf8_step step = utf8_at(bytes, i);
    if (!step.valid()) return false;
    if (step.length > 1) beyond = true;
    i += step.length;
  }
  return beyond;
}

std::vector<diagnostic> encoding_warnings(const source_text& source) {
  std::vector<diagnostic> out;
  if (!is_utf8_beyond_ascii(source.bytes)) return out;
  // A byte-order mark is named for what it is: some editors put it at the start of every file
  // they save as UTF-8.
  const bool mark = std::string_view(source.bytes).starts_with(kByteOrderMark);
  if (mark) {
    const size_t end = source.bytes.find_first_of("\r\n");
    diagnostic d = warning_at({source.shown_name, 1, 1, source.bytes.substr(0, end)}, "encoding",
                              "the file starts with a UTF-8 byte-order mark (EF BB BF), which "
                              "is read as the text \"\xC3\xAF\xC2\xBB\xC2\xBF\" before its "
                              "first field; save the file without it, or give --encoding utf-8, "
                              "which drops it");
    out.push_back(std::move(d));
  }
  // The first field of each line that holds such a character, as the simulator will show it.
  // The scanner starts after the mark; places are told in the file's own bytes.
  const size_t skip = mark ? kByteOrderMark.size() : 0;
  scanner fields(std::string_view(source.bytes).substr(skip));
  int warned_line = 0;
  while (!fields.at_end()) {
    const source_field f = fields.read_text();
    if (f.line == warned_line) continue;
    const auto beyond = std::find_if(f.text.begin(), f.text.end(),
                                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    if (beyond == f.text.end()) continue;
    warned_line = f.line;
    const bool first_line = f.line == 1;
    const int column = f.column + static_cast<int>(beyond - f.text.begin()) +
                       (first_line ? static_cast<int>(skip) : 0);
    const size_t line_offset = first_line ? 0 : f.line_offset + skip;
    diagnostic d;
    d.level = severity::warning;
    d.name = "encoding";
    // The line as the author wrote it, in UTF-8: no conversion to show.
    const size_t end = source.bytes.find_first_of("\r\n", line_offset);
    d.where = {source.shown_name, f.line, column,
               source.bytes.substr(line_offset, end == std::string::npos ? end : end - line_offset)};
    d.detail = "the file is UTF-8 but is read as Windows-1252: \"" + f.text + "\" will read as \"" +
               cp1252_to_utf8(f.text) + "\"; save the file as Windows-1252 or give --encoding utf-8";
    out.push_back(std::move(d));
  }
  return out;
}

std::string utf8_to_windows_1252(const source_text& source, std::vector<diagnostic>& errors) {
  std::string_view s = source.bytes;
  // A byte-order mark is the mark it is, not a character of the first row.
  const size_t mark = s.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
  std::string out;
  out.reserve(s.size());
  int line = 1;
  size_t line_start = 0;
  // One error a line, its first: a line of a million bad bytes is one error, not a million,
  // and the line shown is cut as every diagnostic's is.
  int faulty_line = 0;
  auto fault = [&](size_t at, std::string detail) {
    faulty_line = line;
    size_t end = s.find_first_of("\r\n", line_start);
    if (end == std::string::npos) end = s.size();
    end = std::min(end, std::max(line_start + kShownLine, at + kQuotedField));
    // The line as shown: a byte that is no UTF-8 shows as '?', so the text stays UTF-8 and
    // the caret's column stays the byte's.
    std::string shown;
    for (size_t k = line_start; k < end;) {
      const utf8_step step = utf8_at(s.substr(0, end), k);
      if (step.valid())
        shown.append(s.substr(k, step.length));
      else
        shown.append(step.length, '?');
      k += step.length;
    }
    diagnostic d;
    d.where = {source.shown_name, line, static_cast<int>(at - line_start) + 1, std::move(shown)};
    d.detail = std::move(detail);
    errors.push_back(std::move(d));
  };
  for (size_t i = mark; i < s.size();) {
    const utf8_step step = utf8_at(s, i);
    const std::string_view bytes = s.substr(i, step.length);
    if (!step.valid()) {
      // Read as it stands, '?' in its place; the run is then not to be compiled.
      if (faulty_line != line)
        fault(i, "the bytes " + hex_bytes(bytes) + " are not UTF-8 (" + step.fault + ")");
      out += '?';
    } else if (step.length == 1) {
      out += s[i];
      if (s[i] == '\n' || (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n'))) {
        ++line;
        line_start = i + 1;
      }
    } else {
      const std::string converted = utf8_to_cp1252(bytes);
      if (converted == "?" && faulty_line != line)
        fault(i, "\"" + std::string(bytes) + "\" (" + code_point_name(step.code) +
                     ") has no Windows-1252 form");
      out += converted;
    }
    i += step.length;
  }
  return out;
}
