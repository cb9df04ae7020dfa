#include "svg/svg_writer.h"

#include <cmath>
#include <cstdio>

#include "text/utf8.h"

namespace {

bool allowed_in_xml(char32_t c) {
  if (c < 0x20) return c == '\t' || c == '\n' || c == '\r';
  return c != 0xFFFE && c != 0xFFFF;
}

}  // namespace

std::string xml_escape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const utf8_step step = utf8_at(utf8, i);
    const char32_t code = step.code;
    const size_t n = step.length;
    // A sequence that is no character, or one XML forbids, shows as one U+FFFD.
    if (!step.valid() || !allowed_in_xml(code)) {
      out += "\xEF\xBF\xBD";
      i += n;
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
