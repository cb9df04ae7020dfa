#include "render/time_distance_view.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "render/nice_numbers.h"
#include "render/picture_style.h"
#include "timetable/clock_text.h"
#include "timetable/findings.h"

namespace {

constexpr double kNameFont = 10.5;
constexpr double kNameGap = 12.5;
constexpr size_t kLongestName = 25;
// The panel's height: so many page units a minute, within bounds.
constexpr double kPerMinute = 7, kLeastHeight = 320, kMostHeight = 760;
constexpr double kAxisHeight = 40;
// Steps of the time lines, in seconds: the first that leaves at most ten lines.
constexpr double kTimeSteps[] = {60, 120, 300, 600, 900, 1200, 1800, 3600, 7200, 10800, 21600, 43200};

std::string hours_minutes(double seconds) {
  const std::string text = clock_text(seconds);
  return text.substr(0, text.size() - 3);  // "8:30:00" reads "8:30"
}

// The latest time the diagram must show for a leg: its stop and where its runs end.
double latest_of(const timetable& t, const timetable_leg& leg) {
  const timed_station& a = t.stations[leg.from];
  const timed_station& b = t.stations[leg.to];
  double latest = std::max<double>(a.scheduled, b.scheduled);
  for (double run : {leg.modelled, leg.line_speed})
    if (std::isfinite(run)) latest = std::max(latest, a.scheduled + run);
  return latest;
}

std::string point(const time_distance_view& v, double metre, double seconds) {
  return svg_number(v.page_x(std::clamp(metre, 0.0, v.axis_end))) + " " +
         svg_number(v.page_y(std::clamp(seconds, v.t0, v.t1)));
}

std::string leg_words(const timetable& t, const timetable_leg& leg) {
  const timed_station& a = t.stations[leg.from];
  const timed_station& b = t.stations[leg.to];
  return a.name + " to " + b.name + ", " + distance_text(leg.distance) + ": the timetable gives " +
         duration_text(leg.scheduled) + ", the modelled run takes " + duration_text(leg.modelled) +
         ", line speed " + duration_text(leg.line_speed) + "; slack " +
         duration_text(leg.slack(), true);
}

bool late(const timetable_leg& leg) { return !(leg.slack() >= 0); }

// The run at each step's limit from the leg's departure: straight between the changes of limit.
std::string line_speed_path(const timetable& t, const timetable_leg& leg, const time_distance_view& v) {
  const timed_station& a = t.stations[leg.from];
  const double end = a.place + leg.distance;
  std::string d = "M" + point(v, a.place, a.scheduled);
  double at = a.place, clock = a.scheduled;
  for (const limit_step& s : t.limits) {
    if (s.to <= at) continue;
    if (s.from >= end || s.kmh <= 0 || s.from > at) break;
    const double to = std::min(s.to, end);
    clock += (to - at) / (s.kmh / 3.6);
    at = to;
    d += " L" + point(v, at, clock);
  }
  return d;
}

// The leg's part of its modelled run, from the leg's departure.
std::string modelled_path(const timetable& t, const timetable_leg& leg, const time_distance_view& v) {
  const timed_station& a = t.stations[leg.from];
  const modelled_run& run = t.runs[leg.run];
  const double end = a.place + leg.distance, left = run.seconds_at(a.place);
  std::string d = "M" + point(v, a.place, a.scheduled);
  if (!std::isfinite(left)) return d;
  for (const run_point& p : run.points(v.axis_end / 1500)) {
    if (p.metre <= a.place) continue;
    if (p.metre >= end || !std::isfinite(p.seconds)) break;
    d += " L" + point(v, p.metre, a.scheduled + p.seconds - left);
  }
  if (std::isfinite(leg.modelled)) d += " L" + point(v, end, a.scheduled + leg.modelled);
  return d;
}

void draw_frame(svg_writer& svg, const time_distance_view& v) {
  const double bottom = v.top + v.height;
  svg.element("rect", {{"class", "panel"}, {"x", svg_number(v.x0)}, {"y", svg_number(v.top)},
                       {"width", svg_number(v.x1 - v.x0)}, {"height", svg_number(v.height)},
                       {"fill", "#fbfbfd"}, {"stroke", "#999"}, {"stroke-width", "0.8"}});
  const double km_step = nice_step(v.axis_end / 1000, 12);
  for (double km = km_step; km * 1000 < v.axis_end; km += km_step) {
    const std::string x = svg_number(v.page_x(km * 1000));
    svg.element("line", {{"class", "grid"}, {"x1", x}, {"x2", x}, {"y1", svg_number(v.top)},
                         {"y2", svg_number(bottom)}, {"stroke", "#e4e4ea"}, {"stroke-width", "0.8"}});
  }
  for (double s = v.t0; s <= v.t1 + 0.5; s += v.step) {
    const std::string y = svg_number(v.page_y(s));
    svg.element("line", {{"class", "grid"}, {"x1", svg_number(v.x0)}, {"x2", svg_number(v.x1)},
                         {"y1", y}, {"y2", y}, {"stroke", "#e4e4ea"}, {"stroke-width", "0.8"}});
    svg.text_element("text", {{"x", svg_number(v.x0 - 5)}, {"y", svg_number(v.page_y(s) + 3.5)},
                              {"text-anchor", "end"}, {"font-size", "10"}, {"fill", "#444"}},
                     hours_minutes(s));
  }
  const double cx = v.left + 12, cy = v.top + v.height / 2;
  svg.text_element("text", {{"class", "panel-title"}, {"x", svg_number(cx)}, {"y", svg_number(cy)},
                            {"transform", "rotate(-90 " + svg_number(cx) + " " + svg_number(cy) + ")"},
                            {"text-anchor", "middle"}, {"font-size", "11"}, {"fill", "#222"}},
                   "time of day");
  // The distance axis, as the profiles' reads.
  const std::string y = svg_number(bottom);
  svg.open("g", {{"class", "distance-axis"}, {"font-size", "10"}, {"fill", "#333"}});
  for (double km = 0; km * 1000 <= v.axis_end + 1e-6; km += km_step) {
    const std::string x = svg_number(v.page_x(km * 1000));
    svg.element("line", {{"x1", x}, {"x2", x}, {"y1", y}, {"y2", svg_number(bottom + 5)},
                         {"stroke", "#333"}});
    svg.text_element("text", {{"x", x}, {"y", svg_number(bottom + 16)}, {"text-anchor", "middle"}},
                     svg_number(km));
  }
  svg.text_element("text", {{"x", svg_number((v.x0 + v.x1) / 2)}, {"y", svg_number(bottom + 32)},
                            {"text-anchor", "middle"}, {"font-size", "11"}},
                   "distance along the route (km)");
  svg.close();
}

std::string station_words(const timed_station& s) {
  return s.name + ": due " + clock_text(s.scheduled) +
         (s.stop_value > 0 ? ", stops " + std::to_string(s.stop_value) + " s" : "") + " (" +
         svg_number(s.place) + " m)";
}

void draw_stations(svg_writer& svg, const timetable& t, const time_distance_view& v) {
  svg.open("g", {{"class", "td-stations"}, {"font-size", svg_number(kNameFont)}, {"fill", "#111"}});
  for (size_t i = 0; i < t.stations.size(); ++i) {
    const timed_station& s = t.stations[i];
    const double x = v.page_x(std::clamp(s.place, 0.0, v.axis_end));
    const std::string sx = svg_number(x);
    svg.element("line", {{"class", "station-line"}, {"x1", sx}, {"x2", sx},
                         {"y1", svg_number(v.strip_bottom)}, {"y2", svg_number(v.top + v.height)},
                         {"stroke", kStationLineColour}, {"stroke-width", "0.8"},
                         {"stroke-dasharray", "3 3"}});
    const double col = v.name_columns[i];
    if (std::fabs(col - x) > 0.5)
      svg.element("line", {{"class", "label-leader"}, {"x1", sx}, {"y1", svg_number(v.strip_bottom)},
                           {"x2", svg_number(col)}, {"y2", svg_number(v.strip_bottom - 6)},
                           {"stroke", kStationLineColour}, {"stroke-width", "0.8"}});
    const double tx = col + kNameFont * 0.35, ty = v.strip_bottom - 8;
    svg.text_with_title({{"class", "td-station-label"}, {"data-m", svg_number(s.place)},
                         {"x", svg_number(tx)}, {"y", svg_number(ty)},
                         {"transform", "rotate(-90 " + svg_number(tx) + " " + svg_number(ty) + ")"}},
                        shortened(s.name, kLongestName), station_words(s));
  }
  svg.close();
}

void draw_legs(svg_writer& svg, const timetable& t, const time_distance_view& v) {
  for (const timetable_leg& leg : t.legs) {
    const timed_station& a = t.stations[leg.from];
    const timed_station& b = t.stations[leg.to];
    const std::string where = svg_number(a.place);
    svg.element_with_title("path", {{"class", "line-speed-run"}, {"data-m", where},
                                    {"d", line_speed_path(t, leg, v)}, {"fill", "none"},
                                    {"stroke", kLineSpeedRunColour}, {"stroke-width", "1.2"},
                                    {"stroke-dasharray", "5 3"}},
                           leg_words(t, leg));
    const bool is_late = late(leg);
    svg.element_with_title("path", {{"class", is_late ? "modelled-run late" : "modelled-run"},
                                    {"data-m", where}, {"d", modelled_path(t, leg, v)},
                                    {"fill", "none"},
                                    {"stroke", is_late ? kLateColour : kModelledColour},
                                    {"stroke-width", is_late ? "2.4" : "1.6"},
                                    {"stroke-linejoin", "round"}},
                           leg_words(t, leg));
    // The slack beside the leg's end.
    const double end = std::isfinite(leg.modelled) ? std::min(b.arrival(), a.scheduled + leg.modelled)
                                                   : b.arrival();
    const std::string text = !std::isfinite(leg.slack()) ? "no train gets through"
                             : !is_late ? duration_text(leg.slack(), true)
                             : "late " + duration_text(-leg.slack()) +
                                   (leg.line_speed > leg.scheduled ? ", beyond line speed" : "");
    // Right of the station and above the leg's end: the leg came from the left, the next one
    // leaves lower down.
    svg.text_with_title({{"class", is_late ? "leg-slack late" : "leg-slack"},
                         {"data-m", svg_number(b.place)},
                         {"x", svg_number(v.page_x(std::clamp(b.place, 0.0, v.axis_end)) + 4)},
                         {"y", svg_number(v.page_y(std::clamp(end, v.t0, v.t1)) - 3)},
                         {"font-size", is_late ? "11" : "9.5"},
                         {"font-weight", is_late ? "bold" : "normal"},
                         {"fill", is_late ? kLateColour : "#555"}},
                        text, leg_words(t, leg));
  }
}

// The scheduled stops (arrival to departure) joined by the scheduled line.
void draw_schedule(svg_writer& svg, const timetable& t, const time_distance_view& v) {
  std::string d;
  for (size_t i = 0; i < t.stations.size(); ++i) {
    const timed_station& s = t.stations[i];
    if (i > 0) d += (d.empty() ? "M" : " L") + point(v, s.place, s.arrival());
    d += (d.empty() ? "M" : " L") + point(v, s.place, s.scheduled);
  }
  svg.element("path", {{"class", "scheduled-line"}, {"d", d}, {"fill", "none"},
                       {"stroke", kScheduledColour}, {"stroke-width", "1.3"}});
  for (const timed_station& s : t.stations) {
    const double x = v.page_x(std::clamp(s.place, 0.0, v.axis_end));
    svg.element_with_title("circle", {{"class", "scheduled-stop"}, {"data-m", svg_number(s.place)},
                                      {"cx", svg_number(x)},
                                      {"cy", svg_number(v.page_y(std::clamp<double>(s.scheduled, v.t0, v.t1)))},
                                      {"r", "3"}, {"fill", "white"}, {"stroke", kScheduledColour},
                                      {"stroke-width", "1.5"}},
                           station_words(s));
  }
}

}  // namespace

