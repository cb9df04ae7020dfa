// What a route plan holds, read once for the printers and the picture: its points (x east, y
// north, the route starting at the origin heading north), the path a drawing follows, the
// extent, the curves and where the route heads.
#pragma once

#include <cstddef>
#include <cstdint>
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
  static plan_box around(plan_point p) { return {p.x, p.y, p.x, p.y}; }
  void add(plan_point p);  // grows the box to hold `p`
};

// Whether `metre` holds a point: both its x and its y hold a value.
bool has_point(const route_plan_table& plan, int32_t metre);

// The points of metres 0 up to the first metre without one (the plan's last two metres never
// have one): the path a drawing follows. Throws decoding_fault, naming the entry's byte offset
// in the plan file, for a coordinate that is not a finite number.
std::vector<plan_point> path_points(const route_plan_table& plan);

struct curve_mark {
  int32_t start = 0;   // the metre where the curve begins
  int32_t length = 0;  // metres
  double factor = 0;   // turning a metre, positive to the right; the radius is 1 / |factor|
};

struct plan_place {
  int32_t metre = 0;
  double x = 0;
  double y = 0;
  double heading = 0;  // degrees clockwise from north (+y), where the route goes on from here;
                       // NaN where no step can be told
};

// Every metre with a point, whatever lies between them.
struct plan_summary {
  int32_t highest_metre = -1;
  size_t points = 0;  // metres with both x and y
  int32_t first = -1;  // the first and last metre with a point
  int32_t last = -1;
  plan_box extent;     // of every point
  std::vector<curve_mark> curves;
};

plan_summary read_plan(const route_plan_table& plan);

// The point at `metre`, which must hold x and y; the heading is the step to the next point, or
// from the one before at the last point.
plan_place point_at(const route_plan_table& plan, int32_t metre);
