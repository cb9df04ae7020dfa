// The field rules of the two source files, written once: a file is one stream of
// comma-separated fields, and lines matter only as separators. The compiler's reader
// (`field_reader`, strict) and the lint's walk (lenient) both take their fields from here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One field as the scanner takes it: where it starts (line and column from 1) and its text
// without the blanks around it, in the file's own bytes.
struct source_field {
  std::string text;
  int line = 0;
  int column = 0;
  size_t line_offset = 0;    // where its line starts in the file
  bool starts_line = false;  // the first field of its line
};

// What a number field held, for a reader that judges it: the sign, the digits and what
// followed them. Offsets are into the file.
struct number_shape {
  size_t start = 0;       // the first byte after the blanks before the field
  size_t digits_end = 0;  // just past the sign and the digits
  bool negative = false;
  bool has_digits = false;
  bool ends_well = true;  // the digits end at a blank, a comma, a line end or the file's end
  bool overflow = false;  // more digits than any field holds
  int64_t value = 0;      // with its sign
};

class scanner {
 public:
  explicit scanner(std::string_view bytes) : bytes_(bytes) {}

  // True once everything in the file has been consumed, the last line end included.
  bool at_end() const { return pos_ >= bytes_.size(); }
  // True when the last field read took its line's end with it (or ended the file).
  bool at_line_start() const { return pos_ == line_start_; }
  int line() const { return line_; }
  size_t line_start() const { return line_start_; }
  int column() const { return static_cast<int>(pos_ - line_start_) + 1; }

  // A text field runs to the next comma or line end, and the delimiter goes with it.
  source_field read_text();

  // A number field ends at its last digit: blanks after it are passed over, then a comma or
  // a line end goes with it; anything else is left for the next field ("8  24" is two
  // fields). A field that is not a number is taken whole, to the next comma or line end, so
  // the walk goes on; `shape` says what it held.
  source_field read_number(number_shape* shape = nullptr);

 private:
  source_field start_field();
  void skip_blanks();
  bool at_line_end() const;
  void consume_delimiter();
  size_t trimmed_end(size_t start) const;

  std::string_view bytes_;
  size_t pos_ = 0;
  int line_ = 1;
  size_t line_start_ = 0;
};
