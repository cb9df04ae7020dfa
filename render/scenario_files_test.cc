#include "render/scenario_files.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace {

TEST(ScenarioFiles, SplitsAStemWhereTheGivenNamesSay) {
  struct row {
    const char* stem;
    const char* route;  // given, "" for none
    const char* train;
    const char* want_route;  // nullptr: the stem does not fit
    const char* want_train;
  } rows[] = {
      {"Monte_101", "", "", "Monte", "101"},
      {"Zenvro_Quarvel_2417", "", "", "Zenvro_Quarvel", "2417"},   // cut at the last '_'
      {"Zenvro_Quarvel_2417", "Zenvro", "", "Zenvro", "Quarvel_2417"},
      {"Zenvro_Quarvel_2417", "", "Quarvel_2417", "Zenvro", "Quarvel_2417"},
      {"Zenvro_Quarvel_2417", "Zenvro_Quarvel", "2417", "Zenvro_Quarvel", "2417"},
      {"Zenvro_Quarvel_2417", "Zenvro_Quarvel", "17", nullptr, nullptr},
      {"Zenvro_Quarvel_2417", "", "417", nullptr, nullptr},  // not at a '_'
      {"Monte_101", "Mont", "", nullptr, nullptr},           // not at a '_'
      {"Monte_101", "Monte_101", "", nullptr, nullptr},      // no train left
      {"Monte", "", "", nullptr, nullptr},
      {"_101", "", "", nullptr, nullptr},
      {"Monte_", "", "", nullptr, nullptr},
      {"Linea Nord_99", "", "", "Linea Nord", "99"},
  };
  for (const row& r : rows) {
    std::optional<scenario_name> n = split_scenario_stem(r.stem, r.route, r.train);
    std::string what = std::string(r.stem) + " route '" + r.route + "' train '" + r.train + "'";
    if (!r.want_route) {
      EXPECT_FALSE(n) << what << " gave " << n->route << " / " << n->train;
      continue;
    }
    ASSERT_TRUE(n) << what;
    EXPECT_EQ(n->route, r.want_route) << what;
    EXPECT_EQ(n->train, r.want_train) << what;
    EXPECT_EQ(n->stem(), r.stem) << what;
  }
}

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
