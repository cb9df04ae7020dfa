// The grid of 50-metre cells a route is compiled into: how long it is, where it ends, which
// rows fit on it and which cells a mountain covers. The compiler, the lint and the tests' hand-
// made routes all take these rules from here.
#pragma once

#include <cstdint>

#include "model/rounding.h"

// The grid runs this far past the route's length, so the train can stop beyond its end.
inline constexpr int32_t kRunOutMetres = 7000;
inline constexpr int32_t kCellMetres = 50;
// The longest route the line file may give.
inline constexpr int32_t kLongestRoute = 1000000;

// The grid of a route of `route_length` metres, the run-out included, in metres. Wide enough
// for any length a source may give, before it is refused.
constexpr int64_t grid_length_of(int64_t route_length) { return route_length + kRunOutMetres; }

// The grid's last cell index: its length in cells, rounded to the even neighbour.
inline int64_t last_cell_of(int64_t grid_length) {
  return round_even(static_cast<double>(grid_length) / kCellMetres);
}

// How much grid a row needs beyond its position: most rows 100 m, a station 800 m. The lint's
// warnings take a value as on the grid with no margin at all.
inline constexpr int32_t kRowMargin = 100;
inline constexpr int32_t kStationMargin = 800;

// The range rule: a row at `position` fits when last_cell >= (position + margin) / 50. The
// comparison is made in real arithmetic, so a position need not be a multiple of 50.
inline bool fits_grid(int64_t last_cell, int32_t position, int32_t margin) {
  return static_cast<double>(last_cell) >=
         (static_cast<double>(position) + margin) / double{kCellMetres};
}

// The cells a mountain from `start` to `end` covers: round(start / 50) to round(end / 50 - 1).
inline int64_t first_mountain_cell(int32_t start) { return round_even(start / 50.0); }
inline int64_t last_mountain_cell(int32_t end) { return round_even(end / 50.0 - 1); }

// A station's stop cell: the last cell inside it, the one that ends at its end.
inline int64_t stop_cell_of(int64_t station_end) {
  return round_even(static_cast<double>(station_end) / kCellMetres) - 1;
}

// A mountain that starts this close after the end of the one before it (metres, or closer) is
// given the type of close mountains, whatever type its row asks for.
inline constexpr int32_t kCloseMountainGap = 150;
inline constexpr int kCloseMountainType = 3;
template <class Metres>
constexpr bool starts_close_after(Metres gap_after_previous) {
  return gap_after_previous <= static_cast<Metres>(kCloseMountainGap);
}
