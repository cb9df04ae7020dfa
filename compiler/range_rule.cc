#include "app/form1.h"
#include "model/rounding.h"

// The comparison is made in real arithmetic, so a position need not be a multiple of 50.
bool Form1::within_grid(int32_t position, int32_t margin) const {
  return last_cell_index >= (static_cast<double>(position) + margin) / 50.0;
}

void route_state::make_grid(int32_t route_length) {
  grid_length = route_length + 7000;
  last_cell_index = static_cast<int32_t>(round_even(grid_length / 50.0));
  track_cells.assign(static_cast<size_t>(last_cell_index) + 1, track_cell{});
  if (plan_enabled != 0) route_plan.create(grid_length);
}
