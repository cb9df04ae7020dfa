#include "timetable/timetable_print.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "timetable/clock_text.h"

namespace {

const running_rates kEasy{0.5, 1.0, true, std::nullopt};
constexpr int32_t k8 = 8 * 3600;

// A at 0, B a minute's stop at 1000 m due 8:02:00 (late by 20 s in the model), C at 2000 m.
timetable three_stations(std::vector<value_run> speed = {{0, 5000, 72}}) {
  route_features f;
  f.speed = std::move(speed);
  f.stations = {{1, "A", 0, -100, 100, 30, k8, 1},
                {2, "BORGO SAN LÈO", 1000, 900, 1100, 30, k8 + 120, 60},
                {3, "C", 2000, 1900, 2100, 30, k8 + 300, 0}};
  return compute_timetable(f, kEasy);
}

TEST(TimetablePrint, JsonHasEveryLegsFigures) {
  const nlohmann::json j = nlohmann::json::parse(timetable_json(three_stations(), "R", "7"));
  EXPECT_EQ(j["route"], "R");
  EXPECT_EQ(j["train"], "7");
  EXPECT_EQ(j["rates"]["acceleration_m_s2"], 0.5);
  EXPECT_EQ(j["rates"]["deceleration_from"], "given");
  ASSERT_EQ(j["legs"].size(), 2u);
  const nlohmann::json& first = j["legs"][0];
  EXPECT_EQ(first["from"], "A");
  EXPECT_EQ(first["to"], "BORGO SAN LÈO");
  EXPECT_EQ(first["distance_m"], 1000);
  EXPECT_EQ(first["scheduled_s"], 60);
  EXPECT_EQ(first["line_speed_s"], 50);
  EXPECT_EQ(first["modelled_s"], 80);
  EXPECT_EQ(first["slack_s"], -20);
  EXPECT_EQ(first["verdict"], "late");
  EXPECT_EQ(j["legs"][1]["slack_s"], 100);
  EXPECT_EQ(j["legs"][1]["verdict"], "kept");
  EXPECT_EQ(j["stations"][1]["stop_s"], 60);
}

TEST(TimetablePrint, JsonHasNullWhereNoTrainGetsThrough) {
  const nlohmann::json j = nlohmann::json::parse(
      timetable_json(three_stations({{0, 500, 72}, {500, 550, 0}, {550, 5000, 72}}), "R", "7"));
  const nlohmann::json& first = j["legs"][0];
  EXPECT_TRUE(first["line_speed_s"].is_null());
  EXPECT_TRUE(first["modelled_s"].is_null());
  EXPECT_TRUE(first["slack_s"].is_null());
  EXPECT_EQ(first["blocked_at_m"], 500);
  EXPECT_EQ(first["verdict"], "no train gets through");
}

TEST(TimetablePrint, TableRowsLineUpAndTellTheTightness) {
  std::ostringstream out;
  print_timetable(out, three_stations(), "R_7");
  const std::string text = out.str();
  EXPECT_NE(text.find("R_7: 3 timed stations, 2 legs\nmodelled at acceleration 0.50"), std::string::npos)
      << text;
  // The name with a letter of two bytes keeps the columns of the others.
  const size_t b = text.find("BORGO SAN LÈO  ");
  const size_t c = text.find("\nC  ");
  ASSERT_NE(b, std::string::npos) << text;
  ASSERT_NE(c, std::string::npos) << text;
  const std::string b_row = text.substr(b, text.find('\n', b) - b);
  const std::string c_row = text.substr(c + 1, text.find('\n', c + 1) - c - 1);
  EXPECT_NE(b_row.find("8:02:00    60   1.000 km        0:50      1:20   8:01:20   -0:20  late"),
            std::string::npos)
      << text;
  EXPECT_NE(c_row.find("8:05:00     0   1.000 km        0:50      1:20   8:03:20   +1:40"),
            std::string::npos)
      << text;
  EXPECT_EQ(b_row.find("8:02:00"), c_row.find("8:05:00") + 1) << text;  // "È" takes 2 bytes
  EXPECT_NE(text.find("1 leg is late in the modelled run; the worst, A to BORGO SAN LÈO, by 0:20"),
            std::string::npos)
      << text;
}

TEST(TimetablePrint, Tightness) {
  EXPECT_EQ(tightness_words(timetable{}), "no station has a scheduled time");
  timetable kept = three_stations();
  kept.stations[1].scheduled += 60;
  kept.legs[0].scheduled += 60;
  kept.legs[1].scheduled -= 60;
  EXPECT_EQ(tightness_words(kept), "the timetable can be kept: the least slack is +0:40, A to BORGO SAN LÈO");
}

TEST(ClockText, TimesAndDurations) {
  EXPECT_EQ(clock_text(8 * 3600 + 25 * 60), "8:25:00");
  EXPECT_EQ(clock_text(25 * 3600 + 0.6), "25:00:01");
  EXPECT_EQ(clock_text(-300), "-0:05:00");
  EXPECT_EQ(duration_text(218.4), "3:38");
  EXPECT_EQ(duration_text(3725), "1:02:05");
  EXPECT_EQ(duration_text(88, true), "+1:28");
  EXPECT_EQ(duration_text(-45, true), "-0:45");
  EXPECT_EQ(duration_text(1.0 / 0.0), "-");
}

}  // namespace
