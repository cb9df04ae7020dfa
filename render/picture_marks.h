// The kinds of mark a route picture can hold, one legend entry each. The views say which of
// them they draw, so the legend lists those and no other.
#pragma once

#include <set>

enum class picture_mark {
  start,
  route_end,
  run_out,
  plan_station,
  signal,
  speed_limit,
  speed_board,
  slowdown,
  warning_board,
  speed_cut,
  gradient,
  mountain,
  adhesion,
  indicator_board,
  station,
  stop_cell,
  modelled_run,     // its speed under the limit, and its line in the time-distance diagram
  line_speed_run,
  scheduled,
  late_leg,
};

using picture_marks = std::set<picture_mark>;
