#include "render/plan_geometry.h"

#include <algorithm>
#include <cmath>

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
  box = plan_box::around(points_[a]);
  for (size_t i = a + 1; i <= b; ++i) box.add(points_[i]);
  return box;
}
