// Can the timetable be kept? The route's timed stations, the legs between them, and for each
// leg the time the timetable gives it against the line-speed bound and the modelled run.
//
// A station with a scheduled time is timed; one with none (0:00:00) is passed at speed, whatever
// its stop value. The scheduled time is the departure (at the last station, the end of the
// run); the train stops for the stop value in seconds, so it must arrive that much earlier, and
// a timed station with a stop value of 0 is passed at its time without stopping. The train
// stands at the first and the last timed station. Its place is the far end of its stop cell,
// its end, where the train's head stops (a station of type 25 or above, which has no stop cell:
// its position). Each leg starts on time: the slack of one leg does not carry to the next.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "inspect/route_features.h"
#include "timetable/modelled_run.h"
#include "timetable/rates.h"
#include "timetable/speed_limits.h"

struct timed_station {
  int entry = 0;  // its record entry
  std::string name;
  double place = 0;       // metres: where the train stops, or passes
  int32_t scheduled = 0;  // seconds since midnight: the departure
  int stop_value = 0;     // seconds it stands there

  double arrival() const { return static_cast<double>(scheduled) - stop_value; }  // at the latest
};

struct timetable_leg {
  size_t from = 0, to = 0;  // indices into the stations
  double distance = 0;      // metres
  double scheduled = 0;     // seconds the timetable gives the run, the stop at `to` excluded
  double line_speed = 0;    // seconds at line speed; infinite when no train gets through
  double modelled = 0;      // seconds of the modelled run; infinite as above
  std::optional<double> blocked_at;  // the metre of a limit of 0 on the leg
  size_t run = 0;           // the modelled run it is part of

  double slack() const { return scheduled - modelled; }
  double modelled_arrival(const timed_station& from_station) const {
    return from_station.scheduled + modelled;
  }
};

struct timetable {
  running_rates rates;
  std::vector<limit_step> limits;
  std::vector<timed_station> stations;
  std::vector<timetable_leg> legs;
  std::vector<modelled_run> runs;  // from each stop to the next

  // Whether the train stands at station `i` (an index into stations).
  bool stops_at(size_t i) const {
    return i == 0 || i + 1 == stations.size() || stations[i].stop_value > 0;
  }
};

timetable compute_timetable(const route_features& features, const running_rates& rates);
