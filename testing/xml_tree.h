// Test helper: a strict reader of XML documents. It refuses anything that is not well-formed
// XML 1.0 (unbalanced tags, bad references, characters XML does not allow, invalid UTF-8, a
// second root) and gives back the element tree for a test to look into.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct xml_element {
  std::string name;
  std::map<std::string, std::string> attributes;
  std::vector<xml_element> children;
  std::string text;  // the character data directly inside, references resolved

  std::string attribute(const std::string& key) const {
    auto it = attributes.find(key);
    return it == attributes.end() ? std::string() : it->second;
  }
  bool has_class(std::string_view cls) const {
    std::string classes = attribute("class");
    size_t start = 0;
    while (start <= classes.size()) {
      size_t end = classes.find(' ', start);
      if (end == std::string::npos) end = classes.size();
      if (std::string_view(classes).substr(start, end - start) == cls) return true;
      start = end + 1;
    }
    return false;
  }
};

namespace xml_detail {

class parser {
 public:
  explicit parser(std::string_view doc) : s_(doc) {}

  xml_element document() {
    check_characters();
    if (s_.substr(0, 5) == "<?xml") skip_past("?>");
    misc();
    if (!at("<")) fail("no root element");
    xml_element root = element();
    misc();
    if (pos_ != s_.size()) fail("something follows the root element");
    return root;
  }

 private:
  [[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("not well-formed at byte " + std::to_string(pos_) + ": " + what);
  }
  bool at(std::string_view t) const { return s_.substr(pos_, t.size()) == t; }
  void expect(std::string_view t) {
    if (!at(t)) fail("expected " + std::string(t));
    pos_ += t.size();
  }
  void skip_past(std::string_view t) {
    size_t e = s_.find(t, pos_);
    if (e == std::string_view::npos) fail("unterminated " + std::string(t));
    pos_ = e + t.size();
  }
  bool space() {
    size_t start = pos_;
    while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
      ++pos_;
    return pos_ > start;
  }
  // Comments, processing instructions and blanks, as may stand around the root.
  void misc() {
    for (;;) {
      space();
      if (at("<!--")) comment();
      else if (at("<?")) skip_past("?>");
      else return;
    }
  }
  void comment() {
    size_t e = s_.find("--", pos_ + 4);
    if (e == std::string_view::npos || s_.substr(e, 3) != "-->") fail("bad comment");
    pos_ = e + 3;
  }

  // Every character of the document: valid UTF-8, and one that XML 1.0 allows.
  void check_characters() {
    for (size_t i = 0; i < s_.size();) {
      unsigned char b = static_cast<unsigned char>(s_[i]);
      size_t n = b < 0x80 ? 1 : b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3
                               : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
      if (n == 0 || i + n > s_.size()) {
        pos_ = i;
        fail("invalid UTF-8");
      }
      uint32_t c = n == 1 ? b : n == 2 ? b & 0x1F : n == 3 ? b & 0x0F : b & 0x07;
      for (size_t k = 1; k < n; ++k) {
        unsigned char d = static_cast<unsigned char>(s_[i + k]);
        if ((d & 0xC0) != 0x80) {
          pos_ = i;
          fail("invalid UTF-8");
        }
        c = (c << 6) | (d & 0x3F);
      }
      if (!allowed(c) || (n == 3 && c < 0x800) || (n == 4 && c < 0x10000)) {
        pos_ = i;
        fail("a character XML does not allow");
      }
      i += n;
    }
  }
  static bool allowed(uint32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
  }
  static bool name_start(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' || c >= 0x80;
  }
  std::string name() {
    size_t start = pos_;
    if (pos_ >= s_.size() || !name_start(static_cast<unsigned char>(s_[pos_]))) fail("expected a name");
    while (pos_ < s_.size()) {
      unsigned char c = static_cast<unsigned char>(s_[pos_]);
      if (!name_start(c) && !(c >= '0' && c <= '9') && c != '-' && c != '.') break;
      ++pos_;
    }
    return std::string(s_.substr(start, pos_ - start));
  }
  static void append_utf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  // A reference after '&': one of the five entities or a character reference.
  void reference(std::string& out) {
    expect("&");
    size_t end = s_.find(';', pos_);
    if (end == std::string_view::npos) fail("unterminated reference");
    std::string_view ref = s_.substr(pos_, end - pos_);
    static const std::map<std::string_view, char> entities = {
        {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}};
    if (auto it = entities.find(ref); it != entities.end()) {
      out += it->second;
    } else if (ref.size() > 1 && ref[0] == '#') {
      bool hex = ref[1] == 'x';
      std::string digits(ref.substr(hex ? 2 : 1));
      if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF" : "0123456789") != std::string::npos)
        fail("bad character reference");
      unsigned long c = std::stoul(digits, nullptr, hex ? 16 : 10);
      if (c > 0x10FFFF || !allowed(static_cast<uint32_t>(c))) fail("a reference to a character XML does not allow");
      append_utf8(out, static_cast<uint32_t>(c));
    } else {
      fail("unknown entity &" + std::string(ref) + ";");
    }
    pos_ = end + 1;
  }
  std::string attribute_value() {
    char quote = pos_ < s_.size() ? s_[pos_] : 0;
    if (quote != '"' && quote != '\'') fail("an attribute value must be quoted");
    ++pos_;
    std::string value;
    while (pos_ < s_.size() && s_[pos_] != quote) {
      if (s_[pos_] == '<') fail("'<' in an attribute value");
      if (s_[pos_] == '&') reference(value);
      else value += s_[pos_++];
    }
    expect(std::string_view(&quote, 1));
    return value;
  }
  xml_element element() {
    expect("<");
    xml_element e;
    e.name = name();
    for (;;) {
      bool spaced = space();
      if (at("/>")) {
        pos_ += 2;
        return e;
      }
      if (at(">")) {
        ++pos_;
        break;
      }
      if (!spaced) fail("attributes must be separated by blanks");
      std::string key = name();
      space();
      expect("=");
      space();
      if (!e.attributes.emplace(key, attribute_value()).second) fail("attribute " + key + " repeated");
    }
    for (;;) {
      if (pos_ >= s_.size()) fail("element " + e.name + " is not closed");
      if (at("</")) {
        pos_ += 2;
        if (name() != e.name) fail("end tag does not match " + e.name);
        space();
        expect(">");
        return e;
      }
      if (at("<!--")) comment();
      else if (at("<![CDATA[")) {
        size_t end = s_.find("]]>", pos_);
        if (end == std::string_view::npos) fail("unterminated CDATA");
        e.text += s_.substr(pos_ + 9, end - pos_ - 9);
        pos_ = end + 3;
      } else if (at("<?")) skip_past("?>");
      else if (at("<")) e.children.push_back(element());
      else if (at("&")) reference(e.text);
      else if (at("]]>")) fail("']]>' in character data");
      else e.text += s_[pos_++];
    }
  }

  std::string_view s_;
  size_t pos_ = 0;
};

inline void collect(const xml_element& e, std::string_view cls, std::vector<const xml_element*>& out) {
  if (e.has_class(cls)) out.push_back(&e);
  for (const xml_element& c : e.children) collect(c, cls, out);
}

}  // namespace xml_detail

// Parses a whole document; throws std::runtime_error naming the byte where it stops being
// well-formed.
inline xml_element parse_xml(std::string_view document) {
  return xml_detail::parser(document).document();
}

// The elements carrying class `cls`, in document order.
inline std::vector<const xml_element*> with_class(const xml_element& root, std::string_view cls) {
  std::vector<const xml_element*> out;
  xml_detail::collect(root, cls, out);
  return out;
}
