#include "render/label_placer.h"

#include <algorithm>
#include <limits>

double page_box::overlap_area(const page_box& o) const {
  double w = std::min(right, o.right) - std::max(left, o.left);
  double h = std::min(bottom, o.bottom) - std::max(top, o.top);
  return w > 0 && h > 0 ? w * h : 0;
}

page_box page_box::united(const page_box& o) const {
  return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
          std::max(bottom, o.bottom)};
}

namespace {

constexpr double kLabelWeight = 1000;  // covering a label is far worse than covering a line

}  // namespace

bool label_placer::inside_bounds(const page_box& b) const {
  return !bounds_ || (b.left >= bounds_->left && b.right <= bounds_->right &&
                      b.top >= bounds_->top && b.bottom <= bounds_->bottom);
}

double label_placer::cost(const page_box& b) const {
  double c = 0;
  for (const page_box& o : labels_) c += kLabelWeight * (b.overlap_area(o) + (b.overlaps(o) ? 1 : 0));
  for (const page_box& o : obstacles_) c += b.overlap_area(o) + (b.overlaps(o) ? 1 : 0);
  if (!inside_bounds(b))
    c += kLabelWeight * (b.width() * b.height() - b.overlap_area(*bounds_) + 1);
  return c;
}

std::vector<page_box> label_placer::spots_around(double x, double y, double width,
                                                 double height) {
  // Directions as (dx, dy) of the label's side facing the anchor: right, left, above, below,
  // then the four corners.
  static const double kDirections[8][2] = {{1, 0},  {-1, 0}, {0, -1}, {0, 1},
                                           {1, -1}, {-1, -1}, {1, 1}, {-1, 1}};
  static const double kDistances[] = {5, 12, 22, 36, 54, 76, 102};
  std::vector<page_box> spots;
  for (double d : kDistances) {
    for (const auto& dir : kDirections) {
      double cx = x + dir[0] * (d + width / 2), cy = y + dir[1] * (d + height / 2);
      spots.push_back({cx - width / 2, cy - height / 2, cx + width / 2, cy + height / 2});
    }
  }
  return spots;
}

std::optional<page_box> label_placer::best_spot(const std::vector<page_box>& spots,
                                                bool apart) const {
  std::optional<page_box> best;
  double best_cost = std::numeric_limits<double>::infinity();
  for (const page_box& b : spots) {
    if (apart && (!inside_bounds(b) ||
                  std::any_of(labels_.begin(), labels_.end(),
                              [&](const page_box& o) { return b.overlaps(o); })))
      continue;
    double c = cost(b);
    // A farther spot must be clearly better to win over a nearer one.
    if (c < best_cost * 0.5 || !best) {
      best = b;
      best_cost = c;
    }
    if (c == 0) return b;
  }
  return best;
}

page_box label_placer::place(double x, double y, double width, double height) {
  page_box b = *best_spot(spots_around(x, y, width, height), false);
  labels_.push_back(b);
  return b;
}

std::optional<page_box> label_placer::place_apart(const std::vector<page_box>& spots) {
  std::optional<page_box> b = best_spot(spots, true);
  if (b) labels_.push_back(*b);
  return b;
}

std::vector<double> columns_apart(const std::vector<double>& xs, double gap, double x0, double x1) {
  std::vector<size_t> order(xs.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return xs[a] < xs[b]; });
  std::vector<double> cols(xs.size());
  double previous = -1e300;
  for (size_t i : order) {
    cols[i] = std::max(xs[i], previous + gap);
    previous = cols[i];
  }
  double next = x1 + gap;
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    cols[*it] = std::min(cols[*it], next - gap);
    next = cols[*it];
  }
  for (double& c : cols) c = std::max(c, x0 - 40);
  return cols;
}
