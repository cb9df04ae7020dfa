#include "render/plan_view.h"

#include <algorithm>
#include <cmath>

#include "inspect/describe.h"
#include "render/nice_numbers.h"
#include "render/picture_style.h"

namespace {

constexpr double kLabelFont = 11;
constexpr size_t kLongestLabel = 40;  // characters; a longer name is shortened, whole in its tooltip
constexpr double kFooterHeight = 46;  // the scale bar and the north arrow under the plan

std::string box_text(const plan_box& b) {
  return svg_number(b.xmin) + " " + svg_number(b.ymin) + " " + svg_number(b.xmax) + " " +
         svg_number(b.ymax);
}

// Page points of metres `from` to `to`, a point kept only when it lies at least `step` page
// units from the last one kept, so a long route does not cost a point per metre.
std::vector<std::pair<double, double>> page_points(const plan_path& path, const plan_view& v,
                                                   double from, double to, double step) {
  std::vector<std::pair<double, double>> out;
  long a = std::lround(std::max(0.0, from)), b = std::lround(std::min(to, path.last_metre()));
  for (long m = a; m <= b; ++m) {
    plan_point p = path.at(static_cast<double>(m));
    double x = v.page_x(p.x), y = v.page_y(p.y);
    if (m != a && m != b && !out.empty() &&
        std::hypot(x - out.back().first, y - out.back().second) < step)
      continue;
    out.emplace_back(x, y);
  }
  return out;
}

std::string points_attribute(const std::vector<std::pair<double, double>>& points) {
  std::string s;
  for (const auto& [x, y] : points) {
    if (!s.empty()) s += ' ';
    s += svg_number(x) + "," + svg_number(y);
  }
  return s;
}

page_box square(double x, double y, double half) { return {x - half, y - half, x + half, y + half}; }

// Places every label for the scale in `v` (origin at the box's top-left corner) and returns the
// box of everything drawn.
page_box place_labels(const plan_path& path, const route_features& f, plan_view& v) {
  label_placer placer;
  plan_box e = path.extent(0, v.drawn_end);
  page_box drawn = square(v.page_x(e.xmin), v.page_y(e.ymax), 0)
                       .united(square(v.page_x(e.xmax), v.page_y(e.ymin), 0));
  for (const auto& [x, y] : page_points(path, v, 0, v.drawn_end, 3))
    placer.add_obstacle(square(x, y, 2));
  for (const signal_mark& s : v.signals) {
    plan_point p = path.at(s.metre);
    placer.add_obstacle(square(v.page_x(p.x), v.page_y(p.y), 4));
  }
  auto anchor = [&](double metre, const std::string& text, const std::string& title) {
    plan_point p = path.at(metre);
    return placed_label{shortened(text, kLongestLabel), title, metre, v.page_x(p.x), v.page_y(p.y), {}};
  };
  v.stations.clear();
  for (const station_mark& s : f.stations) {
    v.stations.push_back(anchor(s.position, s.name, describe_station(f.marks, s)));
    placer.add_obstacle(square(v.stations.back().anchor_x, v.stations.back().anchor_y, 4));
  }
  v.start = anchor(0, "start", "start of the route");
  v.end = anchor(v.route_end, "end", "end of the route at km " + km_text(v.route_end));
  placer.add_obstacle(square(v.start.anchor_x, v.start.anchor_y, 6));
  placer.add_obstacle(square(v.end.anchor_x, v.end.anchor_y, 6));
  for (placed_label& l : v.stations) {
    l.box = placer.place(l.anchor_x, l.anchor_y, text_width(l.text, kLabelFont) + 2, kLabelFont * 1.25);
    drawn = drawn.united(l.box);
  }
  for (placed_label* l : {&v.start, &v.end}) {
    l->box = placer.place(l->anchor_x, l->anchor_y, text_width(l->text, kLabelFont - 1), kLabelFont * 1.2);
    drawn = drawn.united(l->box);
  }
  return drawn;
}

void shift(placed_label& l, double dx, double dy) {
  l.anchor_x += dx;
  l.anchor_y += dy;
  l.box = l.box.shifted(dx, dy);
}

// The point of `box` nearest to (x, y), where a leader line from the anchor meets its label.
std::pair<double, double> nearest_on(const page_box& box, double x, double y) {
  return {std::clamp(x, box.left, box.right), std::clamp(y, box.top, box.bottom)};
}

void draw_leader(svg_writer& svg, const placed_label& l) {
  auto [nx, ny] = nearest_on(l.box, l.anchor_x, l.anchor_y);
  if (std::hypot(nx - l.anchor_x, ny - l.anchor_y) > 7)
    svg.element("line", {{"class", "label-leader"}, {"x1", svg_number(l.anchor_x)},
                         {"y1", svg_number(l.anchor_y)}, {"x2", svg_number(nx)},
                         {"y2", svg_number(ny)}, {"stroke", "#777"}, {"stroke-width", "0.7"}});
}

void draw_label(svg_writer& svg, const placed_label& l, const char* cls, double font) {
  svg.text_with_title({{"class", cls}, {"data-m", svg_number(l.metre)}, {"x", svg_number(l.box.left + 1)},
                       {"y", svg_number(l.box.bottom - 0.3 * font)}, {"font-size", svg_number(font)}},
                      l.text, l.title);
}

void draw_scale_bar(svg_writer& svg, const plan_view& v) {
  double length = v.scale_bar_km * 1000 * v.scale;
  double x = v.strip_left, y = v.bounds.bottom + 26;
  std::string km = svg_number(v.scale_bar_km);
  svg.open("g", {{"class", "scale-bar"}, {"data-km", km}, {"font-size", "10"}});
  svg.element("rect", {{"x", svg_number(x)}, {"y", svg_number(y)}, {"width", svg_number(length / 2)},
                       {"height", "5"}, {"fill", "#333"}, {"stroke", "#333"}});
  svg.element("rect", {{"x", svg_number(x + length / 2)}, {"y", svg_number(y)},
                       {"width", svg_number(length / 2)}, {"height", "5"}, {"fill", "white"},
                       {"stroke", "#333"}});
  svg.text_element("text", {{"x", svg_number(x)}, {"y", svg_number(y - 4)}}, "0");
  svg.text_element("text", {{"x", svg_number(x + length)}, {"y", svg_number(y - 4)},
                            {"text-anchor", "middle"}},
                   km + " km");
  svg.close();
}

void draw_north_arrow(svg_writer& svg, const plan_view& v) {
  double x = v.strip_right - 10, y = v.bounds.bottom + 34;
  svg.open("g", {{"class", "north-arrow"}});
  svg.element("path", {{"d", "M" + svg_number(x) + " " + svg_number(y - 26) + " l6 16 l-6 -4 l-6 4 z"},
                       {"fill", "#333"}});
  svg.text_element("text", {{"x", svg_number(x)}, {"y", svg_number(y + 2)}, {"text-anchor", "middle"},
                            {"font-size", "11"}, {"font-weight", "bold"}},
                   "N");
  svg.close();
}

bool shows_run_out(const plan_view& v) { return v.drawn_end > v.route_end; }

}  // namespace

