// What a route plan holds in the author's terms: its points, its extent, its curves and where
// it heads along the route.
#pragma once

#include <cstdint>
#include <vector>

#include "model/route_model.h"

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

struct plan_summary {
  int32_t highest_metre = -1;
  size_t points = 0;  // metres with both x and y
  int32_t first = -1;  // the first and last metre with a point
  int32_t last = -1;
  double min_x = 0, max_x = 0, min_y = 0, max_y = 0;
  std::vector<curve_mark> curves;
};

plan_summary read_plan(const route_plan_table& plan);

// The point at `metre`, which must hold x and y; the heading is the step to the next point, or
// from the one before at the last point.
plan_place point_at(const route_plan_table& plan, int32_t metre);
