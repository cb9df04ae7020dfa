#include "timetable/speed_limits.h"

#include <gtest/gtest.h>

namespace {

route_features with_speed(std::vector<value_run> speed, std::vector<slowdown_mark> slowdowns = {}) {
  route_features f;
  f.speed = std::move(speed);
  f.slowdowns = std::move(slowdowns);
  return f;
}

TEST(SpeedLimits, SlowdownsLowerTheLineLimitOverTheirExtent) {
  struct limits_case {
    const char* what;
    route_features route;
    std::vector<limit_step> limits;
  };
  const limits_case cases[] = {
      {"runs of one speed are joined", with_speed({{0, 500, 100}, {500, 900, 100}, {900, 1000, 60}}),
       {{0, 900, 100}, {900, 1000, 60}}},
      {"a slowdown within a run",
       with_speed({{0, 2000, 100}}, {{500, 800, 40}}),
       {{0, 500, 100}, {500, 800, 40}, {800, 2000, 100}}},
      {"a slowdown above the line limit changes nothing",
       with_speed({{0, 2000, 100}}, {{500, 800, 140}}), {{0, 2000, 100}}},
      {"a slowdown across a change of limit",
       with_speed({{0, 1000, 100}, {1000, 2000, 50}}, {{800, 1300, 60}}),
       {{0, 800, 100}, {800, 1000, 60}, {1000, 2000, 50}}},
      {"overlapping slowdowns: the lower wins where they overlap",
       with_speed({{0, 3000, 100}}, {{500, 1500, 60}, {1000, 2000, 30}}),
       {{0, 500, 100}, {500, 1000, 60}, {1000, 2000, 30}, {2000, 3000, 100}}},
      {"a slowdown with no end found holds no stretch",
       with_speed({{0, 2000, 100}}, {{500, 500, 40}}), {{0, 2000, 100}}},
      {"a slowdown reaching past the cells ends with them", with_speed({{0, 1000, 100}}, {{900, 1200, 40}}),
       {{0, 900, 100}, {900, 1000, 40}}},
  };
  for (const limits_case& c : cases) EXPECT_EQ(speed_limits(c.route), c.limits) << c.what;
}

TEST(SpeedLimits, TheStepAtAMetre) {
  const std::vector<limit_step> limits = {{0, 500, 100}, {500, 900, 40}};
  EXPECT_EQ(limit_at(limits, -1), nullptr);
  EXPECT_EQ(limit_at(limits, 0)->kmh, 100);
  EXPECT_EQ(limit_at(limits, 499.9)->kmh, 100);
  EXPECT_EQ(limit_at(limits, 500)->kmh, 40);
  EXPECT_EQ(limit_at(limits, 2000)->kmh, 40);
}

}  // namespace
