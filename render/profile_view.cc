#include "render/profile_view.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "inspect/describe.h"
#include "model/grid.h"
#include "render/nice_numbers.h"
#include "render/picture_style.h"
#include "timetable/clock_text.h"

namespace {

constexpr double kNameFont = 10.5;
constexpr double kNameGap = 12.5;  // the least distance between two station names
constexpr size_t kLongestName = 25;  // characters that fit the strip; more are shortened
constexpr double kRowHeight = 16;  // the signal row
constexpr double kPanelGap = 16;
constexpr double kAxisHeight = 40;

// A panel over the values from `low` to `high`, widened to round numbers at both ends.
profile_panel make_panel(double top, double height, double low, double high) {
  profile_panel p;
  p.top = top;
  p.height = height;
  if (high - low < 10) {
    double mid = (high + low) / 2;
    low = mid - 5;
    high = mid + 5;
  }
  p.step = nice_step(high - low, 4);
  p.low = std::floor(low / p.step) * p.step;
  p.high = std::ceil(high / p.step) * p.step;
  if (p.high == p.low) p.high = p.low + p.step;
  return p;
}

// The least and greatest value of `runs` over the stretch [0, end).
std::pair<double, double> value_range(const std::vector<value_run>& runs, double end) {
  double low = 0, high = 0;
  bool any = false;
  for (const value_run& r : runs) {
    if (r.from >= end) break;
    low = any ? std::min<double>(low, r.value) : r.value;
    high = any ? std::max<double>(high, r.value) : r.value;
    any = true;
  }
  return {low, high};
}

std::string step_path(const std::vector<value_run>& runs, const profile_view& v,
                      const profile_panel& p) {
  std::string d;
  for (const value_run& r : runs) {
    if (r.from >= v.axis_end) break;
    double to = std::min(r.to, v.axis_end);
    std::string y = svg_number(p.page_y(r.value));
    d += d.empty() ? "M" + svg_number(v.page_x(r.from)) + " " + y : " V" + y;
    d += " H" + svg_number(v.page_x(to));
  }
  return d;
}

constexpr double kMountainFont = 9;
// Whether `m` has the type the compiler gives a mountain close after the one before.
bool close_after(const value_run& m, const value_run* before) {
  return m.value == kCloseMountainType && before && starts_close_after(m.from - before->to);
}

// A mountain in words: its type, and what the type tells where it tells something.
std::string mountain_text(const value_run& m, const value_run* before) {
  std::string text = "mountain " + std::to_string(m.value);
  return close_after(m, before) ? text + ", near the previous" : text;
}

std::string mountain_title(const kilometre_marks& marks, const value_run& m,
                           const value_run* before) {
  std::string title = located(marks, m.from, describe_mountain(m));
  if (close_after(m, before))
    title += "; it starts " + svg_number(m.from - before->to) +
             " m after the mountain before it";
  return title;
}

// What the mountains' labels should leave uncovered: the gradient line.
void add_gradient_obstacles(label_placer& placer, const route_features& f, const profile_view& v) {
  const profile_panel& p = v.gradient;
  double previous_y = 0;
  bool first = true;
  for (const value_run& r : f.gradient) {
    if (r.from >= v.axis_end) break;
    double y = p.page_y(r.value);
    double a = v.page_x(r.from), b = v.page_x(std::min(r.to, v.axis_end));
    placer.add_obstacle({a, y - 1.5, b, y + 1.5});
    if (!first)
      placer.add_obstacle({a - 1.5, std::min(y, previous_y), a + 1.5, std::max(y, previous_y)});
    previous_y = y;
    first = false;
  }
}

// Where a mountain's label may go, in order of preference, row by row from the top of `area`
// down: over the stretch from page x `a` to `b`, just right of it, just left of it.
std::vector<page_box> mountain_label_spots(double a, double b, double width, double height,
                                           const page_box& area) {
  std::vector<page_box> spots;
  double over = std::clamp((a + b) / 2 - width / 2, area.left, area.right - width);
  for (double top = area.top + 1; top + height <= area.bottom; top += height / 2)
    for (double left : {over, b + 3, a - 3 - width})
      spots.push_back({left, top, left + width, top + height});
  return spots;
}

// Labels the mountains in the gradient panel, each over or beside its stretch where there is
// room, none on another.
std::vector<placed_label> place_mountain_labels(const route_features& f, const profile_view& v) {
  const profile_panel& p = v.gradient;
  const page_box area{v.x0 + 1, p.top + 1, v.x1 - 1, p.top + p.height - 1};
  label_placer placer;
  placer.keep_within(area);
  add_gradient_obstacles(placer, f, v);
  std::vector<placed_label> labels;
  const value_run* before = nullptr;
  for (const value_run& m : f.mountains) {
    if (m.from >= v.axis_end) break;
    placed_label l;
    l.text = mountain_text(m, before);
    l.title = mountain_title(f.marks, m, before);
    l.metre = m.from;
    double a = v.page_x(m.from), b = v.page_x(std::min(m.to, v.axis_end));
    // Lower case runs narrower than the estimate; a little room keeps neighbours apart.
    double width = text_width(l.text, kMountainFont) * 0.85 + 6;
    std::optional<page_box> box = placer.place_apart(
        mountain_label_spots(a, std::max(b, a + 3), width, kMountainFont * 1.3, area));
    before = &m;
    if (!box) continue;
    l.box = *box;
    l.anchor_x = (a + b) / 2;
    l.anchor_y = (box->top + box->bottom) / 2;
    labels.push_back(l);
  }
  return labels;
}

void draw_panel_frame(svg_writer& svg, const profile_view& v, const profile_panel& p,
                      const std::string& title, double km_step) {
  svg.element("rect", {{"class", "panel"}, {"x", svg_number(v.x0)}, {"y", svg_number(p.top)},
                       {"width", svg_number(v.x1 - v.x0)}, {"height", svg_number(p.height)},
                       {"fill", "#fbfbfd"}, {"stroke", "#999"}, {"stroke-width", "0.8"}});
  for (double km = km_step; km * 1000 < v.axis_end; km += km_step) {
    std::string x = svg_number(v.page_x(km * 1000));
    svg.element("line", {{"class", "grid"}, {"x1", x}, {"x2", x}, {"y1", svg_number(p.top)},
                         {"y2", svg_number(p.top + p.height)}, {"stroke", "#e4e4ea"},
                         {"stroke-width", "0.8"}});
  }
  for (double value = p.low; value <= p.high + p.step / 1000; value += p.step) {
    std::string y = svg_number(p.page_y(value));
    bool zero = std::fabs(value) < p.step / 1000;
    svg.element("line", {{"class", "grid"}, {"x1", svg_number(v.x0)}, {"x2", svg_number(v.x1)},
                         {"y1", y}, {"y2", y}, {"stroke", zero ? "#888" : "#e4e4ea"},
                         {"stroke-width", zero ? "1" : "0.8"}});
    svg.text_element("text", {{"x", svg_number(v.x0 - 5)}, {"y", svg_number(p.page_y(value) + 3.5)},
                              {"text-anchor", "end"}, {"font-size", "10"}, {"fill", "#444"}},
                     svg_number(std::fabs(value) < p.step / 1000 ? 0 : value));
  }
  double cx = v.left + 12, cy = p.top + p.height / 2;
  svg.text_element("text", {{"class", "panel-title"}, {"x", svg_number(cx)}, {"y", svg_number(cy)},
                            {"transform", "rotate(-90 " + svg_number(cx) + " " + svg_number(cy) + ")"},
                            {"text-anchor", "middle"}, {"font-size", "11"}, {"fill", "#222"}},
                   title);
}

void draw_station_names(svg_writer& svg, const route_features& f, const profile_view& v) {
  svg.open("g", {{"class", "station-axis"}, {"font-size", svg_number(kNameFont)}, {"fill", "#111"}});
  for (size_t i = 0; i < f.stations.size(); ++i) {
    const station_mark& s = f.stations[i];
    double x = v.page_x(std::clamp<double>(s.position, 0, v.axis_end));
    double col = v.name_columns[i];
    std::string sx = svg_number(x);
    svg.element("line", {{"class", "station-line"}, {"x1", sx}, {"x2", sx},
                         {"y1", svg_number(v.strip_bottom)}, {"y2", svg_number(v.axis_y)},
                         {"stroke", kStationLineColour}, {"stroke-width", "0.8"}, {"stroke-dasharray", "3 3"}});
    if (std::fabs(col - x) > 0.5)
      svg.element("line", {{"class", "label-leader"}, {"x1", sx}, {"y1", svg_number(v.strip_bottom)},
                           {"x2", svg_number(col)}, {"y2", svg_number(v.strip_bottom - 6)},
                           {"stroke", kStationLineColour}, {"stroke-width", "0.8"}});
    // Where the train stops: the station's last cell, on the axis below its position's line.
    if (s.has_stop && s.stop_from < v.axis_end) {
      const double a = v.page_x(s.stop_from);
      const double b = std::max(a + 3, v.page_x(std::min(s.stop_from + 50, v.axis_end)));
      svg.element_with_title(
          "rect", {{"class", "stop-cell"}, {"data-m", svg_number(s.stop_from)}, {"x", svg_number(a)},
                   {"y", svg_number(v.axis_y - 9)}, {"width", svg_number(b - a)}, {"height", "9"},
                   {"fill", kStopCellColour}},
          located(f.marks, s.stop_from, describe_stop_point({s.stop_from, s.entry, {}}, s.name)));
    }
    // Read upwards from just above the axis; the glyphs stand left of the baseline.
    double tx = col + kNameFont * 0.35, ty = v.strip_bottom - 8;
    svg.text_with_title({{"class", "axis-station-label"}, {"data-m", std::to_string(s.position)},
                         {"x", svg_number(tx)}, {"y", svg_number(ty)},
                         {"transform", "rotate(-90 " + svg_number(tx) + " " + svg_number(ty) + ")"}},
                        shortened(s.name, kLongestName), describe_station(f.marks, s));
  }
  svg.close();
}

void draw_signal_row(svg_writer& svg, const route_features& f, const profile_view& v) {
  double top = v.signals_top, bottom = v.signals_top + kRowHeight;
  svg.text_element("text", {{"x", svg_number(v.x0 - 5)}, {"y", svg_number(bottom - 4)},
                            {"text-anchor", "end"}, {"font-size", "10"}, {"fill", "#444"}},
                   "signals");
  svg.element("line", {{"x1", svg_number(v.x0)}, {"x2", svg_number(v.x1)}, {"y1", svg_number(bottom)},
                       {"y2", svg_number(bottom)}, {"stroke", "#bbb"}, {"stroke-width", "0.8"}});
  for (const signal_mark& signal : f.signals) {
    double metre = signal.metre;
    if (!v.on_axis(metre)) continue;
    std::string x = svg_number(v.page_x(metre));
    svg.element_with_title("line", {{"class", "axis-signal"}, {"data-m", svg_number(metre)},
                                    {"x1", x}, {"x2", x}, {"y1", svg_number(top + 3)},
                                    {"y2", svg_number(bottom)}, {"stroke", kSignalColour},
                                    {"stroke-width", "1.6"}},
                           located(f.marks, metre, describe_signal(signal)));
  }
  for (const point_mark& b : f.indicator_boards) {
    if (!v.on_axis(b.metre)) continue;
    double x = v.page_x(b.metre), y = top + kRowHeight / 2;
    svg.element_with_title(
        "path",
        {{"class", "indicator-board"}, {"data-m", svg_number(b.metre)},
         {"d", "M" + svg_number(x) + " " + svg_number(y - 5) + " l5 5 l-5 5 l-5 -5 z"},
         {"fill", kIndicatorBoardColour}, {"stroke", "white"}, {"stroke-width", "0.8"}},
        located(f.marks, b.metre, describe_indicator_board(b)));
  }
}

// Each modelled run's speed, in km/h, from the stop it leaves to the next.
void draw_modelled_speed(svg_writer& svg, const timetable& times, const profile_view& v) {
  const profile_panel& p = v.speed;
  for (const modelled_run& run : times.runs) {
    std::string d;
    double top = 0;
    for (const run_point& point : run.points(v.axis_end / 1500)) {
      if (point.metre > v.axis_end) break;
      d += (d.empty() ? "M" : " L") + svg_number(v.page_x(point.metre)) + " " +
           svg_number(p.page_y(point.speed * 3.6));
      top = std::max(top, point.speed * 3.6);
    }
    if (d.empty()) continue;
    svg.element_with_title(
        "path",
        {{"class", "profile-modelled-speed"}, {"data-m", svg_number(run.from())}, {"d", d},
         {"fill", "none"}, {"stroke", kModelledColour}, {"stroke-width", "1.4"},
         {"stroke-linejoin", "round"}},
        "modelled run from " + svg_number(run.from()) + " m to " + svg_number(run.to()) + " m: " +
            duration_text(run.seconds()) + ", at most " + svg_number(std::round(top)) + " km/h");
  }
}

void draw_speed_panel(svg_writer& svg, const route_features& f, const profile_view& v,
                      double km_step, const timetable* times) {
  const profile_panel& p = v.speed;
  draw_panel_frame(svg, v, p, "speed limit (km/h)", km_step);
  for (const slowdown_mark& s : f.slowdowns) {
    if (!v.on_axis(s.start)) continue;
    double a = v.page_x(s.start), b = v.page_x(std::min(std::max(s.end, s.start), v.axis_end));
    svg.element_with_title(
        "rect",
        {{"class", "slowdown"}, {"data-m", svg_number(s.start)}, {"x", svg_number(a - 1)},
         {"y", svg_number(p.page_y(s.speed) - 2)}, {"width", svg_number(b - a + 2)}, {"height", "4"},
         {"fill", kSlowdownColour}},
        located(f.marks, s.start, describe_slowdown_start(s)));
  }
  svg.element("path", {{"class", "profile-speed"}, {"d", step_path(f.speed, v, p)}, {"fill", "none"},
                       {"stroke", kSpeedColour}, {"stroke-width", "2"}, {"stroke-linejoin", "round"}});
  if (times) draw_modelled_speed(svg, *times, v);
  for (const point_mark& w : f.warning_boards) {
    if (!v.on_axis(w.metre)) continue;
    double x = v.page_x(w.metre), y = p.page_y(w.value);
    svg.element_with_title(
        "path",
        {{"class", "slowdown-warning"}, {"data-m", svg_number(w.metre)},
         {"d", "M" + svg_number(x) + " " + svg_number(y - 6) + " l5.5 9.5 h-11 z"},
         {"fill", kWarningBoardFill}, {"stroke", kSlowdownColour}, {"stroke-width", "1.2"}},
        located(f.marks, w.metre, describe_warning_board(w)));
  }
  for (const point_mark& c : f.speed_cuts) {
    if (!v.on_axis(c.metre)) continue;
    double x = v.page_x(c.metre), y = p.page_y(c.value > 0 ? c.value : p.low) - (c.value > 0 ? 0 : 5);
    svg.element_with_title(
        "path",
        {{"class", "speed-cut"}, {"data-m", svg_number(c.metre)},
         {"d", "M" + svg_number(x) + " " + svg_number(y + 5) + " l-5 -9 h10 z"}, {"fill", kCutColour},
         {"stroke", "white"}, {"stroke-width", "0.8"}},
        located(f.marks, c.metre, describe_speed_cut(c)));
  }
  for (const speed_board_mark& b : f.speed_boards) {
    if (!v.on_axis(b.metre)) continue;
    double x = v.page_x(b.metre), y = p.page_y(b.left[0]);
    svg.element_with_title("rect", {{"class", "speed-board"}, {"data-m", svg_number(b.metre)},
                                    {"x", svg_number(x - 3.5)}, {"y", svg_number(y - 3.5)},
                                    {"width", "7"}, {"height", "7"}, {"fill", "white"},
                                    {"stroke", kSpeedBoardColour}, {"stroke-width", "1.5"}},
                           located(f.marks, b.metre, describe_speed_board(b)));
  }
}

void draw_gradient_panel(svg_writer& svg, const route_features& f, const profile_view& v,
                         double km_step) {
  const profile_panel& p = v.gradient;
  draw_panel_frame(svg, v, p, "gradient (\u2030)", km_step);
  const value_run* before = nullptr;
  for (const value_run& m : f.mountains) {
    if (m.from >= v.axis_end) break;
    double a = v.page_x(m.from), b = v.page_x(std::min(m.to, v.axis_end));
    svg.element_with_title("rect", {{"class", "mountain"}, {"data-m", svg_number(m.from)},
                                    {"x", svg_number(a)}, {"y", svg_number(p.top + 1)},
                                    {"width", svg_number(std::max(b - a, 3.0))},
                                    {"height", svg_number(p.height - 2)}, {"fill", kMountainFill}},
                           mountain_title(f.marks, m, before));
    before = &m;
  }
  svg.element("path", {{"class", "profile-gradient"}, {"d", step_path(f.gradient, v, p)},
                       {"fill", "none"}, {"stroke", kGradientColour}, {"stroke-width", "2"}});
  // Each label stands over its mountain or just beside it: no leader needed.
  for (const placed_label& l : v.mountain_labels) {
    svg.text_with_title({{"class", "mountain-label"}, {"data-m", svg_number(l.metre)},
                         {"x", svg_number((l.box.left + l.box.right) / 2)},
                         {"y", svg_number(l.box.bottom - 0.3 * kMountainFont)},
                         {"text-anchor", "middle"}, {"font-size", svg_number(kMountainFont)},
                         {"fill", kGradientColour}},
                        l.text, l.title);
  }
}

void draw_axis(svg_writer& svg, const profile_view& v, double km_step) {
  std::string y = svg_number(v.axis_y);
  svg.open("g", {{"class", "distance-axis"}, {"font-size", "10"}, {"fill", "#333"}});
  svg.element("line", {{"x1", svg_number(v.x0)}, {"x2", svg_number(v.x1)}, {"y1", y}, {"y2", y},
                       {"stroke", "#333"}, {"stroke-width", "1"}});
  for (double km = 0; km * 1000 <= v.axis_end + 1e-6; km += km_step) {
    std::string x = svg_number(v.page_x(km * 1000));
    svg.element("line", {{"x1", x}, {"x2", x}, {"y1", y}, {"y2", svg_number(v.axis_y + 5)},
                         {"stroke", "#333"}});
    svg.text_element("text", {{"x", x}, {"y", svg_number(v.axis_y + 16)}, {"text-anchor", "middle"}},
                     svg_number(km));
  }
  svg.text_element("text", {{"x", svg_number((v.x0 + v.x1) / 2)}, {"y", svg_number(v.axis_y + 32)},
                            {"text-anchor", "middle"}, {"font-size", "11"}},
                   "distance along the route (km)");
  svg.close();
}

void draw_route_end(svg_writer& svg, const route_features& f, const profile_view& v) {
  if (f.route_length >= v.axis_end) return;
  double x = v.page_x(f.route_length);
  svg.element_with_title("rect", {{"class", "run-out-band"}, {"x", svg_number(x)},
                                  {"y", svg_number(v.speed.top)}, {"width", svg_number(v.x1 - x)},
                                  {"height", svg_number(v.axis_y - v.speed.top)},
                                  {"fill", kRunOutColour}, {"fill-opacity", "0.15"}},
                         "run-out beyond the end of the route at km " + km_text(f.route_length));
}

}  // namespace

