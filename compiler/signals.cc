// A "segnale" row: one signal cell and four approach markers before it.
#include "form1/form1.h"
#include "binary/cell_objects.h"
#include "compiler/cell_holder.h"
#include "model/rounding.h"

signal_row Form1::read_signal_fields() {
  signal_row r;
  for (int32_t* n : {&r.posizione, &r.sx, &r.s1, &r.s2, &r.s3, &r.side_tens, &r.dx, &r.d1, &r.d2,
                     &r.d3, &r.tempo})
    read_field(*n);
  return r;
}

std::optional<diagnostic> Form1::memo_segnale(const signal_row& row) {
  const auto [posizione, sx, s1, s2, s3, side_tens, dx, d1, d2, d3, read_tempo] = row;
  // The signal cell is the one after the cell that holds the position; the furthest marker
  // stands 8 cells before it, so below 350 m it would fall before cell 0. A taken signal cell
  // is found first, as it would be were there room for the markers.
  const int64_t c = point_cell(posizione);
  if (c >= 0 && c <= last_cell_index && !cell_is_free(grid_cell(c)))
    return cell_taken(*this, 0, 16, posizione, c);
  if (posizione < 350)
    return field_diagnostic(0, 33, posizione, "the lowest position for a signal is 350 m");
  track_cell& cell = grid_cell(c);

  // Digits are packed into the values; a value the cell cannot hold is refused before any write.
  const int16_t value_1 = fit_int16(signal_aspect_code(s1, d1), "signal value s1 * 10 + d1 =");
  const int16_t value_2 = fit_int16(signal_aspect_code(s2, d2), "signal value s2 * 10 + d2 =");
  const int16_t value_3 = fit_int16(signal_aspect_code(s3, d3), "signal value s3 * 10 + d3 =");
  fit_int16(signal_sides_code(side_tens, sx, dx), "signal value side_tens * 10 + sx * 3 + dx =");
  fit_uint8(signal_marker_code(sx, dx, 1), "signal marker (sx * 3 + dx) * 10 + 1 =");
  fit_uint8(signal_marker_code(sx, dx, 4), "signal marker (sx * 3 + dx) * 10 + 4 =");

  const int32_t tempo = read_tempo >= 1 && read_tempo <= 100 ? 101 : read_tempo;
  write_signal_cell(cell, {{value_1, value_2, value_3}, side_tens, sx, dx, tempo});
  const uint32_t placer = note_placing_row(placed_kind::signal, (c - 1) * 50);
  note_point_object(c, placer);
  const int64_t i = point_cell(posizione);
  for (int k = 1; k <= 4; ++k) {
    const auto code = static_cast<uint8_t>(signal_marker_code(sx, dx, k));
    take_marker(i - 2 * k, code, placer);
    grid_cell(i - 2 * k).marker_code = code;
  }
  return std::nullopt;
}
