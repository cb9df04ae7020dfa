// Checks shared by the rows of the text files: the range rule, the bounds of the grid, and
// failures reported at the row being read.
#include <string>

#include "form1/form1.h"
#include "files/file_names.h"

// The position is the row's first field after its keyword, whatever the row.
bool Form1::row_fits_grid(int32_t position, int32_t margin) {
  if (within_grid(position, margin)) return true;
  const int64_t grid_end = int64_t{last_cell_index} * 50;
  record_fault(field_diagnostic(0, 15, position,
                                !has_grid() ? "there is no grid: no route length row came first"
                                            : "the grid ends at " + std::to_string(grid_end) +
                                                  " m, so this row may stand at most at " +
                                                  std::to_string(grid_end - margin) + " m"));
  return false;
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
