#include <gtest/gtest.h>

#include <cmath>

#include "testing/line_fixture.h"

namespace {

double x(const line_fixture& t, int32_t k) { return t.form.route_plan.coordinate(k, 0); }
double y(const line_fixture& t, int32_t k) { return t.form.route_plan.coordinate(k, 1); }

// Heading of the step that ends at point k, clockwise from +y; and its length.
double heading(const line_fixture& t, int32_t k) {
  return std::atan2(x(t, k) - x(t, k - 1), y(t, k) - y(t, k - 1));
}
double step_length(const line_fixture& t, int32_t k) {
  return std::hypot(x(t, k) - x(t, k - 1), y(t, k) - y(t, k - 1));
}

TEST(Curves, RightHandCurveAfterAStraightApproach) {
  line_fixture t(1);
  ASSERT_TRUE(t.read_rows("curvad6,  1000,  400\n"));
  EXPECT_EQ(t.form.error_code, 0);
  const route_plan_table& plan = t.form.route_plan;
  EXPECT_EQ(plan.get(0, 0), (variant_entry{variant_int16, 0}));
  EXPECT_EQ(plan.get(1, 1), (variant_entry{variant_int16, 1}));
  for (int32_t k : {2, 500, 1000}) {
    EXPECT_EQ(plan.get(k, 0), (variant_entry{variant_double, 0})) << k;
    EXPECT_EQ(plan.get(k, 1), (variant_entry{variant_double, static_cast<double>(k)})) << k;
  }
  // The first curved points, worked by hand.
  EXPECT_DOUBLE_EQ(x(t, 1001), 0.003);
  EXPECT_DOUBLE_EQ(y(t, 1001), 1001);
  EXPECT_DOUBLE_EQ(x(t, 1002), 0.009);
  EXPECT_DOUBLE_EQ(y(t, 1002), 1001.999991);
  // 400 curved steps turn the heading by 400 atan(0.003) towards +x and lengthen the step by
  // sqrt(1 + 0.003^2) each; the straight points after the curve keep the last step.
  EXPECT_NEAR(heading(t, 1400), 400 * std::atan(0.003), 1e-9);
  EXPECT_NEAR(step_length(t, 1400), std::pow(1 + 0.003 * 0.003, 200), 1e-9);
  EXPECT_NEAR(heading(t, 88998), heading(t, 1400), 1e-9);
  EXPECT_NEAR(step_length(t, 88998), step_length(t, 1400), 1e-9);
  // The final fill stops two points before the end.
  EXPECT_EQ(plan.get(88998, 0).type, variant_double);
  EXPECT_EQ(plan.get(88999, 0), variant_entry{});
  EXPECT_EQ(plan.get(89000, 1), variant_entry{});
  EXPECT_EQ(t.form.plan_index, 88999);
}

// Each curved point adds the turned step, formed first, to the previous point. The other
// order of the additions gives other doubles, so the plan is compared bit for bit.
TEST(Curves, PointsFollowTheStepArithmeticExactly) {
  line_fixture t(1);
  ASSERT_TRUE(t.read_rows("curvas3,  100,  1500\ncurvad5,  2000,  700\n", 1000));
  std::vector<double> rx(3001), ry(3001), ox(3001), oy(3001);
  rx[1] = ox[1] = 0;
  ry[1] = oy[1] = 1;
  bool orders_differ = false;
  for (int k = 2; k <= 3000; ++k) {
    double f = k >= 101 && k <= 1600 ? -0.0004 : k >= 2001 && k <= 2700 ? 0.002 : 0;
    double dx = rx[k - 1] - rx[k - 2], dy = ry[k - 1] - ry[k - 2];
    double sx = dx + f * dy, sy = dy - f * dx;
    rx[k] = rx[k - 1] + sx;
    ry[k] = ry[k - 1] + sy;
    double odx = ox[k - 1] - ox[k - 2], ody = oy[k - 1] - oy[k - 2];
    ox[k] = (ox[k - 1] + odx) + f * ody;
    oy[k] = (oy[k - 1] + ody) - f * odx;
    orders_differ = orders_differ || ox[k] != rx[k] || oy[k] != ry[k];
  }
  ASSERT_TRUE(orders_differ);
  for (int k = 2; k <= 3000; ++k) {
    ASSERT_EQ(x(t, k), rx[k]) << k;
    ASSERT_EQ(y(t, k), ry[k]) << k;
  }
  EXPECT_LT(x(t, 1600), 0);  // left-hand
}

TEST(Curves, ClassDigitAndSideFromTheKeyword) {
  struct side_case {
    const char* keyword;
    double factor;  // turning per metre, + towards +x
  };
  for (const side_case& c :
       {side_case{"curvad1", 0.0001}, side_case{"curvad2", 0.0002}, side_case{"curvad4", 0.001},
        side_case{"curvad5", 0.002}, side_case{"CURVAS3", -0.0004}, side_case{"curvad61", 0.0001},
        side_case{"Curvad9s6", -0.003}}) {
    line_fixture t(1);
    ASSERT_TRUE(t.read_rows(std::string(c.keyword) + ",  100,  1\n", 1000));
    EXPECT_DOUBLE_EQ(x(t, 101), c.factor) << c.keyword;
  }
}

TEST(Curves, ALaterRowBendsFromWhereThePlanHasGotTo) {
  line_fixture t(1);
  // The second curve starts inside the first: it bends only points 1401 to 1500. A third row
  // that ends below the plan adds nothing.
  ASSERT_TRUE(t.read_rows("curvad6,  1000,  400\ncurvas6,  1200,  300\ncurvad6,  100,  10\n"));
  EXPECT_NEAR(heading(t, 1500), 400 * std::atan(0.003) - 100 * std::atan(0.003), 1e-9);
  EXPECT_NEAR(heading(t, 2000), heading(t, 1500), 1e-9);
}

TEST(Curves, PassedOverWhenThePlanIsDisabled) {
  line_fixture t(0);
  ASSERT_TRUE(t.read_rows("curvad6,  1000,  400\ncurvax,  -100,  400\npendenza,  0,  3\n"));
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_FALSE(t.form.route_plan.exists());
  EXPECT_EQ(t.cell(0).gradient_code, 103);
}

TEST(Curves, NoClassDigitGives103) {
  line_fixture t(1);
  t.form.error_position = 4;
  EXPECT_FALSE(t.read_rows("curvad7,  1000,  400\npendenza,  0,  3\n"));
  EXPECT_EQ(t.form.error_code, 103);
  EXPECT_EQ(t.form.error_position, 4);
  EXPECT_FALSE(file_present(t.line_path()));
  EXPECT_EQ(t.cell(0).gradient_code, 0);  // no closing fill
  EXPECT_EQ(t.console.str().rfind("Zenvro_Quarvel_linea.txt:4:1: error 103:", 0), 0u);
}

TEST(Curves, PlanIndexLimit) {
  // 1000000 m: the plan runs to 1007000, but a curve may not compute point 1000000.
  line_fixture fits(1);
  ASSERT_TRUE(fits.read_rows("curvad1,  999000,  999\n", 1000000));
  EXPECT_EQ(fits.form.error_code, 0);
  EXPECT_EQ(fits.form.route_plan.get(1006998, 1).type, variant_double);  // the fill has no limit

  for (const char* row : {"curvad1,  999000,  1000\n", "curvad1,  1000000,  10\n"}) {
    line_fixture past(1);
    EXPECT_FALSE(past.read_rows(row, 1000000));
    EXPECT_EQ(past.form.error_code, 103) << row;
    EXPECT_EQ(past.form.plan_index, 1000001) << row;
    EXPECT_EQ(past.form.route_plan.get(1000001, 1).type, variant_empty) << row;
    EXPECT_FALSE(file_present(past.line_path()));
  }
}

TEST(Curves, EndBeyondThePlanGives29AndEndsTheMainPhase) {
  // 1000 m: plan points 0..8000.
  line_fixture last_point(1);
  ASSERT_TRUE(last_point.read_rows("curvad1,  7000,  1000\n", 1000));
  EXPECT_EQ(last_point.form.error_code, 0);
  EXPECT_EQ(last_point.form.route_plan.get(8000, 0).type, variant_double);

  line_fixture past(1);
  past.form.error_position = 4;
  EXPECT_TRUE(past.read_rows("curvad1,  7000,  1001\npendenza,  0,  3\n", 1000));
  EXPECT_EQ(past.form.error_code, 29);
  EXPECT_EQ(past.form.error_position, 7000);
  EXPECT_EQ(past.cell(0).gradient_code, 100);  // the row after it is not read
  EXPECT_EQ(past.form.route_plan.get(7998, 1).type, variant_double);  // the closing fill ran
  // The caret stands under the length that takes the curve past the plan.
  EXPECT_EQ(past.console.str().rfind("Zenvro_Quarvel_linea.txt:4:18: error 29: the curve's end "
                                     "lies beyond the route plan's last point: the curve ends at "
                                     "8001 m, the route plan at 8000 m (at 7000 m)\n",
                                     0),
            0u)
      << past.console.str();
}

}  // namespace