plan_view layout_plan_view(const plan_path& path, const route_features& features, double left,
                           double top, double width, double max_height) {
  plan_view v;
  v.route_end = std::min(features.route_length, path.last_metre());
  v.route_extent = path.extent(0, v.route_end);
  v.plan_extent = path.extent(0, path.last_metre());
  v.drawn_end = std::min(path.last_metre(), v.route_end + std::max(300.0, v.route_end / 10));
  // Signals beyond the run-out drawn would stand where no track is shown.
  for (const signal_mark& s : features.signals)
    if (s.metre <= v.drawn_end) v.signals.push_back(s);
  v.marks = features.marks;
  v.strip_left = left;
  v.strip_right = left + width;
  const plan_box box = path.extent(0, v.drawn_end);
  // A straight route has no width: give the box some, so that the scale stays finite.
  double span = std::max({box.width(), box.height(), 1.0});
  double w = std::max(box.width(), span / 50), h = std::max(box.height(), span / 50);
  double scale = std::min(width / w, max_height / h);
  page_box drawn;
  for (int attempt = 0; attempt < 5; ++attempt) {
    v.scale = scale;
    v.origin_x = -box.xmin * scale;
    v.origin_y = box.ymax * scale;
    drawn = place_labels(path, features, v);
    // Labels sticking out beside the route take width from it: shrink until all fits.
    double overhang_x = drawn.width() - box.width() * scale;
    double overhang_y = drawn.height() - box.height() * scale;
    double fit = std::min((width - overhang_x) / (box.width() * scale + 1e-9),
                          (max_height - overhang_y) / (box.height() * scale + 1e-9));
    if (fit >= 0.999 || fit <= 0.05) break;
    scale *= fit;
  }
  double dx = left + (width - drawn.width()) / 2 - drawn.left, dy = top - drawn.top;
  v.origin_x += dx;
  v.origin_y += dy;
  for (placed_label& l : v.stations) shift(l, dx, dy);
  shift(v.start, dx, dy);
  shift(v.end, dx, dy);
  v.bounds = drawn.shifted(dx, dy);
  v.scale_bar_km = nice_floor(std::max(0.001, std::min(160.0, width / 3) / (1000 * v.scale)));
  return v;
}

double plan_view_bottom(const plan_view& v) { return v.bounds.bottom + kFooterHeight; }

