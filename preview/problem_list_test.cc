#include "preview/problem_list.h"

#include <sstream>

#include <gtest/gtest.h>

#include "testing/sample_route.h"

namespace {

diagnostic on_row(std::string text) {
  return warning_at({"R_linea.txt", 4, 1, std::move(text)}, "range", "a warning");
}

diagnostic with_metre(diagnostic d, double metre) {
  d.metre = metre;
  return d;
}

TEST(MetreOf, TheRowsPlaceElseThePositionRecorded) {
  // The readers give a row's place along the route; the row's text is never read again.
  EXPECT_EQ(metre_of(with_metre(on_row("velocita, 12.5, 20"), 12.5)), 12.5);
  EXPECT_EQ(metre_of(on_row("segnale,4150,2,4")), std::nullopt);
  // The row's place wins over a recorded position.
  diagnostic recorded = fault_at({"R_linea.txt", 4, 1, "segnale, 4150"}, 45, 4200);
  EXPECT_EQ(metre_of(recorded), 4200);
  EXPECT_EQ(metre_of(with_metre(recorded, 4150)), 4150);
  // A fault of the file as a whole, or the run's, has none.
  EXPECT_EQ(metre_of(failure("cannot read R_linea.txt")), std::nullopt);
}

TEST(ProblemsOf, ListsEachAsTheConsolePrintsItWithItsPlaceOnThePlan) {
  sample_route route(1000);
  const route_plan_table table = route.plan();
  const plan_path plan(table);
  const std::vector<diagnostic> ds = {
      with_metre(on_row("stazione, 650, 2, CAT\xc3\x88"), 650),  // rows come in UTF-8
      fault_at({"R_9-.txt", 12, 7, "segnale, 100"}, 45, 100),
      failure("cannot draw"),
  };
  const std::vector<problem> ps = problems_of(ds, &plan);
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
  const std::vector<problem> no_plan = problems_of(ds, nullptr);
  EXPECT_EQ(no_plan[0].metre, 650);
  EXPECT_FALSE(no_plan[0].plan_x);
}

}  // namespace
