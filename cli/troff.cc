#include "cli/troff.h"

#include <cstdio>

namespace {

// The code point of the UTF-8 sequence at text[i] and its length; a byte that starts no valid
// sequence stands for the code point of its value (as Latin-1 reads it). The texts fed here
// are the program's own, in ASCII.
char32_t decode(const std::string& text, size_t i, size_t& length) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
  unsigned char b = byte(i);
  size_t n = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  char32_t c = n == 4 ? b & 0x07u : n == 3 ? b & 0x0Fu : b & 0x1Fu;
  if (n == 1 || i + n > text.size()) {
    length = 1;
    return b;
  }
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) {
      length = 1;
      return b;
    }
    c = (c << 6) | (byte(i + k) & 0x3Fu);
  }
  length = n;
  return c;
}

std::string escaped(const std::string& text, bool in_argument) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    if (static_cast<unsigned char>(c) >= 0x80) {
      size_t length = 1;
      char32_t code = decode(text, i, length);
      char name[16];
      std::snprintf(name, sizeof name, "\\[u%04X]", static_cast<unsigned>(code));
      out += name;
      i += length;
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

std::string troff_line(const std::string& text) {
  std::string out = escaped(text, false);
  // A line starting with '.' or '\'' would be a request; "\&" is a character that prints nothing.
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

std::string troff_argument(const std::string& text) {
  return "\"" + escaped(text, true) + "\"";
}
