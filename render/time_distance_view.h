// The time-distance diagram of the timetable, under the profiles and on their distance axis,
// time running down from the first departure: the scheduled stops are points joined by the
// scheduled line, and each leg's modelled run and line-speed bound start from its scheduled
// departure, so a leg whose modelled run ends below its stop is late; a late leg is drawn in
// red with its slack, and every leg's slack is written at its end.
#pragma once

#include <vector>

#include "render/picture_marks.h"
#include "render/profile_view.h"
#include "svg/svg_writer.h"
#include "timetable/timetable.h"

struct time_distance_view {
  double left = 0;
  double x0 = 0, x1 = 0, axis_end = 1;  // the profiles' distance axis
  double strip_bottom = 0;              // the foot of the station names
  std::vector<double> name_columns;     // page x of each timed station's name
  double top = 0, height = 0;           // the panel
  double t0 = 0, t1 = 1;                // seconds since midnight at the panel's top and foot
  double step = 600;                    // seconds between the time lines
  double bottom = 0;                    // under the distance axis
  bool drawn = false;  // false with fewer than two timed stations: a note says so instead

  double page_x(double metre) const { return x0 + (x1 - x0) * metre / axis_end; }
  double page_y(double seconds) const { return top + height * (seconds - t0) / (t1 - t0); }
};

time_distance_view layout_time_distance(const timetable& t, const profile_view& profiles,
                                        double top);

void draw_time_distance(svg_writer& svg, const timetable& t, const time_distance_view& view);

// The kinds of mark the diagram draws.
picture_marks time_distance_marks(const timetable& t);
