#include "model/speed_pair.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct board_case {
  int32_t left, right;
  int16_t code;
};

// Codes of boards of the built-in line, a board without a right-hand side, and a right-hand
// speed that is not a multiple of 5 (rounded into the units).
TEST(SpeedPair, CodesOfKnownBoards) {
  for (const board_case& c : {board_case{140, 140, 2828}, board_case{160, 160, 3232},
                              board_case{30, 0, 600}, board_case{140, 160, 2832},
                              board_case{80, 80, 1616}, board_case{0, 0, 0},
                              board_case{100, 13, 2003}, board_case{100, 12, 2002}})
    EXPECT_EQ(speed_pair_code(c.left, c.right), c.code) << c.left << ' ' << c.right;
}

// Every pair the reader takes back exactly: multiples of 5, the right-hand speed below 500, the
// code within 16 bits.
TEST(SpeedPair, ReadsBackEveryPairItCanHold) {
  int pairs = 0;
  for (int32_t left = 0; left <= 2000; left += 5)
    for (int32_t right = 0; right < 500; right += 5) {
      int64_t code = speed_pair_code(left, right);
      if (code > std::numeric_limits<int16_t>::max()) continue;
      speed_pair back = read_speed_pair(static_cast<int16_t>(code));
      ASSERT_EQ(back.left, left) << code;
      ASSERT_EQ(back.right, right) << code;
      ++pairs;
    }
  EXPECT_EQ(pairs, 32768);  // one pair for every code from 0 to 32767
}

}  // namespace
