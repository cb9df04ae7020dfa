// The compiler's reading of a source file: the scanner's fields, strictly. A field that is not
// what the row asks for stops the reading with a fault naming it and its place.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "source/scanner.h"

// A failure while a text file is read: a number that is not one or does not fit, a read past
// the end. `line` and `column` (from 1) say where the offending field starts.
struct reading_fault : std::runtime_error {
  reading_fault(const std::string& message, int at_line = 0, int at_column = 0,
                std::string text_of_line = {})
      : std::runtime_error(message),
        line(at_line),
        column(at_column),
        line_text(std::move(text_of_line)) {}
  int line;
  int column;
  std::string line_text;
};

class field_reader {
 public:
  // `bytes` is the file as read from disk, in Windows-1252.
  explicit field_reader(std::string bytes);
  // The scanner looks into the reader's own bytes.
  field_reader(const field_reader&) = delete;
  field_reader& operator=(const field_reader&) = delete;

  std::string read_text();  // UTF-8
  int32_t read_int32();
  int16_t read_int16();
  uint8_t read_uint8();

  // True once everything in the file has been consumed, the last line end included.
  bool at_end() const { return scan_.at_end(); }

  // Where the last field read starts (from 1).
  int field_line() const { return field_line_; }
  int field_column() const { return field_column_; }

  // Where the line of the last field read starts, as an offset for line_text_at.
  size_t field_line_offset() const { return field_line_start_; }

  // The text of the line where the last field read starts, UTF-8, without its line end. Built
  // on demand: a reader that built it for every field would take the square of a line's length.
  std::string field_line_text() const { return line_text_at(field_line_start_, field_column_); }
  // The text of the line starting at `offset`, cut after kShownLine bytes, or after
  // kQuotedField bytes of the field at `column` when that lies further on.
  std::string line_text_at(size_t offset, int column = 1) const;

 private:
  int64_t read_number(int64_t low, int64_t high, const char* kind);
  void start_field();
  void took(const source_field& f);
  [[noreturn]] void fault(const std::string& message) const;
  std::string quoted(size_t start, size_t end, const char* quote) const;

  std::string bytes_;
  scanner scan_;
  size_t field_line_start_ = 0;
  int field_line_ = 0;
  int field_column_ = 0;
};

// How much of a field or a line a message quotes.
constexpr size_t kQuotedField = 80;
constexpr size_t kShownLine = 400;

// A field of a Windows-1252 file for a message, in UTF-8 between `quote`s; a long field is
// quoted by its start and its length, so a megabyte of digits is not echoed.
std::string quoted_field(std::string_view field, const char* quote = "\"");

// The line of `bytes` starting at `offset`, in UTF-8 without its line end, cut after
// kShownLine bytes, or after kQuotedField bytes of the field at `column` when that lies
// further on, so that a caret under the field still points into it.
std::string shown_line(std::string_view bytes, size_t offset, int column = 1);

