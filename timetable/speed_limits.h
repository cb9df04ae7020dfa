// The speed a train may run at along the route: each cell's line limit, lowered to a
// slowdown's speed over the slowdown's extent. The modelled run and the line-speed bound both
// keep to it at every metre.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "inspect/route_features.h"

// A limit over the stretch [from, to) of the route, in metres and km/h.
struct limit_step {
  double from = 0, to = 0;
  double kmh = 0;

  bool operator==(const limit_step&) const = default;
};

// The limits in route order, neighbours of equal speed joined: the cells' runs, each
// slowdown's speed from its start to its end where it is lower.
std::vector<limit_step> speed_limits(const route_features& features);

// The step that holds `metre` (the last one when the metre lies at or past its end); none
// when there are no steps or the metre lies before the first.
const limit_step* limit_at(std::span<const limit_step> limits, double metre);

// The seconds from `from` to `to` at each step's limit, no time lost to speed up or slow down:
// what no train can beat. Infinite where a limit of 0 lies on the way, or the way leaves the
// limits.
double line_speed_seconds(std::span<const limit_step> limits, double from, double to);

// The first metre from `from` on, before `to`, where the limit is 0 (or no limit is known).
std::optional<double> first_stop_limit(std::span<const limit_step> limits, double from, double to);