profile_view layout_profiles(const route_features& f, double left, double top, double width) {
  profile_view v;
  v.left = left;
  v.x0 = left + 84;
  v.x1 = left + width - 18;
  v.axis_end = f.axis_end > 0 ? f.axis_end : 50;
  double longest = 0;
  std::vector<double> xs;
  for (const station_mark& s : f.stations) {
    longest = std::max(longest, text_width(shortened(s.name, kLongestName), kNameFont));
    xs.push_back(v.page_x(std::clamp<double>(s.position, 0, v.axis_end)));
  }
  v.strip_bottom = top + longest + 14;
  v.name_columns = columns_apart(xs, kNameGap, v.x0, v.x1);
  v.signals_top = v.strip_bottom + 2;

  auto [s_low, s_high] = value_range(f.speed, v.axis_end);
  s_high = std::max(s_high, 10.0);
  for (const speed_board_mark& b : f.speed_boards) s_high = std::max<double>(s_high, b.left[0]);
  for (const slowdown_mark& s : f.slowdowns) s_high = std::max<double>(s_high, s.speed);
  for (const point_mark& c : f.speed_cuts) s_high = std::max<double>(s_high, c.value);
  v.speed = make_panel(v.signals_top + kRowHeight + 10, 150, 0, s_high * 1.05);

  auto [g_low, g_high] = value_range(f.gradient, v.axis_end);
  v.gradient = make_panel(v.speed.top + v.speed.height + kPanelGap, 110, std::min(g_low, 0.0),
                          std::max(g_high, 0.0));
  auto [a_low, a_high] = value_range(f.adhesion, v.axis_end);
  double pad = std::max(2.0, (a_high - a_low) / 10);
  v.adhesion = make_panel(v.gradient.top + v.gradient.height + kPanelGap, 90,
                          std::max(0.0, a_low - pad), a_high + pad);
  v.axis_y = v.adhesion.top + v.adhesion.height;
  v.bottom = v.axis_y + kAxisHeight + 6;
  v.mountain_labels = place_mountain_labels(f, v);
  return v;
}

