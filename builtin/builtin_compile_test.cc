// The built-in scenario compiled end to end: no fault, and the model holds what the route and
// train description files say.
#include <gtest/gtest.h>

#include <sstream>

#include "form1/form1.h"
#include "files/file_names.h"
#include "builtin/builtin_scenario.h"
#include "testing/temp_folder.h"

namespace {

class BuiltinCompile : public testing::Test {
 protected:
  void SetUp() override {
    form.console = &console;
    form.program_folder = dir.path();
    form.route_name = builtin_route_name;
    form.train_number = builtin_train_number;
    form.dati_linea();
    form.dati_treno();
    form.memorizza_percorso(1);
  }

  // Every cell in [from, to] has `field` equal to `value`.
  void expect_cells(int from, int to, uint8_t track_cell::*field, int value) {
    for (int c = from; c <= to; ++c)
      ASSERT_EQ(form.track_cells[c].*field, value) << "cell " << c;
  }

  temp_folder dir;
  std::ostringstream console;
  Form1 form;
};

TEST_F(BuiltinCompile, NoFaultAndNoIntermediateFileLeft) {
  EXPECT_EQ(form.error_code, 0);
  EXPECT_EQ(form.faults_reported, 0);
  EXPECT_EQ(console.str(), "");
  EXPECT_FALSE(file_present(dir.file(line_file_name(form.route_name))));
  EXPECT_FALSE(file_present(dir.file(train_file_name(form.route_name, form.train_number))));
}

TEST_F(BuiltinCompile, GeneralData) {
  EXPECT_EQ(form.grid_length, 89000);
  EXPECT_EQ(form.last_cell_index, 1780);
  ASSERT_EQ(form.track_cells.size(), 1781u);
  const auto& r = form.scenario_records;
  EXPECT_EQ(r[84].number_2, 82000);
  EXPECT_EQ(r[86].number_1, 10550);
  EXPECT_EQ(r[86].number_2, 79900);
  EXPECT_EQ(r[86].number_3, 4);
  EXPECT_EQ(r[85].number_1, 1);
  EXPECT_EQ(r[85].number_2, 59500);
  EXPECT_EQ(r[85].number_3, 31000);
  EXPECT_EQ(r[85].text, "Zenvro_Quarvel");
  EXPECT_EQ(r[86].text, "2417");
  // Progressives ordered by start, the flagged ones raised by 100.
  EXPECT_EQ(std::make_tuple(r[81].number_1, r[81].number_2, r[81].number_3),
            std::make_tuple(63200, 101400, 1));
  EXPECT_EQ(std::make_tuple(r[82].number_1, r[82].number_2, r[82].number_3),
            std::make_tuple(40500, 63300, 1));
  EXPECT_EQ(std::make_tuple(r[83].number_1, r[83].number_2, r[83].number_3),
            std::make_tuple(9600, -9550, 0));
  // Train data.
  EXPECT_EQ(r[84].number_1, 120);
  EXPECT_EQ(r[84].number_3, 8);
  EXPECT_EQ(r[86].short_1, 300);
  EXPECT_EQ(std::make_tuple(r[86].short_3, r[86].short_4, r[86].short_5),
            std::make_tuple(int16_t{8}, int16_t{24}, int16_t{15}));
}

TEST_F(BuiltinCompile, GradientsMountainAndBoards) {
  expect_cells(0, 23, &track_cell::gradient_code, 100);
  expect_cells(24, 34, &track_cell::gradient_code, 105);
  EXPECT_NE(form.track_cells[35].gradient_code, 105);
  for (int c : {1190, 1191, 1192}) EXPECT_EQ(form.track_cells[c].mountain_type, 2);
  EXPECT_EQ(form.track_cells[1189].mountain_type, 0);
  EXPECT_EQ(form.track_cells[1193].mountain_type, 0);
  for (const track_cell& c : form.track_cells) EXPECT_NE(c.kind, kind_mountain_marker);

  const track_cell& board = form.track_cells[17];
  EXPECT_EQ(board.kind, kind_speed_board);
  EXPECT_EQ(std::make_tuple(board.value_1, board.value_2, board.value_3, board.value_4),
            std::make_tuple(int16_t{600}, int16_t{600}, int16_t{600}, int16_t{0}));
  const track_cell& two_sided = form.track_cells[1274];
  EXPECT_EQ(std::make_tuple(two_sided.value_1, two_sided.value_2, two_sided.value_3,
                            two_sided.value_4),
            std::make_tuple(int16_t{2828}, int16_t{3232}, int16_t{3232}, int16_t{0}));
  EXPECT_EQ(form.track_cells[1220].kind, kind_indicator_board);
  EXPECT_EQ(form.track_cells[1220].value_1, 80);
  EXPECT_EQ(form.scenario_records[first_board_entry].text, "(Km. 2.256)");
}

TEST_F(BuiltinCompile, RoutePlan) {
  const route_plan_table& plan = form.route_plan;
  ASSERT_EQ(plan.upper, 89000);
  EXPECT_EQ(plan.get(0, 0), (variant_entry{variant_int16, 0}));
  EXPECT_EQ(plan.get(1, 1), (variant_entry{variant_int16, 1}));
  // Straight along +y up to the first curve at 1000 m, then turning right (towards +x).
  for (int k : {2, 500, 1000}) {
    EXPECT_EQ(plan.get(k, 0), (variant_entry{variant_double, 0.0})) << k;
    EXPECT_EQ(plan.get(k, 1), (variant_entry{variant_double, static_cast<double>(k)})) << k;
  }
  EXPECT_GT(plan.coordinate(1001, 0), 0.0);
  EXPECT_GT(plan.coordinate(1400, 0), plan.coordinate(1200, 0));
  // Computed up to metre grid_length - 2; the last two stay empty.
  EXPECT_EQ(plan.get(88998, 0).type, variant_double);
  EXPECT_EQ(plan.get(88998, 1).type, variant_double);
  for (int axis : {0, 1}) {
    EXPECT_EQ(plan.get(88999, axis).type, variant_empty);
    EXPECT_EQ(plan.get(89000, axis).type, variant_empty);
  }
}

TEST_F(BuiltinCompile, SpeedAndAdhesion) {
  expect_cells(0, 23, &track_cell::speed_code, 6);
  expect_cells(24, 39, &track_cell::speed_code, 19);
  expect_cells(40, 89, &track_cell::speed_code, 21);
  expect_cells(0, 671, &track_cell::adhesion_code, 100);
  expect_cells(672, 738, &track_cell::adhesion_code, 95);
  expect_cells(1778, 1780, &track_cell::speed_code, 0);
  expect_cells(1778, 1780, &track_cell::adhesion_code, 0);
  EXPECT_NE(form.track_cells[1777].speed_code, 0);
}

TEST_F(BuiltinCompile, Stations) {
  const scenario_record& first = form.scenario_records[1];
  EXPECT_EQ(first.tag, 8);
  EXPECT_EQ(first.number_1, -800);
  EXPECT_EQ(first.number_2, 800);
  EXPECT_EQ(first.number_3, 0);
  EXPECT_EQ(first.number_4, 30300);
  EXPECT_EQ(first.text, "ZENVRO CENTRALE");
  EXPECT_EQ(first.byte_3, 0);
  EXPECT_EQ(first.byte_4, 0);
  EXPECT_EQ(form.track_cells[15].kind, kind_stop_point);
  EXPECT_EQ(form.track_cells[15].value_1, 1);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(form.track_cells[15 - k].marker_code, 80 + k);

  const scenario_record& second = form.scenario_records[2];
  EXPECT_EQ(second.tag, 25);
  EXPECT_EQ(second.number_1, 1150);
  EXPECT_EQ(second.number_2, 1450);
  for (const track_cell& c : form.track_cells) {
    if (c.kind == kind_stop_point) {
      EXPECT_NE(c.value_1, 2);
    }
  }

  int stations = 0, names = 0;
  for (int e = 1; e < 80 && !form.scenario_records[e].text.empty(); ++e) {
    ++stations;
    names += static_cast<int>(form.scenario_records[e].text.size());
  }
  EXPECT_EQ(stations, 15);
  EXPECT_EQ(names, 177);
}

TEST_F(BuiltinCompile, Signals) {
  struct signal_cell {
    int cell;
    int16_t v1, v2, v3, v4;
    uint8_t time_code;
    int marker_base;  // markers in cells cell-2, -4, -6, -8
  };
  for (const signal_cell& s : {signal_cell{36, 50, 60, 10, 6, 0, 60},
                               signal_cell{58, 22, 31, 11, 18, 0, 80},
                               signal_cell{134, 41, 11, 0, 8, 120, 80}}) {
    const track_cell& c = form.track_cells[s.cell];
    EXPECT_EQ(c.kind, kind_signal) << s.cell;
    EXPECT_EQ(std::make_tuple(c.value_1, c.value_2, c.value_3, c.value_4, c.time_code),
              std::make_tuple(s.v1, s.v2, s.v3, s.v4, s.time_code))
        << s.cell;
    for (int k = 1; k <= 4; ++k)
      EXPECT_EQ(form.track_cells[s.cell - 2 * k].marker_code, s.marker_base + k) << s.cell;
  }
  int signals = 0, timed = 0;
  for (const track_cell& c : form.track_cells) {
    signals += c.kind == kind_signal;
    timed += c.kind == kind_signal && c.time_code != 0;
  }
  EXPECT_EQ(signals, 41);
  EXPECT_EQ(timed, 2);
}

// No row takes what another placed, though the compiler knew where each object and marker
// came from.
TEST_F(BuiltinCompile, NoRowTakesWhatAnotherPlaced) {
  EXPECT_EQ(form.diagnostics.warnings(), 0);
  EXPECT_EQ(console.str().find("[-Woverwrite]"), std::string::npos) << console.str();
  // 20 speed boards, 1 indicator board, 14 stop points and 41 signals.
  EXPECT_EQ(form.point_placers.size(), 76u);
  size_t marked = 0;
  for (const track_cell& c : form.track_cells) marked += c.marker_code != 0;
  EXPECT_EQ(form.marker_placers.size(), marked);
}

TEST_F(BuiltinCompile, StampsAndCheckCodes) {
  EXPECT_EQ(form.scenario_records[route_name_entry].short_1, 610);
  EXPECT_EQ(form.track_cells[1].value_1, 5121);
  // Over "2417zenvro_quarvelmmnnppq": the weighted and the plain sum of the character codes.
  EXPECT_EQ(form.scenario_records[route_name_entry].number_4, 35196);
  EXPECT_EQ(form.track_cells[1].value_2, 2520);
}

}  // namespace
