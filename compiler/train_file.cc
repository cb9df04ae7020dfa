// The train file phase of the compiler: general data, speed limits and adhesion, and the rows
// handed on to the stations, signals, slowdowns and speed cuts. The file is deleted on every
// way out: here on End of reading and the early exit, by handle_reading_fault on a reading fault.
#include <string>

#include "form1/form1.h"
#include "binary/profile_codes.h"
#include "files/keywords.h"
#include "files/file_names.h"
#include "model/rounding.h"

void Form1::leggi_treno() {
  const std::string name = train_file_name(route_name, train_number);
  open_input(name);

  // Nothing before the first field holding "[generale]" is looked at. A file that ends first
  // (an empty one included) is no fault: End of reading fills every cell.
  std::string field;
  while (!input_at_end()) {
    read_keyword(field);
    if (contains_nocase(field, kGeneralSection)) break;
  }
  station_counter = 1;
  speed_cell_index = 0;
  adhesion_cell_index = 0;
  speed_placer.reset();
  adhesion_placer.reset();

  row_outcome end = row_outcome::next_row;
  while (end == row_outcome::next_row && !input_at_end()) {
    read_keyword(field);
    // The field that ends the file is never acted on.
    if (input_at_end()) break;
    // A first field holding "-" gives way to the next one, twice at most.
    for (int skipped = 0; skipped < 2 && contains(field, kSkipMark); ++skipped) {
      read_keyword(field);
      if (input_at_end()) {
        end = row_outcome::end_of_reading;
        break;
      }
    }
    if (end == row_outcome::next_row) end = leggi_riga_treno(field);
  }

  close_input();
  delete_file(name);
  if (end == row_outcome::stop_phase) return;

  // End of reading: the last speed and adhesion run on to the cell before the last three.
  riempi_celle(speed_cell_index, int64_t{last_cell_index} - 2, &track_cell::speed_code,
               static_cast<uint8_t>(speed_code_of(previous_speed)));
  riempi_celle(adhesion_cell_index, int64_t{last_cell_index} - 2, &track_cell::adhesion_code,
               adhesion_code_of(previous_adhesion));
  controlla_progressive();
}

Form1::row_outcome Form1::leggi_riga_treno(const std::string& keyword) {
  // Every test that holds runs its action, in this order, until one ends the reading.
  if (holds_keyword(keyword, row_keyword::braked_mass))
    read_field(scenario_records[route_length_entry].number_1);  // braked-mass percentage
  if (holds_keyword(keyword, row_keyword::cars))
    read_field(scenario_records[route_length_entry].number_3);  // car count
  if (holds_keyword(keyword, row_keyword::speed))
    if (row_outcome end = memo_velocita(); end != row_outcome::next_row) return end;
  if (holds_keyword(keyword, row_keyword::adhesion))
    if (row_outcome end = memo_aderenza(); end != row_outcome::next_row) return end;
  if (holds_keyword(keyword, row_keyword::clock)) {
    read_field(scenario_records[train_number_entry].short_3);  // clock hours, minutes, seconds
    read_field(scenario_records[train_number_entry].short_4);
    read_field(scenario_records[train_number_entry].short_5);
  }
  if (holds_keyword(keyword, row_keyword::sand))
    read_field(scenario_records[train_number_entry].short_1);  // sand
  if (holds_keyword(keyword, row_keyword::signal)) {
    const signal_row row = read_signal_fields();
    if (!row_fits_grid(row.posizione)) return row_outcome::end_of_reading;
    if (auto refused = memo_segnale(row)) {
      record_fault(*refused);
      return row_outcome::stop_phase;
    }
  }
  if (holds_keyword(keyword, row_keyword::slowdown)) {
    const slowdown_row row = read_slowdown_fields();
    if (!row_fits_grid(row.x)) return row_outcome::end_of_reading;
    if (auto refused = memo_rallentamento(row)) {
      record_fault(*refused);
      return row_outcome::stop_phase;
    }
  }
  if (holds_keyword(keyword, row_keyword::speed_cut))
    if (row_outcome end = memo_abbattimento(); end != row_outcome::next_row) return end;
  if (holds_keyword(keyword, row_keyword::station)) return memo_stazione();
  return row_outcome::next_row;
}

// A speed row sets the limit from its own cell on: the cells before it not yet written get the
// previous row's speed. The first cell is written before the comparison, so a row at or behind
// the cells already written still writes one cell.
Form1::row_outcome Form1::memo_velocita() {
  int32_t p, v;
  read_field(p);
  read_field(v);
  if (!row_fits_grid(p)) return row_outcome::end_of_reading;
  const int64_t n = running_cell(p);
  tell_running_loss("speed", speed_placer, speed_cell_index, n, previous_speed, v);
  if (n > 0)
    riempi_celle(speed_cell_index, n, &track_cell::speed_code,
                 static_cast<uint8_t>(speed_code_of(previous_speed)));
  // Cells hold a fifth of the speed in a byte: 1278 and above, or below -2, cannot be stored.
  fit_uint8(speed_code_of(v), "speed " + std::to_string(v) + " / 5 =");
  previous_speed = v;
  speed_placer = note_placing_row(placed_kind::speed, p);
  return row_outcome::next_row;
}

// As a speed row, but the adhesion is stored as it is read (its low 8 bits).
Form1::row_outcome Form1::memo_aderenza() {
  int32_t p, a;
  read_field(p);
  read_field(a);
  if (!row_fits_grid(p)) return row_outcome::end_of_reading;
  const int64_t n = running_cell(p);
  tell_running_loss("adhesion", adhesion_placer, adhesion_cell_index, n, previous_adhesion, a);
  if (n > 0)
    riempi_celle(adhesion_cell_index, n, &track_cell::adhesion_code,
                 adhesion_code_of(previous_adhesion));
  previous_adhesion = a;
  adhesion_placer = note_placing_row(placed_kind::adhesion, p);
  return row_outcome::next_row;
}

// Several rows at one position, each writing one cell more, could push the index past the
// grid's end: those cells do not exist and are left out.
void Form1::riempi_celle(int32_t& index, int64_t until, uint8_t track_cell::*field,
                         uint8_t code) {
  do {
    if (index >= 0 && index <= last_cell_index) grid_cell(index).*field = code;
    ++index;
  } while (index < until);
}
