#include "inspect/plan_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "binary/binary_decoding.h"
#include "binary/binary_encoding.h"
#include "testing/sample_route.h"

namespace {

TEST(PlanReading, CurvesWhereTheAuthorPutThem) {
  sample_route r(20000);
  r.curve(1000, 400, 0.003);
  r.curve(3000, 600, -0.001);
  r.curve(3600, 200, -0.0001);  // straight on from the one before, gentler
  r.curve(15000, 1, 0.002);     // one metre long
  plan_summary s = read_plan(r.plan());
  ASSERT_EQ(s.curves.size(), 4u);
  const curve_mark expected[] = {
      {1000, 400, 0.003}, {3000, 600, -0.001}, {3600, 200, -0.0001}, {15000, 1, 0.002}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(s.curves[i].start, expected[i].start) << i;
    EXPECT_EQ(s.curves[i].length, expected[i].length) << i;
    EXPECT_NEAR(s.curves[i].factor, expected[i].factor, 1e-9) << i;
  }
}

TEST(PlanReading, PointsExtentAndHeading) {
  sample_route r(1000);
  route_plan_table plan = r.plan();
  plan_summary s = read_plan(plan);
  // Metres 0 to 8000; the last two stay empty.
  EXPECT_EQ(s.highest_metre, 8000);
  EXPECT_EQ(s.points, 7999u);
  EXPECT_EQ(s.first, 0);
  EXPECT_EQ(s.last, 7998);
  EXPECT_EQ(s.extent.xmin, 0);
  EXPECT_EQ(s.extent.xmax, 0);
  EXPECT_EQ(s.extent.ymax, 7998);
  EXPECT_TRUE(s.curves.empty());
  EXPECT_EQ(point_at(plan, 0).heading, 0);     // north
  EXPECT_EQ(point_at(plan, 7998).heading, 0);  // the last point: from the one before

  sample_route turned(2000);
  turned.curve(100, 600, 0.003);  // about 103 degrees to the right: east, then south of it
  plan = turned.plan();
  plan_place p = point_at(plan, 1000);
  EXPECT_NEAR(p.heading, 600 * 0.003 * 180 / std::acos(-1.0), 0.5);
  turned = sample_route(2000);
  turned.curve(100, 600, -0.003);
  EXPECT_NEAR(point_at(turned.plan(), 1000).heading, 360 - 600 * 0.003 * 180 / std::acos(-1.0),
              0.5);
}

TEST(PlanReading, AnEmptyPlan) {
  route_plan_table plan;
  plan.create(3);
  plan_summary s = read_plan(plan);
  EXPECT_EQ(s.points, 0u);
  EXPECT_TRUE(s.curves.empty());
}

TEST(PlanReading, ThePathStopsAtTheFirstGapTheSummaryGoesOn) {
  route_plan_table plan;
  plan.create(5);
  for (int m : {0, 1, 3}) {
    plan.set_int16(m, 0, static_cast<int16_t>(m));
    plan.set_int16(m, 1, static_cast<int16_t>(-2 * m));
  }
  plan.set_int16(2, 0, 9);  // an x without its y is no point
  std::vector<plan_point> path = path_points(plan);
  ASSERT_EQ(path.size(), 2u);
  EXPECT_EQ(path[1].x, 1);
  EXPECT_EQ(path[1].y, -2);
  plan_summary s = read_plan(plan);
  EXPECT_EQ(s.points, 3u);
  EXPECT_EQ(s.last, 3);
  EXPECT_EQ(s.extent.xmax, 3);  // not the lone x of metre 2
  EXPECT_EQ(s.extent.ymin, -6);
  EXPECT_EQ(s.extent.height(), 6);
}

TEST(PlanReading, ACoordinateThatIsNotANumberNamesItsByteOffset) {
  sample_route r(200);
  route_plan_table plan = r.plan();
  plan.set_double(5, 1, std::numeric_limits<double>::quiet_NaN());
  // Check the offset against the encoded file: the entry there must be the bad double.
  byte_buffer out;
  for (size_t i = 0; i < plan.entry_count(); ++i) out.variant({plan.types[i], plan.values[i]});
  try {
    path_points(decode_plan(out.bytes()));
    FAIL() << "a NaN coordinate was accepted";
  } catch (const decoding_fault& f) {
    ASSERT_LT(f.offset + 10, out.size() + 1);
    EXPECT_EQ(out.bytes()[f.offset], 5);  // the variant's type code: a double
    double v;
    std::memcpy(&v, out.bytes().data() + f.offset + 2, 8);
    EXPECT_TRUE(std::isnan(v));
    EXPECT_NE(f.message.find("metre 5"), std::string::npos) << f.message;
  }
}

}  // namespace
