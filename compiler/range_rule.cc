#include "form1/form1.h"
#include "model/grid.h"

bool Form1::within_grid(int32_t position, int32_t margin) const {
  return fits_grid(last_cell_index, position, margin);
}

void route_state::make_grid(int32_t route_length) {
  grid_length = static_cast<int32_t>(grid_length_of(route_length));
  last_cell_index = static_cast<int32_t>(last_cell_of(grid_length));
  track_cells.assign(static_cast<size_t>(last_cell_index) + 1, track_cell{});
  if (plan_enabled != 0) route_plan.create(grid_length);
}
