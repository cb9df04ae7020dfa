#include "lint/field_cursor.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void field_cursor::skip_blanks() {
  while (pos_ < bytes_.size() && is_blank(bytes_[pos_])) ++pos_;
}

bool field_cursor::at_line_end() const {
  return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

void field_cursor::consume_delimiter() {
  if (at_end()) return;
  if (bytes_[pos_] == ',') {
    ++pos_;
    return;
  }
  if (!at_line_end()) return;
  if (bytes_[pos_] == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') ++pos_;
  ++pos_;
  ++line_;
  line_start_ = pos_;
}

field field_cursor::start_field() {
  field f;
  f.starts_line = pos_ == line_start_;
  skip_blanks();
  f.line = line_;
  f.column = static_cast<int>(pos_ - line_start_) + 1;
  return f;
}

field field_cursor::read_text() {
  field f = start_field();
  const size_t start = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  size_t end = pos_;
  while (end > start && is_blank(bytes_[end - 1])) --end;
  f.text = std::string(bytes_.substr(start, end - start));
  consume_delimiter();
  return f;
}

field field_cursor::read_number() {
  field f = start_field();
  const size_t start = pos_;
  if (pos_ < bytes_.size() && bytes_[pos_] == '-') ++pos_;
  while (pos_ < bytes_.size() && is_digit(bytes_[pos_])) ++pos_;
  const bool ends_well = at_end() || is_blank(bytes_[pos_]) || bytes_[pos_] == ',' || at_line_end();
  if (!ends_well) {
    // Not a number: the compiler stops here; the walk takes the field whole.
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  }
  size_t end = pos_;
  while (end > start && is_blank(bytes_[end - 1])) --end;
  f.text = std::string(bytes_.substr(start, end - start));
  skip_blanks();
  consume_delimiter();
  return f;
}
