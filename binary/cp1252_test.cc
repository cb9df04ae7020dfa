#include "binary/cp1252.h"

#include <gtest/gtest.h>

TEST(Cp1252, BothWays) {
  struct pair_case {
    std::string utf8;
    std::string bytes;
  };
  const pair_case cases[] = {
      {"abc", "abc"},
      {"\xc3\xa0\xc3\xa8\xc3\xb2", "\xe0\xe8\xf2"},  // à è ò
      {"\xe2\x82\xac", "\x80"},                      // €
      {"\xe2\x80\x99", "\x92"},                      // ’
      {"\xc5\xbd", "\x8e"},                          // Ž
      {"\xc3\xbf", "\xff"},                          // ÿ
  };
  for (const pair_case& c : cases) {
    EXPECT_EQ(utf8_to_cp1252(c.utf8), c.bytes);
    EXPECT_EQ(cp1252_to_utf8(c.bytes), c.utf8);
  }
}

TEST(Cp1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(utf8_to_cp1252("a\xe2\x86\x92z"), "a?z");  // →
  EXPECT_EQ(utf8_to_cp1252("\xf0\x9f\x9a\x82"), "?");  // a four-byte character
}

TEST(Cp1252, EveryByteSurvivesARoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(all)), all);
}
