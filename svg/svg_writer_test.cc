#include "svg/svg_writer.h"

#include <gtest/gtest.h>

#include "testing/xml_tree.h"

namespace {

TEST(XmlEscape, MarkupControlAndInvalidBytes) {
  struct row {
    std::string in, out;
  } rows[] = {
      {"plain", "plain"},
      {"A & B <C> \"D\" 'E'", "A &amp; B &lt;C&gt; &quot;D&quot; &apos;E&apos;"},
      {"citt\xc3\xa0 \xe2\x82\xac \xf0\x9f\x9a\x86", "citt\xc3\xa0 \xe2\x82\xac \xf0\x9f\x9a\x86"},
      {"a\tb\nc\rd", "a&#9;b&#10;c&#13;d"},
      {std::string("x\x01y\x1fz", 5), "x\xef\xbf\xbdy\xef\xbf\xbdz"},
      {std::string("nul\0end", 7), "nul\xef\xbf\xbd" "end"},
      {"\xc2\x81", "\xc2\x81"},                       // a C1 control: allowed in XML 1.0
      {"\xe9t\xe9", "\xef\xbf\xbdt\xef\xbf\xbd"},     // Windows-1252 bytes, not UTF-8
      {"\xc3", "\xef\xbf\xbd"},                       // cut short
      // One mark for each sequence that is no character, as the sources' decoder reads it.
      {"\xc0\xaf", "\xef\xbf\xbd"},                   // overlong
      {"\xed\xa0\x80x", "\xef\xbf\xbdx"},           // a surrogate
      {"\xef\xbf\xbe", "\xef\xbf\xbd"},               // U+FFFE
  };
  for (const row& r : rows) EXPECT_EQ(xml_escape(r.in), r.out) << r.in;
}

TEST(SvgNumber, TwoDecimalsAtMost) {
  struct row {
    double in;
    const char* out;
  } rows[] = {{0, "0"}, {-0.0, "0"}, {-0.001, "0"}, {12.5, "12.5"}, {3.14159, "3.14"},
              {1e6, "1000000"}, {-7.004, "-7"}, {0.1 + 0.2, "0.3"}, {1.0 / 0.0, "0"}};
  for (const row& r : rows) EXPECT_EQ(svg_number(r.in), r.out) << r.in;
}

TEST(Shortened, CutsWholeCharactersAndMarksTheCut) {
  EXPECT_EQ(shortened("QUARVEL", 7), "QUARVEL");
  EXPECT_EQ(shortened("QUARVEL", 5), "QUAR\xe2\x80\xa6");
  EXPECT_EQ(shortened("\xc3\xa0\xc3\xa8\xc3\xac", 2), "\xc3\xa0\xe2\x80\xa6");  // not inside a character
  EXPECT_EQ(utf8_length(shortened(std::string(100, 'x'), 40)), 40u);
}

TEST(SvgWriter, WritesAWellFormedTreeWhateverTheText) {
  std::string hostile = "<&>\"'\x01\xff]]> citt\xc3\xa0";
  svg_writer svg({{"xmlns", "http://www.w3.org/2000/svg"}, {"data-name", hostile}});
  svg.open("g", {{"class", "a"}});
  svg.text_element("text", {{"class", "t"}, {"x", "1"}}, hostile);
  svg.element_with_title("line", {{"class", "l"}}, hostile);
  svg.element("rect", {{"class", "r"}});
  std::string doc = svg.finish();  // closes the <g> and the root

  xml_element root = parse_xml(doc);
  EXPECT_EQ(root.name, "svg");
  std::string expected = "<&>\"'\xef\xbf\xbd\xef\xbf\xbd]]> citt\xc3\xa0";
  EXPECT_EQ(root.attribute("data-name"), expected);
  ASSERT_EQ(with_class(root, "t").size(), 1u);
  EXPECT_EQ(with_class(root, "t")[0]->text, expected);
  ASSERT_EQ(with_class(root, "l").size(), 1u);
  EXPECT_EQ(with_class(root, "l")[0]->children.at(0).text, expected);
  EXPECT_EQ(with_class(root, "a")[0]->children.size(), 3u);
}

// The checker the picture tests rely on must refuse what is not well-formed.
TEST(XmlChecker, RefusesMalformedDocuments) {
  const char* bad[] = {
      "<a><b></a></b>",       "<a>",          "<a></a><b/>",         "<a x=1/>",
      "<a x=\"1\" x=\"2\"/>", "<a>&nbsp;</a>", "<a>&#1;</a>",         "<a>x & y</a>",
      "<a x=\"<\"/>",         "<a>]]></a>",   "<a>\x01</a>",         "<a>\xe9</a>",
      "<a x=\"1\"y=\"2\"/>",  "",             "<1a/>",               "<a><!-- a -- b --></a>",
  };
  for (const char* doc : bad) EXPECT_THROW(parse_xml(doc), std::runtime_error) << doc;
  xml_element ok = parse_xml(
      "<?xml version=\"1.0\"?>\n<!-- c --><a k='v &amp; w'>x &lt; y &#x20AC;<b/><![CDATA[<z>]]></a>\n");
  EXPECT_EQ(ok.attribute("k"), "v & w");
  EXPECT_EQ(ok.text, "x < y \xe2\x82\xac<z>");
}

}  // namespace
