#include "svg/svg_writer.h"

#include <cmath>
#include <cstdio>

namespace {

// The length of the UTF-8 sequence that starts at `s[i]`, 0 when it is not a valid one
// (a stray continuation byte, an overlong form, a surrogate, beyond U+10FFFF, cut short).
size_t sequence_length(std::string_view s, size_t i, char32_t& code) {
  unsigned char b = static_cast<unsigned char>(s[i]);
  size_t n;
  if (b < 0x80) {
    code = b;
    return 1;
  } else if (b >= 0xC2 && b <= 0xDF) {
    n = 2;
    code = b & 0x1F;
  } else if (b >= 0xE0 && b <= 0xEF) {
    n = 3;
    code = b & 0x0F;
  } else if (b >= 0xF0 && b <= 0xF4) {
    n = 4;
    code = b & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    unsigned char c = static_cast<unsigned char>(s[i + k]);
    if ((c & 0xC0) != 0x80) return 0;
    code = (code << 6) | (c & 0x3F);
  }
  if ((n == 3 && code < 0x800) || (n == 4 && (code < 0x10000 || code > 0x10FFFF))) return 0;
  if (code >= 0xD800 && code <= 0xDFFF) return 0;
  return n;
}

bool allowed_in_xml(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

std::string xml_escape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t code = 0;
    size_t n = sequence_length(utf8, i, code);
    if (n == 0 || !allowed_in_xml(code)) {
      out += "\xEF\xBF\xBD";  // U+FFFD
      i += n == 0 ? 1 : n;
      continue;
    }
    switch (code) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      // Kept as references: a parser would turn them into plain blanks in an attribute.
      case '\t': out += "&#9;"; break;
      case '\n': out += "&#10;"; break;
      case '\r': out += "&#13;"; break;
      default: out.append(utf8.substr(i, n));
    }
    i += n;
  }
  return out;
}

std::string svg_number(double v) {
  if (!std::isfinite(v)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", v);
  std::string s = buffer;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

std::string svg_precise(double v) {
  if (!std::isfinite(v)) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.10g", v == 0 ? 0.0 : v);
  return buffer;
}

size_t utf8_length(std::string_view utf8) {
  size_t n = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

std::string shortened(std::string_view utf8, size_t limit) {
  if (utf8_length(utf8) <= limit || limit == 0) return std::string(utf8);
  size_t kept = 0, i = 0;
  for (; i < utf8.size(); ++i) {
    if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80 && kept++ == limit - 1) break;
  }
  return std::string(utf8.substr(0, i)) + "\xE2\x80\xA6";  // U+2026
}

svg_writer::svg_writer(const svg_attributes& root_attributes) {
  out_ = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  open("svg", root_attributes);
}

void svg_writer::indent() { out_.append(2 * open_.size(), ' '); }

void svg_writer::start_tag(std::string_view name, const svg_attributes& attributes) {
  indent();
  out_ += '<';
  out_ += name;
  for (const auto& [key, value] : attributes) {
    out_ += ' ';
    out_ += key;
    out_ += "=\"";
    out_ += xml_escape(value);
    out_ += '"';
  }
}

void svg_writer::open(std::string_view name, const svg_attributes& attributes) {
  start_tag(name, attributes);
  out_ += ">\n";
  open_.emplace_back(name);
}

void svg_writer::close() {
  if (open_.empty()) return;
  std::string name = std::move(open_.back());
  open_.pop_back();
  indent();
  out_ += "</" + name + ">\n";
}

void svg_writer::element(std::string_view name, const svg_attributes& attributes) {
  start_tag(name, attributes);
  out_ += "/>\n";
}

void svg_writer::text_element(std::string_view name, const svg_attributes& attributes,
                              std::string_view text) {
  start_tag(name, attributes);
  out_ += '>';
  out_ += xml_escape(text);
  out_ += "</";
  out_ += name;
  out_ += ">\n";
}

void svg_writer::text_with_title(const svg_attributes& attributes, std::string_view text,
                                 std::string_view title) {
  start_tag("text", attributes);
  out_ += "><title>";
  out_ += xml_escape(title);
  out_ += "</title>";
  out_ += xml_escape(text);
  out_ += "</text>\n";
}

void svg_writer::element_with_title(std::string_view name, const svg_attributes& attributes,
                                    std::string_view title) {
  start_tag(name, attributes);
  out_ += "><title>";
  out_ += xml_escape(title);
  out_ += "</title></";
  out_ += name;
  out_ += ">\n";
}

std::string svg_writer::finish() {
  while (!open_.empty()) close();
  return std::move(out_);
}
