#include "inspect/kilometre_marks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

kilometre_marks::kilometre_marks(const progressive_mark (&progressives)[3]) {
  // A cleared progressive reads (0, 0, 0): it marks nothing the route's own count does not.
  for (const progressive_mark& p : progressives)
    if (p.start != 0 || p.value != 0) progressives_.push_back(p);
  std::stable_sort(progressives_.begin(), progressives_.end(),
                   [](const progressive_mark& a, const progressive_mark& b) {
                     return a.start < b.start;
                   });
}

double kilometre_marks::at(double metre) const {
  double mark = metre;
  for (const progressive_mark& p : progressives_)
    if (metre >= p.start) mark = p.value + (metre - p.start);
  return mark;
}

std::string kilometres(double metres) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.3f", std::isfinite(metres) ? metres / 1000 : 0.0);
  std::string s = buffer;
  return s == "-0.000" ? "0.000" : s;
}
