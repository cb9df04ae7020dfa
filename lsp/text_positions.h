// Places in an editor's buffer. The protocol counts a line's characters in UTF-16 code units;
// the server checks the buffer as Windows-1252 bytes, one byte a character, so a diagnostic's
// column is a character index. These convert between the two over the buffer's UTF-8 text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class text_lines {
 public:
  // `utf8` false: one byte a character, for a file read from disk as the compiler reads it.
  explicit text_lines(std::string_view text, bool utf8 = true);

  // Line `line` (from 0) without its line end; empty past the last line.
  std::string_view line(int line) const;
  int count() const { return static_cast<int>(starts_.size()); }

  // The UTF-16 column of the character at `character` (from 0) on `line`.
  int utf16_column(int line, int character) const;
  // The character (from 0) at UTF-16 column `column` on `line`; the line's length past its end.
  int character_at(int line, int column) const;
  // The byte (from 0) of `line` where character `character` starts; the line's length past it.
  size_t byte_of(int line, int character) const;
  // The character (from 0) that starts at byte `byte` (from 0) of `line`.
  int character_of_byte(int line, size_t byte) const;
  // Where the field that holds `character` on `line` ends: the character before the next comma
  // or the line's end, blanks before it left out; `character` itself at the least.
  int field_end(int line, int character) const;

 private:
  size_t length_of(unsigned char lead) const;

  std::string_view text_;
  bool utf8_;
  std::vector<size_t> starts_;
};
