// Places text labels beside the points they name so that no two labels overlap and, where
// there is room, no label covers the drawing under it.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct page_box {
  double left = 0, top = 0, right = 0, bottom = 0;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
  bool overlaps(const page_box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  // The area shared with `o`, 0 when they do not overlap.
  double overlap_area(const page_box& o) const;
  page_box united(const page_box& o) const;
  page_box shifted(double dx, double dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

// Page columns for names read upwards beside each other (stations along an axis): each at its
// x, pushed apart to `gap` where names would touch, and kept within [x0 - 40, x1].
std::vector<double> columns_apart(const std::vector<double>& xs, double gap, double x0, double x1);

struct placed_label {
  std::string text;
  std::string title;                  // the tooltip
  double metre = 0;                   // along the route
  double anchor_x = 0, anchor_y = 0;  // the point the label names
  page_box box;
};

class label_placer {
 public:
  // Something labels should not cover: a line's sample point, a marker.
  void add_obstacle(const page_box& b) { obstacles_.push_back(b); }
  // The area labels are kept inside, a panel say: leaving it costs as much as covering a
  // label. No bounds by default.
  void keep_within(const page_box& b) { bounds_ = b; }
  // Places a label of `width` × `height` near the anchor (x, y): the nearest free spot in eight
  // directions at growing distances; failing that, the spot that overlaps least, other labels
  // counting far more than the drawing. The label is then an obstacle for the next ones.
  page_box place(double x, double y, double width, double height);
  // Places a label at the first of `spots` (the caller's order of preference, all of one
  // size) that overlaps no other label, lies within the bounds and covers no drawing; failing
  // the last, the one that covers least, a farther spot having to be clearly better. Nothing
  // when every spot overlaps a label or leaves the bounds, and then nothing is placed.
  std::optional<page_box> place_apart(const std::vector<page_box>& spots);

  // The spots place() tries around (x, y) for a label of `width` × `height`, nearest first.
  static std::vector<page_box> spots_around(double x, double y, double width, double height);

  const std::vector<page_box>& labels() const { return labels_; }

 private:
  double cost(const page_box& b) const;
  bool inside_bounds(const page_box& b) const;
  // The first spot of no cost, else the least costly; under `apart` only those clear of
  // labels and inside the bounds.
  std::optional<page_box> best_spot(const std::vector<page_box>& spots, bool apart) const;

  std::optional<page_box> bounds_;
  std::vector<page_box> obstacles_;
  std::vector<page_box> labels_;
};
