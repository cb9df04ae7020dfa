#include "binary/cell_objects.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "binary/binary_decoding.h"
#include "binary/binary_encoding.h"

namespace {

std::string bytes_of(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

// A cell written, encoded to its 15 bytes, decoded and read: the object comes back.
template <class Object, class Write, class Read>
auto through_the_file(const Object& o, Write write, Read read) {
  track_cell cell;
  write(cell, o);
  byte_buffer out;
  encode(out, cell);
  const std::vector<track_cell> back = decode_cells(out.bytes());
  EXPECT_EQ(back.size(), 1u);
  return read(back.at(0));
}

TEST(SignalCell, EveryObjectComesBackThroughTheFile) {
  const std::vector<signal_object> table = {
      {{0, 0, 0}, 0, 0, 0, 0},
      {{50, 60, 10}, 0, 2, 0, 0},
      {{22, 31, 11}, 1, 2, 2, 101},     // side tens and a time kept with side code 2
      {{41, 11, 0}, 0, 2, 2, 120},
      {{-5, 32767, -32768}, 0, 1, 1, 0},  // aspect values at the field's ends
      {{9, 9, 9}, 3276, 2, 1, 255},       // the largest side tens value_4 holds
      {{1, 2, 3}, 0, 0, 2, 0},
  };
  for (const signal_object& s : table) {
    const signal_object back = through_the_file(s, write_signal_cell, read_signal_cell);
    EXPECT_EQ(back, s) << "aspects " << s.aspects[0] << "/" << s.aspects[1] << "/"
                       << s.aspects[2] << ", sides " << s.left_side << " " << s.right_side;
  }
}

TEST(SignalCell, OnlySideCodeTwoKeepsTheTime) {
  track_cell cell;
  write_signal_cell(cell, {{1, 2, 3}, 0, 1, 0, 150});
  EXPECT_EQ(cell.time_code, 0);
  write_signal_cell(cell, {{1, 2, 3}, 0, 2, 0, 256 + 7});
  EXPECT_EQ(cell.time_code, 7);  // the low 8 bits
}

TEST(SignalCell, MarkersCarryTheSideCodesAndTheirNumber) {
  EXPECT_EQ(signal_marker_code(2, 1, 1), 71);
  EXPECT_EQ(signal_marker_code(2, 1, 4), 74);
  EXPECT_EQ(signal_marker_code(0, 0, 3), 3);
  EXPECT_EQ(signal_sides_code(4, 1, 2), 45);
  EXPECT_EQ(signal_aspect_code(3, 7), 37);
}

TEST(SpeedBoardCell, EveryObjectComesBackThroughTheFile) {
  const std::vector<speed_board_object> table = {
      {{{30, 0}, {30, 0}, {30, 0}}, 0, 0},
      {{{90, 0}, {95, 0}, {100, 0}}, 2, 0},
      {{{140, 160}, {160, 160}, {160, 160}}, 0, 0},
      {{{80, 80}, {80, 80}, {80, 80}}, 2, 2},
      {{{120, 5}, {0, 495}, {1635, 0}}, 0, 9},  // the units' and hundreds' ends
  };
  for (const speed_board_object& b : table)
    EXPECT_EQ(through_the_file(b, write_speed_board_cell, read_speed_board_cell), b)
        << "stripes " << b.left_stripes << " " << b.right_stripes;
}

// A slowdown's start, end and warning board, each through the file. The warning board keeps no
// start-and-end code; value_2 is written only for a second code that is not 0, so a cell that
// held one keeps it.
TEST(SlowdownCells, EveryPartComesBackThroughTheFile) {
  const std::vector<slowdown_object> table = {
      {60, 0, 0},
      {30, 1, 0},
      {80, 2, 7},
      {-1, -32768, 32767},  // the fields' ends
  };
  for (const slowdown_object& s : table)
    for (cell_kind kind : {kind_slowdown_start, kind_slowdown_end, kind_warning_board}) {
      slowdown_object want = s;
      if (kind == kind_warning_board) want.start_end_code = 0;
      const slowdown_object back = through_the_file(
          s, [&](track_cell& c, const slowdown_object& o) { write_slowdown_part(c, kind, o); },
          [&](const track_cell& c) {
            EXPECT_EQ(c.kind, kind);
            return read_slowdown_part(c);
          });
      EXPECT_EQ(back, want) << "kind " << int{kind} << ", speed " << s.speed;
    }
}

TEST(SlowdownCells, NarrowToTheLow16BitsAndKeepAnEarlierSecondCode) {
  track_cell cell;
  cell.value_2 = 9;
  write_slowdown_part(cell, kind_slowdown_start, {65536 + 40, 65536 + 3, 0});
  EXPECT_EQ(read_slowdown_part(cell), (slowdown_object{40, 3, 9}));
  // A warning board written over the start keeps the start's code in value_3.
  write_slowdown_part(cell, kind_warning_board, {50, 8, 0});
  EXPECT_EQ(cell.value_3, 3);
  EXPECT_EQ(read_slowdown_part(cell), (slowdown_object{50, 0, 9}));
}

TEST(SlowdownCells, ApproachMarkersCountThemselvesOnceOrTwice) {
  track_cell once, twice;
  write_approach_marker(once, 3, false);
  write_approach_marker(twice, 4, true);
  EXPECT_EQ(once.kind, kind_approach_marker);
  EXPECT_EQ(read_approach_marker(once), 3);
  EXPECT_EQ(once.value_2, 0);
  EXPECT_EQ(read_approach_marker(twice), 4);
  EXPECT_EQ(twice.value_2, 4);
}

TEST(SpeedCutCell, AValueHasItsOwnKindAndNoneLeavesTheCellsValue) {
  for (int16_t value : {int16_t{1}, int16_t{60}, int16_t{32767}}) {
    const int back = through_the_file(
        value, [](track_cell& c, int16_t v) { write_speed_cut_cell(c, v); },
        [](const track_cell& c) {
          EXPECT_EQ(c.kind, kind_speed_cut_value);
          return read_speed_cut_cell(c);
        });
    EXPECT_EQ(back, value);
  }
  track_cell cell;
  cell.value_1 = 12;
  write_speed_cut_cell(cell, 0);
  EXPECT_EQ(cell.kind, kind_speed_cut);
  EXPECT_EQ(cell.value_1, 12);
  EXPECT_EQ(read_speed_cut_cell(cell), 0);
}

TEST(EntryCells, StopPointsAndIndicatorBoardsComeBackThroughTheFile) {
  for (int entry : {1, 15, 79, 80}) {
    EXPECT_EQ(through_the_file(entry, write_stop_point_cell, read_stop_point_cell), entry);
    EXPECT_EQ(through_the_file(entry, write_indicator_board_cell, read_indicator_board_cell),
              entry);
  }
  EXPECT_EQ(station_marker_code(1), 81);
  EXPECT_EQ(station_marker_code(4), 84);
}

// Cells of the built-in scenario's cell file, as the simulator reads them.
TEST(BuiltinCells, DecodeToTheirObjects) {
  struct signal_case {
    const char* hex;
    signal_object want;
  };
  const signal_case signals[] = {
      {"0132003c000a000600000000136664", {{50, 60, 10}, 0, 2, 0, 0}},
      {"0116001f000b001200000000156664", {{22, 31, 11}, 1, 2, 2, 0}},
      {"0129000b0000000800780000186464", {{41, 11, 0}, 0, 2, 2, 120}},
  };
  for (const signal_case& c : signals) {
    const std::vector<track_cell> cells = decode_cells(bytes_of(c.hex));
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].kind, kind_signal);
    EXPECT_EQ(read_signal_cell(cells[0]), c.want) << c.hex;
  }

