#include <gtest/gtest.h>

#include "testing/line_fixture.h"

namespace {

std::vector<uint8_t> gradient_codes(const line_fixture& t, int from, int to) {
  std::vector<uint8_t> codes;
  for (int i = from; i <= to; ++i) codes.push_back(t.cell(i).gradient_code);
  return codes;
}

TEST(Gradients, EachAppliesFromItsCellToTheCellBeforeTheNext) {
  line_fixture t;
  ASSERT_TRUE(
      t.read_rows("pendenza,  0,   0\npendenza,  1200,   5\npendenza,  1750,   0\n"
                  "pendenza,  43950,   -5\n"));
  EXPECT_EQ(gradient_codes(t, 0, 23), std::vector<uint8_t>(24, 100));
  EXPECT_EQ(gradient_codes(t, 24, 34), std::vector<uint8_t>(11, 105));
  EXPECT_EQ(gradient_codes(t, 35, 878), std::vector<uint8_t>(844, 100));
  // The last gradient runs to the third cell from the end; the last three stay 0.
  EXPECT_EQ(gradient_codes(t, 879, 1777), std::vector<uint8_t>(899, 95));
  EXPECT_EQ(gradient_codes(t, 1778, 1780), std::vector<uint8_t>(3, 0));
}

TEST(Gradients, KeepOnlyTheLowEightBits) {
  for (auto [gradient, code] : {std::pair{155, 255}, {156, 0}, {200, 44}, {-100, 0}, {-101, 255}}) {
    line_fixture t;
    ASSERT_TRUE(t.read_rows("pendenza,  0,   " + std::to_string(gradient) + "\n"));
    EXPECT_EQ(t.cell(0).gradient_code, code) << gradient;
  }
}

TEST(Gradients, ARowNotBeyondTheNextCellStillWritesOne) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("pendenza,  100,   3\npendenza,  100,   4\npendenza,  -500,   6\n"));
  EXPECT_EQ(gradient_codes(t, 0, 4), (std::vector<uint8_t>{100, 100, 103, 106, 106}));
}

TEST(Gradients, RowsThatRunPastTheGridAreAReadingFault) {
  // 0 m: grid_length 7000, cells 0..140; a row at 6900 m fits the range rule and writes cells
  // 0 to 137, every repeat writes one more, and the closing fill the last.
  const std::string row = "pendenza,  6900,   1\n";
  line_fixture fits;
  EXPECT_TRUE(fits.read_rows(row + row + row, 0));
  EXPECT_EQ(gradient_codes(fits, 136, 140), (std::vector<uint8_t>{100, 100, 101, 101, 101}));

  line_fixture past;
  EXPECT_FALSE(past.read_rows(row + row + row + row + row, 0));
  EXPECT_EQ(past.form.error_code, 25);
  EXPECT_NE(past.console.str().find("Zenvro_Quarvel_linea.txt:8:1: error 25: the row cannot be read: "
                                    "cell 141 lies outside the grid (cells 0 to 140)"),
            std::string::npos)
      << past.console.str();
}

TEST(Gradients, RangeRuleAppliesToTheirPosition) {
  line_fixture t;
  EXPECT_TRUE(t.read_rows("pendenza,  88950,   5\n"));
  EXPECT_EQ(t.form.error_code, 15);
  EXPECT_EQ(t.form.error_position, 88950);
}

}  // namespace
