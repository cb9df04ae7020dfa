#include "render/route_picture.h"

#include "render/nice_numbers.h"
#include "render/picture_legend.h"
#include "render/plan_view.h"
#include "render/profile_view.h"
#include "render/time_distance_view.h"
#include "inspect/route_features.h"
#include "svg/svg_writer.h"
#include "timetable/clock_text.h"
#include "timetable/timetable_print.h"

namespace {

constexpr double kPageWidth = 1100;
constexpr double kMargin = 24;
constexpr double kPlanMaxHeight = 640;

std::string count_text(size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string subtitle(const route_features& f) {
  return "route of " + km_text(f.route_length) + " km, " +
         count_text(f.stations.size(), "station", "stations") + ", " +
         count_text(f.signals.size(), "signal", "signals");
}

std::string upper_first(std::string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

void heading(svg_writer& svg, double y, const std::string& text) {
  svg.text_element("text", {{"class", "section-heading"}, {"x", svg_number(kMargin)},
                            {"y", svg_number(y)}, {"font-size", "13"}, {"font-weight", "bold"},
                            {"fill", "#333"}},
                   text);
}

}  // namespace

std::string draw_route_picture(const route_picture_input& in) {
  route_features f = read_route_features(in.cells, in.records);
  const timetable times = compute_timetable(
      f, rates_for(in.records.at(route_length_entry).number_1, in.rates));
  double width = kPageWidth - 2 * kMargin;
  bool with_plan = in.plan && in.plan->count() >= 2;

  // Lay everything out first: the root element needs the page's height.
  double y = 84;
  plan_view plan;
  if (with_plan) {
    plan = layout_plan_view(*in.plan, f, kMargin, y + 14, width, kPlanMaxHeight);
    y = plan_view_bottom(plan) + 16;
  } else {
    y += 40;
  }
  double profiles_top = y + 6;
  profile_view profiles = layout_profiles(f, kMargin, profiles_top + 8, width);
  const double diagram_top = profiles.bottom + 10;
  time_distance_view diagram = layout_time_distance(times, profiles, diagram_top + 38);
  double legend_top = diagram.bottom;
  picture_marks marks = profile_marks(f, profiles, &times);
  marks.merge(time_distance_marks(times));
  if (with_plan) marks.merge(plan_view_marks(plan));
  double height = legend_top + legend_height(width, marks) + 16;

  std::string title = in.route_name + ", train " + in.train_number;
  svg_writer svg({{"xmlns", "http://www.w3.org/2000/svg"},
                  {"class", "route-picture"},
                  {"width", svg_number(kPageWidth)},
                  {"height", svg_number(height)},
                  {"viewBox", "0 0 " + svg_number(kPageWidth) + " " + svg_number(height)},
                  {"font-family", "DejaVu Sans, Helvetica, Arial, sans-serif"},
                  {"data-route", in.route_name},
                  {"data-train", in.train_number}});
  svg.text_element("title", {}, title);
  svg.element("rect", {{"class", "background"}, {"width", "100%"}, {"height", "100%"}, {"fill", "white"}});
  svg.text_element("text", {{"class", "title"}, {"x", svg_number(kMargin)}, {"y", "36"},
                            {"font-size", "22"}, {"font-weight", "bold"}, {"fill", "#111"}},
                   title);
  svg.text_element("text", {{"class", "subtitle"}, {"x", svg_number(kMargin)}, {"y", "58"},
                            {"font-size", "12"}, {"fill", "#555"}},
                   subtitle(f));

  if (with_plan) {
    heading(svg, 84, "Plan (north up, equal axes)");
    draw_plan_view(svg, *in.plan, plan);
  } else {
    std::string why = in.plan ? "the route plan " + in.plan_file + " holds no computed points"
                              : "no route plan: " + in.plan_file +
                                    " was not found (the scenario was compiled with --no-plan)";
    svg.element("rect", {{"x", svg_number(kMargin)}, {"y", "74"}, {"width", svg_number(width)},
                         {"height", "30"}, {"rx", "4"}, {"fill", "#fff4f2"}, {"stroke", "#e0b4ab"}});
    svg.text_element("text", {{"class", "no-plan-note"}, {"x", svg_number(kMargin + 10)}, {"y", "94"},
                              {"font-size", "13"}, {"fill", "#a33"}},
                     "Only the profiles are drawn: " + why + ".");
  }
  heading(svg, profiles_top, "Profiles along the route");
  draw_profiles(svg, f, profiles, &times);
  heading(svg, diagram_top, "Time-distance diagram: each leg run from its scheduled departure");
  svg.text_element("text", {{"class", "timetable-summary"}, {"x", svg_number(kMargin)},
                            {"y", svg_number(diagram_top + 17)}, {"font-size", "12"},
                            {"fill", "#222"}},
                   upper_first(tightness_words(times)) + ".");
  svg.text_element("text", {{"class", "timetable-rates"}, {"x", svg_number(kMargin)},
                            {"y", svg_number(diagram_top + 32)}, {"font-size", "11"},
                            {"fill", "#555"}},
                   "Modelled at " + rates_words(times.rates) + ".");
  draw_time_distance(svg, times, diagram);
  draw_legend(svg, kMargin, legend_top, width, marks);
  return svg.finish();
}