time_distance_view layout_time_distance(const timetable& t, const profile_view& profiles,
                                        double top) {
  time_distance_view v;
  v.left = profiles.left;
  v.x0 = profiles.x0;
  v.x1 = profiles.x1;
  v.axis_end = profiles.axis_end;
  if (t.legs.empty()) {
    v.bottom = top + 24;
    return v;
  }
  v.drawn = true;
  double longest = 0;
  std::vector<double> xs;
  for (const timed_station& s : t.stations) {
    longest = std::max(longest, text_width(shortened(s.name, kLongestName), kNameFont));
    xs.push_back(v.page_x(std::clamp(s.place, 0.0, v.axis_end)));
  }
  v.strip_bottom = top + longest + 14;
  v.name_columns = columns_apart(xs, kNameGap, v.x0, v.x1);
  v.top = v.strip_bottom + 4;

  double first = t.stations.front().scheduled, last = first;
  for (const timed_station& s : t.stations) first = std::min<double>(first, s.scheduled);
  for (const timetable_leg& leg : t.legs) last = std::max(last, latest_of(t, leg));
  v.step = kTimeSteps[std::size(kTimeSteps) - 1];
  for (double step : kTimeSteps)
    if ((last - first) / step <= 10) {
      v.step = step;
      break;
    }
  v.t0 = std::floor(first / v.step) * v.step;
  v.t1 = std::max(std::ceil(last / v.step) * v.step, v.t0 + v.step);
  v.height = std::clamp((v.t1 - v.t0) / 60 * kPerMinute, kLeastHeight, kMostHeight);
  v.bottom = v.top + v.height + kAxisHeight + 6;
  return v;
}

