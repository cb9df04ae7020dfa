// A small line file shaped like the built-in one, read end to end.
#include <gtest/gtest.h>

#include <cmath>

#include "testing/line_fixture.h"

namespace {

const char* const kLineFile =
    "[generale]\n"
    "lunghezza percorso,    82000\n"
    "progressiva chilometrica uno,    9600,    -9550,    0\n"
    "progressiva chilometrica due,    40500,    63200,    1\n"
    "progressiva chilometrica tre,    63200,    101300,    1\n"
    "sfondo uno,    1\n"
    "sfondo due,    31000\n"
    "sfondo tre,    59500\n"
    "ripetizione segnali 4 codici,    10550,    79900\n"
    "[curve]\n"
    "curvad6,  1000,  400\n"
    "curvas3,  10400,  1500\n"
    "curvad4,  20000,  800\n"
    "curvas1,  64600,  2000\n"
    "[pendenze]\n"
    "pendenza,  0,   0\n"
    "pendenza,  1200,   5\n"
    "pendenza,  1750,   0\n"
    "pendenza,  43950,   -5\n"
    "pendenza,  50000,   12\n"
    "[montagne]\n"
    "montagna,   59500,  59650,  2\n"
    "[cartelli]\n"
    "indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0\n"
    "indicatori_vmax,  33350,  90,  95,  100,  2,  ,  ,  ,  0\n"
    "indicatori_vmax,  33850,  90,  95,  100,  1,  ,  ,  ,  0\n"
    "indicatori_vmax,  34350,  90,  95,  100,  0,  ,  ,  ,  0\n"
    "indicatori_vmax,  63650,  140,  160,  160,  0,  140,  160,  160,  0\n"
    "[indicazioni]\n"
    "cartello_indicatore,  60950,   (Km. 2.256)\n"
    "[fine]\n";

struct triple {
  int32_t a, b, c;
  bool operator==(const triple&) const = default;
};

triple numbers(const scenario_record& r) { return {r.number_1, r.number_2, r.number_3}; }

class RealisticLineFile : public testing::Test {
 protected:
  void SetUp() override { go_on = t.read(kLineFile); }
  line_fixture t{1};
  bool go_on = false;
};

TEST_F(RealisticLineFile, ReadsWithoutFaultAndDeletesTheFile) {
  EXPECT_TRUE(go_on);
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.console.str(), "");
  EXPECT_FALSE(file_present(t.line_path()));
}

TEST_F(RealisticLineFile, GeneralData) {
  EXPECT_EQ(t.form.scenario_records[route_length_entry].number_2, 82000);
  EXPECT_EQ(t.form.grid_length, 89000);
  EXPECT_EQ(t.form.last_cell_index, 1780);
  EXPECT_EQ(t.form.track_cells.size(), 1781u);
  EXPECT_EQ(numbers(t.form.scenario_records[route_name_entry]), (triple{1, 59500, 31000}));
  EXPECT_EQ(numbers(t.form.scenario_records[train_number_entry]), (triple{10550, 79900, 4}));
  EXPECT_EQ(numbers(t.form.scenario_records[progressive_three_entry]), (triple{63200, 101400, 1}));
  EXPECT_EQ(numbers(t.form.scenario_records[progressive_two_entry]), (triple{40500, 63300, 1}));
  EXPECT_EQ(numbers(t.form.scenario_records[progressive_one_entry]), (triple{9600, -9550, 0}));
}

TEST_F(RealisticLineFile, Gradients) {
  EXPECT_EQ(t.cell(23).gradient_code, 100);
  EXPECT_EQ(t.cell(24).gradient_code, 105);
  EXPECT_EQ(t.cell(34).gradient_code, 105);
  EXPECT_EQ(t.cell(35).gradient_code, 100);
  EXPECT_EQ(t.cell(879).gradient_code, 95);
  EXPECT_EQ(t.cell(999).gradient_code, 95);
  EXPECT_EQ(t.cell(1000).gradient_code, 112);
  EXPECT_EQ(t.cell(1777).gradient_code, 112);
  EXPECT_EQ(t.cell(1778).gradient_code, 0);
}

TEST_F(RealisticLineFile, MountainAndBoards) {
  for (int c : {1190, 1191, 1192}) EXPECT_EQ(t.cell(c).mountain_type, 2) << c;
  EXPECT_EQ(t.form.mountain_count, 1);
  int kinds[16] = {};
  for (const track_cell& c : t.form.track_cells) ++kinds[c.kind];
  EXPECT_EQ(kinds[kind_speed_board], 5);
  EXPECT_EQ(kinds[kind_indicator_board], 1);
  EXPECT_EQ(kinds[kind_mountain_marker], 0);
  EXPECT_EQ(t.cell(17).value_1, 600);
  EXPECT_EQ(t.cell(668).value_4, 20);
  EXPECT_EQ(t.cell(678).value_4, 10);
  EXPECT_EQ(t.cell(688).value_4, 0);
  EXPECT_EQ(t.cell(1274).value_1, 2828);
  EXPECT_EQ(t.cell(1220).value_1, 80);
  EXPECT_EQ(t.form.scenario_records[first_board_entry].text, "(Km. 2.256)");
  EXPECT_EQ(t.form.board_index, 79);
}

TEST_F(RealisticLineFile, RoutePlan) {
  const route_plan_table& plan = t.form.route_plan;
  EXPECT_EQ(plan.upper, 89000);
  EXPECT_EQ(plan.get(1000, 0), (variant_entry{variant_double, 0}));
  EXPECT_EQ(plan.get(1000, 1), (variant_entry{variant_double, 1000}));
  EXPECT_GT(plan.coordinate(1400, 0), 0);  // turned right
  EXPECT_EQ(plan.get(88999, 0), variant_entry{});
  // The heading at the end is the sum of the turns of the four curves.
  double dx = plan.coordinate(88998, 0) - plan.coordinate(88997, 0);
  double dy = plan.coordinate(88998, 1) - plan.coordinate(88997, 1);
  double turns = 400 * std::atan(0.003) - 1500 * std::atan(0.0004) + 800 * std::atan(0.001) -
                 2000 * std::atan(0.0001);
  EXPECT_NEAR(std::atan2(dx, dy), turns, 1e-9);
}

}  // namespace

namespace {

// The row's text is taken from the file only when a fault is shown; it must still be the
// row's own text, under the message, with the caret at the row's start.
TEST(RowFaults, ShowTheRowUnderTheMessage) {
  for (const char* row : {"indicatori_vmax,  800,  30,  30,  30,  40000,  ,  ,  ,  0",
                          "cartello_indicatore,  -100,   (Km. 2.256)"}) {
    line_fixture t;
    t.read_rows(std::string("pendenza,  0,  0\n") + row + "\npendenza,  0,  3\n");
    EXPECT_NE(t.form.error_code, 0) << row;
    const std::string shown = t.console.str();
    EXPECT_NE(shown.find("Zenvro_Quarvel_linea.txt:5:"), std::string::npos) << shown;
    EXPECT_NE(shown.find(std::string("\n") + row + "\n"), std::string::npos) << shown;
  }
}

}  // namespace
