#include "inspect/describe.h"

#include <gtest/gtest.h>

#include <functional>

#include "testing/sample_route.h"

namespace {

// A small route holding one of each feature, read back as inspect and render read it.
route_features sample_features() {
  sample_route r(20000);
  r.station("MORLENO", 6000, 600);
  r.records[1].number_4 = 8 * 3600 + 32 * 60;
  r.records[1].byte_2 = 60;
  r.station("ZENVRO C.LE", 1300, 300, 25);
  r.signal(1750);
  track_cell& signal = r.cells[36];
  signal.value_1 = 22, signal.value_2 = 31, signal.value_3 = 11;
  signal.value_4 = 18;  // side tens 1, side codes 2 and 2
  signal.time_code = 120;
  r.signal(4150);
  r.cells[84].value_1 = 40, r.cells[84].value_4 = 6;  // side codes 2 and 0
  r.speed_board(800, 30);
  r.speed_board(3000, 140, 160);
  r.cells[61].value_4 = 21;  // two stripes on the left, one on the right
  r.slowdown(9000, 800, 60);
  r.speed_cut(2500, 80);
  r.speed_cut(12000, 0);
  r.indicator_board(11000, "(Km. 2.256)");
  r.mountain(14000, 14150, 2);
  r.speed(1200, 95);
  r.gradient(1200, -5);
  r.adhesion(3000, 85);
  return read_route_features(r.cells, r.records);
}

struct description {
  const char* name;
  std::function<std::string(const route_features&)> describe;
  const char* says;
};

void PrintTo(const description& d, std::ostream* os) { *os << d.name; }

class Describe : public testing::TestWithParam<description> {};

TEST_P(Describe, InTheAuthorsWords) {
  static const route_features f = sample_features();
  EXPECT_EQ(GetParam().describe(f), GetParam().says);
}

INSTANTIATE_TEST_SUITE_P(
    Features, Describe,
    testing::Values(
        description{"station", [](auto& f) { return describe_station(f.marks, f.stations.at(0)); },
                    "station 1 \"MORLENO\" at 6000 m (km 6.000), from 5700 m to 6300 m, "
                    "stop cell 6250 m to 6300 m, type 2, due 8:32:00, stop value 60"},
        description{"station_without_time",
                    [](auto& f) { return describe_station(f.marks, f.stations.at(1)); },
                    "station 2 \"ZENVRO C.LE\" at 1300 m (km 1.300), from 1150 m to 1450 m, "
                    "no stop cell, type 25"},
        description{"stop_cell",
                    [](auto& f) { return describe_stop_point(f.stop_points.at(0), "MORLENO"); },
                    "stop cell of station 1 \"MORLENO\", its last 50 m"},
        description{"stop_cell_where_it_starts",
                    [](auto& f) { return metres_text(f.marks, f.stop_points.at(0).metre); },
                    "6250 m (km 6.250)"},
        description{"stop_cell_without_records",
                    [](auto& f) { return describe_stop_point(f.stop_points.at(0), ""); },
                    "stop cell of station 1, its last 50 m"},
        description{"signal_with_time", [](auto& f) { return describe_signal(f.signals.at(0)); },
                    "signal, aspects 22/31/11, side codes 2 and 2, side tens 1, time 120"},
        description{"signal", [](auto& f) { return describe_signal(f.signals.at(1)); },
                    "signal, aspects 40/0/0, side codes 2 and 0"},
        description{"speed_board",
                    [](auto& f) { return describe_speed_board(f.speed_boards.at(0)); },
                    "speed board 30/30/30"},
        description{"speed_board_two_sides",
                    [](auto& f) { return describe_speed_board(f.speed_boards.at(1)); },
                    "speed board 140/140/140, 2 stripes; right-hand board 160/160/160, 1 stripe"},
        description{"slowdown",
                    [](auto& f) { return describe_slowdown_start(f.slowdowns.at(0)); },
                    "slowdown start 60 km/h for 800 m"},
        description{"slowdown_end",
                    [](auto& f) { return describe_slowdown_end(f.slowdowns.at(0)); },
                    "slowdown end, after 60 km/h since 9000 m"},
        description{"slowdown_without_end",
                    [](auto&) { return describe_slowdown_start({3000, 3000, 30}); },
                    "slowdown start 30 km/h, no end after it"},
        description{"warning_board",
                    [](auto& f) { return describe_warning_board(f.warning_boards.at(0)) + " at " +
                                         metres_text(f.marks, f.warning_boards.at(0).metre); },
                    "slowdown warning board 60 km/h at 7800 m (km 7.800)"},
        description{"speed_cut", [](auto& f) { return describe_speed_cut(f.speed_cuts.at(0)); },
                    "speed cut 80 km/h"},
        description{"speed_cut_without_value",
                    [](auto& f) { return describe_speed_cut(f.speed_cuts.at(1)); },
                    "speed cut without a value"},
        description{"indicator_board",
                    [](auto& f) { return describe_indicator_board(f.indicator_boards.at(0)); },
                    "indicator board \"(Km. 2.256)\""},
        description{"indicator_board_without_records",
                    [](auto&) { return describe_indicator_board({11000, 80, ""}); },
                    "indicator board, its text in record entry 80"},
        description{"unknown_kind",
                    [](auto&) { return describe_unknown_object({7450, 9, ""}); },
                    "an object of kind 9, which no row makes"},
        description{"mountain", [](auto& f) { return describe_mountain(f.mountains.at(0)); },
                    "mountain of type 2 for 150 m, to 14150 m"},
        description{"speed", [](auto& f) { return describe_speed(f.speed.at(1)); },
                    "speed limit 95 km/h"},
        description{"gradient", [](auto& f) { return describe_gradient(f.gradient.at(1)); },
                    "gradient -5 \u2030"},
        description{"adhesion", [](auto& f) { return describe_adhesion(f.adhesion.at(1)); },
                    "adhesion 85"},
        description{"stretch",
                    [](auto& f) {
                      return stretch_text(f.marks, f.adhesion.at(1).from, f.adhesion.at(1).to);
                    },
                    "3000 m to 26900 m (km 3.000 to 26.900)"}),
    [](const testing::TestParamInfo<description>& d) { return std::string(d.param.name); });

struct worded {
  std::string shown;
  const char* says;
};

TEST(Describe, NumbersAsTheAuthorReadsThem) {
  const kilometre_marks plain;
  const worded cases[] = {
      {metres_text(plain, 12350), "12350 m (km 12.350)"},
      {metres_text(plain, -800), "-800 m (km -0.800)"},
      {metres_text(plain, 0), "0 m (km 0.000)"},
      {metres_text(plain, 1000000), "1000000 m (km 1000.000)"},
      {time_of_day(30300), "8:25:00"},
      {time_of_day(86399), "23:59:59"},
      {time_of_day(0), "0:00:00"},
      {time_of_day(-5), "-5 s"},
      {describe_progressive({63200, 101400, 1}),
       "from 63200 m on, the line's kilometres read from km 101.400 (flag 1)"},
      {describe_progressive({9600, -9550, 0}),
       "from 9600 m on, the line's kilometres read from km -9.550"},
      {describe_curve(plain, {1000, 400, 0.003}),
       "right-hand curve from 1000 m (km 1.000) for 400 m, radius 333 m"},
      {describe_curve(plain, {10400, 1500, -0.0004}),
       "left-hand curve from 10400 m (km 10.400) for 1500 m, radius 2500 m"},
  };
  for (const worded& c : cases) EXPECT_EQ(c.shown, c.says);
}

// The built-in route's progressives, as its records hold them (greatest start first).
const progressive_mark kBuiltinProgressives[3] = {{63200, 101400, 1}, {40500, 63300, 1},
                                                  {9600, -9550, 0}};

TEST(Describe, MetresBesideTheLinesOwnKilometreMarks) {
  const kilometre_marks marks(kBuiltinProgressives);
  const worded cases[] = {
      {metres_text(marks, 6000), "6000 m (km 6.000)"},  // before the first progressive
      {metres_text(marks, 9600), "9600 m (km -9.550)"},
      {metres_text(marks, 10000), "10000 m (km -9.150)"},
      {metres_text(marks, 40450), "40450 m (km 21.300)"},
      {metres_text(marks, 40500), "40500 m (km 63.300)"},  // the next progressive takes over
      {metres_text(marks, 82000), "82000 m (km 120.200)"},
      {stretch_text(marks, 9000, 10000), "9000 m to 10000 m (km 9.000 to -9.150)"},
      {located(marks, 63200, "signal"), "63200 m (km 101.400): signal"},
  };
  for (const worded& c : cases) EXPECT_EQ(c.shown, c.says);
}

}  // namespace
