#include "inspect/nice_step.h"

#include <gtest/gtest.h>

namespace {

TEST(NiceStep, TheTwoRoundingsPartAtTheirThresholds) {
  struct {
    double span;
    double parts;
    double nearest;
    double up;
  } cases[] = {
      {10, 10, 1, 1},  // exactly round: both keep it
      {14, 10, 1, 2},         {15, 10, 2, 2},
      {20, 10, 2, 2},         {21, 10, 2, 5},
      {34, 10, 2, 5},         {35, 10, 5, 5},
      {50, 10, 5, 5},         {51, 10, 5, 10},
      {74, 10, 5, 10},        {75, 10, 10, 10},
      {7998, 10, 1000, 1000}, {1006998, 10, 100000, 200000},  // the longest route's plan, printed
      {89, 4, 20, 50},        {3, 2, 2, 2},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(nice_step(c.span, c.parts), c.nearest) << c.span << " / " << c.parts;
    EXPECT_DOUBLE_EQ(nice_step(c.span, c.parts, step_rounding::up), c.up)
        << c.span << " / " << c.parts;
  }
  // Nothing to cut: a step of 1 rather than a division by zero.
  EXPECT_EQ(nice_step(0, 10, step_rounding::up), 1);
  EXPECT_EQ(nice_step(-5, 10), 1);
  EXPECT_EQ(nice_step(100, 0), 1);
}

TEST(NiceStep, RoundingUpNeverCutsIntoMorePiecesThanAsked) {
  for (int span = 1; span <= 100000; span += 7) {
    double step = nice_step(span, 10, step_rounding::up);
    EXPECT_LE(span / step, 10 + 1e-9) << span;
    EXPECT_GT(span / step, 4) << span;  // the round step below would cut it into more than 10
  }
}

TEST(NiceFloor, TheGreatestRoundLengthNotAbove) {
  EXPECT_EQ(nice_floor(1999), 1000);
  EXPECT_EQ(nice_floor(2000), 2000);
  EXPECT_EQ(nice_floor(4999), 2000);
  EXPECT_EQ(nice_floor(0.7), 0.5);
  EXPECT_EQ(nice_floor(0), 0);
}

}  // namespace
