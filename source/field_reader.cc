#include "source/field_reader.h"

#include <algorithm>

#include "files/cp1252.h"

namespace {

bool ends_a_word(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }
bool ends_a_field(char c) { return c == ',' || c == '\r' || c == '\n'; }

}  // namespace

field_reader::field_reader(std::string bytes) : bytes_(std::move(bytes)), scan_(bytes_) {}

// A read past the end is told where the file ends.
void field_reader::start_field() {
  field_line_ = scan_.line();
  field_line_start_ = scan_.line_start();
  field_column_ = scan_.column();
  if (at_end()) fault("read past the end of the file");
}

void field_reader::took(const source_field& f) {
  field_line_ = f.line;
  field_line_start_ = f.line_offset;
  field_column_ = f.column;
}

void field_reader::fault(const std::string& message) const {
  throw reading_fault(message, field_line_, field_column_, field_line_text());
}

std::string field_reader::read_text() {
  start_field();
  const source_field f = scan_.read_text();
  took(f);
  return cp1252_to_utf8(f.text);
}

int64_t field_reader::read_number(int64_t low, int64_t high, const char* kind) {
  start_field();
  number_shape s;
  took(scan_.read_number(&s));
  if (!s.has_digits) {
    // Nothing but blanks before the delimiter: an empty number field reads as 0.
    if (s.negative || !s.ends_well) {
      size_t end = s.start;
      while (end < bytes_.size() && !ends_a_field(bytes_[end])) ++end;
      fault(quoted(s.start, end, "\"") + " is not a number");
    }
  } else if (!s.ends_well) {
    size_t end = s.digits_end;
    while (end < bytes_.size() && !ends_a_word(bytes_[end])) ++end;
    fault(quoted(s.start, end, "\"") + " is not a number");
  }
  if (s.overflow || s.value < low || s.value > high) {
    fault(quoted(s.start, s.digits_end, "") + " does not fit " + kind + " (" + std::to_string(low) +
          " to " + std::to_string(high) + ")");
  }
  return s.value;
}

int32_t field_reader::read_int32() {
  return static_cast<int32_t>(read_number(INT32_MIN, INT32_MAX, "a 32-bit field"));
}
int16_t field_reader::read_int16() {
  return static_cast<int16_t>(read_number(INT16_MIN, INT16_MAX, "a 16-bit field"));
}
uint8_t field_reader::read_uint8() {
  return static_cast<uint8_t>(read_number(0, 255, "an 8-bit field"));
}

std::string field_reader::quoted(size_t start, size_t end, const char* quote) const {
  return quoted_field(std::string_view(bytes_).substr(start, end - start), quote);
}

std::string field_reader::line_text_at(size_t offset, int column) const {
  return shown_line(bytes_, offset, column);
}

std::string quoted_field(std::string_view field, const char* quote) {
  if (field.size() <= kQuotedField) return quote + cp1252_to_utf8(field) + quote;
  return quote + cp1252_to_utf8(field.substr(0, kQuotedField)) + "..." + quote + " (" +
         std::to_string(field.size()) + " characters)";
}

std::string shown_line(std::string_view bytes, size_t offset, int column) {
  const size_t past_field = static_cast<size_t>(std::max(column, 1) - 1) + kQuotedField;
  const size_t keep = std::max(kShownLine, past_field);
  size_t end = offset;
  while (end < bytes.size() && end - offset <= keep && bytes[end] != '\r' && bytes[end] != '\n')
    ++end;
  std::string_view line = bytes.substr(offset, end - offset);
  if (line.size() <= keep) return cp1252_to_utf8(line);
  return cp1252_to_utf8(line.substr(0, keep)) + "...";
}
