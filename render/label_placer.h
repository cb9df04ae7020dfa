// Places text labels beside the points they name so that no two labels overlap and, where
// there is room, no label covers the drawing under it.
#pragma once

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

class label_placer {
 public:
  // Something labels should not cover: a line's sample point, a marker.
  void add_obstacle(const page_box& b) { obstacles_.push_back(b); }
  // Places a label of `width` × `height` near the anchor (x, y): the nearest free spot in eight
  // directions at growing distances; failing that, the spot that overlaps least, other labels
  // counting far more than the drawing. The label is then an obstacle for the next ones.
  page_box place(double x, double y, double width, double height);

  const std::vector<page_box>& labels() const { return labels_; }

 private:
  double cost(const page_box& b) const;

  std::vector<page_box> obstacles_;
  std::vector<page_box> labels_;
};