  struct board_case {
    const char* hex;
    speed_board_object want;
  };
  const board_case boards[] = {
      {"0608076c07d0070000000000136964", {{{90, 0}, {95, 0}, {100, 0}}, 0, 0}},
      {"066009280a8c0a14000000001e6b64", {{{120, 0}, {130, 0}, {135, 0}}, 2, 0}},
      {"060c0ba00ca00c0000000000206164", {{{140, 140}, {160, 160}, {160, 160}}, 0, 0}},
      {"065006500650060b00000000206264", {{{80, 80}, {80, 80}, {80, 80}}, 1, 1}},
  };
  for (const board_case& c : boards) {
    const std::vector<track_cell> cells = decode_cells(bytes_of(c.hex));
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].kind, kind_speed_board);
    EXPECT_EQ(read_speed_board_cell(cells[0]), c.want) << c.hex;
  }

  // Cell 15, the first station's stop cell, and cell 1220, the indicator board whose text is in
  // entry 80.
  const std::vector<track_cell> stop = decode_cells(bytes_of("0a0100000000000000000000066464"));
  ASSERT_EQ(stop.size(), 1u);
  EXPECT_EQ(stop[0].kind, kind_stop_point);
  EXPECT_EQ(read_stop_point_cell(stop[0]), 1);
  const std::vector<track_cell> board = decode_cells(bytes_of("0e50000000000000000051001e6164"));
  ASSERT_EQ(board.size(), 1u);
  EXPECT_EQ(board[0].kind, kind_indicator_board);
  EXPECT_EQ(read_indicator_board_cell(board[0]), 80);
}

}  // namespace
