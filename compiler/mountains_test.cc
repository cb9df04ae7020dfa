#include <gtest/gtest.h>

#include "testing/line_fixture.h"

namespace {

TEST(Mountains, CoverTheirCellsWithTheirType) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("montagna,   59500,  59650,  2\n"));
  EXPECT_EQ(t.cell(1189).mountain_type, 0);
  for (int c : {1190, 1191, 1192}) {
    EXPECT_EQ(t.cell(c).mountain_type, 2) << c;
    EXPECT_EQ(t.cell(c).kind, kind_empty) << c;
  }
  EXPECT_EQ(t.cell(1193).mountain_type, 0);
  EXPECT_EQ(t.form.mountain_count, 1);
  EXPECT_EQ(t.form.mountain_ends[1], 59650);
}

TEST(Mountains, TypeAboveTenMarksEveryFourthEmptyCell) {
  line_fixture t;
  // A board in cell 7 keeps its place; a board placed after the mountain replaces a marker.
  ASSERT_TRUE(
      t.read_rows("indicatori_vmax,  300,  30,  30,  30,  0,  ,  ,  ,  0\n"
                  "montagna,   0,  1000,  12\n"
                  "indicatori_vmax,  500,  30,  30,  30,  0,  ,  ,  ,  0\n"));
  EXPECT_EQ(t.form.error_code, 0);
  for (int c = 0; c <= 19; ++c) EXPECT_EQ(t.cell(c).mountain_type, 2) << c;
  EXPECT_EQ(t.cell(20).mountain_type, 0);
  for (int c : {3, 15, 19}) EXPECT_EQ(t.cell(c).kind, kind_mountain_marker) << c;
  EXPECT_EQ(t.cell(7).kind, kind_speed_board);
  EXPECT_EQ(t.cell(11).kind, kind_speed_board);
  for (int c : {0, 1, 2, 4, 18}) EXPECT_EQ(t.cell(c).kind, kind_empty) << c;
}

TEST(Mountains, MarkersAreAskedForByEachRowAlone) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("montagna,   0,  1000,  12\nmontagna,   5000,  6000,  2\n"));
  EXPECT_EQ(t.cell(3).kind, kind_mountain_marker);
  for (int c = 100; c <= 119; ++c) {
    EXPECT_EQ(t.cell(c).mountain_type, 2) << c;
    EXPECT_EQ(t.cell(c).kind, kind_empty) << c;
  }
}

TEST(Mountains, CloserThan150MetresGetType3) {
  for (auto [second_start, type] : {std::pair{2150, 3}, {2151, 1}, {1500, 3}}) {
    line_fixture t;
    ASSERT_TRUE(t.read_rows("montagna,   1000,  2000,  2\nmontagna,   " +
                            std::to_string(second_start) + ",  3000,  1\n"));
    EXPECT_EQ(t.cell(50).mountain_type, type) << second_start;
    EXPECT_EQ(t.cell(59).mountain_type, type) << second_start;
    EXPECT_EQ(t.cell(25).mountain_type, 2) << second_start;  // the first keeps its own
  }
}

TEST(Mountains, TypeKeepsItsLowEightBits) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("montagna,   0,  100,  300\nmontagna,   5000,  5100,  -2\n"));
  EXPECT_EQ(t.cell(0).mountain_type, 34);  // 290 after the markers' 10
  EXPECT_EQ(t.cell(100).mountain_type, 254);
}

TEST(Mountains, EndBeforeStartCoversNothing) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("montagna,   1000,  1000,  2\n"));
  EXPECT_EQ(t.cell(20).mountain_type, 0);
  EXPECT_EQ(t.cell(19).mountain_type, 0);
  EXPECT_EQ(t.form.mountain_count, 1);
}

struct refused_case {
  const char* name;
  const char* row;
  int32_t code;
  int32_t position;
  int column;  // of the field at fault
};

void PrintTo(const refused_case& c, std::ostream* os) { *os << c.name; }

class RefusedMountains : public testing::TestWithParam<refused_case> {};

// Refused rows end the main phase as a row beyond the grid does: the file is deleted, the
// closing fills run and the train file is read.
TEST_P(RefusedMountains, EndTheMainPhase) {
  const refused_case& c = GetParam();
  line_fixture t;
  EXPECT_TRUE(t.read_rows(std::string(c.row) + "pendenza,  0,  3\n", 1000));
  EXPECT_EQ(t.form.error_code, c.code);
  EXPECT_EQ(t.form.error_position, c.position);
  EXPECT_EQ(t.form.mountain_count, 0);
  EXPECT_EQ(t.cell(0).gradient_code, 100);
  EXPECT_FALSE(file_present(t.line_path()));
  EXPECT_EQ(t.console.str().rfind("Zenvro_Quarvel_linea.txt:4:" + std::to_string(c.column) +
                                      ": error " + std::to_string(c.code),
                                  0),
            0u)
      << t.console.str();
}

// 1000 m: cells 0..160.
INSTANTIATE_TEST_SUITE_P(
    Codes, RefusedMountains,
    testing::Values(refused_case{"beyond_the_grid", "montagna,   7950,  7990,  2\n", 15, 7950, 13},
                    refused_case{"starts_before_the_route", "montagna,   -50,  500,  2\n", 26, -50,
                                 13},
                    refused_case{"ends_beyond_the_grid", "montagna,   7000,  8100,  2\n", 27, 7000,
                                 20}));

TEST(Mountains, EdgesThatFit) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("montagna,   -25,  100,  1\nmontagna,   7000,  8050,  2\n", 1000));
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.cell(0).mountain_type, 1);  // round(-0.5) is 0
  EXPECT_EQ(t.cell(160).mountain_type, 2);
}

TEST(Mountains, EightyAtMost) {
  std::string rows;
  for (int i = 1; i <= 80; ++i)
    rows += "montagna,   " + std::to_string(i * 1000) + ",  " + std::to_string(i * 1000 + 100) +
            ",  1\n";
  line_fixture eighty;
  ASSERT_TRUE(eighty.read_rows(rows));
  EXPECT_EQ(eighty.form.error_code, 0);
  EXPECT_EQ(eighty.form.mountain_count, 80);
  EXPECT_EQ(eighty.form.mountain_ends[80], 80100);

  line_fixture more;
  ASSERT_TRUE(more.read_rows(rows + "montagna,   81000,  81100,  1\n"));
  EXPECT_EQ(more.form.error_code, 28);
  EXPECT_EQ(more.form.error_position, 81000);
  EXPECT_EQ(more.form.mountain_count, 80);
  EXPECT_EQ(more.cell(1620).mountain_type, 0);
}

}  // namespace
