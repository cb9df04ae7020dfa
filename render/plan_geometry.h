// The route plan as a drawing sees it: the points the compiler computed, one per metre, in a
// plane with x east and y north, the route starting at the origin heading north.
#pragma once

#include <cstddef>
#include <vector>

#include "model/route_model.h"

struct plan_point {
  double x = 0;
  double y = 0;
};

struct plan_box {
  double xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  double width() const { return xmax - xmin; }
  double height() const { return ymax - ymin; }
};

class plan_path {
 public:
  // The points of metres 0 up to the first metre the compiler left empty (the plan's last two
  // metres always are). Throws decoding_fault, naming the entry's byte offset in the plan file,
  // for a coordinate that is not a finite number.
  explicit plan_path(const route_plan_table& plan);

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

// The byte offset of entry `i` (in file order: every x, then every y) of a plan file.
size_t plan_entry_offset(const route_plan_table& plan, size_t i);
