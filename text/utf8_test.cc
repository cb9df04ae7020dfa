#include "text/utf8.h"

#include <gtest/gtest.h>

namespace {

struct step_case {
  const char* name;
  std::string bytes;
  size_t length;
  char32_t code;     // when valid
  const char* fault;  // nullptr when valid
};

void PrintTo(const step_case& c, std::ostream* os) { *os << c.name; }

class Utf8At : public testing::TestWithParam<step_case> {};

TEST_P(Utf8At, TakesOneCharacterOrNamesTheFault) {
  const step_case& c = GetParam();
  const utf8_step step = utf8_at(c.bytes, 0);
  EXPECT_EQ(step.length, c.length);
  if (c.fault) {
    ASSERT_FALSE(step.valid());
    EXPECT_STREQ(step.fault, c.fault);
  } else {
    ASSERT_TRUE(step.valid()) << step.fault;
    EXPECT_EQ(step.code, c.code);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8At,
    testing::Values(
        step_case{"ascii", "a,", 1, U'a', nullptr},
        step_case{"two_bytes", "\xC3\xA8x", 2, U'\u00E8', nullptr},
        step_case{"three_bytes", "\xE2\x82\xAC", 3, U'\u20AC', nullptr},
        step_case{"four_bytes", "\xF0\x9F\x9A\x86", 4, U'\U0001F686', nullptr},
        step_case{"largest", "\xF4\x8F\xBF\xBF", 4, U'\U0010FFFF', nullptr},
        step_case{"byte_order_mark", "\xEF\xBB\xBF", 3, U'\uFEFF', nullptr},
        // The NUL that a lenient decoder makes of C0 80, and the other long spellings.
        step_case{"overlong_nul", "\xC0\x80", 2, 0, "an overlong form"},
        step_case{"overlong_slash", "\xC1\xBF", 2, 0, "an overlong form"},
        step_case{"overlong_three", "\xE0\x9F\xBF", 3, 0, "an overlong form"},
        step_case{"overlong_four", "\xF0\x8F\xBF\xBF", 4, 0, "an overlong form"},
        step_case{"surrogate", "\xED\xA0\x80", 3, 0, "a surrogate"},
        step_case{"above_range", "\xF4\x90\x80\x80", 4, 0, "a value above U+10FFFF"},
        step_case{"cut_short", "\xE2\x82,", 2, 0, "a sequence cut short"},
        step_case{"cut_at_end", "\xC3", 1, 0, "a sequence cut short"},
        step_case{"stray_continuation", "\x80", 1, 0, "a continuation byte with no lead byte"},
        step_case{"no_lead", "\xFF", 1, 0, "a byte that no UTF-8 sequence holds"}),
    [](const testing::TestParamInfo<step_case>& p) { return std::string(p.param.name); });

TEST(Utf8, ValidThroughoutAndTheWordsForFaults) {
  EXPECT_TRUE(is_valid_utf8("stazione, 500, CATÈ"));
  EXPECT_FALSE(is_valid_utf8("stazione, 500, CAT\xC0\x80"));
  EXPECT_EQ(hex_bytes("\xC0\x80"), "C0 80");
  EXPECT_EQ(code_point_name(U'\u00E8'), "U+00E8");
  EXPECT_EQ(code_point_name(U'\U0001F686'), "U+1F686");
}

TEST(Utf8, AppendedCharactersDecodeBack) {
  for (char32_t code : {U'a', U'\u00E8', U'\u20AC', U'\uFFFD', U'\U0001F686', U'\U0010FFFF'}) {
    std::string s;
    append_utf8(s, code);
    const utf8_step step = utf8_at(s, 0);
    EXPECT_TRUE(step.valid());
    EXPECT_EQ(step.length, s.size());
    EXPECT_EQ(step.code, code);
  }
}

}  // namespace
