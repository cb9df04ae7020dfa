// The rows that are read whole and handed on to the procedure that stores them.
#pragma once

#include <cstdint>

// A "segnale" row.
struct signal_row {
  int32_t posizione = 0;
  int32_t sx = 0;  // side code, left
  int32_t s1 = 0, s2 = 0, s3 = 0;
  int32_t side_tens = 0;  // tens digit of the side value
  int32_t dx = 0;         // side code, right
  int32_t d1 = 0, d2 = 0, d3 = 0;
  int32_t tempo = 0;
};

// A "rallentamento" row.
struct slowdown_row {
  int32_t x = 0;  // start
  int32_t v = 0;  // speed
  int32_t l = 0;  // length
  int32_t start_end_code = 0;   // stored in the start and end cells
  int32_t approach_wanted = 0;  // not 0: the four approach cells are wanted
  int32_t value_2_code = 0;     // stored in value_2 of the start, end and warning cells when not 0
};

// An "indicatori_v" row: three speed pairs and the stripe counts, left (s) and right (d).
struct speed_board_row {
  int32_t posizione = 0;
  int32_t vas = 0, vbs = 0, vcs = 0;
  int16_t strisces = 0;
  int32_t vad = 0, vbd = 0, vcd = 0;
  int16_t strisced = 0;
};

// A "montagna" row.
struct mountain_row {
  int32_t inizio = 0;
  int32_t fine = 0;
  int32_t tipo = 0;  // above 10: markers wanted, the type being tipo - 10
};
