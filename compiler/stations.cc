// A "stazione" row: the next station entry of scenario_records, its extent along the route,
// its stop cell and the four approach markers before it.
#include <string>

#include "form1/form1.h"
#include "binary/cell_objects.h"
#include "binary/station_record.h"
#include "files/cp1252.h"
#include "model/grid.h"
#include "model/rounding.h"

// The row is read straight into its entry, field by field: an entry refused part-way keeps what
// was read before the refusal.
Form1::row_outcome Form1::memo_stazione() {
  // With 80 indicator boards even entry 1 holds a board's text: a station may not take it.
  if (station_counter > board_index) {
    record_fault(row_diagnostic(10));
    return row_outcome::stop_phase;
  }
  scenario_record& r = scenario_records[static_cast<size_t>(station_counter)];

  read_field(r.number_3);
  const int32_t p = r.number_3;
  // A station needs 800 m of grid behind its position; no other field is read when it lacks them.
  if (!row_fits_grid(p, kStationMargin)) return row_outcome::end_of_reading;
  if (p % 50 != 0) {
    record_fault(field_diagnostic(0, 8, p));
    return row_outcome::stop_phase;
  }
  read_field(r.tag);  // station_type
  int32_t length;
  read_field(length);
  if (length % 100 != 0) {
    record_fault(field_diagnostic(2, 9, p));
    return row_outcome::stop_phase;
  }
  read_field(r.flag_byte);  // flag_1
  read_field(r.byte_4);     // flag_2
  read_field(r.byte_3);     // end_extension_flag
  read_field(r.short_1);    // value_a1
  read_field(r.short_2);    // value_a2
  read_field(r.byte_1);     // value_a3
  read_field(r.short_3);    // value_b1
  read_field(r.short_4);    // value_b2
  read_field(r.short_5);    // value_b3
  read_field(r.byte_2);     // stop_value
  int32_t h, m, s;
  read_field(h);
  read_field(m);
  read_field(s);
  r.number_4 = fit_int32(station_time_code(h, m, s), "scheduled time");
  std::string name;
  read_field(name);
  // The records file gives a text a 16-bit length.
  if (utf8_to_cp1252(name).size() > 65535) {
    record_fault(field_diagnostic(16, 36, p));
    return row_outcome::stop_phase;
  }
  r.text = name;

  // Extent by type. Lengths are multiples of 100, so the centred halves are exact.
  const uint8_t type = r.tag;
  int64_t start, end;
  if (type == 5 || type == 6) {
    start = int64_t{p} - length;
    end = int64_t{p} + 150;
  } else if (type == 7 || type == 8) {
    start = int64_t{p} - length;
    end = int64_t{p} + length;
  } else {  // every other type, 25 and above included
    const int64_t half = round_even(length / 2.0);
    start = p - half;
    end = p + half + (r.byte_3 != 0 ? 50 : 0);
  }
  if (type >= 5 && type <= 8) r.byte_3 = 0;
  r.number_1 = fit_int32(start, "station start");
  r.number_2 = fit_int32(end, "station end");
  if (length < 600) r.byte_4 = 0;
  // The first station never keeps these flags; its extension has already lengthened it.
  if (station_counter == 1) {
    r.byte_3 = 0;
    r.byte_4 = 0;
  }

  // The last cell inside the station is its stop cell; the grid must reach it.
  const int64_t e = stop_cell_of(end) + 1;
  if (e - 1 > last_cell_index) {
    diagnostic fault = field_diagnostic(0, 34, p,
                                        "the station ends at " + std::to_string(end) +
                                            " m, its stop cell past the grid's end at " +
                                            std::to_string(int64_t{last_cell_index} * 50) + " m");
    note_the_grid(fault);
    record_fault(fault);
    return row_outcome::stop_phase;
  }
  // The timetable's warnings point at the station's scheduled time, the row's field 13.
  station_rows[station_counter] = note_placing_row(placed_kind::station, station_counter, 13);
  if (type < 25) {
    // What the station takes from other rows is told at its row (compiler/placed_objects.cc).
    const uint32_t placer = note_placing_row(placed_kind::station, station_counter);
    if (type != 5 && type != 6)
      for (int k = 1; k <= 4; ++k)
        if (e - k - 1 > 1) {
          take_marker(e - k - 1, station_marker_code(k), placer);
          grid_cell(e - k - 1).marker_code = station_marker_code(k);
        }
    // The stop point overwrites whatever the cell held, a signal included.
    if (e - 1 > 1) {
      take_point_cell(e - 1, placer);
      write_stop_point_cell(grid_cell(e - 1), station_counter);
    } else {
      record_fault(field_diagnostic(0, 24, std::nullopt));
      return row_outcome::stop_phase;
    }
  }

  const scenario_record& previous = scenario_records[static_cast<size_t>(station_counter - 1)];
  if (station_counter > 1 && start - 350 < previous.number_2) {
    record_fault(field_diagnostic(
        0, 22, p,
        "the previous station, " + previous.text + ", ends at " +
            std::to_string(previous.number_2) + " m; this one starts at " + std::to_string(start) +
            " m, and may start at " + std::to_string(int64_t{previous.number_2} + 350) +
            " m at the earliest"));
    return row_outcome::stop_phase;
  }
  ++station_counter;
  // Stations count up and board texts count down in the same table.
  if (station_counter >= board_index) {
    record_fault(row_diagnostic(10));
    return row_outcome::stop_phase;
  }
  return row_outcome::next_row;
}
