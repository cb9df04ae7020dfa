#include "source/scanner.h"

#include <gtest/gtest.h>

#include "binary/cp1252.h"
#include "source/field_reader.h"

namespace {

// The lint's walk must take the same fields as the compiler's reader, or every warning after a
// difference would name the wrong line: both modes over the same inputs, field by field, for as
// long as the strict one reads.
TEST(Scanner, BothModesSplitAlikeWhereTheStrictOneReads) {
  struct split_case {
    std::string bytes;
    const char* kinds;  // text or number, as a row of this file reads them
    int strict_fields;  // how many the strict reader takes before its fault (all: -1)
  };
  const split_case cases[] = {
      {"orologio,    8               24            15 \r\n"
       "stazione, 10 ,20,  NAME, X\n"
       " , -5,\r"
       "last,  7",
       "tnnntnntttnntn", -1},
      {"indicatori_vmax,  800,  30,  ,  0\r\n", "tnnnn", -1},
      {"a\tb ,\t c \r\n\r\nd", "tttt", -1},  // an empty line is an empty field
      {"curvad6,  1000,  400\r\n", "ttt", -1},
      {"segnale, 12ab cd, 7\r\n", "tnn", 1},  // not a number: the lint takes it whole
      {"segnale, -, 7\r\n", "tnn", 1},
      {"segnale, 99999999999, 7\r\n", "tnn", 1},  // too wide for 32 bits
      {"segnale, 1\r\n", "tnn", 2},              // the second number is past the end
      {"citt\xe0, 1\r\n", "tn", -1},
  };
  for (const split_case& c : cases) {
    field_reader reader(c.bytes);
    scanner lenient(c.bytes);
    int strict_read = 0;
    bool strict_stopped = false;
    for (const char* kind = c.kinds; *kind; ++kind) {
      const bool past_end = lenient.at_end();
      const source_field f = *kind == 't' ? lenient.read_text() : lenient.read_number();
      if (strict_stopped) continue;
      std::string expected;
      try {
        expected = *kind == 't' ? reader.read_text() : std::to_string(reader.read_int32());
      } catch (const reading_fault&) {
        strict_stopped = true;
        continue;
      }
      ++strict_read;
      ASSERT_FALSE(past_end) << c.bytes;
      std::string text = *kind == 't' ? cp1252_to_utf8(f.text) : f.text;
      if (*kind == 'n' && text.empty()) text = "0";
      EXPECT_EQ(text, expected) << c.bytes;
      EXPECT_EQ(f.line, reader.field_line()) << c.bytes << " " << expected;
      EXPECT_EQ(f.column, reader.field_column()) << c.bytes << " " << expected;
      EXPECT_EQ(f.line_offset, reader.field_line_offset()) << c.bytes << " " << expected;
      EXPECT_EQ(lenient.at_end(), reader.at_end()) << c.bytes << " " << expected;
    }
    EXPECT_EQ(strict_read, c.strict_fields < 0 ? static_cast<int>(std::string(c.kinds).size())
                                               : c.strict_fields)
        << c.bytes;
    EXPECT_TRUE(lenient.at_end()) << c.bytes;
  }
}

TEST(Scanner, TakesAFieldThatIsNotANumberWholeAndGoesOn) {
  scanner s("segnale, 12ab cd, 7\r\nx");
  s.read_text();
  number_shape shape;
  const source_field bad = s.read_number(&shape);
  EXPECT_EQ(bad.text, "12ab cd");
  EXPECT_EQ(bad.column, 10);
  EXPECT_FALSE(shape.ends_well);
  EXPECT_TRUE(shape.has_digits);
  EXPECT_EQ(s.read_number().text, "7");
  EXPECT_TRUE(s.at_line_start());
  EXPECT_EQ(s.read_text().line, 2);
}

TEST(Scanner, KnowsWhereALineStarts) {
  scanner s("a, b\r\nc");
  EXPECT_TRUE(s.read_text().starts_line);
  EXPECT_FALSE(s.at_line_start());
  EXPECT_FALSE(s.read_text().starts_line);
  EXPECT_TRUE(s.at_line_start());
  EXPECT_TRUE(s.read_text().starts_line);
}

}  // namespace
