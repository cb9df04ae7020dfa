// Conversions from metres to cells round the real quotient to the nearest integer, halves to
// the even neighbour (17.5 gives 18, 18.5 gives 18); never truncating division.
#pragma once

#include <cmath>
#include <cstdint>

inline int64_t round_even(double v) { return static_cast<int64_t>(std::nearbyint(v)); }

// The cell of a point object (board, signal, slowdown point) at position p.
inline int64_t point_cell(int32_t p) { return round_even(p / 50.0 + 1); }

// The cell from which a running value (gradient, speed limit, adhesion) at p applies.
inline int64_t running_cell(int32_t p) { return round_even(p / 50.0); }

// The cell of a slowdown's end, its start plus its length, placed as a point object; the sum is
// taken in real arithmetic, where two 32-bit fields always fit.
inline int64_t slowdown_end_cell(int32_t start, int32_t length) {
  return round_even((static_cast<double>(start) + length) / 50.0 + 1);
}
