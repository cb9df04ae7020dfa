// Author mistakes and what the compiler says of them: the file, the line, the caret under the
// field at fault, and a message that names what is wrong or what is in the way.
#include <gtest/gtest.h>

#include "testing/line_fixture.h"
#include "testing/train_fixture.h"

namespace {

std::string signal(int32_t position) {
  return "segnale, " + std::to_string(position) + ", 2, 5, 6, 1, 0, 0, 0, 0, 0, 0";
}
std::string slowdown(int32_t start, int32_t length, int approach = 0) {
  return "rallentamento, " + std::to_string(start) + ", 30, " + std::to_string(length) +
         ", 0, " + std::to_string(approach) + ", 0";
}
std::string station(int32_t position, int32_t length, const std::string& name) {
  return "stazione, " + std::to_string(position) + ", 2, " + std::to_string(length) +
         ", 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, " + name;
}

// Where field `k` after the keyword starts in `row`, from 1.
int column_of_field(const std::string& row, int k) {
  size_t at = 0;
  for (int i = 0; i <= k; ++i) at = row.find(',', at) + 1;
  return static_cast<int>(row.find_first_not_of(' ', at)) + 1;
}

struct mistake {
  const char* name;
  std::vector<std::string> rows;  // of the train file, after its "[generale]" line
  int32_t code;
  int field;           // the field at fault in the last row, 0 the first after the keyword
  const char* detail;  // what the message adds to the code's meaning
};

void PrintTo(const mistake& m, std::ostream* os) { *os << m.name; }

class TrainMistake : public testing::TestWithParam<mistake> {};

// The last row is the one at fault: line = rows + 1 (the "[generale]" line comes first).
TEST_P(TrainMistake, IsReportedAtTheFieldAtFault) {
  const mistake& m = GetParam();
  train_fixture f;  // 82000 m: the grid ends at 89000 m
  f.run(m.rows);
  EXPECT_EQ(f.form.error_code, m.code) << f.console.str();
  EXPECT_EQ(f.form.faults_reported, 1) << f.console.str();
  const std::string& row = m.rows.back();
  const int column = column_of_field(row, m.field);
  const std::string head = "Rotta_77-.txt:" + std::to_string(m.rows.size() + 1) + ":" +
                           std::to_string(column) + ": error " + std::to_string(m.code) + ": ";
  const std::string printed = f.console.str();
  EXPECT_EQ(printed.rfind(head, 0), 0u) << printed;
  EXPECT_NE(printed.find(m.detail), std::string::npos) << printed;
  EXPECT_TRUE(printed.ends_with("\n" + row + "\n" + std::string(size_t(column - 1), ' ') + "^\n"))
      << printed;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, TrainMistake,
    testing::Values(
        mistake{"speed_past_the_grid", {"velocita, 95000, 30"}, 15, 0,
                ": the grid ends at 89000 m, so this row may stand at most at 88900 m (at 95000 m)"},
        // A station needs 800 m of grid behind it.
        mistake{"station_past_the_grid", {station(88500, 400, "FINE")}, 15, 0,
                "so this row may stand at most at 88200 m"},
        mistake{"station_off_the_grid", {station(1225, 400, "BORGO")}, 8, 0, "(at 1225 m)"},
        mistake{"station_length", {station(2000, 250, "BORGO")}, 9, 2, "(at 2000 m)"},
        mistake{"signal_on_a_signal", {signal(1750), signal(1760)}, 16, 0,
                ": it holds a signal at 1750 m (at 1760 m)"},
        // The taken cell comes first, as it would with room for the markers.
        mistake{"low_signal_on_a_slowdown_start", {slowdown(300, 500), signal(300)}, 16, 0,
                ": it holds a slowdown start at 300 m (at 300 m)"},
        mistake{"signal_below_350_m", {signal(349)}, 33, 0, "(at 349 m)"},
        mistake{"speed_cut_on_a_signal", {signal(1750), "abbattimento, 1800, 0"}, 7, 0,
                ": it holds a signal at 1750 m (at 1800 m)"},
        // The warning board stands 1200 m before the start: cell 37, where the signal is.
        mistake{"warning_board_on_a_signal", {signal(1800), slowdown(3000, 500)}, 17, 0,
                ": it holds a signal at 1800 m (at 3000 m)"},
        mistake{"slowdown_start_on_a_stop_point",
                {station(2000, 400, "BORGO"), slowdown(2100, 500)}, 18, 0,
                ": it holds the stop point of station 1 (BORGO) (at 2100 m)"},
        mistake{"slowdown_end_on_a_speed_cut", {"abbattimento, 3550, 0", slowdown(3000, 500)}, 19,
                2, ": it holds a speed cut at 3550 m (at 3000 m)"},
        mistake{"approach_cell_on_a_signal", {signal(1700), slowdown(3000, 500, 1)}, 20, 0,
                ": it holds a signal at 1700 m (at 3000 m)"},
        mistake{"slowdown_end_past_the_grid", {slowdown(88000, 5000)}, 35, 2,
                ": the end, 93000 m, lies past the grid's end at 89000 m (at 88000 m)"},
        mistake{"slowdown_end_before_the_route", {slowdown(100, -500)}, 32, 2,
                ": the end, -400 m, lies before 0 m (at 100 m)"},
        mistake{"stations_too_close",
                {station(2000, 400, "BORGO"), station(2400, 200, "BIVIO")}, 22, 0,
                ": the previous station, BORGO, ends at 2200 m; this one starts at 2300 m, and "
                "may start at 2550 m at the earliest (at 2400 m)"},
        mistake{"fraction", {"sabbia, 6.5"}, 25, 0, "error 25: the row cannot be read: "}),
    [](const testing::TestParamInfo<mistake>& test) { return test.param.name; });

TEST(CulpritMessages, TakenCellExactly) {
  train_fixture f;
  f.run({slowdown(300, 500), signal(300)});
  EXPECT_EQ(f.console.str(),
            "Rotta_77-.txt:3:10: error 16: the signal's cell is taken: it holds a slowdown start "
            "at 300 m (at 300 m)\n"
            "segnale, 300, 2, 5, 6, 1, 0, 0, 0, 0, 0, 0\n"
            "         ^\n");
}

TEST(CulpritMessages, BoardsNameWhatHoldsTheirCell) {
  line_fixture speed;
  speed.read_rows("cartello_indicatore,  800,   (Km. 2.256)\n"
                  "indicatori_vmax,  820,  30,  30,  30,  0,  ,  ,  ,  0\n");
  EXPECT_EQ(speed.form.error_code, 21);
  EXPECT_EQ(speed.console.str().rfind(
                "Zenvro_Quarvel_linea.txt:5:19: error 21: the speed board's cell is taken: it "
                "holds an indicator board (\"(Km. 2.256)\") at 800 m (at 820 m)\n",
                0),
            0u)
      << speed.console.str();

  line_fixture indicator;
  indicator.read_rows("indicatori_vmax,  800,  30,  30,  30,  0,  ,  ,  ,  0\n"
                      "cartello_indicatore,  820,   (Km. 2.256)\n");
  EXPECT_EQ(indicator.form.error_code, 6);
  EXPECT_NE(indicator.console.str().find(": it holds a speed board at 800 m (at 820 m)\n"),
            std::string::npos)
      << indicator.console.str();
}

// A row beyond the grid points at the row that made the grid: the route length's.
TEST(CulpritMessages, APositionBeyondTheGridNotesTheRouteLengthRow) {
  line_fixture t;
  t.read("[generale]\nlunghezza percorso,  1000\n[curve]\npendenza,  9000,  1\n[fine]\n");
  EXPECT_EQ(t.console.str(),
            "Zenvro_Quarvel_linea.txt:4:12: error 15: the row's position lies beyond the end of "
            "the grid: the grid ends at 8000 m, so this row may stand at most at 7900 m (at 9000 "
            "m)\npendenza,  9000,  1\n           ^\n"
            "Zenvro_Quarvel_linea.txt:2:22: note: the route length row makes the grid: 1000 m and "
            "7000 m of run-out\nlunghezza percorso,  1000\n                     ^\n");
}

// Without a route length row there is no grid to end anywhere.
TEST(CulpritMessages, APositionWithoutAGrid) {
  line_fixture t;
  t.read("[generale]\n[curve]\npendenza,  0,  1\n[fine]\n");
  EXPECT_EQ(t.console.str().rfind("Zenvro_Quarvel_linea.txt:3:12: error 15: the row's position lies "
                                  "beyond the end of the grid: there is no grid: no route length "
                                  "row came first (at 0 m)\n",
                                  0),
            0u)
      << t.console.str();
}

}  // namespace
