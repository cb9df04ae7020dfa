#include "binary/cp1252.h"

#include <cstdint>

#include "text/utf8.h"

namespace {

// Unicode code points of the bytes 0x80 to 0x9F; the others map to themselves.
constexpr char32_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t decode_byte(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : b; }

int encode_code_point(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int i = 0; i < 32; ++i)
    if (kHigh[i] == cp) return 0x80 + i;
  return -1;
}

}  // namespace

std::string utf8_to_cp1252(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const utf8_step step = utf8_at(s, i);
    if (!step.valid()) {
      // Not UTF-8: each byte is taken as the Windows-1252 byte it is, never as a character
      // that a lenient reading would make of it.
      out.append(s.substr(i, step.length));
    } else {
      const int code = encode_code_point(step.code);
      out += code < 0 ? '?' : static_cast<char>(code);
    }
    i += step.length;
  }
  return out;
}

std::string cp1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) append_utf8(out, decode_byte(static_cast<unsigned char>(c)));
  return out;
}
