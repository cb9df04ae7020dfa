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
Object through_the_file(const Object& o, Write write, Read read) {
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
}

}  // namespace
