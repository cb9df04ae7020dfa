#include "model/grid.h"

#include <gtest/gtest.h>

namespace {

TEST(Grid, TheRunOutAndTheLastCellRoundedToEven) {
  struct {
    int64_t route_length;
    int64_t grid_length;
    int64_t last_cell;
  } cases[] = {
      {82000, 89000, 1780},
      {0, 7000, 140},
      {25, 7025, 140},  // 140.5 goes down to the even neighbour
      {75, 7075, 142},  // 141.5 goes up to it
      {kLongestRoute, 1007000, 20140},
      {2147483647, 2147490647, 42949813},  // a length beyond any route does not overflow
  };
  for (const auto& c : cases) {
    EXPECT_EQ(grid_length_of(c.route_length), c.grid_length) << c.route_length;
    EXPECT_EQ(last_cell_of(c.grid_length), c.last_cell) << c.route_length;
  }
}

TEST(Grid, ARowFitsWhenItsMarginStaysOnTheGrid) {
  // The built-in route's grid ends at cell 1780, 89000 m.
  struct {
    int32_t position;
    int32_t margin;
    bool fits;
  } cases[] = {
      {88900, kRowMargin, true},      {88901, kRowMargin, false},
      {88200, kStationMargin, true},  {88201, kStationMargin, false},
      {89000, 0, true},               {89001, 0, false},
      {-500, kRowMargin, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fits_grid(1780, c.position, c.margin), c.fits) << c.position << " + " << c.margin;
  // Nothing fits a grid that is not there yet.
  EXPECT_FALSE(fits_grid(-1, 0, 0));
}

TEST(Grid, TheCellsAMountainCovers) {
  EXPECT_EQ(first_mountain_cell(1000), 20);
  EXPECT_EQ(last_mountain_cell(2000), 39);  // the cell that ends at its end
  EXPECT_EQ(first_mountain_cell(1025), 20);
  EXPECT_EQ(first_mountain_cell(1075), 22);
  EXPECT_EQ(last_mountain_cell(1075), 20);  // 20.5
}

TEST(Grid, CloseMountainsAreThoseAtMost150MetresApart) {
  EXPECT_TRUE(starts_close_after(int64_t{150}));
  EXPECT_TRUE(starts_close_after(int64_t{-400}));  // overlapping the one before
  EXPECT_FALSE(starts_close_after(int64_t{151}));
  EXPECT_TRUE(starts_close_after(150.0));
  EXPECT_FALSE(starts_close_after(150.5));  // the picture reads metres as real numbers
}

}  // namespace
