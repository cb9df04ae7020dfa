#include "lsp/text_positions.h"

#include <gtest/gtest.h>

namespace {

// "é" is two bytes and one UTF-16 unit; the G clef (U+1D11E) four bytes and two units.
constexpr std::string_view kText =
    "stazione, 500, BORGO \xc3\xa9\r\n"
    "\xf0\x9d\x84\x9e, 7,  x  ,\n"
    "last\rafter a lone CR";

TEST(TextLines, LinesEndAsTheReadersEndThem) {
  const text_lines lines(kText);
  ASSERT_EQ(lines.count(), 4);
  EXPECT_EQ(lines.line(0), "stazione, 500, BORGO \xc3\xa9");
  EXPECT_EQ(lines.line(2), "last");
  EXPECT_EQ(lines.line(3), "after a lone CR");
  EXPECT_EQ(lines.line(4), "");
}

TEST(TextLines, ColumnsCountUtf16UnitsAndCharacters) {
  const text_lines lines(kText);
  struct case_ {
    int line, character, utf16;
  } cases[] = {
      {0, 0, 0}, {0, 21, 21}, {0, 22, 22},  // "é": one character, one unit
      {1, 0, 0}, {1, 1, 2},   {1, 3, 4},    // the clef: one character, two units
      {1, 40, 41},                           // past the line's end (11 characters), one a unit
  };
  for (const case_& c : cases) {
    EXPECT_EQ(lines.utf16_column(c.line, c.character), c.utf16) << c.line << ":" << c.character;
    if (c.character <= 8) {
      EXPECT_EQ(lines.character_at(c.line, c.utf16), c.character);
    }
  }
  EXPECT_EQ(lines.byte_of(0, 22), 23u);
  EXPECT_EQ(lines.character_of_byte(1, 4), 1);
}

TEST(TextLines, AFieldEndsBeforeItsCommaWithoutTheBlanks) {
  const text_lines lines(kText);
  EXPECT_EQ(lines.field_end(0, 0), 8);    // "stazione"
  EXPECT_EQ(lines.field_end(0, 10), 13);  // "500"
  EXPECT_EQ(lines.field_end(0, 15), 22);  // "BORGO é", to the line's end
  EXPECT_EQ(lines.field_end(1, 7), 8);    // "x" between blanks
  EXPECT_EQ(lines.field_end(1, 11), 11);  // an empty field ends where it starts
}

TEST(TextLines, FileBytesAreOneCharacterEach) {
  const text_lines bytes("BORGO \xe9, 5", false);  // Windows-1252 "é"
  EXPECT_EQ(bytes.utf16_column(0, 8), 8);
  EXPECT_EQ(bytes.field_end(0, 0), 7);
}

}  // namespace
