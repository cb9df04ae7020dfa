// The objects a track cell carries, packed into its fields and read back, side by side: what the
// compiler writes and what inspect and the picture read. The wide *_code functions give a value
// before it is narrowed to its field: the compiler refuses one that does not fit.
#pragma once

#include <cstdint>

#include "model/route_model.h"
#include "model/speed_pair.h"

// A signal: its cell holds the three aspect values, then the repeat and side codes in value_4;
// its four approach markers, every other cell before it, hold the side codes with their number.
struct signal_object {
  int aspects[3] = {0, 0, 0};  // each the row's tens digit × 10 + its units digit
  int rapp = 0;                // the tens of value_4
  int left_side = 0;           // side codes: left 0 and up, right 0 to 2
  int right_side = 0;
  int time = 0;  // the time byte; kept only with left-hand side code 2, else 0

  bool operator==(const signal_object&) const = default;
};

inline int64_t signal_aspect_code(int64_t tens, int64_t units) { return tens * 10 + units; }
inline int64_t signal_side_pair(int64_t left, int64_t right) { return left * 3 + right; }
inline int64_t signal_sides_code(int64_t rapp, int64_t left, int64_t right) {
  return rapp * 10 + signal_side_pair(left, right);
}
// Marker k (1 to 4, the nearest first) of the signal with these side codes.
inline int64_t signal_marker_code(int64_t left, int64_t right, int k) {
  return signal_side_pair(left, right) * 10 + k;
}

// Narrows to the cell's fields: every value must already fit.
inline void write_signal_cell(track_cell& cell, const signal_object& s) {
  cell.kind = kind_signal;
  cell.value_1 = static_cast<int16_t>(s.aspects[0]);
  cell.value_2 = static_cast<int16_t>(s.aspects[1]);
  cell.value_3 = static_cast<int16_t>(s.aspects[2]);
  cell.value_4 = static_cast<int16_t>(signal_sides_code(s.rapp, s.left_side, s.right_side));
  // The time byte keeps the low 8 bits of the time, and only for side code 2.
  cell.time_code = s.left_side == 2 ? static_cast<uint8_t>(s.time) : 0;
}

inline signal_object read_signal_cell(const track_cell& cell) {
  signal_object s;
  s.aspects[0] = cell.value_1;
  s.aspects[1] = cell.value_2;
  s.aspects[2] = cell.value_3;
  const int pair = cell.value_4 % 10;
  s.rapp = cell.value_4 / 10;
  s.left_side = pair / 3;
  s.right_side = pair % 3;
  s.time = cell.time_code;
  return s;
}

// A speed board: a speed pair for each of the categories A, B and C in value_1 to value_3
// (model/speed_pair.h), the left-hand stripes × 10 + the right-hand ones in value_4.
struct speed_board_object {
  speed_pair speeds[3];
  int left_stripes = 0;
  int right_stripes = 0;

  bool operator==(const speed_board_object& o) const {
    for (int k = 0; k < 3; ++k)
      if (speeds[k].left != o.speeds[k].left || speeds[k].right != o.speeds[k].right) return false;
    return left_stripes == o.left_stripes && right_stripes == o.right_stripes;
  }
};

inline int64_t speed_board_stripes_code(int64_t left, int64_t right) { return left * 10 + right; }

// Narrows to the cell's fields: every code must already fit.
inline void write_speed_board_cell(track_cell& cell, const speed_board_object& b) {
  cell.kind = kind_speed_board;
  int16_t* codes[3] = {&cell.value_1, &cell.value_2, &cell.value_3};
  for (int k = 0; k < 3; ++k)
    *codes[k] = static_cast<int16_t>(speed_pair_code(b.speeds[k].left, b.speeds[k].right));
  cell.value_4 = static_cast<int16_t>(speed_board_stripes_code(b.left_stripes, b.right_stripes));
}

inline speed_board_object read_speed_board_cell(const track_cell& cell) {
  speed_board_object b;
  const int16_t codes[3] = {cell.value_1, cell.value_2, cell.value_3};
  for (int k = 0; k < 3; ++k) b.speeds[k] = read_speed_pair(codes[k]);
  b.left_stripes = cell.value_4 / 10;
  b.right_stripes = cell.value_4 % 10;
  return b;
}

// A slowdown: its start and end cells hold the speed in value_1 and the row's start-and-end
// code in value_3; the warning board 1200 m before the start holds the speed. The row's second
// code goes into value_2 of each only when it is not 0: otherwise the cell keeps its value_2.
// The 16-bit fields keep the low 16 bits of the row's numbers.
struct slowdown_object {
  int speed = 0;
  int start_end_code = 0;  // not kept by the warning board
  int value_2_code = 0;

  bool operator==(const slowdown_object&) const = default;
};

inline void write_slowdown_part(track_cell& cell, cell_kind kind, const slowdown_object& s) {
  cell.kind = kind;
  cell.value_1 = static_cast<int16_t>(s.speed);
  if (s.value_2_code != 0) cell.value_2 = static_cast<int16_t>(s.value_2_code);
  if (kind != kind_warning_board) cell.value_3 = static_cast<int16_t>(s.start_end_code);
}

// Reads a slowdown's start, end or warning board.
inline slowdown_object read_slowdown_part(const track_cell& cell) {
  return {cell.value_1, cell.kind == kind_warning_board ? 0 : cell.value_3, cell.value_2};
}

// Approach marker `number` (1 to 4, the one nearest the warning board first) counts itself in
// value_1, and in value_2 too when the row's second code is not 0.
inline void write_approach_marker(track_cell& cell, int number, bool numbered_twice) {
  cell.kind = kind_approach_marker;
  cell.value_1 = static_cast<int16_t>(number);
  if (numbered_twice) cell.value_2 = static_cast<int16_t>(number);
}

inline int read_approach_marker(const track_cell& cell) { return cell.value_1; }

// A speed cut: a value above 0 is kept in value_1 under its own kind; a cut without one leaves
// value_1 as it was.
inline void write_speed_cut_cell(track_cell& cell, int16_t value) {
  if (value > 0) {
    cell.kind = kind_speed_cut_value;
    cell.value_1 = value;
  } else {
    cell.kind = kind_speed_cut;
  }
}

// The cut's value, 0 where it has none.
inline int read_speed_cut_cell(const track_cell& cell) {
  return cell.kind == kind_speed_cut_value ? cell.value_1 : 0;
}

// A station's stop cell names the station's record entry; its four approach markers carry
// 81 to 84, the nearest first.
inline void write_stop_point_cell(track_cell& cell, int station_entry) {
  cell.kind = kind_stop_point;
  cell.value_1 = static_cast<int16_t>(station_entry);
}

inline int read_stop_point_cell(const track_cell& cell) { return cell.value_1; }

inline uint8_t station_marker_code(int k) { return static_cast<uint8_t>(80 + k); }

// An indicator board names the record entry that holds its text.
inline void write_indicator_board_cell(track_cell& cell, int text_entry) {
  cell.kind = kind_indicator_board;
  cell.value_1 = static_cast<int16_t>(text_entry);
}

inline int read_indicator_board_cell(const track_cell& cell) { return cell.value_1; }
