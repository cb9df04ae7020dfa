// Slowdowns ("rallentamento" rows) and speed cuts ("abbattimento" rows). Neither overwrites a
// taken cell; a mountain marker gives way.
#include "form1/form1.h"
#include "binary/cell_objects.h"
#include "compiler/cell_holder.h"
#include "model/rounding.h"

slowdown_row Form1::read_slowdown_fields() {
  slowdown_row r;
  for (int32_t* n : {&r.x, &r.v, &r.l, &r.start_end_code, &r.approach_wanted, &r.value_2_code})
    read_field(*n);
  return r;
}

std::optional<diagnostic> Form1::memo_rallentamento(const slowdown_row& row) {
  const auto [x, v, l, start_end_code, read_approach, value_2_code] = row;
  int32_t approach_wanted = read_approach;
  // Fields 0 and 2 of the row: the start and the length.
  constexpr size_t start_field = 0, length_field = 2;
  // Cells before the route's start or past the grid's end do not exist. Each is refused where
  // its cell is tested, after the tests of the cells before it. A start a little before 0 m
  // still rounds to cell 0, which exists: only a cell below it is refused.
  const int64_t e = slowdown_end_cell(x, l);
  const int64_t i = point_cell(x);
  if (i < 0)
    return field_diagnostic(start_field, 32, x, "the start lies before 0 m");
  const int64_t w = round_even((x - 1200) / 50.0 + 1);  // warning board, 1200 m before the start
  const int64_t b = round_even((x - 1200) / 50.0);       // first of the four approach cells

  // Every test comes before the first write: a refused slowdown leaves the grid as it was.
  const bool warned = x > 1500;
  if (warned) {
    if (!cell_is_free(grid_cell(w))) return cell_taken(*this, start_field, 17, x, w);
  } else {
    approach_wanted = 0;
  }
  if (!cell_is_free(grid_cell(i))) return cell_taken(*this, start_field, 18, x, i);
  if (e < 0)
    return field_diagnostic(length_field, 32, x,
                            "the end, " + std::to_string(int64_t{x} + l) +
                                " m, lies before 0 m");
  if (e > last_cell_index)
    return field_diagnostic(length_field, 35, x,
                            "the end, " + std::to_string(int64_t{x} + l) +
                                " m, lies past the grid's end at " +
                                std::to_string(int64_t{last_cell_index} * 50) + " m");
  if (!cell_is_free(grid_cell(e))) return cell_taken(*this, length_field, 19, x, e);

  // In this order: where the end falls on the start or the warning board, the later kind stays.
  const slowdown_object s{v, start_end_code, value_2_code};
  write_slowdown_part(grid_cell(e), kind_slowdown_end, s);
  write_slowdown_part(grid_cell(i), kind_slowdown_start, s);
  if (warned) write_slowdown_part(grid_cell(w), kind_warning_board, s);
  const uint32_t placer = note_placing_row(placed_kind::slowdown, (i - 1) * 50);
  for (int64_t c : {e, i}) note_point_object(c, placer);
  if (warned) note_point_object(w, placer);

  if (approach_wanted != 0) {
    // Refused after the start, end and warning cells are written; they stay.
    for (int j = 0; j <= 3; ++j)
      if (!cell_is_free(grid_cell(b - j))) return cell_taken(*this, start_field, 20, x, b - j);
    for (int j = 0; j <= 3; ++j) {
      write_approach_marker(grid_cell(b - j), j + 1, value_2_code != 0);
      note_point_object(b - j, placer);
    }
  }
  return std::nullopt;
}

// A speed cut lies in the cell that starts at its position (no + 1 as for point objects).
Form1::row_outcome Form1::memo_abbattimento() {
  int32_t p, u;
  read_field(p);
  read_field(u);
  if (!row_fits_grid(p)) return row_outcome::end_of_reading;
  // A position a little before 0 m still rounds to cell 0, which exists.
  if (running_cell(p) < 0) {
    record_fault(field_diagnostic(0, 32, p, "the position lies before 0 m"));
    return row_outcome::stop_phase;
  }
  track_cell& cell = grid_cell(running_cell(p));
  if (!cell_is_free(cell)) {
    record_fault(cell_taken(*this, 0, 7, p, running_cell(p)));
    return row_outcome::stop_phase;
  }
  write_speed_cut_cell(cell, u > 0 ? fit_int16(u, "speed cut value") : int16_t{0});
  note_point_object(running_cell(p),
                    note_placing_row(placed_kind::speed_cut, running_cell(p) * 50));
  return row_outcome::next_row;
}
