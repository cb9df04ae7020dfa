#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/run_cli.h"
#include "testing/temp_folder.h"

namespace {

using nlohmann::json;

// 5000 m at 90 km/h (25 m/s). Stations of type 30 have no stop cell: each stops at its
// position. A leaves 8:00:00; B is due 8:02:00 with a minute's stop, so the leg has 60 s; C is
// passed at 8:02:30, 30 s after B leaves, and D is due before C.
const std::string kLine = "[generale]\r\nlunghezza percorso, 5000\r\n[fine]\r\n";
const std::string kTrain =
    "[generale]\r\n"                                                  // 1
    "percentuale massa frenata, 0\r\n"                                // 2
    "velocita, 0, 90\r\n"                                             // 3
    "aderenza, 0, 100\r\n"                                            // 4
    "stazione, 1000, 30, 200, 0,0,0, 0,0,0, 0,0,0,  1, 8,0,0, A\r\n"  // 5
    "stazione, 2000, 30, 200, 0,0,0, 0,0,0, 0,0,0, 60, 8,2,0, B\r\n"  // 6
    "stazione, 3000, 30, 200, 0,0,0, 0,0,0, 0,0,0,  0, 8,2,30, C\r\n" // 7
    "stazione, 4000, 30, 200, 0,0,0, 0,0,0, 0,0,0,  0, 8,2,0, D\r\n"  // 8
    "[fine]\r\n";
// Rates that make the sums easy by hand: from rest to 25 m/s in 625 m (50 s), from it to
// rest in 250 m (20 s), so 1000 m from rest to rest take 50 + 5 + 20 = 75 s; at line speed 40 s.
const std::vector<std::string> kEasyRates = {"--acceleration", "0.5", "--deceleration", "1.25"};

class TimetableCommand : public testing::Test {
 protected:
  void SetUp() override {
    write_file(line_path(), kLine);
    write_file(train_path(), kTrain);
  }
  std::string line_path() const { return author.file("Mini_linea.txt"); }
  std::string train_path() const { return author.file("Mini_42-.txt"); }
  cli_result on_sources(const std::string& command, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {command, line_path(), train_path()};
    args.insert(args.end(), extra.begin(), extra.end());
    return run(args);
  }
  temp_folder author;
};

TEST_F(TimetableCommand, TheBuiltInTimetableAsJson) {
  temp_folder exported;
  ASSERT_EQ(run({"export", "--out", exported.path()}).status, 0);
  cli_result r = run({"timetable", exported.file("Zenvro_Quarvel_linea.txt"),
                      exported.file("Zenvro_Quarvel_2417-.txt"), "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const json j = json::parse(r.out);
  EXPECT_EQ(j["rates"]["braked_mass_percent"], 120);
  // Twelve timed stations (the junction and San Dorigo have no time): eleven legs.
  ASSERT_EQ(j["legs"].size(), 11u);
  const json& first = j["legs"][0];
  EXPECT_EQ(first["from"], "ZENVRO CENTRALE");
  EXPECT_EQ(first["to"], "MORLENO");
  EXPECT_EQ(first["distance_m"], 5500);  // from 800 m to 6300 m, the ends of the stop cells
  EXPECT_EQ(first["scheduled_s"], 360);  // 8:25 to 8:32, less the minute's stop
  EXPECT_EQ(j["legs"][10]["to"], "QUARVEL");
  for (const json& leg : j["legs"]) {
    for (const char* key : {"from", "to", "distance_m", "scheduled_s", "line_speed_s",
                            "modelled_s", "slack_s"})
      EXPECT_TRUE(leg.contains(key)) << key;
    // The built-in timetable holds under the default rates, every leg with time to spare.
    EXPECT_GT(leg["slack_s"].get<double>(), 0) << leg["to"];
    EXPECT_LT(leg["line_speed_s"].get<double>(), leg["modelled_s"].get<double>()) << leg["to"];
    EXPECT_NEAR(leg["slack_s"].get<double>(),
                leg["scheduled_s"].get<double>() - leg["modelled_s"].get<double>(), 0.11);
  }
}

TEST_F(TimetableCommand, FromACompiledScenarioAsFromItsSources) {
  ASSERT_EQ(run({"compile", line_path(), train_path(), "--out", author.path()}).status, 0);
  for (bool json_output : {false, true}) {
    std::vector<std::string> extra = kEasyRates;
    if (json_output) extra.push_back("--json");
    const cli_result sources = on_sources("timetable", extra);
    std::vector<std::string> compiled = {"timetable", author.file("Mini_42.sim")};
    compiled.insert(compiled.end(), extra.begin(), extra.end());
    const cli_result files = run(compiled);
    EXPECT_EQ(files.status, 0) << files.err;
    EXPECT_EQ(files.out, sources.out);
  }
  // Found in a folder as render finds it.
  const cli_result found = run({"timetable", "--dir", author.path()});
  EXPECT_EQ(found.status, 0) << found.err;
  EXPECT_NE(found.out.find("Mini_42: 4 timed stations, 3 legs"), std::string::npos) << found.out;
}

TEST_F(TimetableCommand, TheFiguresOfEachLeg) {
  cli_result r = on_sources("timetable", {"--json", "--acceleration", "0.5", "--deceleration", "1.25",
                                          "-Wno-timetable", "-Wno-timetable-order"});
  ASSERT_EQ(r.status, 0) << r.err;
  const json legs = json::parse(r.out)["legs"];
  ASSERT_EQ(legs.size(), 3u);
  EXPECT_EQ(legs[0]["scheduled_s"], 60);
  EXPECT_EQ(legs[0]["line_speed_s"], 40);
  EXPECT_EQ(legs[0]["modelled_s"], 75);
  EXPECT_EQ(legs[0]["slack_s"], -15);
  EXPECT_EQ(legs[1]["scheduled_s"], 30);
  EXPECT_EQ(legs[2]["scheduled_s"], -30);
  EXPECT_EQ(json::parse(r.out)["rates"]["deceleration_from"], "given");

  // Without the options: 0.3 m/s² up and, with no braked mass, 0.5 m/s² down, both slower.
  const json slower = json::parse(on_sources("timetable", {"--json"}).out)["legs"];
  EXPECT_GT(slower[0]["modelled_s"].get<double>(), 75);
  EXPECT_EQ(slower[0]["line_speed_s"], 40);
}

// Each warning at the later station's scheduled time with a note at the earlier's; the model's
// only when asked for; each kind silenced on its own; in line order among the others.
TEST_F(TimetableCommand, WarningsInCheck) {
  cli_result r = on_sources("check", kEasyRates);
  EXPECT_EQ(r.status, 0);
  const std::string train = train_path();
  const size_t line = r.err.find(train + ":7:51: warning: due 8:02:30; at line speed from B");
  const size_t order = r.err.find(train + ":8:51: warning: due 8:02:00, not after C before it, "
                                          "due 8:02:30 [-Wtimetable-order]");
  ASSERT_NE(line, std::string::npos) << r.err;
  ASSERT_NE(order, std::string::npos) << r.err;
  EXPECT_LT(line, order);
  EXPECT_NE(r.err.find("[-Wtimetable]\n" + std::string("stazione, 3000"), line), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(train + ":6:51: note: the leg starts at B, due 8:02:00", line), std::string::npos)
      << r.err;
  EXPECT_NE(r.err.find(train + ":7:51: note: C is due 8:02:30 here", order), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("-Wtimetable-model"), std::string::npos) << r.err;
  EXPECT_NE(r.out.find("0 errors, 2 warnings"), std::string::npos) << r.out;

  cli_result asked = on_sources("check", {"-Wtimetable-model", "--acceleration", "0.5",
                                          "--deceleration", "1.25"});
  EXPECT_NE(asked.err.find(train + ":6:51: warning: due 8:02:00; in the modelled run from A "
                                   "(8:00:00, 1.0 km) it arrives at 8:01:15, and it stops 60 s "
                                   "there: 0:15 late, at acceleration 0.50 m/s\u00b2, braking "
                                   "1.25 m/s\u00b2 (given) [-Wtimetable-model]"),
            std::string::npos)
      << asked.err;
  EXPECT_NE(asked.out.find("0 errors, 3 warnings"), std::string::npos) << asked.out;
  // The later word wins.
  EXPECT_NE(on_sources("check", {"-Wtimetable-model", "-Wno-timetable-model"}).out.find("2 warnings"),
            std::string::npos);

  cli_result quiet = on_sources("check", {"-Wno-timetable", "-Wno-timetable-order"});
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.status, 0);
}

TEST_F(TimetableCommand, UnderWerrorCompileWritesNothing) {
  cli_result r = on_sources("compile", {"--out", author.path(), "--werror"});
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("[-Werror=timetable-order]"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no file written"), std::string::npos) << r.err;
  EXPECT_FALSE(file_present(author.file("Mini_42.sim")));
  // The warnings alone leave the files written.
  EXPECT_EQ(on_sources("compile", {"--out", author.path()}).status, 0);
  EXPECT_TRUE(file_present(author.file("Mini_42.sim")));
}

TEST_F(TimetableCommand, SourcesWithErrorsHaveNoTimetable) {
  // A station position off the grid of 50 m: error 8 ends the compile.
  std::string broken = kTrain;
  broken.replace(broken.find("stazione, 3000"), 14, "stazione, 3010");
  write_file(train_path(), broken);
  cli_result r = on_sources("timetable");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("error 8"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("no timetable: the sources do not compile without errors"), std::string::npos)
      << r.err;
  EXPECT_EQ(r.err.find("-Wtimetable"), std::string::npos) << r.err;  // told of no cut route
}

TEST_F(TimetableCommand, WrongUsage) {
  struct usage_case {
    std::vector<std::string> args;
    const char* says;
  };
  const usage_case cases[] = {
      {{"--acceleration", "0"}, "--acceleration takes a rate in m/s^2 above 0"},
      {{"--deceleration", "fast"}, "--deceleration takes a rate in m/s^2 above 0"},
      {{"--dir", "."}, "--dir looks for a compiled scenario"},
      {{"extra"}, "unexpected extra"},
      {{"-Wtimetable-modle"}, "unknown warning -Wtimetable-modle; did you mean -Wtimetable-model?"},
  };
  for (const usage_case& c : cases) {
    cli_result r = on_sources("timetable", c.args);
    EXPECT_EQ(r.status, 2) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("usage: scenario-compiler timetable"), std::string::npos) << r.err;
  }
  for (const char* command : {"check", "compile", "serve"}) {
    cli_result r = on_sources(command, {"--acceleration", "-1"});
    EXPECT_EQ(r.status, 2) << command;
    EXPECT_NE(r.err.find("--acceleration takes a rate"), std::string::npos) << r.err;
  }
  cli_result render = run({"render", "--dir", author.path(), "--deceleration", "0,5"});
  EXPECT_EQ(render.status, 2);
  EXPECT_NE(render.err.find("--deceleration takes a rate in m/s^2 above 0 and at most 10, such as "
                            "0.5, not '0,5'"),
            std::string::npos)
      << render.err;
  // A compiled scenario takes no options of the sources.
  EXPECT_EQ(run({"timetable", "--dir", author.path(), "--werror"}).status, 2);
}

}  // namespace