void draw_time_distance(svg_writer& svg, const timetable& t, const time_distance_view& v) {
  if (!v.drawn) {
    svg.text_element("text", {{"class", "no-timetable-note"}, {"x", svg_number(v.x0)},
                              {"y", svg_number(v.bottom - 8)}, {"font-size", "12"}, {"fill", "#555"}},
                     "No time-distance diagram: " + std::to_string(t.stations.size()) +
                         (t.stations.size() == 1 ? " station has" : " stations have") +
                         " a scheduled time, and a leg needs two.");
    return;
  }
  svg.open("g", {{"class", "time-distance"},
                 {"data-axis-end", svg_number(v.axis_end)},
                 {"data-x0", svg_number(v.x0)},
                 {"data-x1", svg_number(v.x1)},
                 {"data-t0", svg_number(v.t0)},
                 {"data-t1", svg_number(v.t1)},
                 {"data-top", svg_number(v.top)},
                 {"data-bottom", svg_number(v.top + v.height)}});
  draw_frame(svg, v);
  draw_stations(svg, t, v);
  draw_legs(svg, t, v);
  draw_schedule(svg, t, v);
  svg.close();
}

picture_marks time_distance_marks(const timetable& t) {
  if (t.legs.empty()) return {};
  picture_marks marks = {picture_mark::modelled_run, picture_mark::line_speed_run,
                         picture_mark::scheduled};
  for (const timetable_leg& leg : t.legs)
    if (late(leg)) marks.insert(picture_mark::late_leg);
  return marks;
}
