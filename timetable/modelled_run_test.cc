#include "timetable/modelled_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// Rates that make the sums easy by hand: 0.5 m/s² up, 1 m/s² down; 72 km/h is 20 m/s.
const running_rates kEasy{0.5, 1.0, true, std::nullopt};

struct run_case {
  const char* what;
  std::vector<limit_step> limits;
  double from, to;
  double modelled;    // seconds, worked by hand
  double line_speed;  // seconds
};

// Each worked by hand: speeding up to v takes v/a seconds over v²/2a metres, braking from v
// v/b seconds over v²/2b metres.
const run_case kCases[] = {
    // 400 m and 40 s up to 20 m/s, 400 m at it (20 s), 200 m and 20 s to rest.
    {"a constant limit", {{0, 1000, 72}}, 0, 1000, 80, 50},
    // The curves meet at v² = 2abd / (a + b) = 200: 14.14 m/s, reached in 28.28 s, lost in 14.14.
    {"a leg too short to reach the limit", {{0, 300, 72}}, 0, 300, std::sqrt(200.0) * 3, 15},
    // Up to 20 (400 m, 40 s); at 20 to 850 (22.5 s); braking to 10 before 1000 (150 m, 10 s);
    // 500 m at 10 (50 s); up to 20 from 1500 (300 m, 20 s); at 20 to 2800 (50 s); to rest (20 s).
    {"a limit step down and up", {{0, 1000, 72}, {1000, 1500, 36}, {1500, 3000, 72}}, 0, 3000,
     212.5, 175},
    // Only the part from 500 to 1500 is run: the same sums from 500 m on.
    {"a leg inside the limits", {{0, 1000, 72}, {1000, 2000, 72}}, 500, 1500, 80, 50},
    // A step up the train never reaches: it tops out at 14.14 m/s within 300 m.
    {"a higher limit beyond reach", {{0, 100, 72}, {100, 300, 144}}, 0, 300, std::sqrt(200.0) * 3,
     5 + 5},
};

TEST(ModelledRun, WorkedByHand) {
  for (const run_case& c : kCases) {
    modelled_run run(c.limits, c.from, c.to, kEasy);
    EXPECT_NEAR(run.seconds(), c.modelled, 1e-9) << c.what;
    EXPECT_NEAR(line_speed_seconds(c.limits, c.from, c.to), c.line_speed, 1e-9) << c.what;
    EXPECT_EQ(run.speed_at(c.from), 0) << c.what;
    EXPECT_EQ(run.speed_at(c.to), 0) << c.what;
  }
}

TEST(ModelledRun, BrakesBeforeALowerLimitAndSpeedsUpOnlyPastIt) {
  modelled_run run(kCases[2].limits, 0, 3000, kEasy);
  EXPECT_NEAR(run.speed_at(850), 20, 1e-9);    // braking starts here
  EXPECT_NEAR(run.speed_at(1000), 10, 1e-9);   // at the lower limit where it starts
  EXPECT_NEAR(run.speed_at(1500), 10, 1e-9);   // still at it where it ends
  EXPECT_NEAR(run.speed_at(1650), std::sqrt(100 + 2 * 0.5 * 150), 1e-9);
  EXPECT_NEAR(run.seconds_at(1000), 72.5, 1e-9);
  EXPECT_NEAR(run.seconds_at(1500), 122.5, 1e-9);
}

TEST(ModelledRun, ALimitOfZeroStopsItForGood) {
  const std::vector<limit_step> limits = {{0, 1000, 72}, {1000, 1050, 0}, {1050, 2000, 72}};
  modelled_run run(limits, 0, 2000, kEasy);
  EXPECT_FALSE(std::isfinite(run.seconds()));
  EXPECT_NEAR(run.seconds_at(1000), 80, 1e-9);  // it brakes to rest where the 0 starts
  EXPECT_FALSE(std::isfinite(line_speed_seconds(limits, 0, 2000)));
  EXPECT_EQ(first_stop_limit(limits, 0, 2000), 1000);
  EXPECT_EQ(first_stop_limit(limits, 1100, 2000), std::nullopt);
  // So does a stretch no limit covers.
  const std::vector<limit_step> gap = {{0, 1000, 72}, {1100, 2000, 72}};
  EXPECT_FALSE(std::isfinite(modelled_run(gap, 0, 2000, kEasy).seconds()));
  EXPECT_EQ(first_stop_limit(gap, 0, 2000), 1000);
}

