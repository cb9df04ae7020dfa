// A "segnale" row: one signal cell and four approach markers before it.
#include "app/form1.h"
#include "model/rounding.h"

std::optional<diagnostic> Form1::memo_segnale(int32_t posizione, int32_t& sx, int32_t& s1, int32_t& s2, int32_t& s3,
                         int32_t& side_tens, int32_t& dx, int32_t& d1, int32_t& d2, int32_t& d3,
                         int32_t& tempo) {
  // The signal cell is the one after the cell that holds the position; the furthest marker
  // stands 8 cells before it, so below 350 m it would fall before cell 0.
  if (posizione < 350) return row_diagnostic(33, posizione);
  track_cell& cell = track_cells[static_cast<size_t>(point_cell(posizione))];
  if (!cell_is_free(cell)) return row_diagnostic(16, posizione);

  // Digits are packed into the values; a value the cell cannot hold is refused before any write.
  const int16_t value_1 = fit_int16(int64_t{s1} * 10 + d1, "signal value s1 * 10 + d1 =");
  const int16_t value_2 = fit_int16(int64_t{s2} * 10 + d2, "signal value s2 * 10 + d2 =");
  const int16_t value_3 = fit_int16(int64_t{s3} * 10 + d3, "signal value s3 * 10 + d3 =");
  const int16_t value_4 =
      fit_int16(int64_t{side_tens} * 10 + int64_t{sx} * 3 + dx, "signal value side_tens * 10 + sx * 3 + dx =");
  const int64_t side_pair = (int64_t{sx} * 3 + dx) * 10;
  fit_uint8(side_pair + 1, "signal marker (sx * 3 + dx) * 10 + 1 =");
  fit_uint8(side_pair + 4, "signal marker (sx * 3 + dx) * 10 + 4 =");

  cell.kind = kind_signal;
  cell.value_1 = value_1;
  cell.value_2 = value_2;
  cell.value_3 = value_3;
  cell.value_4 = value_4;
  if (tempo >= 1 && tempo <= 100) tempo = 101;
  // The time byte keeps the low 8 bits of tempo, and only for side code 2.
  cell.time_code = sx == 2 ? static_cast<uint8_t>(tempo) : 0;
  const int64_t i = point_cell(posizione);
  for (int k = 1; k <= 4; ++k)
    track_cells[static_cast<size_t>(i - 2 * k)].marker_code = static_cast<uint8_t>(side_pair + k);
  return std::nullopt;
}
