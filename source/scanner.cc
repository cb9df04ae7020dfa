#include "source/scanner.h"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void scanner::skip_blanks() {
  while (pos_ < bytes_.size() && is_blank(bytes_[pos_])) ++pos_;
}

// CR LF ends a line; so do a lone LF (sources edited on Linux) and a lone CR.
bool scanner::at_line_end() const {
  return pos_ < bytes_.size() && (bytes_[pos_] == '\r' || bytes_[pos_] == '\n');
}

void scanner::consume_delimiter() {
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

source_field scanner::start_field() {
  source_field f;
  f.starts_line = pos_ == line_start_;
  skip_blanks();
  f.line = line_;
  f.line_offset = line_start_;
  f.column = column();
  return f;
}

size_t scanner::trimmed_end(size_t start) const {
  size_t end = pos_;
  while (end > start && is_blank(bytes_[end - 1])) --end;
  return end;
}

source_field scanner::read_text() {
  source_field f = start_field();
  const size_t start = pos_;
  while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  f.text = std::string(bytes_.substr(start, trimmed_end(start) - start));
  consume_delimiter();
  return f;
}

source_field scanner::read_number(number_shape* shape) {
  source_field f = start_field();
  number_shape s;
  s.start = pos_;
  s.negative = pos_ < bytes_.size() && bytes_[pos_] == '-';
  if (s.negative) ++pos_;
  const size_t digits_start = pos_;
  while (pos_ < bytes_.size() && is_digit(bytes_[pos_])) {
    if (s.value > 100000000000LL)
      s.overflow = true;
    else
      s.value = s.value * 10 + (bytes_[pos_] - '0');
    ++pos_;
  }
  s.digits_end = pos_;
  s.has_digits = pos_ > digits_start;
  if (s.negative) s.value = -s.value;
  s.ends_well = at_end() || is_blank(bytes_[pos_]) || bytes_[pos_] == ',' || at_line_end();
  if (!s.ends_well) {
    // Not a number: the compiler stops here; the walk takes the field whole.
    while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !at_line_end()) ++pos_;
  }
  f.text = std::string(bytes_.substr(s.start, trimmed_end(s.start) - s.start));
  skip_blanks();
  consume_delimiter();
  if (shape) *shape = s;
  return f;
}
