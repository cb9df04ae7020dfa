#include "files/field_reader.h"

#include <algorithm>

#include "files/cp1252.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

field_reader::field_reader(std::string bytes) : bytes_(std::move(bytes)) {}

void field_reader::skip_blanks() {
  while (pos_ < bytes_.size() && is_blank(bytes_[pos_])) ++pos_;
}

// CR LF ends a line; so do a lone LF (sources edited on Linux) and a lone CR.
bool field_reader::at_line_end() const {
  return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

void field_reader::consume_line_end() {
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  line_start_ = pos_;
}

void field_reader::start_field() {
  field_line_ = line_;
  field_line_start_ = line_start_;
  field_column_ = static_cast<int>(pos_ - line_start_) + 1;
  if (at_end()) fault("read past the end of the file");
}

void field_reader::fault(const std::string& message) const {
  throw reading_fault(message, field_line_, field_column_, field_line_text());
}

std::string field_reader::read_text() {
  start_field();
  skip_blanks();
  field_column_ = static_cast<int>(pos_ - line_start_) + 1;
  size_t start = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  size_t end = pos_;
  while (end > start && is_blank(bytes_[end - 1])) --end;
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',')
      ++pos_;
    else
      consume_line_end();
  }
  return cp1252_to_utf8(std::string_view(bytes_).substr(start, end - start));
}

int64_t field_reader::read_number(int64_t low, int64_t high, const char* kind) {
  start_field();
  skip_blanks();
  field_column_ = static_cast<int>(pos_ - line_start_) + 1;
  size_t start = pos_;
  bool negative = pos_ < bytes_.size() && bytes_[pos_] == '-';
  if (negative) ++pos_;
  size_t digits_start = pos_;
  int64_t value = 0;
  bool overflow = false;
  while (pos_ < bytes_.size() && is_digit(bytes_[pos_])) {
    if (value > 100000000000LL)
      overflow = true;
    else
      value = value * 10 + (bytes_[pos_] - '0');
    ++pos_;
  }
  bool ends_well = pos_ >= bytes_.size() || is_blank(bytes_[pos_]) || bytes_[pos_] == ',' ||
                   at_line_end();
  if (pos_ == digits_start) {
    // Nothing but blanks before the delimiter: an empty number field reads as 0.
    if (negative || !ends_well) {
      size_t end = start;
      while (end < bytes_.size() && bytes_[end] != ',' && bytes_[end] != '\r' &&
             bytes_[end] != '\n')
        ++end;
      fault(quoted(start, end, "\"") + " is not a number");
    }
  } else if (!ends_well) {
    size_t end = pos_;
    while (end < bytes_.size() && !is_blank(bytes_[end]) && bytes_[end] != ',' &&
           bytes_[end] != '\r' && bytes_[end] != '\n')
      ++end;
    fault(quoted(start, end, "\"") + " is not a number");
  }
  if (negative) value = -value;
  if (overflow || value < low || value > high) {
    fault(quoted(start, pos_, "") + " does not fit " + kind + " (" + std::to_string(low) + " to " +
          std::to_string(high) + ")");
  }
  skip_blanks();
  if (pos_ < bytes_.size()) {
    if (bytes_[pos_] == ',')
      ++pos_;
    else if (at_line_end())
      consume_line_end();
  }
  return value;
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
