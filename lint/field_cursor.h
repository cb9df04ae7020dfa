// Walks a source file field by field as the compiler's reader does, but never stops: a field
// the compiler could not read is taken whole and the walk goes on.
#pragma once

#include <string>
#include <string_view>

// One field as the reader takes it: where it starts (line and column from 1) and its text
// without the blanks around it, in the file's own bytes.
struct field {
  std::string text;
  int line = 0;
  int column = 0;
  bool starts_line = false;  // the first field of its line
};

class field_cursor {
 public:
  explicit field_cursor(std::string_view bytes) : bytes_(bytes) {}

  bool at_end() const { return pos_ >= bytes_.size(); }

  // A text field runs to the next comma or line end, and the delimiter goes with it.
  field read_text();

  // A number field ends at its last digit: blanks after it are passed over, then a comma or
  // a line end goes with it; anything else is left for the next field ("8  24" is two fields).
  field read_number();

  // True when the last field read took its line's end with it (or ended the file).
  bool at_line_start() const { return pos_ == line_start_; }
  int line() const { return line_; }

 private:
  field start_field();
  void skip_blanks();
  bool at_line_end() const;
  void consume_delimiter();

  std::string_view bytes_;
  size_t pos_ = 0;
  int line_ = 1;
  size_t line_start_ = 0;
};
