#include "lint/encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(Encoding, OnlyValidUtf8BeyondAsciiIsTold) {
  EXPECT_FALSE(is_utf8_beyond_ascii("plain"));
  EXPECT_FALSE(is_utf8_beyond_ascii("Citt\xE0"));  // Windows-1252 already
  EXPECT_TRUE(is_utf8_beyond_ascii("Citt\xC3\xA0"));
  EXPECT_TRUE(encoding_warnings({"t.txt", "Citt\xE0\r\n"}).empty());
}

TEST(Encoding, ConvertsToWindows1252) {
  std::vector<diagnostic> errors;
  EXPECT_EQ(utf8_to_windows_1252({"t.txt", "a\r\nCitt\xC3\xA0 \xE2\x82\xAC\r\n"}, errors),
            "a\r\nCitt\xE0 \x80\r\n");
  EXPECT_TRUE(errors.empty());
}

TEST(Encoding, ACharacterWithoutAFormIsAnErrorAtItsPlace) {
  std::vector<diagnostic> errors;
  utf8_to_windows_1252({"t.txt", "x\r\nstazione, 1, \xC5\x91z\r\n"}, errors);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].level, severity::error);
  EXPECT_EQ(errors[0].where.line, 2);
  EXPECT_EQ(errors[0].where.column, 14);
  EXPECT_EQ(errors[0].detail, "\"\xC5\x91\" (U+0151) has no Windows-1252 form");
}

}  // namespace
