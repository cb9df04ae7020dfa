#include "lint/encoding.h"

#include <cstdio>

#include "files/cp1252.h"

namespace {

// The length of the UTF-8 sequence at `i`, 0 when there is none.
size_t sequence_length(const std::string& s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  const size_t len = b < 0x80           ? 1
                     : (b >> 5) == 0x6  ? 2
                     : (b >> 4) == 0xE  ? 3
                     : (b >> 3) == 0x1E ? 4
                                        : 0;
  if (len == 0 || i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return len;
}

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

std::string code_point_name(const std::string& utf8) {
  const std::string wide = utf8;
  char32_t cp = 0;
  const auto b = static_cast<unsigned char>(wide[0]);
  cp = wide.size() == 2 ? (b & 0x1F) : wide.size() == 3 ? (b & 0x0F) : (b & 0x07);
  for (size_t k = 1; k < wide.size(); ++k)
    cp = (cp << 6) | (static_cast<unsigned char>(wide[k]) & 0x3F);
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(cp));
  return text;
}

}  // namespace

bool is_utf8_beyond_ascii(const std::string& bytes) {
  bool beyond = false;
  for (size_t i = 0; i < bytes.size();) {
    const size_t len = sequence_length(bytes, i);
    if (len == 0) return false;
    if (len > 1) beyond = true;
    i += len;
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
  const std::string& s = source.bytes;
  std::string out;
  out.reserve(s.size());
  int line = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < s.size();) {
    const size_t len = sequence_length(s, i);
    if (len <= 1) {
      // ASCII, or a byte that is no UTF-8: kept as the Windows-1252 byte it is.
      out += s[i];
      if (s[i] == '\n' || (s[i] == '\r' && (i + 1 >= s.size() || s[i + 1] != '\n'))) {
        ++line;
        line_start = i + 1;
      }
      ++i;
      continue;
    }
    const std::string character = s.substr(i, len);
    const std::string converted = utf8_to_cp1252(character);
    if (converted == "?") {
      size_t end = s.find_first_of("\r\n", line_start);
      if (end == std::string::npos) end = s.size();
      diagnostic d;
      d.where = {source.shown_name, line, static_cast<int>(i - line_start) + 1,
                 s.substr(line_start, end - line_start)};
      d.detail =
          "\"" + character + "\" (" + code_point_name(character) + ") has no Windows-1252 form";
      errors.push_back(std::move(d));
    }
    out += converted;
    i += len;
  }
  return out;
}
