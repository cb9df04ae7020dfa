#include "lint/value_checks.h"

#include "lint/value_check.h"
#include "model/grid.h"

bool value_context::within_grid(int32_t position) const {
  if (!route_length) return false;
  return fits_grid(last_cell_of(grid_length_of(*route_length)), position, 0);
}

void check_values(file_walk& walk, std::optional<int32_t> route_length) {
  const value_context context{walk, route_length};
  std::unique_ptr<value_check> checks[] = {
      off_grid_check(context),    run_out_check(context),       range_check(context),
      row_order_check(context),   curve_overlap_check(context), curve_class_check(context),
      kept_quotes_check(context),
  };
  for (const read_row& row : walk.rows()) {
    if (!row.sound) continue;
    row_numbers v;
    for (const source_field& f : row.values) v.push_back(number_of(f));
    for (auto& check : checks) check->check(row, v);
  }
}
