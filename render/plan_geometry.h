// The route plan as a drawing sees it: the points the compiler computed, one per metre, in a
// plane with x east and y north, the route starting at the origin heading north.
#pragma once

#include <cstddef>
#include <vector>

#include "inspect/plan_reading.h"
#include "model/route_model.h"

class plan_path {
 public:
  // The plan's path (path_points: throws decoding_fault for a coordinate that is not finite).
  explicit plan_path(const route_plan_table& plan) : points_(path_points(plan)) {}

  size_t count() const { return points_.size(); }
  double last_metre() const { return points_.empty() ? 0 : static_cast<double>(count() - 1); }
  // The point at `metre`, rounded to a whole metre and kept within the computed points.
  plan_point at(double metre) const;
  // The direction of travel at `metre` as a unit vector (north where it cannot be told).
  plan_point heading(double metre) const;
  // The smallest box holding the points of metres `from` to `to`.
  plan_box extent(double from, double to) const;

 private:
  size_t index(double metre) const;
  std::vector<plan_point> points_;
};
