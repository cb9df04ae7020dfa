// Checks shared by the rows of the text files: the range rule, the bounds of the grid, and
// failures reported at the row being read.
#include <string>

#include "form1/form1.h"
#include "files/file_names.h"

// The position is the row's first field after its keyword, whatever the row.
bool Form1::row_fits_grid(int32_t position, int32_t margin) {
  if (within_grid(position, margin)) return true;
  const int64_t grid_end = int64_t{last_cell_index} * 50;
  diagnostic fault = field_diagnostic(0, 15, position,
                                      !has_grid() ? "there is no grid: no route length row came first"
                                                  : "the grid ends at " + std::to_string(grid_end) +
                                                        " m, so this row may stand at most at " +
                                                        std::to_string(grid_end - margin) + " m");
  note_the_grid(fault);
  record_fault(fault);
  return false;
}

// The row that made the grid this short is where an author may look first.
void Form1::note_the_grid(diagnostic& fault) const {
  if (!has_grid() || !route_length_placer) return;
  fault.related.push_back({placing_place(*route_length_placer),
                           "the route length row makes the grid: " +
                               std::to_string(scenario_records[route_length_entry].number_2) +
                               " m and " + std::to_string(kRunOutMetres) + " m of run-out"});
}

// Every cell access of the readers goes through here, so no input can reach outside the grid;
// a cell that does not exist is a failure while reading, as a missing grid is.
track_cell& Form1::grid_cell(int64_t index) {
  if (track_cells.empty())
    row_fault("the grid does not exist: the general section has no route length row");
  if (index < 0 || index >= static_cast<int64_t>(track_cells.size()))
    row_fault("cell " + std::to_string(index) + " lies outside the grid (cells 0 to " +
              std::to_string(track_cells.size() - 1) + ")");
  return track_cells[static_cast<size_t>(index)];
}

void Form1::row_fault(const std::string& message) const {
  const source_location where = row_location();
  throw reading_fault(message, where.line, where.column, where.text);
}

void Form1::end_line_file() {
  close_input();
  delete_file(line_file_name(route_name));
}