TEST(ModelledRun, PointsFollowTheRun) {
  modelled_run run(kCases[2].limits, 0, 3000, kEasy);
  const std::vector<run_point> points = run.points(10);
  ASSERT_GT(points.size(), 100u);
  EXPECT_EQ(points.front().metre, 0);
  EXPECT_EQ(points.back().metre, 3000);
  EXPECT_NEAR(points.back().seconds, 212.5, 1e-9);
  for (size_t i = 1; i < points.size(); ++i) {
    EXPECT_GT(points[i].metre, points[i - 1].metre);
    EXPECT_NEAR(points[i].speed, run.speed_at(points[i].metre), 1e-9);
    EXPECT_NEAR(points[i].seconds, run.seconds_at(points[i].metre), 1e-9);
    // Points stand apart by more than the step only where the run holds its speed.
    const double mid = (points[i].metre + points[i - 1].metre) / 2;
    if (points[i].metre - points[i - 1].metre > 10 + 1e-9) {
      EXPECT_NEAR(points[i].speed, points[i - 1].speed, 1e-9) << points[i].metre;
      EXPECT_NEAR(run.speed_at(mid), points[i].speed, 1e-9) << points[i].metre;
    }
  }
}

// Routes made at random: steps of random limits, a random leg, random rates. At every metre the
// modelled speed keeps to the limit (at a change, to the lower of the two), the times agree with
// the speeds, and the line-speed bound is never above the modelled run.
TEST(ModelledRun, GeneratedRoutesKeepToTheLimitsAndTheBound) {
  std::mt19937 random(20261211);
  for (int route = 0; route < 200; ++route) {
    std::vector<limit_step> limits;
    double at = 0;
    const int steps = std::uniform_int_distribution<int>(1, 12)(random);
    for (int k = 0; k < steps; ++k) {
      const double length = 50.0 * std::uniform_int_distribution<int>(1, 80)(random);
      const double kmh = 5.0 * std::uniform_int_distribution<int>(1, 40)(random);
      limits.push_back({at, at + length, kmh});
      at += length;
    }
    const double from = 50.0 * std::uniform_int_distribution<int>(0, static_cast<int>(at / 100))(random);
    const double to = std::uniform_real_distribution<double>(from + 1, at)(random);
    const running_rates rates{std::uniform_real_distribution<double>(0.1, 1.2)(random),
                              std::uniform_real_distribution<double>(0.2, 1.5)(random), true,
                              std::nullopt};
    modelled_run run(limits, from, to, rates);
    const double modelled = run.seconds();
    ASSERT_TRUE(std::isfinite(modelled)) << "route " << route;
    EXPECT_LE(line_speed_seconds(limits, from, to), modelled + 1e-9) << "route " << route;

    double integral = 0;  // the seconds the speeds give, by the midpoints of about 0.25 m
    double before = 0;
    for (double m = from; m <= to; m += 1) {
      const limit_step* here = limit_at(limits, m);
      double allowed = here->kmh / 3.6;
      if (here->from == m && here != limits.data()) allowed = std::min(allowed, (here - 1)->kmh / 3.6);
      ASSERT_LE(run.speed_at(m), allowed + 1e-9) << "route " << route << " at " << m << " m";
      const double seconds = run.seconds_at(m);
      ASSERT_GE(seconds, before - 1e-9) << "route " << route << " at " << m << " m";
      before = seconds;
    }
    const int parts = static_cast<int>(std::ceil((to - from) / 0.25));
    const double h = (to - from) / parts;
    for (int k = 0; k < parts; ++k) integral += h / run.speed_at(from + (k + 0.5) * h);
    // Midpoints undercount the first and last part, where the speed is near 0.
    EXPECT_NEAR(integral, modelled, 2 + modelled * 0.005) << "route " << route;
  }
}

}  // namespace
