#include "lint/field_cursor.h"

#include <gtest/gtest.h>

#include "files/field_reader.h"

namespace {

// The walk must take the same fields as the compiler's reader, or every warning after a
// difference would name the wrong line.
TEST(FieldCursor, TakesTheFieldsTheReaderTakes) {
  const std::string bytes =
      "orologio,    8               24            15 \r\n"
      "stazione, 10 ,20,  NAME, X\n"
      " , -5,\r"
      "last,  7";
  const char kinds[] = "tnnntnntttnntn";  // text or number, as a row of this file reads them
  field_reader reader(bytes);
  field_cursor cursor(bytes);
  for (char kind : kinds) {
    if (kind == '\0') break;
    ASSERT_FALSE(cursor.at_end());
    std::string expected;
    field f;
    if (kind == 't') {
      expected = reader.read_text();
      f = cursor.read_text();
    } else {
      expected = std::to_string(reader.read_int32());
      f = cursor.read_number();
      if (f.text.empty()) f.text = "0";
    }
    EXPECT_EQ(f.text, expected);
    EXPECT_EQ(f.line, reader.field_line()) << expected;
    EXPECT_EQ(f.column, reader.field_column()) << expected;
    EXPECT_EQ(cursor.at_end(), reader.at_end()) << expected;
  }
  EXPECT_TRUE(cursor.at_end());
}

TEST(FieldCursor, KnowsWhereALineStarts) {
  field_cursor cursor("a, b\r\nc");
  EXPECT_TRUE(cursor.read_text().starts_line);
  EXPECT_FALSE(cursor.at_line_start());
  EXPECT_FALSE(cursor.read_text().starts_line);
  EXPECT_TRUE(cursor.at_line_start());
  EXPECT_TRUE(cursor.read_text().starts_line);
}

}  // namespace
