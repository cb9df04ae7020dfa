#include "timetable/timetable.h"

#include <cmath>
#include <limits>

namespace {

// Where the train stops at a station: the far end of its stop cell, or its position where it
// has none.
double stop_place(const station_mark& s) { return s.type < 25 ? s.end : s.position; }

}  // namespace

timetable compute_timetable(const route_features& features, const running_rates& rates) {
  timetable t;
  t.rates = rates;
  t.limits = speed_limits(features);
  for (const station_mark& s : features.stations)
    if (s.scheduled != 0)
      t.stations.push_back({s.entry, s.name, stop_place(s), s.scheduled, s.stop_value});

  // One modelled run from each stop to the next; the legs between are parts of it.
  size_t start = 0;
  for (size_t i = 1; i < t.stations.size(); ++i) {
    if (!t.stops_at(i)) continue;
    t.runs.emplace_back(t.limits, t.stations[start].place, t.stations[i].place, rates);
    start = i;
  }
  size_t run = 0;
  for (size_t i = 0; i + 1 < t.stations.size(); ++i) {
    if (i > 0 && t.stops_at(i)) ++run;
    const timed_station& a = t.stations[i];
    const timed_station& b = t.stations[i + 1];
    timetable_leg leg;
    leg.from = i;
    leg.to = i + 1;
    leg.run = run;
    leg.distance = std::max(0.0, b.place - a.place);
    leg.scheduled = b.arrival() - a.scheduled;
    leg.blocked_at = first_stop_limit(t.limits, a.place, b.place);
    leg.line_speed = line_speed_seconds(t.limits, a.place, a.place + leg.distance);
    const modelled_run& r = t.runs[run];
    const double left = r.seconds_at(a.place), reached = r.seconds_at(b.place);
    // A run that never gets to the leg's start (a limit of 0 before it) never runs the leg.
    leg.modelled = std::isfinite(left) ? reached - left : std::numeric_limits<double>::infinity();
    t.legs.push_back(leg);
  }
  return t;
}
