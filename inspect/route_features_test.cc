#include "inspect/route_features.h"

#include <gtest/gtest.h>

#include "testing/sample_route.h"

namespace {

std::vector<double> metres(const std::vector<point_mark>& marks) {
  std::vector<double> out;
  for (const point_mark& m : marks) out.push_back(m.metre);
  return out;
}

TEST(RouteFeatures, StationsAreTheEntriesFromOneUpToABlankOne) {
  sample_route r(20000);
  r.station("A & B", 1000);
  r.station("ZENVRO C.LE", 1300, 300, 25);
  r.station("C", 5000);
  r.records[5].text = "stray";  // behind a blank entry: not a station
  route_features f = read_route_features(r.cells, r.records);
  ASSERT_EQ(f.stations.size(), 3u);
  EXPECT_EQ(f.stations[0].name, "A & B");
  EXPECT_EQ(f.stations[0].position, 1000);
  EXPECT_EQ(f.stations[0].start, 800);
  EXPECT_EQ(f.stations[0].end, 1200);
  EXPECT_EQ(f.stations[1].type, 25);
  EXPECT_EQ(f.stations[2].entry, 3);
}

TEST(RouteFeatures, StationsStopAtTheFirstIndicatorBoardText) {
  sample_route r(20000);
  // Stations reaching right up to the board texts, which count down from 80.
  for (int i = 1; i <= 77; ++i) r.records[i].text = "S" + std::to_string(i);
  r.indicator_board(3000, "(Km. 2.256)");
  r.indicator_board(4000, "second board");
  route_features f = read_route_features(r.cells, r.records);
  EXPECT_EQ(f.stations.size(), 77u);
  ASSERT_EQ(f.indicator_boards.size(), 2u);
  EXPECT_EQ(f.indicator_boards[0].text, "(Km. 2.256)");
  EXPECT_EQ(f.indicator_boards[1].text, "second board");
  EXPECT_EQ(f.indicator_boards[0].metre, 3000);

  r.records[78].text = "S78";  // a station in entry 78 with boards in 80 and 79
  EXPECT_EQ(read_route_features(r.cells, r.records).stations.size(), 78u);
}

TEST(RouteFeatures, PointObjectsAtTheirPositions) {
  sample_route r(30000);
  r.signal(1750);
  r.signal(2825);  // rounds into the cell of 2850
  r.speed_board(800, 30);
  r.speed_board(63650 - 40000, 140, 160);
  r.slowdown(5000, 1000, 60);
  r.speed_cut(2500, 80);
  r.speed_cut(9000, 0);
  route_features f = read_route_features(r.cells, r.records);
  ASSERT_EQ(f.signals.size(), 2u);
  EXPECT_EQ(f.signals[0].metre, 1750);
  EXPECT_EQ(f.signals[1].metre, 2850);
  ASSERT_EQ(f.speed_boards.size(), 2u);
  EXPECT_EQ(f.speed_boards[0].metre, 800);
  EXPECT_EQ(f.speed_boards[0].left[0], 30);
  EXPECT_EQ(f.speed_boards[0].right[0], 0);
  EXPECT_EQ(f.speed_boards[1].left[2], 140);
  EXPECT_EQ(f.speed_boards[1].right[2], 160);
  ASSERT_EQ(f.slowdowns.size(), 1u);
  EXPECT_EQ(f.slowdowns[0].start, 5000);
  EXPECT_EQ(f.slowdowns[0].end, 6000);
  EXPECT_EQ(f.slowdowns[0].speed, 60);
  EXPECT_EQ(metres(f.warning_boards), (std::vector<double>{3800}));
  EXPECT_EQ(f.warning_boards[0].value, 60);
  EXPECT_EQ(metres(f.speed_cuts), (std::vector<double>{2500, 9000}));
  EXPECT_EQ(f.speed_cuts[0].value, 80);
  EXPECT_EQ(f.speed_cuts[1].value, 0);
}

TEST(RouteFeatures, ASlowdownWithoutItsEndStaysAPoint) {
  sample_route r(10000);
  r.cells[40].kind = kind_slowdown_end;  // an end before any start is ignored
  r.cells[61].kind = kind_slowdown_start;
  r.cells[61].value_1 = 30;
  route_features f = read_route_features(r.cells, r.records);
  ASSERT_EQ(f.slowdowns.size(), 1u);
  EXPECT_EQ(f.slowdowns[0].start, 3000);
  EXPECT_EQ(f.slowdowns[0].end, 3000);
}

TEST(RouteFeatures, RunningValuesAsRuns) {
  sample_route r(5000);
  r.speed(0, 30);
  r.speed(1200, 95);
  r.gradient(1200, -5);
  r.gradient(1750, 155);
  r.adhesion(3000, 95);
  r.mountain(2000, 2150, 2);
  r.mountain(2150, 3000, 3);
  route_features f = read_route_features(r.cells, r.records);
  // The last three cells are never filled.
  double filled = static_cast<double>(r.cells.size() - 3) * 50.0;
  ASSERT_EQ(f.speed.size(), 2u);
  EXPECT_EQ(f.speed[0].from, 0);
  EXPECT_EQ(f.speed[0].to, 1200);
  EXPECT_EQ(f.speed[0].value, 30);
  EXPECT_EQ(f.speed[1].value, 95);
  EXPECT_EQ(f.speed[1].to, filled);
  ASSERT_EQ(f.gradient.size(), 3u);
  EXPECT_EQ(f.gradient[1].from, 1200);
  EXPECT_EQ(f.gradient[1].value, -5);
  EXPECT_EQ(f.gradient[2].from, 1750);
  EXPECT_EQ(f.gradient[2].value, 155);
  ASSERT_EQ(f.adhesion.size(), 2u);
  EXPECT_EQ(f.adhesion[1].from, 3000);
  EXPECT_EQ(f.adhesion[1].value, 95);
  ASSERT_EQ(f.mountains.size(), 2u);
  EXPECT_EQ(f.mountains[0].from, 2000);
  EXPECT_EQ(f.mountains[0].to, 2150);
  EXPECT_EQ(f.mountains[0].value, 2);
  EXPECT_EQ(f.mountains[1].to, 3000);
}

TEST(RouteFeatures, TheAxisCoversTheRouteAndWhatLiesInTheRunOut) {
  sample_route r(10000);
  route_features f = read_route_features(r.cells, r.records);
  EXPECT_EQ(f.route_length, 10000);
  EXPECT_EQ(f.axis_end, 10000);

  r.signal(12000);  // in the run-out
  f = read_route_features(r.cells, r.records);
  EXPECT_EQ(f.axis_end, 12500);

  r.records[route_length_entry].number_2 = 0;  // no route length: to the last filled cell
  f = read_route_features(r.cells, r.records);
  EXPECT_EQ(f.route_length, static_cast<double>(r.cells.size() - 3) * 50.0);

  std::vector<track_cell> one(1);
  f = read_route_features(one, r.records);
  EXPECT_GT(f.axis_end, 0);
}

TEST(RouteFeatures, SignalsStopCellsAndTheStamps) {
  sample_route r(10000);
  r.signal(2850);
  track_cell& c = r.cells[58];
  c.value_1 = 22, c.value_2 = 31, c.value_3 = 11, c.value_4 = 18, c.time_code = 120;
  r.signal(4150);
  r.cells[84].value_4 = 7;  // side codes 2 and 1, no rapp
  r.station("A", 1000, 400);
  r.cells[1].value_1 = 5121, r.cells[1].value_2 = 2520;
  r.cells[150].kind = 9;                     // no row makes it: still shown
  r.cells[160].kind = kind_approach_marker;  // a slowdown's, not an object of its own
  r.cells[170].kind = kind_mountain_marker;
  route_features f = read_route_features(r.cells, r.records);
  ASSERT_EQ(f.unknown_objects.size(), 1u);
  EXPECT_EQ(f.unknown_objects[0].metre, 7450);
  EXPECT_EQ(f.unknown_objects[0].value, 9);
  ASSERT_EQ(f.signals.size(), 2u);
  EXPECT_EQ(f.signals[0].aspects[0], 22);
  EXPECT_EQ(f.signals[0].aspects[1], 31);
  EXPECT_EQ(f.signals[0].aspects[2], 11);
  EXPECT_EQ(f.signals[0].rapp, 1);
  EXPECT_EQ(f.signals[0].left_side, 2);
  EXPECT_EQ(f.signals[0].right_side, 2);
  EXPECT_EQ(f.signals[0].time, 120);
  EXPECT_EQ(f.signals[1].rapp, 0);
  EXPECT_EQ(f.signals[1].left_side, 2);
  EXPECT_EQ(f.signals[1].right_side, 1);
  ASSERT_EQ(f.stop_points.size(), 1u);
  EXPECT_EQ(f.stop_points[0].metre, 1150);  // the last cell inside the station, to its end
  EXPECT_EQ(f.stop_points[0].value, 1);
  EXPECT_EQ(f.check_stamp, 5121);
  EXPECT_EQ(f.check_code, 2520);
}

TEST(RouteFeatures, TheRecordsAlone) {
  sample_route r(20000);
  r.station("A", 1000);
  r.station("B", 5000);
  r.indicator_board(3000, "(Km. 2.256)");
  r.indicator_board(4000, "second");
  scenario_record& route = r.records[route_name_entry];
  route.text = "Monte";
  route.number_1 = 1, route.number_2 = 59500, route.number_3 = 31000;
  route.short_1 = 610, route.number_4 = 35196;
  scenario_record& train = r.records[train_number_entry];
  train.text = "101";
  train.number_1 = 10550, train.number_2 = 79900, train.number_3 = 4;
  train.short_1 = 300, train.short_3 = 8, train.short_4 = 24, train.short_5 = 15;
  r.records[route_length_entry].number_1 = 120, r.records[route_length_entry].number_3 = 8;
  scenario_record& three = r.records[progressive_three_entry];
  three.number_1 = 63200, three.number_2 = 101400, three.number_3 = 1;
  scenario_record& one = r.records[progressive_one_entry];
  one.number_1 = 9600, one.number_2 = -9550;

  route_records got = read_route_records(r.records);
  ASSERT_EQ(got.stations.size(), 2u);
  EXPECT_EQ(got.stations[1].name, "B");
  ASSERT_EQ(got.board_texts.size(), 2u);
  EXPECT_EQ(got.board_texts[0], (std::pair<int, std::string>{80, "(Km. 2.256)"}));
  EXPECT_EQ(got.board_texts[1], (std::pair<int, std::string>{79, "second"}));
  const route_data& d = got.data;
  EXPECT_EQ(d.route_name, "Monte");
  EXPECT_EQ(d.train_number, "101");
  EXPECT_EQ(d.length, 20000);
  EXPECT_EQ(d.braked_mass, 120);
  EXPECT_EQ(d.cars, 8);
  // Entry 85 holds background three before background two.
  EXPECT_EQ(d.backgrounds[0], 1);
  EXPECT_EQ(d.backgrounds[1], 31000);
  EXPECT_EQ(d.backgrounds[2], 59500);
  EXPECT_EQ(d.progressives[0].start, 63200);
  EXPECT_EQ(d.progressives[0].value, 101400);
  EXPECT_EQ(d.progressives[0].flag, 1);
  EXPECT_EQ(d.progressives[1].start, 0);
  EXPECT_EQ(d.progressives[2].value, -9550);
  EXPECT_EQ(d.repetition_start, 10550);
  EXPECT_EQ(d.repetition_end, 79900);
  EXPECT_EQ(d.repetition_codes, 4);
  EXPECT_EQ(d.sand, 300);
  EXPECT_EQ(d.clock[0], 8);
  EXPECT_EQ(d.clock[1], 24);
  EXPECT_EQ(d.clock[2], 15);
  EXPECT_EQ(d.stamp, 610);
  EXPECT_EQ(d.check_code, 35196);

  // Stations reaching the board texts: a board text is an entry holding a text alone.
  for (int e = 3; e <= 78; ++e) {
    r.records[e].text = "S";
    r.records[e].number_3 = e * 100;
  }
  got = read_route_records(r.records);
  EXPECT_EQ(got.stations.size(), 78u);
  EXPECT_EQ(got.board_texts.size(), 2u);
}

}  // namespace
