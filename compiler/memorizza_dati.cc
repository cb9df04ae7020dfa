// The compiler: the line description file, then the train description file.
#include "form1/form1.h"
#include "files/keywords.h"
#include "files/file_names.h"

void Form1::memorizza_dati() {
  scenario_records[route_name_entry].text = route_name;
  scenario_records[train_number_entry].text = train_number;
  // Where the objects came from is the run's own: a new run starts with none.
  static_cast<placed_objects_state&>(*this) = placed_objects_state{};
  try {
    if (leggi_linea()) leggi_treno();
  } catch (const reading_fault& fault) {
    handle_reading_fault(fault);
  }
}

bool Form1::leggi_linea() {
  const std::string name = line_file_name(route_name);
  // Faults not tied to a row name the file alone.
  auto locate_file = [&] { row_place = file_place(name); };

  locate_file();
  if (!file_exists(name)) {
    record_fault(fault_at(file_place(name), 101));
    return false;
  }
  open_input(name);

  // The search: a read that reaches the end of the file ends it, whatever the field read. An
  // empty file has no "[generale]" either, and is told so rather than as a read past its end.
  do {
    if (!input_at_end()) read_keyword(current_field);
    if (input_at_end()) {
      end_line_file();
      record_fault(fault_at(file_place(name), 102));
      return false;
    }
  } while (!contains_nocase(current_field, kGeneralSection));

  if (!read_general_phase()) return false;
  progressive_ordina();

  locate_file();
  mountain_count = 0;
  board_index = first_board_entry;
  gradient_cell_index = 0;
  previous_gradient = 0;
  plan_index = 2;
  if (plan_enabled != 0) {
    if (!route_plan.exists())
      row_fault("the route plan does not exist: the general section has no route length row");
    route_plan.set_int16(0, 0, 0);
    route_plan.set_int16(0, 1, 0);
    route_plan.set_int16(1, 0, 0);
    route_plan.set_int16(1, 1, 1);
  }

  // The main phase; a row beyond the grid (and the other refused rows that do not end the
  // compiler) ends it early, and the closing steps follow as at the end of the file.
  while (!input_at_end()) {
    read_keyword(current_field);
    if (input_at_end()) break;
    // A keyword field with a minus sign gives way to the next field, at most twice in a row.
    bool at_end = false;
    for (int skips = 0; skips < 2 && contains(current_field, kSkipMark); ++skips) {
      read_keyword(current_field);
      if (input_at_end()) {
        at_end = true;
        break;
      }
    }
    if (at_end) break;
    const row_outcome outcome = read_main_row();
    if (outcome == row_outcome::stop_phase) return false;
    if (outcome == row_outcome::end_of_reading) break;
  }

  end_line_file();
  locate_file();
  final_gradient_fill();
  if (plan_enabled != 0) final_plan_fill();
  return true;
}

// Every test that matches fires, in this order; a field that matches none is passed over.
Form1::row_outcome Form1::read_main_row() {
  using enum row_outcome;
  if (holds_keyword(current_field, row_keyword::gradient))
    if (row_outcome o = read_gradient_row(); o != next_row) return o;
  if (plan_enabled != 0 && holds_keyword(current_field, row_keyword::curve))
    if (row_outcome o = read_curve_row(); o != next_row) return o;
  if (holds_keyword(current_field, row_keyword::mountain))
    if (row_outcome o = read_mountain_row(); o != next_row) return o;
  if (holds_keyword(current_field, row_keyword::speed_board))
    if (row_outcome o = read_speed_board_row(); o != next_row) return o;
  if (holds_keyword(current_field, row_keyword::indicator_board))
    if (row_outcome o = read_indicator_board_row(); o != next_row) return o;
  return next_row;
}
