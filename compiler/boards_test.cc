#include <gtest/gtest.h>

#include <algorithm>

#include "testing/line_fixture.h"

namespace {

struct speed_board_case {
  const char* row;
  int cell;
  int16_t v1, v2, v3, v4;
};

void PrintTo(const speed_board_case& c, std::ostream* os) { *os << c.row; }

class SpeedBoards : public testing::TestWithParam<speed_board_case> {};

TEST_P(SpeedBoards, PackTheSpeedsIntoTheirCell) {
  const speed_board_case& c = GetParam();
  line_fixture t;
  ASSERT_TRUE(t.read_rows(std::string(c.row) + "\n"));
  EXPECT_EQ(t.form.error_code, 0);
  const track_cell& cell = t.cell(c.cell);
  EXPECT_EQ(cell.kind, kind_speed_board);
  EXPECT_EQ(cell.value_1, c.v1);
  EXPECT_EQ(cell.value_2, c.v2);
  EXPECT_EQ(cell.value_3, c.v3);
  EXPECT_EQ(cell.value_4, c.v4);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SpeedBoards,
    testing::Values(
        speed_board_case{"indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0", 17, 600, 600, 600,
                         0},
        speed_board_case{"indicatori_vmax,  63650,  140,  160,  160,  0,  140,  160,  160,  0",
                         1274, 2828, 3232, 3232, 0},
        speed_board_case{"indicatori_vmax,  77400,  80,  80,  80,  2,  80,  80,  80,  2", 1549,
                         1616, 1616, 1616, 22},
        speed_board_case{"indicatori_vmax,  33350,  90,  95,  100,  2,  ,  ,  ,  0", 668, 1800,
                         1900, 2000, 20},
        // 17.5 and 18.5 both round to the even cell 18.
        speed_board_case{"indicatori_vmax,  825,  30,  30,  30,  0,  ,  ,  ,  0", 18, 600, 600, 600,
                         0},
        speed_board_case{"INDICATORI_VMAX,  875,  30,  30,  30,  0,  ,  ,  ,  0", 18, 600, 600, 600,
                         0},
        // The real sum is rounded: 3 / 5 adds 0.6, -3 / 5 takes it away.
        speed_board_case{"indicatori_vmax,  1000,  30,  -5,  1,  0,  3,  -3,  -7,  -1", 21, 601,
                         -101, 19, -1},
        // At position 0 the board takes cell 1, where the check codes go later.
        speed_board_case{"indicatori_vmax,  0,  30,  30,  30,  0,  ,  ,  ,  0", 1, 600, 600, 600,
                         0},
        speed_board_case{"indicatori_vmax,  -75,  30,  30,  30,  0,  ,  ,  ,  0", 0, 600, 600, 600,
                         0},
        // The largest values that fit 16 bits.
        speed_board_case{"indicatori_vmax,  800,  1638,  -1638,  0,  3276,  35,  -40,  0,  7", 17,
                         32767, -32768, 0, 32767}));

struct refused_case {
  const char* name;
  const char* rows;
  int32_t code;
  int32_t position;
  bool go_on;  // whether the train file would still be read
};

void PrintTo(const refused_case& c, std::ostream* os) { *os << c.name; }

class RefusedBoards : public testing::TestWithParam<refused_case> {};

TEST_P(RefusedBoards, RecordTheirCode) {
  const refused_case& c = GetParam();
  line_fixture t;
  t.form.error_position = 1;
  EXPECT_EQ(t.read_rows(c.rows), c.go_on);
  EXPECT_EQ(t.form.error_code, c.code);
  EXPECT_EQ(t.form.error_position, c.position);
  EXPECT_EQ(t.form.faults_reported, 1) << t.console.str();
  EXPECT_FALSE(file_present(t.line_path()));
  // The diagnostic names the refused row, the last one before "pendenza", after the three
  // lines of the general section, with its caret under the position.
  const std::string rows = c.rows;
  const auto line = 3 + std::count(rows.begin(), rows.begin() + rows.find("pendenza"), '\n');
  const size_t row_start = rows.rfind('\n', rows.find("pendenza") - 2) + 1;  // npos + 1 is 0
  const std::string row = rows.substr(row_start, rows.find('\n', row_start) - row_start);
  const size_t column = row.find_first_not_of(' ', row.find(',') + 1) + 1;
  EXPECT_EQ(t.console.str().rfind("Zenvro_Quarvel_linea.txt:" + std::to_string(line) + ":" +
                                      std::to_string(column) + ": error " +
                                      std::to_string(c.code) + ":",
                                  0),
            0u)
      << t.console.str();
  EXPECT_NE(t.console.str().find("\n" + row + "\n" + std::string(column - 1, ' ') + "^\n"),
            std::string::npos)
      << t.console.str();
  // The row after the refused one is not read; the closing fill runs when the train file
  // follows.
  EXPECT_EQ(t.cell(0).gradient_code, c.go_on ? 100 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, RefusedBoards,
    testing::Values(
        refused_case{"speed_board_beyond_the_grid",
                     "indicatori_vmax,  88950,  30,  30,  30,  0,  ,  ,  ,  0\npendenza,  0,  3\n",
                     15, 88950, true},
        refused_case{"speed_board_on_a_board",
                     "indicatori_vmax,  790,  30,  30,  30,  0,  ,  ,  ,  0\n"
                     "indicatori_vmax,  810,  30,  30,  30,  0,  ,  ,  ,  0\n"
                     "pendenza,  0,  3\n",
                     21, 810, false},
        refused_case{"speed_board_before_the_route",
                     "indicatori_vmax,  -76,  30,  30,  30,  0,  ,  ,  ,  0\npendenza,  0,  3\n",
                     26, -76, true},
        refused_case{"indicator_beyond_the_grid",
                     "cartello_indicatore,  88950,   (Km. 2.256)\n"
                     "pendenza,  0,  3\n",
                     15, 88950, true},
        refused_case{"indicator_on_a_board",
                     "indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0\n"
                     "cartello_indicatore,  820,   (Km. 2.256)\npendenza,  0,  3\n",
                     6, 820, false},
        refused_case{"indicator_before_the_route",
                     "cartello_indicatore,  -100,   (Km. 2.256)\npendenza,  0,  3\n", 26, -100,
                     true}));

TEST(SpeedBoards, ReplaceAMountainMarker) {
  line_fixture t;
  ASSERT_TRUE(
      t.read_rows("montagna,   0,  1000,  11\n"
                  "indicatori_vmax,  100,  30,  30,  30,  0,  ,  ,  ,  0\n"));
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.cell(3).kind, kind_speed_board);
  EXPECT_EQ(t.cell(3).mountain_type, 1);
}

// Values that do not fit the 16-bit fields that store them are bad rows (code 25), read in
// full before the check.
TEST(SpeedBoards, ValuesThatDoNotFitSixteenBitsAreReadingFaults) {
  struct overflow_case {
    const char* row;
    const char* message;
  };
  for (const overflow_case& c :
       {overflow_case{
            "indicatori_vmax,  800,  1639,  30,  30,  0,  ,  ,  ,  0",
            "the speeds 1639 and 0 give the code 32780, which does not fit a 16-bit field"},
        overflow_case{"indicatori_vmax,  800,  30,  30,  -1639,  0,  ,  ,  ,  0",
                      "the speeds -1639 and 0 give the code -32780"},
        overflow_case{"indicatori_vmax,  800,  30,  30,  30,  40000,  ,  ,  ,  0",
                      "the stripe count 40000 does not fit a 16-bit field"},
        overflow_case{"indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  -32769",
                      "the stripe count -32769 does not fit a 16-bit field"},
        overflow_case{"indicatori_vmax,  800,  30,  30,  30,  3276,  ,  ,  ,  8",
                      "the stripe counts 3276 and 8 give a code that does not fit"},
        // 10 x 3300 leaves 16 bits before the right-hand count brings it back.
        overflow_case{"indicatori_vmax,  800,  30,  30,  30,  3300,  ,  ,  ,  -300",
                      "the stripe counts 3300 and -300 give a code that does not fit"}}) {
    line_fixture t;
    EXPECT_FALSE(t.read_rows(std::string("pendenza,  0,  0\n") + c.row + "\n"));
    EXPECT_EQ(t.form.error_code, 25) << c.row;
    const std::string expected =
        "Zenvro_Quarvel_linea.txt:5:1: error 25: the row cannot be read: ";
    EXPECT_EQ(t.console.str().rfind(expected + c.message, 0), 0u) << t.console.str();
    EXPECT_EQ(t.cell(17).kind, kind_empty) << c.row;
  }
}

TEST(IndicatorBoards, TakeRecordEntriesFromEightyDown) {
  line_fixture t;
  ASSERT_TRUE(
      t.read_rows("cartello_indicatore,  60950,   (Km. 2.256)\n"
                  "CARTELLO_INDICATORE,  61950,   Bivio Nord citt\xe0\n"));
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.cell(1220).kind, kind_indicator_board);
  EXPECT_EQ(t.cell(1220).value_1, 80);
  EXPECT_EQ(t.form.scenario_records[first_board_entry].text, "(Km. 2.256)");
  EXPECT_EQ(t.cell(1240).value_1, 79);
  EXPECT_EQ(t.form.scenario_records[79].text, "Bivio Nord citt\xc3\xa0");
  EXPECT_EQ(t.form.board_index, 78);
}

