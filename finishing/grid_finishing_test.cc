#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "form1/form1.h"

namespace {

struct cell_set {
  int32_t cell;
  uint8_t kind;
  int16_t value_1 = 0;
};

struct fault_seen {
  int32_t code;
  int32_t position;
  bool operator==(const fault_seen&) const = default;
};

std::ostream& operator<<(std::ostream& o, const fault_seen& f) {
  return o << "error " << f.code << " at " << f.position;
}

// Abbreviations for the table.
constexpr uint8_t SIG = kind_signal, END = kind_slowdown_end, START = kind_slowdown_start,
                  WARN = kind_warning_board, MTN = kind_mountain_marker,
                  CUT = kind_speed_cut_value, STOP = kind_stop_point;

struct finishing_case {
  const char* name;
  int32_t last;                  // last cell index
  std::vector<cell_set> before;  // the grid before the pass; every other cell empty
  std::vector<cell_set> added;   // what the pass writes; every other cell must stay as it was
  std::vector<fault_seen> faults = {};
};

// Every cut the pass places has the value 180.
cell_set cut(int32_t c) { return {c, CUT, 180}; }

const finishing_case kCases[] = {
    {"no slowdown leaves the grid alone", 40,
     {{2, SIG}, {5, MTN}, {6, CUT, 200}, {9, STOP, 1}, {12, kind_speed_board, 5}}, {}},

    // Approach windows (speed 120: no walk and no exit marker).
    {"start at cell 7 gets no window", 40, {{7, START, 120}}, {}},
    {"start at cell 8 gets only the near window", 40, {{8, START, 120}}, {cut(3)}},
    {"start at cell 14 gets the near and middle windows", 40, {{14, START, 120}},
     {cut(9), cut(3)}},
    {"start at cell 21 gets all three windows", 40, {{21, START, 120}},
     {cut(16), cut(10), cut(3)}},
    {"a taken cell moves the cut further back", 40, {{21, START, 120}, {16, SIG}, {17, SIG}},
     {cut(15), cut(10), cut(3)}},
    {"a window without a free cell records 12 even with a cut in it", 40,
     {{21, START, 120}, {16, SIG}, {15, CUT, 150}, {14, STOP, 1}},
     {cut(10), cut(3)},
     {{12, 1050}}},
    {"every window without room records 12", 40,
     {{21, START, 120}, {16, SIG}, {15, SIG}, {14, SIG}, {1, SIG}, {2, SIG}, {3, SIG}},
     {cut(10)},
     {{12, 1050}, {12, 1050}}},
    {"a mountain cell in a window takes the cut", 40, {{8, START, 120}, {3, MTN}}, {cut(3)}},

    // Fast slowdowns: windows, no inner markers, no exit marker.
    {"speed 110 gets no periodic markers and no exit marker", 60,
     {{21, START, 110}, {41, END}, {44, SIG}},
     {cut(16), cut(10), cut(3)}},

    // Periodic markers and the exit marker.
    {"slow slowdown of 20 cells gets markers at +8 and +16", 60,
     {{21, START, 60}, {41, END}},
     {cut(16), cut(10), cut(3), cut(29), cut(37)}},
    {"speed 109 is slow", 60, {{8, START, 109}, {12, END}, {15, SIG}}, {cut(3), cut(14)}},
    {"k taken, k-1 free: marker at k-1, the next 8 cells later", 60,
     {{21, START, 60}, {29, SIG}, {45, END}},
     {cut(16), cut(10), cut(3), cut(28), cut(36), cut(44)}},
    {"k and k-1 taken, k+1 free: marker at k+1, the next 8 cells later", 60,
     {{21, START, 60}, {29, SIG}, {28, SIG}, {48, END}},
     {cut(16), cut(10), cut(3), cut(30), cut(38), cut(46)}},
    {"no room around k records 13 and ends the markers", 60,
     {{21, START, 60}, {28, SIG}, {29, SIG}, {30, SIG}, {48, END}},
     {cut(16), cut(10), cut(3)},
     {{13, 1450}}},
    {"exit marker just before the first signal after the end", 60,
     {{21, START, 60}, {25, END}, {30, SIG}, {33, SIG}},
     {cut(16), cut(10), cut(3), cut(29)}},
    {"exit marker one cell earlier when the cell before the signal is taken", 60,
     {{21, START, 60}, {25, END}, {29, STOP, 1}, {30, SIG}},
     {cut(16), cut(10), cut(3), cut(28)}},
    {"exit marker without room records 13 at the end cell", 60,
     {{21, START, 60}, {25, END}, {28, STOP, 1}, {29, CUT, 150}, {30, SIG}},
     {cut(16), cut(10), cut(3)},
     {{13, 1250}}},
    {"a signal before the end cell is not the exit signal", 60,
     {{21, START, 60}, {25, END}, {24, SIG}},
     {cut(16), cut(10), cut(3)}},
    {"a signal 12 cells after the end is found, 13 cells is not", 60,
     {{8, START, 60}, {10, END}, {22, SIG}, {30, START, 60}, {32, END}, {45, SIG}},
     {cut(3), cut(21), cut(25), cut(19), cut(12)}},

    // The grid's last cell.
    {"a walk that finds no end stops at the last cell and records 37", 30,
     {{21, START, 60}},
     {cut(16), cut(10), cut(3), cut(29)},
     {{37, 1050}}},
    {"an exit scan that would pass the last cell records 37", 30,
     {{21, START, 60}, {25, END}},
     {cut(16), cut(10), cut(3)},
     {{37, 1250}}},
    {"a start in the last two cells is never looked at", 30, {{29, START, 60}}, {}},

    // Signal guard before a warning board.
    {"board at cell 3 looks at no cell", 40, {{3, WARN}, {2, SIG}}, {}},
    {"board at cell 10 looks down to cell 3", 40, {{10, WARN}, {3, SIG}, {9, SIG}},
     {cut(2), cut(8)}},
    {"board at cell 10 does not look at cell 2", 40, {{10, WARN}, {2, SIG}}, {}},
    {"signal at 18 with cuts 200 and 150 before it: 200 lowered to 180", 40,
     {{20, WARN}, {18, SIG}, {17, CUT, 200}, {16, CUT, 150}},
     {{17, CUT, 180}}},
    {"the cut two cells before is lowered when the one before is not a cut", 40,
     {{20, WARN}, {18, SIG}, {17, STOP, 1}, {16, CUT, 300}},
     {{16, CUT, 180}}},
    {"a free cell is preferred to an existing cut", 40,
     {{20, WARN}, {18, SIG}, {17, CUT, 200}},
     {cut(16)}},
    {"every signal within 20 cells is treated, not one 21 cells back", 40,
     {{30, WARN}, {28, SIG}, {10, SIG}, {9, SIG}},
     {cut(27), cut(8)}},
    {"no free cell and no cut before the signal records 11", 40,
     {{20, WARN}, {18, SIG}, {17, STOP, 1}, {16, STOP, 2}},
     {},
     {{11, 900}}},
    {"a mountain before the signal takes the cut", 40, {{20, WARN}, {18, SIG}, {17, MTN}},
     {cut(17)}},
};

void PrintTo(const finishing_case& c, std::ostream* os) { *os << c.name; }

class FinishingPass : public testing::TestWithParam<finishing_case> {};

TEST_P(FinishingPass, PlacesCutsAndRecordsCodes) {
  const finishing_case& t = GetParam();
  std::ostringstream console;
  Form1 form;
  form.console = &console;
  form.last_cell_index = t.last;
  form.track_cells.assign(static_cast<size_t>(t.last) + 1, track_cell{});
  for (size_t c = 0; c < form.track_cells.size(); ++c) form.track_cells[c].gradient_code = 100;
  for (const cell_set& s : t.before) {
    form.track_cells[s.cell].kind = s.kind;
    form.track_cells[s.cell].value_1 = s.value_1;
    form.track_cells[s.cell].mountain_type = s.kind == MTN ? 2 : 0;
  }
  std::vector<track_cell> expected = form.track_cells;
  for (const cell_set& s : t.added) {
    expected[s.cell].kind = s.kind;
    expected[s.cell].value_1 = s.value_1;
  }

  form.rifinisci_griglia();

  for (size_t c = 0; c < expected.size(); ++c) {
    EXPECT_EQ(form.track_cells[c].kind, expected[c].kind) << "cell " << c;
    EXPECT_EQ(form.track_cells[c].value_1, expected[c].value_1) << "cell " << c;
    EXPECT_EQ(form.track_cells[c].mountain_type, expected[c].mountain_type) << "cell " << c;
  }
  std::vector<fault_seen> faults;
  std::string text = console.str();
  std::regex line(R"(^scenario-compiler: error (\d+): [^\n]* \(at (-?\d+) m\)$)",
                  std::regex::multiline);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), line);
       it != std::sregex_iterator(); ++it)
    faults.push_back({std::stoi((*it)[1]), std::stoi((*it)[2])});
  EXPECT_EQ(faults, t.faults) << text;
  EXPECT_EQ(form.faults_reported, static_cast<int>(t.faults.size()));
  if (!t.faults.empty()) {
    EXPECT_EQ(form.error_code, t.faults.back().code);
    EXPECT_EQ(form.error_position, t.faults.back().position);
  }
}

INSTANTIATE_TEST_SUITE_P(Rules, FinishingPass, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<finishing_case>& param_info) {
                           std::string name;
                           for (char ch : std::string(param_info.param.name))
                             name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return name;
                         });

}  // namespace