void draw_plan_view(svg_writer& svg, const plan_path& path, const plan_view& v) {
  svg.open("g", {{"class", "plan"},
                 {"data-extent", box_text(v.route_extent)},
                 {"data-plan-extent", box_text(v.plan_extent)},
                 {"data-scale", svg_precise(v.scale)},
                 {"data-origin", svg_precise(v.origin_x) + " " + svg_precise(v.origin_y)},
                 {"data-route-end", svg_number(v.route_end)}});
  svg.text_element("title", {},
                   "Route plan, north up, equal axes. The route (0 to " + km_text(v.route_end) +
                       " km) spans x from " + svg_number(v.route_extent.xmin) + " m to " +
                       svg_number(v.route_extent.xmax) + " m and y from " +
                       svg_number(v.route_extent.ymin) + " m to " +
                       svg_number(v.route_extent.ymax) + " m.");
  std::vector<std::pair<double, double>> route = page_points(path, v, 0, v.route_end, 0.75);
  svg.element("polyline", {{"class", "route"}, {"points", points_attribute(route)}, {"fill", "none"},
                           {"stroke", kRouteColour}, {"stroke-width", "2.5"},
                           {"stroke-linejoin", "round"}, {"stroke-linecap", "round"}});
  if (shows_run_out(v)) {
    std::string title = "run-out: " + km_text(path.last_metre() - v.route_end) +
                        " km of track beyond the end of the route";
    if (v.drawn_end < path.last_metre()) title += ", the first " + km_text(v.drawn_end - v.route_end) + " km drawn";
    svg.element_with_title(
        "polyline",
        {{"class", "run-out"}, {"points", points_attribute(page_points(path, v, v.route_end, v.drawn_end, 0.75))},
         {"fill", "none"}, {"stroke", kRunOutColour}, {"stroke-width", "1.5"}, {"stroke-dasharray", "5 4"}},
        title);
  }

  for (const signal_mark& s : v.signals) {
    const double metre = s.metre;
    plan_point p = path.at(metre), d = path.heading(metre);
    double x = v.page_x(p.x), y = v.page_y(p.y);
    // Across the track: the heading turned a quarter, y flipped for the page.
    double nx = d.y * 5, ny = d.x * 5;
    svg.element_with_title("line", {{"class", "signal"}, {"data-m", svg_number(metre)},
                                    {"x1", svg_number(x - nx)}, {"y1", svg_number(y - ny)},
                                    {"x2", svg_number(x + nx)}, {"y2", svg_number(y + ny)},
                                    {"stroke", kSignalColour}, {"stroke-width", "1.8"}},
                           located(v.marks, metre, describe_signal(s)));
  }

  // Leaders under the marks, so that a mark hides the leader's end.
  for (const placed_label& l : v.stations) draw_leader(svg, l);
  draw_leader(svg, v.start);
  draw_leader(svg, v.end);
  for (size_t i = 0; i < v.stations.size(); ++i) {
    const placed_label& l = v.stations[i];
    svg.element("circle", {{"class", "station-dot"}, {"data-m", svg_number(l.metre)}, {"cx", svg_number(l.anchor_x)},
                           {"cy", svg_number(l.anchor_y)}, {"r", "3.5"}, {"fill", "white"},
                           {"stroke", kStationColour}, {"stroke-width", "1.5"}});
  }
  svg.element("circle", {{"class", "plan-start"}, {"cx", svg_number(v.start.anchor_x)},
                         {"cy", svg_number(v.start.anchor_y)}, {"r", "5.5"}, {"fill", kStartColour},
                         {"stroke", "white"}, {"stroke-width", "1.5"}});
  svg.element("rect", {{"class", "plan-end"}, {"x", svg_number(v.end.anchor_x - 5)},
                       {"y", svg_number(v.end.anchor_y - 5)}, {"width", "10"}, {"height", "10"},
                       {"fill", kEndColour}, {"stroke", "white"}, {"stroke-width", "1.5"}});
  svg.open("g", {{"class", "plan-labels"}, {"fill", "#111"}, {"paint-order", "stroke"},
                 {"stroke", "white"}, {"stroke-width", "3"}, {"stroke-linejoin", "round"}});
  for (size_t i = 0; i < v.stations.size(); ++i)
    draw_label(svg, v.stations[i], "station-label", kLabelFont);
  draw_label(svg, v.start, "plan-start-label", kLabelFont - 1);
  draw_label(svg, v.end, "plan-end-label", kLabelFont - 1);
  svg.close();
  draw_scale_bar(svg, v);
  draw_north_arrow(svg, v);
  svg.close();
}

picture_marks plan_view_marks(const plan_view& v) {
  picture_marks marks = {picture_mark::start, picture_mark::route_end};
  if (shows_run_out(v)) marks.insert(picture_mark::run_out);
  if (!v.stations.empty()) marks.insert(picture_mark::plan_station);
  if (!v.signals.empty()) marks.insert(picture_mark::signal);
  return marks;
}
