// UTF-8, read strictly and in one place: the sources given as UTF-8, the names on the command
// line and the picture's text all go through this decoder.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The byte-order mark some editors put at the start of a UTF-8 file.
inline constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// One step along UTF-8 text: a character, or a sequence that is none.
struct utf8_step {
  size_t length = 0;  // bytes taken: the character's, or the faulty sequence's (at least 1)
  char32_t code = 0;  // the character, when valid
  // Empty for a character; else what is wrong ("an overlong form", "a surrogate", ...).
  const char* fault = nullptr;
  bool valid() const { return fault == nullptr; }
};

// The step at `s[i]` (i < s.size()). Overlong forms, surrogates, values above U+10FFFF, lead
// bytes cut short and stray continuation bytes are faults: no two spellings of one character.
utf8_step utf8_at(std::string_view s, size_t i);

// Whether `s` is valid UTF-8 throughout.
bool is_valid_utf8(std::string_view s);

// Bytes as an author's hex editor shows them: "C0 80".
std::string hex_bytes(std::string_view bytes);

// "U+00E8".
std::string code_point_name(char32_t code);

// Appends the UTF-8 form of `code` (below U+110000, not a surrogate).
void append_utf8(std::string& out, char32_t code);
