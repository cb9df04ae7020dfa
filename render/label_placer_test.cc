#include "render/label_placer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

double distance_to(const page_box& b, double x, double y) {
  double dx = std::max({b.left - x, 0.0, x - b.right});
  double dy = std::max({b.top - y, 0.0, y - b.bottom});
  return std::hypot(dx, dy);
}

TEST(LabelPlacer, LabelsOfCrowdedPointsDoNotOverlap) {
  label_placer placer;
  std::vector<page_box> boxes;
  // Twelve points a few units apart, each with a label far wider than the gap between them.
  for (int i = 0; i < 12; ++i) boxes.push_back(placer.place(100 + 4 * i, 100 + 2 * i, 90, 14));
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_NEAR(boxes[i].width(), 90, 1e-9);
    for (size_t j = i + 1; j < boxes.size(); ++j)
      EXPECT_FALSE(boxes[i].overlaps(boxes[j])) << i << " and " << j;
  }
}

TEST(LabelPlacer, StaysNearItsPointAndOffTheDrawing) {
  label_placer placer;
  // A horizontal line through the anchor: the label must not sit on it.
  for (int x = 0; x <= 400; x += 3) placer.add_obstacle({x - 1.0, 199.0, x + 1.0, 201.0});
  page_box b = placer.place(200, 200, 60, 12);
  EXPECT_FALSE(b.overlaps({0, 199, 400, 201}));
  EXPECT_LE(distance_to(b, 200, 200), 6);
}

}  // namespace
