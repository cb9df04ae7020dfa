#include "timetable/timetable.h"

#include <gtest/gtest.h>

#include <cmath>

#include "timetable/findings.h"

namespace {

const running_rates kEasy{0.5, 1.0, true, std::nullopt};

// A station of type 30 (no stop cell): its place is its position.
station_mark at(int entry, const std::string& name, int32_t position, int32_t scheduled,
                int stop_value) {
  return {entry, name, position, position - 100, position + 100, 30, scheduled, stop_value};
}

// 72 km/h (20 m/s) from 0 to 5000 m.
route_features line_of(std::vector<station_mark> stations) {
  route_features f;
  f.speed = {{0, 5000, 72}};
  f.stations = std::move(stations);
  return f;
}

constexpr int32_t k8 = 8 * 3600;  // 8:00:00

TEST(Timetable, TimedStationsAndWhereTheTrainStops) {
  route_features f = line_of({});
  // A centred station stops at its end, the far end of its stop cell; a type-8 one too; one of
  // type 25 or above has no stop cell, and its position counts.
  f.stations = {{1, "FIRST", 0, -800, 800, 8, k8, 1},
                {2, "UNTIMED", 1500, 1300, 1700, 2, 0, 155},
                {3, "CENTRED", 3000, 2800, 3200, 2, k8 + 600, 60},
                {4, "SECOND ENTRY", 4000, 3850, 4150, 25, k8 + 900, 0}};
  const timetable t = compute_timetable(f, kEasy);
  ASSERT_EQ(t.stations.size(), 3u);  // the station without a time is passed
  EXPECT_EQ(t.stations[0].place, 800);
  EXPECT_EQ(t.stations[1].place, 3200);
  EXPECT_EQ(t.stations[2].place, 4000);
  ASSERT_EQ(t.legs.size(), 2u);
  EXPECT_EQ(t.legs[0].distance, 2400);
  EXPECT_EQ(t.legs[1].distance, 800);
}

TEST(Timetable, AStopAndAPassingTime) {
  // Worked by hand as in the modelled run's tests: 1000 m from rest to rest take 80 s, 50 s
  // at line speed.
  const timetable stop = compute_timetable(
      line_of({at(1, "A", 0, k8, 1), at(2, "B", 1000, k8 + 120, 60), at(3, "C", 2000, k8 + 300, 0)}),
      kEasy);
  ASSERT_EQ(stop.runs.size(), 2u);
  ASSERT_EQ(stop.legs.size(), 2u);
  EXPECT_EQ(stop.legs[0].scheduled, 60);  // 2 minutes less the minute's stop at B
  EXPECT_NEAR(stop.legs[0].modelled, 80, 1e-9);
  EXPECT_NEAR(stop.legs[0].line_speed, 50, 1e-9);
  EXPECT_NEAR(stop.legs[0].slack(), -20, 1e-9);
  EXPECT_NEAR(stop.legs[0].modelled_arrival(stop.stations[0]), k8 + 80, 1e-9);
  EXPECT_EQ(stop.legs[1].scheduled, 180);
  EXPECT_NEAR(stop.legs[1].modelled, 80, 1e-9);

  // Passing B at speed: one run of 2000 m, up to 20 m/s in 400 m (40 s), B at 70 s, the
  // rest 60 s.
  const timetable pass = compute_timetable(
      line_of({at(1, "A", 0, k8, 1), at(2, "B", 1000, k8 + 60, 0), at(3, "C", 2000, k8 + 300, 0)}),
      kEasy);
  ASSERT_EQ(pass.runs.size(), 1u);
  EXPECT_NEAR(pass.legs[0].modelled, 70, 1e-9);
  EXPECT_NEAR(pass.legs[1].modelled, 60, 1e-9);
  EXPECT_EQ(pass.legs[0].run, 0u);
  EXPECT_EQ(pass.legs[1].run, 0u);
}

// One warning at most a leg, the gravest, at the later station, naming the earlier.
TEST(Timetable, Findings) {
  struct findings_case {
    const char* what;
    int32_t due_b;  // seconds after 8:00:00
    int stop_b;
    std::vector<value_run> speed;
    const char* name;  // nullptr: no warning
    const char* words;
  };
  const std::vector<value_run> line = {{0, 5000, 72}};
  const findings_case cases[] = {
      {"kept", 200, 60, line, nullptr, ""},
      {"the modelled run is late", 120, 60, line, kTimetableModel,
       "due 8:02:00; in the modelled run from A (8:00:00, 1.0 km) it arrives at 8:01:20, and it "
       "stops 60 s there: 0:20 late, at acceleration 0.50 m/s\u00b2, braking 1.00 m/s\u00b2 (given)"},
      {"beyond line speed", 100, 60, line, kTimetableLineSpeed,
       "due 8:01:40; at line speed from A (8:00:00, 1.0 km) it arrives at 8:00:50 at the "
       "earliest, and it stops 60 s there: 0:10 more than the timetable gives"},
      {"beyond line speed at a time with no stop", 40, 0, line, kTimetableLineSpeed,
       "due 8:00:40; at line speed from A (8:00:00, 1.0 km) it gets there at 8:00:50 at the "
       "earliest: 0:10 more than the timetable gives"},
      {"a time not after the one before", 0, 0, line, kTimetableOrder,
       "due 8:00:00, not after A before it, due 8:00:00"},
      {"a limit of 0 on the way", 900, 60, {{0, 600, 72}, {600, 650, 0}, {650, 5000, 72}},
       kTimetableLineSpeed,
       "due 8:15:00; no train gets here from A (8:00:00, 1.0 km): the speed limit is 0 km/h at 600 m"},
  };
  for (const findings_case& c : cases) {
    route_features f = line_of({at(1, "A", 0, k8, 1), at(2, "B", 1000, k8 + c.due_b, c.stop_b)});
    f.speed = c.speed;
    const std::vector<timetable_finding> found = timetable_findings(compute_timetable(f, kEasy));
    if (!c.name) {
      EXPECT_TRUE(found.empty()) << c.what;
      continue;
    }
    ASSERT_EQ(found.size(), 1u) << c.what;
    EXPECT_STREQ(found[0].name, c.name) << c.what;
    EXPECT_EQ(found[0].leg, 0u) << c.what;
    EXPECT_EQ(found[0].detail, c.words) << c.what;
    EXPECT_NE(found[0].note.find("A"), std::string::npos) << c.what;
  }
}

TEST(Timetable, ALegAfterOneNoTrainGetsThrough) {
  // B is passed, so A to C is one run; the 0 limit before B holds it there for good: the leg
  // from B on has no modelled time, and only the leg with the 0 limit is told.
  route_features f = line_of({at(1, "A", 0, k8, 1), at(2, "B", 1000, k8 + 600, 0),
                              at(3, "C", 2000, k8 + 1200, 0)});
  f.speed = {{0, 500, 72}, {500, 550, 0}, {550, 5000, 72}};
  const timetable t = compute_timetable(f, kEasy);
  EXPECT_TRUE(t.legs[0].blocked_at);
  EXPECT_FALSE(t.legs[1].blocked_at);
  EXPECT_FALSE(std::isfinite(t.legs[1].modelled));
  EXPECT_NEAR(t.legs[1].line_speed, 50, 1e-9);
  const std::vector<timetable_finding> found = timetable_findings(t);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].leg, 0u);
}

TEST(Timetable, NoLegsWithoutTwoTimedStations) {
  EXPECT_TRUE(compute_timetable(line_of({}), kEasy).legs.empty());
  const timetable one = compute_timetable(line_of({at(1, "A", 0, k8, 1)}), kEasy);
  EXPECT_EQ(one.stations.size(), 1u);
  EXPECT_TRUE(one.legs.empty());
  EXPECT_TRUE(one.runs.empty());
}

}  // namespace