void draw_profiles(svg_writer& svg, const route_features& f, const profile_view& v,
                   const timetable* times) {
  double km_step = nice_step(v.axis_end / 1000, 12);
  // The page x of metre 0 and of the axis end, so that a viewer can mark a metre.
  svg.open("g", {{"class", "profiles"}, {"data-axis-end", svg_number(v.axis_end)},
                 {"data-route-length", svg_number(f.route_length)}, {"data-x0", svg_number(v.x0)},
                 {"data-x1", svg_number(v.x1)}});
  svg.open("g", {{"class", "panel-speed"}});
  draw_speed_panel(svg, f, v, km_step, times);
  svg.close();
  svg.open("g", {{"class", "panel-gradient"}});
  draw_gradient_panel(svg, f, v, km_step);
  svg.close();
  svg.open("g", {{"class", "panel-adhesion"}});
  draw_panel_frame(svg, v, v.adhesion, "adhesion", km_step);
  svg.element("path", {{"class", "profile-adhesion"}, {"d", step_path(f.adhesion, v, v.adhesion)},
                       {"fill", "none"}, {"stroke", kAdhesionColour}, {"stroke-width", "2"}});
  svg.close();
  draw_route_end(svg, f, v);
  draw_signal_row(svg, f, v);
  draw_station_names(svg, f, v);
  draw_axis(svg, v, km_step);
  svg.close();
}

