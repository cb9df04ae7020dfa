#include "render/scenario_files.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace {

TEST(ScenarioFiles, AScenarioIsItsRecordsBesideItsCells) {
  const std::vector<std::string> folder = {
      "Monte_101.sim", "Monte_101.dat", "Monte_linea.dat", "Monte_101-.txt", "Monte_linea.txt",
      "Monte_102.sim", "Monte_102.dat",            // a second train, no plan needed
      "Lago_7.sim",                                // records alone
      "Valle_3.dat",                               // cells alone
      "Zenvro_Quarvel_2417.sim", "Zenvro_Quarvel_2417.dat", "Zenvro_Quarvel_linea.dat",
      "notes.sim.txt", "picture.svg", "Monte_101.SIM"};
  struct row {
    const char* route;
    const char* train;
    std::vector<scenario_name> complete;
    std::vector<half_scenario> halves;
  } rows[] = {
      {"", "",
       {{"Monte", "101"}, {"Monte", "102"}, {"Zenvro_Quarvel", "2417"}},
       {{"Lago_7.sim", "Lago_7.dat"}, {"Valle_3.dat", "Valle_3.sim"}}},
      {"Monte", "", {{"Monte", "101"}, {"Monte", "102"}}, {}},
      {"", "101", {{"Monte", "101"}}, {}},
      {"Zenvro_Quarvel", "", {{"Zenvro_Quarvel", "2417"}}, {}},
      {"Zenvro", "", {{"Zenvro", "Quarvel_2417"}}, {}},
      {"", "2417", {{"Zenvro_Quarvel", "2417"}}, {}},
      {"Lago", "", {}, {{"Lago_7.sim", "Lago_7.dat"}}},
      {"Nessuna", "", {}, {}},
  };
  for (const row& r : rows) {
    scenario_search s = find_scenarios(folder, r.route, r.train);
    EXPECT_EQ(s.complete, r.complete) << "route '" << r.route << "' train '" << r.train << "'";
    EXPECT_EQ(s.halves, r.halves) << "route '" << r.route << "' train '" << r.train << "'";
  }
}

TEST(ScenarioFiles, AFolderThatCannotBeRead) {
  temp_folder t;
  write_file(t.file("Monte_101.sim"), "");
  std::string error;
  EXPECT_EQ(folder_file_names(t.path(), error), std::vector<std::string>{"Monte_101.sim"});
  EXPECT_EQ(error, "");
  EXPECT_TRUE(folder_file_names(t.file("absent"), error).empty());
  EXPECT_NE(error.find("No such file"), std::string::npos) << error;
}

}  // namespace

namespace {

TEST(ScenarioFiles, ALapseInItsLargestWholeUnit) {
  const std::pair<long, const char*> cases[] = {{3, "3 s"},        {119, "119 s"},
                                                {120, "2 min"},    {7199, "119 min"},
                                                {7200, "2 h"},     {172799, "47 h"},
                                                {172800, "2 days"}};
  for (const auto& [seconds, text] : cases) EXPECT_EQ(duration_text(seconds), text) << seconds;
}

}  // namespace
