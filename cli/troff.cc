#include "cli/troff.h"

#include <cstdio>

#include "text/utf8.h"

namespace {

std::string escaped(const std::string& text, bool in_argument) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      // A character by its code point; a byte that starts none stands for its own value (as
      // Latin-1 reads it). The texts fed here are the program's own, in ASCII.
      const utf8_step step = utf8_at(text, i);
      const char32_t code = step.valid() ? step.code : static_cast<unsigned char>(c);
      char name[16];
      std::snprintf(name, sizeof name, "\\[u%04X]", static_cast<unsigned>(code));
      out += name;
      i += step.valid() ? step.length : 1;
      continue;
    }
    if (c == '\\')
      out += "\\e";
    else if (c == '-')
      out += "\\-";
    else if (c == '"' && in_argument)
      out += "\\(dq";
    else
      out += c;
    ++i;
  }
  return out;
}

}  // namespace

// A line starting with '.' or '\'' would be a request; "\&" is a character that prints nothing.
std::string troff_line_start(std::string line) {
  if (!line.empty() && (line[0] == '.' || line[0] == '\'')) line.insert(0, "\\&");
  return line;
}

std::string troff_line(const std::string& text) { return troff_line_start(escaped(text, false)); }

std::string troff_argument(const std::string& text) {
  return "\"" + escaped(text, true) + "\"";
}

std::string troff_wrapped(const std::string& escaped_text, size_t width) {
  std::string out, line;
  size_t start = 0;
  while (start <= escaped_text.size()) {
    // A space after a backslash is troff's unbreakable space: no line ends there.
    size_t end = start;
    while (end < escaped_text.size() &&
           !(escaped_text[end] == ' ' && (end == 0 || escaped_text[end - 1] != '\\')))
      ++end;
    if (end > start) {
      const std::string word = escaped_text.substr(start, end - start);
      if (!line.empty() && line.size() + 1 + word.size() > width) {
        out += troff_line_start(line) + '\n';
        line.clear();
      }
      line += (line.empty() ? "" : " ") + word;
    }
    start = end + 1;
  }
  return out + troff_line_start(line);
}

std::string troff_text(const std::string& text, size_t width) {
  return troff_wrapped(escaped(text, false), width);
}
