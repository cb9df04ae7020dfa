#include "render/plan_geometry.h"

#include <gtest/gtest.h>

#include "testing/sample_route.h"

namespace {

TEST(PlanPath, PointsUpToTheFirstEmptyMetre) {
  sample_route r(1000);
  route_plan_table plan = r.plan();
  plan_path path(plan);
  EXPECT_EQ(path.count(), static_cast<size_t>(plan.upper - 1));  // the last two stay empty
  EXPECT_EQ(path.at(500).y, 500);
  EXPECT_EQ(path.at(-20).y, 0);                  // before the start: the start
  EXPECT_EQ(path.at(1e9).y, path.last_metre());  // beyond the end: the end
  plan_point h = path.heading(300);
  EXPECT_NEAR(h.x, 0, 1e-12);
  EXPECT_NEAR(h.y, 1, 1e-12);
  plan_box b = path.extent(100, 400);
  EXPECT_EQ(b.ymin, 100);
  EXPECT_EQ(b.ymax, 400);
  EXPECT_EQ(b.width(), 0);

  EXPECT_EQ(plan_path(route_plan_table{}).count(), 0u);
}

TEST(PlanPath, ARightHandCurveTurnsEast) {
  sample_route r(3000);
  r.curve(1000, 400, 0.003);
  plan_path path(r.plan());
  EXPECT_GT(path.at(1400).x, 100);
  plan_box b = path.extent(0, 3000);
  EXPECT_EQ(b.xmin, 0);
  EXPECT_EQ(b.ymin, 0);
  EXPECT_GT(path.heading(2000).x, 0.8);
}

}  // namespace
