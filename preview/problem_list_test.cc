#include "preview/problem_list.h"

#include <sstream>

#include <gtest/gtest.h>

#include "testing/sample_route.h"

namespace {

diagnostic on_row(std::string text) {
  return warning_at({"R_linea.txt", 4, 1, std::move(text)}, "range", "a warning");
}

TEST(MetreOf, ThePositionRecordedElseTheNumberAfterTheKeyword) {
  const struct {
    const char* row;
    std::optional<double> metre;
  } cases[] = {
      {"stazione, 500, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, ALFA", 500},
      {"segnale,4150,2,4", 4150},
      {"  pendenza , 0, 5", 0},
      {"curvad2,  2000,  1500", 2000},  // the keyword's digit is no position
      {"velocita, 12.5, 20", 12.5},
      {"stazione,    abc,  2,  600", std::nullopt},  // the broken field tells nothing
      {"stazione,    6000x,  2", std::nullopt},
      {"pendenza, -5, 0", std::nullopt},
      {"segnale", std::nullopt},
      {"segnale,", std::nullopt},
      {"[generale]", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.row);
    EXPECT_EQ(metre_of(on_row(c.row), true), c.metre);
  }
  // A row that starts with no metre (a car count) has none.
  EXPECT_EQ(metre_of(on_row("numero vetture, 8"), false), std::nullopt);
  // A recorded position wins over the row.
  diagnostic recorded = fault_at({"R_linea.txt", 4, 1, "segnale, 4150"}, 45, 4200);
  EXPECT_EQ(metre_of(recorded, true), 4200);
  EXPECT_EQ(metre_of(recorded, false), 4200);
  // A fault of the file as a whole, or the run's, has none.
  EXPECT_EQ(metre_of(failure("cannot read R_linea.txt"), true), std::nullopt);
}

TEST(ProblemsOf, ListsEachAsTheConsolePrintsItWithItsPlaceOnThePlan) {
  sample_route route(1000);
  const route_plan_table table = route.plan();
  const plan_path plan(table);
  const std::vector<diagnostic> ds = {
      on_row("stazione, 650, 2, CAT\xc3\x88"),  // rows come in UTF-8, as the console shows them
      fault_at({"R_9-.txt", 12, 7, "segnale, 100"}, 45, 100),
      failure("cannot draw"),
  };
  auto positioned = [](const diagnostic& d) { return d.where.text.starts_with("stazione"); };
  const std::vector<problem> ps = problems_of(ds, positioned, &plan);
  ASSERT_EQ(ps.size(), 3u);

  EXPECT_FALSE(ps[0].error);
  EXPECT_EQ(ps[0].where, "R_linea.txt:4");
  std::ostringstream printed;
  print_diagnostic(printed, ds[0]);
  EXPECT_EQ(ps[0].text + "\n", printed.str());
  EXPECT_EQ(ps[0].metre, 650);
  ASSERT_TRUE(ps[0].plan_x && ps[0].plan_y);
  EXPECT_EQ(*ps[0].plan_x, 0);  // the sample route runs north from the origin
  EXPECT_EQ(*ps[0].plan_y, 650);

  EXPECT_TRUE(ps[1].error);
  EXPECT_EQ(ps[1].where, "R_9-.txt:12");
  EXPECT_EQ(ps[1].metre, 100);
  EXPECT_NE(ps[1].text.find("R_9-.txt:12:7: error 45"), std::string::npos);

  EXPECT_EQ(ps[2].where, "");
  EXPECT_EQ(ps[2].metre, std::nullopt);
  EXPECT_EQ(ps[2].text, "scenario-compiler: error: cannot draw");

  // Without a plan the metre stands alone.
  const std::vector<problem> no_plan = problems_of(ds, positioned, nullptr);
  EXPECT_EQ(no_plan[0].metre, 650);
  EXPECT_FALSE(no_plan[0].plan_x);
}

}  // namespace
