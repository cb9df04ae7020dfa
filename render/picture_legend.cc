#include "render/picture_legend.h"

#include "render/picture_style.h"

namespace {

enum class sample { line, dashed, tick, square, dot, start, end, triangle, cut, band, diamond, stop };

struct entry {
  picture_mark mark;
  sample kind;
  const char* colour;
  const char* text;
};

void draw_sample(svg_writer& svg, sample kind, const char* colour, double x, double y) {
  auto n = [](double v) { return svg_number(v); };
  switch (kind) {
    case sample::line:
    case sample::dashed:
      svg.element("line", {{"x1", n(x)}, {"x2", n(x + 18)}, {"y1", n(y)}, {"y2", n(y)},
                           {"stroke", colour}, {"stroke-width", "2"},
                           {"stroke-dasharray", kind == sample::dashed ? "4 3" : "none"}});
      break;
    case sample::tick:
      svg.element("line", {{"x1", n(x + 9)}, {"x2", n(x + 9)}, {"y1", n(y - 6)}, {"y2", n(y + 6)},
                           {"stroke", colour}, {"stroke-width", "1.8"}});
      break;
    case sample::square:
      svg.element("rect", {{"x", n(x + 5.5)}, {"y", n(y - 3.5)}, {"width", "7"}, {"height", "7"},
                           {"fill", "white"}, {"stroke", colour}, {"stroke-width", "1.5"}});
      break;
    case sample::dot:
      svg.element("circle", {{"cx", n(x + 9)}, {"cy", n(y)}, {"r", "3.5"}, {"fill", "white"},
                             {"stroke", colour}, {"stroke-width", "1.5"}});
      break;
    case sample::start:
      svg.element("circle", {{"cx", n(x + 9)}, {"cy", n(y)}, {"r", "5"}, {"fill", colour}});
      break;
    case sample::end:
      svg.element("rect", {{"x", n(x + 4)}, {"y", n(y - 5)}, {"width", "10"}, {"height", "10"},
                           {"fill", colour}});
      break;
    case sample::triangle:
      svg.element("path", {{"d", "M" + n(x + 9) + " " + n(y - 6) + " l5.5 9.5 h-11 z"},
                           {"fill", kWarningBoardFill}, {"stroke", colour}, {"stroke-width", "1.2"}});
      break;
    case sample::cut:
      svg.element("path", {{"d", "M" + n(x + 9) + " " + n(y + 5) + " l-5 -9 h10 z"},
                           {"fill", colour}});
      break;
    case sample::band:
      svg.element("rect", {{"x", n(x)}, {"y", n(y - 6)}, {"width", "18"}, {"height", "12"},
                           {"fill", colour}});
      break;
    case sample::stop:
      svg.element("rect", {{"x", n(x + 6)}, {"y", n(y - 5)}, {"width", "6"}, {"height", "10"},
                           {"fill", colour}});
      break;
    case sample::diamond:
      svg.element("path", {{"d", "M" + n(x + 9) + " " + n(y - 5) + " l5 5 l-5 5 l-5 -5 z"},
                           {"fill", colour}});
      break;
  }
}

// Every entry, in the legend's order.
const entry kEntries[] = {
    {picture_mark::start, sample::start, kStartColour, "start"},
    {picture_mark::route_end, sample::end, kEndColour, "end of the route"},
    {picture_mark::run_out, sample::dashed, kRunOutColour, "run-out"},
    {picture_mark::plan_station, sample::dot, kStationColour, "station (plan)"},
    {picture_mark::signal, sample::tick, kSignalColour, "signal"},
    {picture_mark::speed_limit, sample::line, kSpeedColour, "line speed limit"},
    {picture_mark::speed_board, sample::square, kSpeedBoardColour, "speed board (category A)"},
    {picture_mark::slowdown, sample::band, kSlowdownColour, "slowdown"},
    {picture_mark::warning_board, sample::triangle, kSlowdownColour, "slowdown warning board"},
    {picture_mark::speed_cut, sample::cut, kCutColour, "speed cut"},
    {picture_mark::gradient, sample::line, kGradientColour, "gradient"},
    {picture_mark::mountain, sample::band, kMountainFill, "mountain"},
    {picture_mark::adhesion, sample::line, kAdhesionColour, "adhesion"},
    {picture_mark::indicator_board, sample::diamond, kIndicatorBoardColour, "indicator board"},
    {picture_mark::station, sample::dashed, kStationLineColour, "station"},
    {picture_mark::stop_cell, sample::stop, kStopCellColour, "stop cell"},
    {picture_mark::modelled_run, sample::line, kModelledColour, "modelled run (its speed; each leg in time)"},
    {picture_mark::line_speed_run, sample::dashed, kLineSpeedRunColour, "line-speed bound"},
    {picture_mark::scheduled, sample::dot, kScheduledColour, "scheduled stop and line"},
    {picture_mark::late_leg, sample::line, kLateColour, "late leg, with its slack"},
};

constexpr double kRow = 20, kFont = 10.5;

// Flows the entries into rows, calling `place(entry, x, y)` for each; returns the bottom.
template <class Place>
double flow(const picture_marks& marks, double left, double top, double width, Place place) {
  double x = left, y = top + kRow / 2;
  bool any = false;
  for (const entry& e : kEntries) {
    if (!marks.count(e.mark)) continue;
    any = true;
    double w = 24 + text_width(e.text, kFont) * 0.85 + 18;  // lower case runs narrower
    if (x + w > left + width && x > left) {
      x = left;
      y += kRow;
    }
    place(e, x, y);
    x += w;
  }
  return any ? y + kRow / 2 : top;
}

}  // namespace

double legend_height(double width, const picture_marks& marks) {
  return flow(marks, 0, 0, width, [](const entry&, double, double) {});
}

double draw_legend(svg_writer& svg, double left, double top, double width,
                   const picture_marks& marks) {
  svg.open("g", {{"class", "legend"}, {"font-size", svg_number(kFont)}, {"fill", "#222"}});
  double bottom = flow(marks, left, top, width, [&](const entry& e, double x, double y) {
    draw_sample(svg, e.kind, e.colour, x, y);
    svg.text_element("text", {{"x", svg_number(x + 24)}, {"y", svg_number(y + 3.5)}}, e.text);
  });
  svg.close();
  return bottom;
}
