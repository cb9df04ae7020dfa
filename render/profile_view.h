// The profiles along the route on one distance axis in kilometres: the line speed limit with the
// speed boards, slowdowns and speed cuts and the modelled run's speed, the gradient with the
// mountains, and the adhesion;
// the station names and the signals along the top.
#pragma once

#include <vector>

#include "inspect/route_features.h"
#include "render/label_placer.h"
#include "render/picture_marks.h"
#include "svg/svg_writer.h"
#include "timetable/timetable.h"

struct profile_panel {
  double top = 0, height = 0;
  double low = 0, high = 1, step = 1;  // the values at the bottom and the top, the tick step

  double page_y(double value) const { return top + height * (high - value) / (high - low); }
};

struct profile_view {
  double left = 0;
  double x0 = 0, x1 = 0;  // the page x of metre 0 and of the axis end
  double axis_end = 1;    // metres
  double strip_bottom = 0;  // the foot of the station names
  std::vector<double> name_columns;        // page x of each station's name
  double signals_top = 0;
  profile_panel speed, gradient, adhesion;
  double axis_y = 0;
  double bottom = 0;  // under the axis and its title
  // The mountains' labels in the gradient panel, those that found room apart from the others
  // (each mountain keeps its tooltip); metre: the mountain's start.
  std::vector<placed_label> mountain_labels;

  double page_x(double metre) const { return x0 + (x1 - x0) * metre / axis_end; }
  // Whether a point object at `metre` is drawn on the axis.
  bool on_axis(double metre) const { return metre >= 0 && metre <= axis_end; }
};

profile_view layout_profiles(const route_features& features, double left, double top,
                             double width);

// With `times`, the speed panel shows each modelled run's speed under the limit.
void draw_profiles(svg_writer& svg, const route_features& features, const profile_view& view,
                   const timetable* times = nullptr);

// The kinds of mark draw_profiles draws.
picture_marks profile_marks(const route_features& features, const profile_view& view,
                            const timetable* times = nullptr);
