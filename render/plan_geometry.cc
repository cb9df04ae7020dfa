#include "render/plan_geometry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "binary/binary_decoding.h"
#include "binary/binary_encoding.h"

size_t plan_entry_offset(const route_plan_table& plan, size_t i) {
  size_t offset = 0;
  for (size_t k = 0; k < i && k < plan.entry_count(); ++k) offset += variant_size(plan.types[k]);
  return offset;
}

plan_path::plan_path(const route_plan_table& plan) {
  if (!plan.exists()) return;
  for (int32_t metre = 0; metre <= plan.upper; ++metre) {
    variant_entry x = plan.get(metre, 0), y = plan.get(metre, 1);
    if (x.type == variant_empty || y.type == variant_empty) break;
    for (int axis = 0; axis < 2; ++axis) {
      if (std::isfinite(plan.coordinate(metre, axis))) continue;
      throw decoding_fault(plan_entry_offset(plan, plan.index(metre, axis)),
                           std::string(axis == 0 ? "the x" : "the y") + " of metre " +
                               std::to_string(metre) + " is not a finite number");
    }
    points_.push_back({x.value, y.value});
  }
}

size_t plan_path::index(double metre) const {
  if (points_.empty() || !(metre > 0)) return 0;
  return std::min(static_cast<size_t>(std::llround(std::min(metre, 1e15))), points_.size() - 1);
}

plan_point plan_path::at(double metre) const {
  return points_.empty() ? plan_point{} : points_[index(metre)];
}

plan_point plan_path::heading(double metre) const {
  if (points_.size() < 2) return {0, 1};
  size_t i = index(metre);
  size_t a = i >= 5 ? i - 5 : 0, b = std::min(i + 5, points_.size() - 1);
  double dx = points_[b].x - points_[a].x, dy = points_[b].y - points_[a].y;
  double n = std::hypot(dx, dy);
  if (!(n > 0)) return {0, 1};
  return {dx / n, dy / n};
}

plan_box plan_path::extent(double from, double to) const {
  plan_box box;
  if (points_.empty()) return box;
  size_t a = index(from), b = index(to);
  if (a > b) std::swap(a, b);
  box = {points_[a].x, points_[a].y, points_[a].x, points_[a].y};
  for (size_t i = a + 1; i <= b; ++i) {
    box.xmin = std::min(box.xmin, points_[i].x);
    box.xmax = std::max(box.xmax, points_[i].x);
    box.ymin = std::min(box.ymin, points_[i].y);
    box.ymax = std::max(box.ymax, points_[i].y);
  }
  return box;
}
