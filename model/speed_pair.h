// A speed board's two speeds for one train category, packed into one cell value: the left-hand
// board's speed / 5 in the hundreds, the right-hand board's speed / 5 in the units (140 and 160
// give 2832; 140 with no right-hand board gives 2800).
#pragma once

#include <cstdint>

#include "model/rounding.h"

// The code of a pair of speeds in km/h, before it is narrowed to the cell's 16 bits: the caller
// refuses a code that does not fit. Formed in real arithmetic and rounded halves to even, so a
// right-hand speed that is not a multiple of 5 rounds into the units.
inline int64_t speed_pair_code(int32_t left, int32_t right) {
  return round_even(20.0 * left + right / 5.0);
}

struct speed_pair {
  int left = 0;   // km/h
  int right = 0;  // km/h, 0 where there is no right-hand board
};

// The speeds a code stands for: exact for speeds that are multiples of 5, the right-hand one
// below 500, the left-hand one no more than a 16-bit code can carry.
inline speed_pair read_speed_pair(int16_t code) { return {code / 100 * 5, code % 100 * 5}; }
