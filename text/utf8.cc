#include "text/utf8.h"

#include <cstdio>

namespace {

bool continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

utf8_step utf8_at(std::string_view s, size_t i) {
  const auto b = static_cast<unsigned char>(s[i]);
  if (b < 0x80) return {1, b, nullptr};
  if (continuation(b)) return {1, 0, "a continuation byte with no lead byte"};
  size_t n;
  char32_t code;
  if (b < 0xE0) {
    n = 2;
    code = b & 0x1F;
  } else if (b < 0xF0) {
    n = 3;
    code = b & 0x0F;
  } else if (b < 0xF8) {
    n = 4;
    code = b & 0x07;
  } else {
    return {1, 0, "a byte that no UTF-8 sequence holds"};
  }
  // The faulty sequence takes its lead byte and the continuation bytes that follow it.
  size_t k = 1;
  for (; k < n && i + k < s.size() && continuation(static_cast<unsigned char>(s[i + k])); ++k)
    code = (code << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  if (k < n) return {k, 0, "a sequence cut short"};
  static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[n]) return {n, 0, "an overlong form"};
  if (code >= 0xD800 && code <= 0xDFFF) return {n, 0, "a surrogate"};
  if (code > 0x10FFFF) return {n, 0, "a value above U+10FFFF"};
  return {n, code, nullptr};
}

bool is_valid_utf8(std::string_view s) {
  for (size_t i = 0; i < s.size();) {
    const utf8_step step = utf8_at(s, i);
    if (!step.valid()) return false;
    i += step.length;
  }
  return true;
}

std::string hex_bytes(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    char text[4];
    std::snprintf(text, sizeof text, "%02X", static_cast<unsigned char>(c));
    if (!out.empty()) out += ' ';
    out += text;
  }
  return out;
}

std::string code_point_name(char32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(code));
  return text;
}

void append_utf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}
