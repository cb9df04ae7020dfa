// The picture's time-distance diagram, held to the timetable command's figures for the same
// files.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/run_cli.h"
#include "testing/sample_route.h"
#include "testing/temp_folder.h"
#include "testing/xml_tree.h"

namespace {

constexpr int32_t k8 = 8 * 3600;

// 6000 m at 100 km/h. Three stations of 400 m stop at their ends, 1200, 3200 and 5200 m: the
// first leaves 8:00:00; the second is due 90 s later with a minute's stop, 30 s for 2000 m,
// which not even line speed (72 s) makes; the third has five minutes, kept.
sample_route timed_route() {
  sample_route r(6000);
  r.station("ALFA", 1000);
  r.station("BETA", 3000);
  r.station("GAMMA", 5000);
  const int32_t due[] = {k8, k8 + 90, k8 + 390};
  const uint8_t stop[] = {1, 60, 0};
  for (int i = 0; i < 3; ++i) {
    r.records[static_cast<size_t>(i + 1)].number_4 = due[i];
    r.records[static_cast<size_t>(i + 1)].byte_2 = stop[i];
  }
  return r;
}

std::vector<double> numbers(std::string text) {
  for (char& c : text)
    if (c == 'M' || c == 'L') c = ' ';
  std::vector<double> out;
  std::istringstream in(text);
  for (double v; in >> v;) out.push_back(v);
  return out;
}

double number(const xml_element& e, const char* attribute) { return std::stod(e.attribute(attribute)); }

TEST(RenderTimetable, TheDiagramShowsTheScheduleAndEachLegsRun) {
  temp_folder t;
  timed_route().write(t.path(), "Mini", "42");
  ASSERT_EQ(run({"render", "--dir", t.path(), "-o", t.file("out.svg")}).status, 0);
  const xml_element root = parse_xml(read_file(t.file("out.svg")));
  cli_result figures = run({"timetable", "--dir", t.path(), "--json"});
  ASSERT_EQ(figures.status, 0) << figures.err;
  const nlohmann::json legs = nlohmann::json::parse(figures.out)["legs"];
  ASSERT_EQ(legs.size(), 2u);

  ASSERT_EQ(with_class(root, "time-distance").size(), 1u);
  const xml_element& diagram = *with_class(root, "time-distance")[0];
  auto x = [&](double metre) {
    return number(diagram, "data-x0") +
           (number(diagram, "data-x1") - number(diagram, "data-x0")) * metre /
               number(diagram, "data-axis-end");
  };
  auto y = [&](double seconds) {
    return number(diagram, "data-top") + (number(diagram, "data-bottom") - number(diagram, "data-top")) *
                                             (seconds - number(diagram, "data-t0")) /
                                             (number(diagram, "data-t1") - number(diagram, "data-t0"));
  };

  // The scheduled stops at their places and departures.
  const std::vector<const xml_element*> stops = with_class(diagram, "scheduled-stop");
  ASSERT_EQ(stops.size(), 3u);
  const double places[] = {1200, 3200, 5200}, departures[] = {k8, k8 + 90, k8 + 390};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_NEAR(number(*stops[i], "cx"), x(places[i]), 0.01) << i;
    EXPECT_NEAR(number(*stops[i], "cy"), y(departures[i]), 0.01) << i;
  }
  // Each leg's modelled run from its departure to where the command says it arrives; the late
  // one in red, its slack beside it.
  const std::vector<const xml_element*> runs = with_class(diagram, "modelled-run");
  ASSERT_EQ(runs.size(), 2u);
  for (size_t i = 0; i < 2; ++i) {
    const std::vector<double> d = numbers(runs[i]->attribute("d"));
    ASSERT_GE(d.size(), 4u);
    EXPECT_NEAR(d[0], x(places[i]), 0.01) << i;
    EXPECT_NEAR(d[1], y(departures[i]), 0.01) << i;
    EXPECT_NEAR(d[d.size() - 2], x(places[i + 1]), 0.01) << i;
    EXPECT_NEAR(d[d.size() - 1], y(departures[i] + legs[i]["modelled_s"].get<double>()), 0.05) << i;
  }
  EXPECT_TRUE(runs[0]->has_class("late"));
  EXPECT_FALSE(runs[1]->has_class("late"));
  const std::vector<const xml_element*> slack = with_class(diagram, "leg-slack");
  ASSERT_EQ(slack.size(), 2u);
  EXPECT_EQ(slack[0]->text.rfind("late ", 0), 0u) << slack[0]->text;
  EXPECT_NE(slack[0]->text.find("beyond line speed"), std::string::npos) << slack[0]->text;
  EXPECT_EQ(slack[1]->text.rfind("+", 0), 0u) << slack[1]->text;
  EXPECT_EQ(with_class(diagram, "line-speed-run").size(), 2u);
  EXPECT_EQ(with_class(diagram, "td-station-label").size(), 3u);
  // The speed profile shows the two modelled runs, one from each stop.
  EXPECT_EQ(with_class(root, "profile-modelled-speed").size(), 2u);
}

TEST(RenderTimetable, NoDiagramWithoutTwoTimedStations) {
  temp_folder t;
  sample_route r(6000);
  r.station("ALFA", 1000);
  r.records[1].number_4 = k8;
  r.write(t.path(), "Mini", "42");
  ASSERT_EQ(run({"render", "--dir", t.path(), "-o", t.file("out.svg")}).status, 0);
  const xml_element root = parse_xml(read_file(t.file("out.svg")));
  EXPECT_TRUE(with_class(root, "time-distance").empty());
  ASSERT_EQ(with_class(root, "no-timetable-note").size(), 1u);
  EXPECT_NE(with_class(root, "no-timetable-note")[0]->text.find("1 station has a scheduled time"),
            std::string::npos);
}

}  // namespace
