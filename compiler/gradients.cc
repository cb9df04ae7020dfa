// Gradient rows: each gradient applies from its row's cell up to the cell before the next
// row's cell; cells hold the gradient plus 100, low 8 bits only.
#include "form1/form1.h"
#include "binary/profile_codes.h"
#include "model/rounding.h"

void Form1::write_gradient_cell() {
  grid_cell(gradient_cell_index).gradient_code = gradient_code_of(previous_gradient);
  ++gradient_cell_index;
}

Form1::row_outcome Form1::read_gradient_row() {
  int32_t p, g;
  read_field(p);
  read_field(g);
  if (!row_fits_grid(p)) return row_outcome::end_of_reading;
  // The fill runs at least once: a row whose cell is not beyond the next cell to write still
  // writes one cell with the previous gradient.
  const int64_t c = running_cell(p);
  if (c > 0) {
    do write_gradient_cell();
    while (gradient_cell_index < c);
  }
  previous_gradient = g;
  return row_outcome::next_row;
}

// After the file: the last gradient runs on to the third cell from the end; the last three
// cells keep what they had.
void Form1::final_gradient_fill() {
  do write_gradient_cell();
  while (gradient_cell_index < last_cell_index - 2);
}
