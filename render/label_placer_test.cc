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

// A column of spots over x, from `top` down, as a caller offers them.
std::vector<page_box> column(double x, double top, double bottom, double width, double height) {
  std::vector<page_box> spots;
  for (double y = top; y + height <= bottom; y += height / 2)
    spots.push_back({x, y, x + width, y + height});
  return spots;
}

TEST(LabelPlacer, PlacedApartOrNotAtAll) {
  label_placer placer;
  const page_box panel{0, 0, 300, 60};
  placer.keep_within(panel);
  std::vector<page_box> placed;
  int refused = 0;
  // Twenty labels offered the same few spots: the panel holds five rows of them.
  for (int i = 0; i < 20; ++i) {
    std::vector<page_box> spots = column(100 + i, 0, 80, 80, 12);  // the last ones leave the panel
    size_t before = placer.labels().size();
    std::optional<page_box> b = placer.place_apart(spots);
    if (!b) {
      ++refused;
      EXPECT_EQ(placer.labels().size(), before) << i;  // nothing placed
      continue;
    }
    EXPECT_GE(b->top, panel.top);
    EXPECT_LE(b->bottom, panel.bottom);
    for (const page_box& o : placed) EXPECT_FALSE(b->overlaps(o)) << i;
    placed.push_back(*b);
  }
  EXPECT_EQ(placed.size(), 5u);
  EXPECT_EQ(refused, 15);
  EXPECT_EQ(placed[0].top, 0);  // the first spot, when it is free
}

TEST(LabelPlacer, PlacedApartOffTheDrawingWhereItCan) {
  label_placer placer;
  placer.add_obstacle({0, 10, 400, 12});  // a line across the first two spots
  std::optional<page_box> b = placer.place_apart(column(50, 0, 100, 60, 12));
  ASSERT_TRUE(b);
  EXPECT_FALSE(b->overlaps({0, 10, 400, 12}));
  EXPECT_EQ(b->top, 12);  // the nearest spot clear of it

  // Spots that all cover the drawing: the first of them, unless a later one covers far less.
  label_placer covered;
  covered.add_obstacle({0, 0, 400, 100});
  std::optional<page_box> c = covered.place_apart(column(50, 0, 100, 60, 12));
  ASSERT_TRUE(c);
  EXPECT_EQ(c->top, 0);
}

}  // namespace