picture_marks profile_marks(const route_features& f, const profile_view& v,
                            const timetable* times) {
  picture_marks marks = {picture_mark::speed_limit, picture_mark::gradient, picture_mark::adhesion};
  if (times && !times->runs.empty()) marks.insert(picture_mark::modelled_run);
  auto any_on_axis = [&](const auto& objects, auto metre) {
    return std::any_of(objects.begin(), objects.end(),
                       [&](const auto& o) { return v.on_axis(metre(o)); });
  };
  if (any_on_axis(f.signals, [](const signal_mark& s) { return s.metre; })) marks.insert(picture_mark::signal);
  if (any_on_axis(f.indicator_boards, [](const point_mark& b) { return b.metre; }))
    marks.insert(picture_mark::indicator_board);
  if (!f.stations.empty()) marks.insert(picture_mark::station);
  for (const station_mark& s : f.stations)
    if (s.has_stop && s.stop_from < v.axis_end) marks.insert(picture_mark::stop_cell);
  if (any_on_axis(f.speed_boards, [](const speed_board_mark& b) { return b.metre; }))
    marks.insert(picture_mark::speed_board);
  if (any_on_axis(f.slowdowns, [](const slowdown_mark& s) { return s.start; }))
    marks.insert(picture_mark::slowdown);
  if (any_on_axis(f.warning_boards, [](const point_mark& w) { return w.metre; }))
    marks.insert(picture_mark::warning_board);
  if (any_on_axis(f.speed_cuts, [](const point_mark& c) { return c.metre; }))
    marks.insert(picture_mark::speed_cut);
  if (!f.mountains.empty() && f.mountains.front().from < v.axis_end)
    marks.insert(picture_mark::mountain);
  return marks;
}
