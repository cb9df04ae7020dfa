#include "inspect/plan_reading.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "binary/binary_decoding.h"
#include "binary/binary_encoding.h"

namespace {

// Straight steps repeat the last one to the last bit of a coordinate far from the origin, so
// a turning below this is rounding; the gentlest curve turns 0.0001 a metre.
constexpr double kStraight = 1e-7;
// Two metres of one curve turn by the same factor to about the rounding of their points.
constexpr double kSameCurve = 1e-7;

// The byte offset of entry `i` (in file order: every x, then every y) of a plan file.
size_t plan_entry_offset(const route_plan_table& plan, size_t i) {
  size_t offset = 0;
  for (size_t k = 0; k < i && k < plan.entry_count(); ++k) offset += variant_size(plan.types[k]);
  return offset;
}

}  // namespace

void plan_box::add(plan_point p) {
  xmin = std::min(xmin, p.x);
  xmax = std::max(xmax, p.x);
  ymin = std::min(ymin, p.y);
  ymax = std::max(ymax, p.y);
}

bool has_point(const route_plan_table& plan, int32_t m) {
  return m >= 0 && m <= plan.upper && plan.get(m, 0).type != variant_empty &&
         plan.get(m, 1).type != variant_empty;
}

std::vector<plan_point> path_points(const route_plan_table& plan) {
  std::vector<plan_point> points;
  for (int32_t metre = 0; has_point(plan, metre); ++metre) {
    for (int axis = 0; axis < 2; ++axis) {
      if (std::isfinite(plan.coordinate(metre, axis))) continue;
      throw decoding_fault(plan_entry_offset(plan, plan.index(metre, axis)),
                           std::string(axis == 0 ? "the x" : "the y") + " of metre " +
                               std::to_string(metre) + " is not a finite number");
    }
    points.push_back({plan.coordinate(metre, 0), plan.coordinate(metre, 1)});
  }
  return points;
}

plan_summary read_plan(const route_plan_table& plan) {
  plan_summary s;
  s.highest_metre = plan.upper;
  for (int32_t m = 0; m <= plan.upper; ++m) {
    if (!has_point(plan, m)) continue;
    const plan_point p{plan.coordinate(m, 0), plan.coordinate(m, 1)};
    if (s.points == 0) s.extent = plan_box::around(p), s.first = m;
    s.extent.add(p);
    s.last = m;
    ++s.points;
  }
  // A point k of a curve is the point before plus the step before turned by the factor f:
  // step_k = (dx + f·dy, dy − f·dx), so f = −(step_{k−1} × step_k) / |step_{k−1}|².
  for (int32_t k = 2; k <= plan.upper; ++k) {
    if (!has_point(plan, k) || !has_point(plan, k - 1) || !has_point(plan, k - 2)) continue;
    double ax = plan.coordinate(k - 1, 0) - plan.coordinate(k - 2, 0);
    double ay = plan.coordinate(k - 1, 1) - plan.coordinate(k - 2, 1);
    double bx = plan.coordinate(k, 0) - plan.coordinate(k - 1, 0);
    double by = plan.coordinate(k, 1) - plan.coordinate(k - 1, 1);
    double norm = ax * ax + ay * ay;
    if (!(norm > 0)) continue;
    double f = -(ax * by - ay * bx) / norm;
    if (!std::isfinite(f) || std::fabs(f) < kStraight) continue;
    if (!s.curves.empty()) {
      curve_mark& c = s.curves.back();
      if (c.start + c.length == k - 1 && std::fabs(c.factor - f) < kSameCurve) {
        ++c.length;
        continue;
      }
    }
    s.curves.push_back({k - 1, 1, f});
  }
  return s;
}

plan_place point_at(const route_plan_table& plan, int32_t metre) {
  plan_place p{metre, plan.coordinate(metre, 0), plan.coordinate(metre, 1),
               std::numeric_limits<double>::quiet_NaN()};
  int32_t from = metre, to = metre + 1;
  if (!has_point(plan, to)) from = metre - 1, to = metre;
  if (has_point(plan, from) && has_point(plan, to)) {
    double dx = plan.coordinate(to, 0) - plan.coordinate(from, 0);
    double dy = plan.coordinate(to, 1) - plan.coordinate(from, 1);
    if ((dx != 0 || dy != 0) && std::isfinite(dx) && std::isfinite(dy)) {
      double h = std::atan2(dx, dy) * 180 / std::acos(-1.0);
      p.heading = h < 0 ? h + 360 : h;
    }
  }
  return p;
}
