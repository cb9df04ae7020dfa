// A tiny writer of SVG documents: elements, attributes and text, each escaped, so that whatever
// a scenario holds (names with & < > or characters from any script) gives well-formed XML.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// `utf8` made safe for XML text and attribute values: the five markup characters become
// entities, tab and line ends character references, and what XML 1.0 does not allow (other
// control characters, invalid UTF-8, U+FFFE and U+FFFF) the replacement character U+FFFD.
std::string xml_escape(std::string_view utf8);

// A coordinate or length as SVG writes it: at most two decimals, no trailing zeros, no "-0".
std::string svg_number(double v);

// A number kept to ten significant digits, for data a reader may want to compute with.
std::string svg_precise(double v);

// The number of characters (code points) in a UTF-8 text, for estimating its drawn width.
size_t utf8_length(std::string_view utf8);

// About how wide `text` is drawn in a sans-serif face at `font_size`, capitals and digits being
// the widest; generous, so that labels estimated apart do not touch.
inline double text_width(std::string_view text, double font_size) {
  return static_cast<double>(utf8_length(text)) * 0.64 * font_size;
}

// `utf8` cut to at most `limit` characters, an ellipsis standing for what was cut.
std::string shortened(std::string_view utf8, size_t limit);

using svg_attributes = std::vector<std::pair<std::string, std::string>>;

class svg_writer {
 public:
  // Starts the document: the XML declaration and the root <svg> element with `attributes`.
  explicit svg_writer(const svg_attributes& root_attributes);

  void open(std::string_view name, const svg_attributes& attributes = {});
  void close();  // closes the element opened last
  void element(std::string_view name, const svg_attributes& attributes);  // an empty element
  // An element holding only text, e.g. <text x="1" y="2">Name</text>.
  void text_element(std::string_view name, const svg_attributes& attributes,
                    std::string_view text);
  // A text element whose <title> child, the tooltip, says more than the text, e.g. the whole of
  // a shortened name.
  void text_with_title(const svg_attributes& attributes, std::string_view text,
                       std::string_view title);
  // An element with a <title> child, the tooltip a browser shows over it.
  void element_with_title(std::string_view name, const svg_attributes& attributes,
                          std::string_view title);

  // Closes every open element, the root included, and returns the document.
  std::string finish();

 private:
  void start_tag(std::string_view name, const svg_attributes& attributes);
  void indent();

  std::string out_;
  std::vector<std::string> open_;
};
