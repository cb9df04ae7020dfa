#include "render/picture_legend.h"

#include <string>
#include <vector>

namespace {

enum class sample { line, dashed, tick, square, dot, start, end, triangle, cut, band, diamond };

struct entry {
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
                           {"fill", "#ffd23f"}, {"stroke", colour}, {"stroke-width", "1.2"}});
      break;
    case sample::cut:
      svg.element("path", {{"d", "M" + n(x + 9) + " " + n(y + 5) + " l-5 -9 h10 z"},
                           {"fill", colour}});
      break;
    case sample::band:
      svg.element("rect", {{"x", n(x)}, {"y", n(y - 6)}, {"width", "18"}, {"height", "12"},
                           {"fill", colour}});
      break;
    case sample::diamond:
      svg.element("path", {{"d", "M" + n(x + 9) + " " + n(y - 5) + " l5 5 l-5 5 l-5 -5 z"},
                           {"fill", colour}});
      break;
  }
}

std::vector<entry> legend_entries(bool with_plan) {
  std::vector<entry> entries;
  if (with_plan)
    entries = {{sample::start, "#2e8b57", "start"},
               {sample::end, "#b22222", "end of the route"},
               {sample::dashed, "#8a94a6", "run-out"},
               {sample::dot, "#111", "station (plan)"}};
  std::vector<entry> rest = {{sample::tick, "#c0392b", "signal"},
                             {sample::line, "#1f5fbf", "line speed limit"},
                             {sample::square, "#0b2e6b", "speed board (category A)"},
                             {sample::band, "#d62728", "slowdown"},
                             {sample::triangle, "#d62728", "slowdown warning board"},
                             {sample::cut, "#e67e22", "speed cut"},
                             {sample::line, "#8b5a2b", "gradient"},
                             {sample::band, "#ead7bd", "mountain (M + type)"},
                             {sample::line, "#2e8b57", "adhesion"},
                             {sample::diamond, "#3b6fb6", "indicator board"},
                             {sample::dashed, "#9aa", "station"}};
  entries.insert(entries.end(), rest.begin(), rest.end());
  return entries;
}

constexpr double kRow = 20, kFont = 10.5;

// Flows the entries into rows, calling `place(entry, x, y)` for each; returns the bottom.
template <class Place>
double flow(bool with_plan, double left, double top, double width, Place place) {
  double x = left, y = top + kRow / 2;
  for (const entry& e : legend_entries(with_plan)) {
    double w = 24 + text_width(e.text, kFont) * 0.85 + 18;  // lower case runs narrower
    if (x + w > left + width && x > left) {
      x = left;
      y += kRow;
    }
    place(e, x, y);
    x += w;
  }
  return y + kRow / 2;
}

}  // namespace

double legend_height(double width, bool with_plan) {
  return flow(with_plan, 0, 0, width, [](const entry&, double, double) {});
}

double draw_legend(svg_writer& svg, double left, double top, double width, bool with_plan) {
  svg.open("g", {{"class", "legend"}, {"font-size", svg_number(kFont)}, {"fill", "#222"}});
  double bottom = flow(with_plan, left, top, width, [&](const entry& e, double x, double y) {
    draw_sample(svg, e.kind, e.colour, x, y);
    svg.text_element("text", {{"x", svg_number(x + 24)}, {"y", svg_number(y + 3.5)}}, e.text);
  });
  svg.close();
  return bottom;
}