TEST(IndicatorBoards, ReplaceAMountainMarker) {
  line_fixture t;
  ASSERT_TRUE(t.read_rows("montagna,   0,  1000,  11\ncartello_indicatore,  100,   A\n"));
  EXPECT_EQ(t.cell(3).kind, kind_indicator_board);
}

TEST(IndicatorBoards, EightyAtMost) {
  std::string rows;
  for (int i = 1; i <= 80; ++i)
    rows += "cartello_indicatore,  " + std::to_string(i * 100) + ",   B\n";
  line_fixture eighty;
  ASSERT_TRUE(eighty.read_rows(rows));
  EXPECT_EQ(eighty.form.error_code, 0);
  EXPECT_EQ(eighty.cell(3).value_1, 80);
  EXPECT_EQ(eighty.cell(161).value_1, 1);  // the 80th board
  EXPECT_EQ(eighty.form.scenario_records[1].text, "B");

  line_fixture more;
  ASSERT_TRUE(more.read_rows(rows + "cartello_indicatore,  9000,   C\n"));
  EXPECT_EQ(more.form.error_code, 30);
  EXPECT_EQ(more.form.error_position, 9000);
  EXPECT_EQ(more.cell(181).kind, kind_empty);
  EXPECT_EQ(more.form.scenario_records[0].text, "");
}

TEST(IndicatorBoards, TextLengthCountsWindows1252Bytes) {
  std::string accented;
  for (int i = 0; i < 65535; ++i) accented += "\xc3\xa0";  // "à", one byte on disk
  line_fixture fits;
  // The file is Windows-1252: each "à" is the one byte 0xE0 there.
  ASSERT_TRUE(fits.read_rows("cartello_indicatore,  100,   " + std::string(65535, '\xe0') + "\n"));
  EXPECT_EQ(fits.form.error_code, 0);
  EXPECT_EQ(fits.form.scenario_records[first_board_entry].text, accented);

  line_fixture too_long;
  EXPECT_TRUE(too_long.read_rows("cartello_indicatore,  100,   " + std::string(65536, 'x') + "\n"));
  EXPECT_EQ(too_long.form.error_code, 31);
  EXPECT_EQ(too_long.form.error_position, 100);
  EXPECT_EQ(too_long.cell(3).kind, kind_empty);
  // The diagnostic names the row's line, with the caret under the text.
  EXPECT_EQ(too_long.console.str().rfind("Zenvro_Quarvel_linea.txt:4:30: error 31:", 0), 0u);
}

}  // namespace
