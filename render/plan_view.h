// The plan view: the route drawn to scale with equal axes, north up, its start and end, its
// stations labelled by name and its signals as small marks, with a scale bar.
#pragma once

#include <string>
#include <vector>

#include "render/label_placer.h"
#include "render/picture_marks.h"
#include "render/plan_geometry.h"
#include "inspect/route_features.h"
#include "svg/svg_writer.h"

struct plan_view {
  // Page point of the plan point (x, y): (origin_x + x × scale, origin_y − y × scale).
  double scale = 1;  // page units per metre, the same on both axes
  double origin_x = 0, origin_y = 0;
  plan_box route_extent;  // metres 0 to the route's end
  plan_box plan_extent;   // every computed point, the run-out included
  double route_end = 0;   // the metre where the route ends on the plan
  double drawn_end = 0;   // the metre where the drawing stops: a stretch of the run-out shows
                          // where the track goes on, but a long one would dwarf a short route
  std::vector<placed_label> stations;
  std::vector<signal_mark> signals;
  kilometre_marks marks;  // the line's kilometre marks, for the tooltips
  placed_label start, end;
  page_box bounds;  // everything drawn
  double strip_left = 0, strip_right = 0;  // the page strip the view was laid out in
  double scale_bar_km = 1;

  double page_x(double x) const { return origin_x + x * scale; }
  double page_y(double y) const { return origin_y - y * scale; }
};

// Lays the plan out in the page strip from `left` to `left + width`, starting at `top`, no
// taller than `max_height` unless the labels need it.
plan_view layout_plan_view(const plan_path& path, const route_features& features, double left,
                           double top, double width, double max_height);

// Where the plan view ends, its scale bar included.
double plan_view_bottom(const plan_view& view);

void draw_plan_view(svg_writer& svg, const plan_path& path, const plan_view& view);

// The kinds of mark draw_plan_view draws for `view`.
picture_marks plan_view_marks(const plan_view& view);
