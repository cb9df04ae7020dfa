#include "lint/encoding.h"

#include <algorithm>
#include <cstdio>

#include "files/cp1252.h"
#include "source/field_reader.h"
#include "text/utf8.h"

namespace {

struct line_span {
  size_t start, end;  // without the line end
};

std::vector<line_span> lines_of(const std::string& s) {
  std::vector<line_span> lines;
  size_t start = 0;
  for (size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == '\n' || s[i] == '\r') {
      if (i == s.size() && start == s.size() && !lines.empty()) break;
      lines.push_back({start, i});
      if (i < s.size() && s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  return lines;
}

}  // namespace

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
  const std::vector<line_span> lines = lines_of(source.bytes);
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string text = source.bytes.substr(lines[n].start, lines[n].end - lines[n].start);
    size_t first = 0;
    while (first < text.size() && static_cast<unsigned char>(text[first]) < 0x80) ++first;
    if (first == text.size()) continue;
    // The field that holds the first such character, as the simulator will show it.
    size_t from = text.rfind(',', first);
    from = from == std::string::npos ? 0 : from + 1;
    while (from < first && (text[from] == ' ' || text[from] == '\t')) ++from;
    size_t to = text.find(',', first);
    if (to == std::string::npos) to = text.size();
    while (to > first && (text[to - 1] == ' ' || text[to - 1] == '\t')) --to;
    const std::string shown = text.substr(from, to - from);
    diagnostic d;
    d.level = severity::warning;
    d.name = "encoding";
    d.where = {source.shown_name, static_cast<int>(n) + 1, static_cast<int>(first) + 1, text};
    d.detail = "the file is UTF-8 but is read as Windows-1252: \"" + shown + "\" will read as \"" +
               cp1252_to_utf8(shown) + "\"; save the file as Windows-1252 or give --encoding utf-8";
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
