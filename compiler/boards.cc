// Speed boards and indicator boards: point objects in the cell after their position's.
#include <limits>
#include <string>

#include "form1/form1.h"
#include "binary/cell_objects.h"
#include "compiler/cell_holder.h"
#include "files/cp1252.h"
#include "model/rounding.h"

namespace {

bool fits_int16(int64_t v) {
  return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

constexpr size_t kLongestRecordText = 65535;  // a record's text carries a 16-bit length

}  // namespace

// The stripe counts are passed on as 16-bit values; one that does not fit is a bad field. The
// position is checked by the caller, after every field is read.
speed_board_row Form1::read_speed_board_fields() {
  speed_board_row r;
  int32_t ss, sd;
  for (int32_t* field : {&r.posizione, &r.vas, &r.vbs, &r.vcs, &ss, &r.vad, &r.vbd, &r.vcd, &sd})
    read_field(*field);
  if (!within_grid(r.posizione) || point_cell(r.posizione) < 0) return r;
  for (int32_t stripes : {ss, sd})
    if (!fits_int16(stripes))
      row_fault("the stripe count " + std::to_string(stripes) + " does not fit a 16-bit field");
  r.strisces = static_cast<int16_t>(ss);
  r.strisced = static_cast<int16_t>(sd);
  return r;
}

Form1::row_outcome Form1::read_speed_board_row() {
  const speed_board_row row = read_speed_board_fields();
  const int32_t p = row.posizione;
  if (!row_fits_grid(p)) return row_outcome::end_of_reading;
  if (point_cell(p) < 0) {
    record_fault(field_diagnostic(0, 26, p));
    return row_outcome::end_of_reading;
  }
  if (auto refused = memo_indicatori_v_max(row)) {
    record_fault(*refused);
    end_line_file();
    return row_outcome::stop_phase;
  }
  return row_outcome::next_row;
}

std::optional<diagnostic> Form1::memo_indicatori_v_max(const speed_board_row& row) {
  const auto [posizione, vas, vbs, vcs, strisces, vad, vbd, vcd, strisced] = row;
  track_cell& cell = grid_cell(point_cell(posizione));
  if (!cell_is_free(cell)) return cell_taken(*this, 0, 21, posizione, point_cell(posizione));
  // The cell is written only once every code is known to fit.
  auto check_pair = [&](int32_t left, int32_t right) {
    const int64_t code = speed_pair_code(left, right);
    if (!fits_int16(code))
      row_fault("the speeds " + std::to_string(left) + " and " + std::to_string(right) +
                " give the code " + std::to_string(code) + ", which does not fit a 16-bit field");
  };
  check_pair(vas, vad);
  check_pair(vbs, vbd);
  check_pair(vcs, vcd);
  // 16-bit arithmetic: a step that leaves 16 bits is a bad row, not a wrapped value.
  const int64_t tens = speed_board_stripes_code(strisces, 0);
  const int64_t stripes = speed_board_stripes_code(strisces, strisced);
  if (!fits_int16(tens) || !fits_int16(stripes))
    row_fault("the stripe counts " + std::to_string(strisces) + " and " + std::to_string(strisced) +
              " give a code that does not fit a 16-bit field");
  write_speed_board_cell(cell, {{{vas, vad}, {vbs, vbd}, {vcs, vcd}}, strisces, strisced});
  const int64_t c = point_cell(posizione);
  note_point_object(c, note_placing_row(placed_kind::speed_board, (c - 1) * 50));
  return std::nullopt;
}

Form1::row_outcome Form1::read_indicator_board_row() {
  int32_t p;
  read_field(p);
  read_field(current_field);
  if (!row_fits_grid(p)) return row_outcome::end_of_reading;
  const int64_t c = point_cell(p);
  if (c < 0) {
    record_fault(field_diagnostic(0, 26, p));
    return row_outcome::end_of_reading;
  }
  track_cell& cell = grid_cell(c);
  if (!cell_is_free(cell)) {
    end_line_file();
    record_fault(cell_taken(*this, 0, 6, p, c));
    return row_outcome::stop_phase;
  }
  // Board texts take entries from 80 down; entry 0 is not theirs.
  int32_t refused = 0;
  if (board_index < 1)
    refused = 30;
  else if (utf8_to_cp1252(current_field).size() > kLongestRecordText)
    refused = 31;
  if (refused != 0) {
    record_fault(field_diagnostic(1, refused, p));
    return row_outcome::end_of_reading;
  }
  write_indicator_board_cell(cell, board_index);
  note_point_object(c, note_placing_row(placed_kind::indicator_board, (c - 1) * 50));
  scenario_records[static_cast<size_t>(board_index)].text = current_field;
  --board_index;
  return row_outcome::next_row;
}
