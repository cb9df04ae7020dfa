#include "lsp/text_positions.h"

#include <algorithm>

namespace {

// The bytes of the UTF-8 sequence that `lead` starts, 1 for a byte that starts none.
size_t sequence_length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

size_t text_lines::length_of(unsigned char lead) const { return utf8_ ? sequence_length(lead) : 1; }

text_lines::text_lines(std::string_view utf8, bool is_utf8) : text_(utf8), utf8_(is_utf8) {
  // Lines end as the compiler's readers end them: LF, CR LF or a lone CR.
  starts_.push_back(0);
  for (size_t i = 0; i < utf8.size(); ++i)
    if (utf8[i] == '\n' || (utf8[i] == '\r' && (i + 1 >= utf8.size() || utf8[i + 1] != '\n')))
      starts_.push_back(i + 1);
}

std::string_view text_lines::line(int n) const {
  if (n < 0 || n >= count()) return {};
  const size_t start = starts_[static_cast<size_t>(n)];
  size_t end = start;
  while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
  return text_.substr(start, end - start);
}

int text_lines::utf16_column(int n, int character) const {
  const std::string_view l = line(n);
  int column = 0;
  size_t i = 0;
  for (int c = 0; c < character; ++c) {
    if (i >= l.size()) return column + (character - c);  // past the line's end
    const size_t length = length_of(static_cast<unsigned char>(l[i]));
    column += length == 4 ? 2 : 1;  // beyond the basic plane: a surrogate pair
    i += length;
  }
  return column;
}

int text_lines::character_at(int n, int column) const {
  const std::string_view l = line(n);
  int units = 0, character = 0;
  for (size_t i = 0; i < l.size() && units < column; ++character) {
    const size_t length = length_of(static_cast<unsigned char>(l[i]));
    units += length == 4 ? 2 : 1;
    i += length;
  }
  return character;
}

int text_lines::field_end(int n, int character) const {
  const std::string_view l = line(n);
  size_t i = byte_of(n, character);
  const int c = character_of_byte(n, i);
  int end = c, at = c;
  for (; i < l.size() && l[i] != ','; ++at) {
    const bool blank = l[i] == ' ' || l[i] == '\t';
    i += length_of(static_cast<unsigned char>(l[i]));
    if (!blank) end = at + 1;
  }
  return std::max(end, character);
}

int text_lines::character_of_byte(int n, size_t byte) const {
  const std::string_view l = line(n);
  int character = 0;
  for (size_t i = 0; i < byte && i < l.size(); ++character)
    i += length_of(static_cast<unsigned char>(l[i]));
  return character;
}

size_t text_lines::byte_of(int n, int character) const {
  const std::string_view l = line(n);
  size_t i = 0;
  for (int c = 0; c < character && i < l.size(); ++c)
    i += length_of(static_cast<unsigned char>(l[i]));
  return std::min(i, l.size());
}
