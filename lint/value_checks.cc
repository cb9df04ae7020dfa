#include "lint/value_checks.h"

#include "model/grid.h"

bool value_context::within_grid(int32_t position) const {
  if (!route_length) return false;
  return fits_grid(last_cell_of(grid_length_of(*route_length)), position, 0);
}

value_checks::value_checks(file_walk& walk, std::optional<int32_t> route_length)
    : context_{walk, route_length} {
  checks_.push_back(off_grid_check(context_));
  checks_.push_back(run_out_check(context_));
  checks_.push_back(range_check(context_));
  checks_.push_back(row_order_check(context_));
  checks_.push_back(curve_overlap_check(context_));
  checks_.push_back(curve_class_check(context_));
  checks_.push_back(kept_quotes_check(context_));
}

void value_checks::check(const read_row& row) {
  if (row.row->kind == row_kind::route_length) context_.route_length = number_of(row.values[0]);
  if (!row.sound) return;
  row_numbers v;
  for (const source_field& f : row.values) v.push_back(number_of(f));
  for (auto& c : checks_) c->check(row, v);
}
