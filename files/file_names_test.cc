#include "files/file_names.h"

#include <gtest/gtest.h>

namespace {

TEST(FileNames, SplitsAStemWhereTheGivenNamesSay) {
  struct row {
    const char* stem;
    const char* route;  // given, "" for none
    const char* train;
    const char* want_route;  // nullptr: the stem does not fit
    const char* want_train;
  } rows[] = {
      {"Monte_101", "", "", "Monte", "101"},
      {"Zenvro_Quarvel_2417", "", "", "Zenvro_Quarvel", "2417"},  // cut at the last '_'
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

TEST(FileNames, WhatAMadeNameIsTakenApartInto) {
  // Every name made for a train is taken back to its route and number, a route holding '_'
  // included, where the route is known.
  for (const scenario_name& n :
       {scenario_name{"Monte", "101"}, scenario_name{"Zenvro_Quarvel", "2417"},
        scenario_name{"Linea Nord", "A_7"}}) {
    EXPECT_EQ(route_of_line_file("some/folder/" + line_file_name(n.route)), n.route);
    EXPECT_EQ(train_of_train_file(train_file_name(n.route, n.train), n.route), n.train);
    EXPECT_EQ(scenario_of_records_file("f/" + records_file_name(n.route, n.train), n.route, ""), n);
    EXPECT_EQ(binary_kind_of(plan_file_name(n.route)), binary_file_kind::plan);
    EXPECT_EQ(binary_kind_of(records_file_name(n.route, n.train)), binary_file_kind::records);
    EXPECT_EQ(binary_kind_of(cells_file_name(n.route, n.train)), binary_file_kind::cells);
    EXPECT_EQ(binary_file_stem(cells_file_name(n.route, n.train), binary_file_kind::cells),
              n.stem());
    EXPECT_EQ(binary_file_stem(plan_file_name(n.route), binary_file_kind::plan), n.route);
  }
}

TEST(FileNames, SourceNamesThatSayNothing) {
  EXPECT_EQ(route_of_line_file("Monte_linea.TXT"), "");
  EXPECT_EQ(route_of_line_file("Monte.txt"), "");
  EXPECT_EQ(route_of_line_file("_linea.txt"), "");  // an empty route: refused by the caller
  struct {
    const char* path;
    const char* route;
    const char* train;
  } trains[] = {
      {"Zenvro_Quarvel_2417-.txt", "", "2417"},                // the last '_'
      {"Zenvro_Quarvel_2417-.txt", "Zenvro", "Quarvel_2417"},  // after the route given
      {"Zenvro_Quarvel_2417-.txt", "Monte", "2417"},           // another route: the last '_'
      {"dir_x/Monte101-.txt", "", ""},                         // the folder's '_' is not the name's
      {"Monte_101.txt", "", ""},
      {"_101-.txt", "", "101"},
  };
  for (const auto& t : trains)
    EXPECT_EQ(train_of_train_file(t.path, t.route), t.train) << t.path << " " << t.route;
}

TEST(FileNames, TheKindOfABinaryFileByItsName) {
  EXPECT_EQ(binary_kind_of("Monte_linea.dat"), binary_file_kind::plan);
  EXPECT_EQ(binary_kind_of("Monte_linea.sim"), binary_file_kind::records);
  EXPECT_EQ(binary_kind_of("linea.dat"), binary_file_kind::cells);
  EXPECT_EQ(binary_kind_of("Monte_101.svg"), binary_file_kind::unknown);
  EXPECT_EQ(binary_kind_of("Monte_101.sim.bak"), binary_file_kind::unknown);
  EXPECT_FALSE(scenario_of_records_file("Monte_101.dat", "", ""));
  EXPECT_FALSE(scenario_of_records_file(".sim", "", ""));
  EXPECT_FALSE(scenario_of_records_file("Monte.sim", "", ""));
  EXPECT_EQ(records_path_beside("f/Monte_101.dat"), "f/Monte_101.sim");
  EXPECT_EQ(records_path_beside("f/Monte_101"), "f/Monte_101.sim");
}

}  // namespace
