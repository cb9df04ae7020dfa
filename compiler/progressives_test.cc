#include <gtest/gtest.h>

#include <sstream>

#include "form1/form1.h"
#include "testing/line_fixture.h"

namespace {

struct triple {
  int32_t start, value, flag;
  bool operator==(const triple&) const = default;
};

struct ordering_case {
  const char* name;
  triple tre, due, uno;                  // entries 81, 82, 83 as read
  triple expect81, expect82, expect83;  // after ordering and adjustment
};

class ProgressiveOrdering : public testing::TestWithParam<ordering_case> {};

TEST_P(ProgressiveOrdering, OrdersAndAdjusts) {
  const ordering_case& c = GetParam();
  Form1 form;
  auto set = [&](int e, triple t) {
    form.scenario_records[e].number_1 = t.start;
    form.scenario_records[e].number_2 = t.value;
    form.scenario_records[e].number_3 = t.flag;
  };
  auto get = [&](int e) {
    const scenario_record& r = form.scenario_records[e];
    return triple{r.number_1, r.number_2, r.number_3};
  };
  set(81, c.tre);
  set(82, c.due);
  set(83, c.uno);
  form.progressive_ordina();
  EXPECT_EQ(get(81), c.expect81);
  EXPECT_EQ(get(82), c.expect82);
  EXPECT_EQ(get(83), c.expect83);
}

void PrintTo(const ordering_case& c, std::ostream* os) { *os << c.name; }

INSTANTIATE_TEST_SUITE_P(
    Cases, ProgressiveOrdering,
    testing::Values(
        ordering_case{"builtin", {63200, 101300, 1}, {40500, 63200, 1}, {9600, -9550, 0},
                      {63200, 101400, 1}, {40500, 63300, 1}, {9600, -9550, 0}},
        ordering_case{"only_uno", {0, 0, 0}, {0, 0, 0}, {5000, 12000, 1},
                      {5000, 12100, 1}, {0, 0, 0}, {0, 0, 0}},
        ordering_case{"reversed", {1000, 1, 0}, {2000, 2, 0}, {3000, 3, 0},
                      {3000, 3, 0}, {2000, 2, 0}, {1000, 1, 0}},
        ordering_case{"due_greatest_uno_middle", {1000, 1, 0}, {3000, 3, 0}, {2000, 2, 0},
                      {3000, 3, 0}, {2000, 2, 0}, {1000, 1, 0}},
        ordering_case{"starts_zero_pick_by_value", {0, 0, 0}, {0, 0, 0}, {0, 12000, 0},
                      {0, 12000, 0}, {0, 0, 0}, {0, 0, 0}},
        ordering_case{"starts_zero_last_positive_wins", {0, 5, 0}, {0, 7, 0}, {0, 0, 0},
                      {0, 7, 0}, {0, 5, 0}, {0, 0, 0}},
        ordering_case{"shared_greatest_start_clears_all", {10000, 1, 0}, {40000, 2, 0},
                      {40000, 3, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        ordering_case{"starts_cancel_out", {-5000, 9, 1}, {5000, 8, 0}, {0, 7, 0},
                      {0, 7, 0}, {5000, 8, 0}, {-5000, 109, 1}}));

TEST(ProgressiveCheck, FlagsAStartOrValueOffTheFiftyMetreGrid) {
  struct check_case {
    int entry;
    int32_t start, value;
    bool fault;
  };
  for (const check_case& c : {check_case{81, 63200, 101400, false}, check_case{82, 0, 12025, true},
                              check_case{83, 9610, -9550, true}, check_case{83, 0, -50, false}}) {
    Form1 form;
    std::ostringstream console;
    form.console = &console;
    form.error_position = 777;
    form.scenario_records[c.entry].number_1 = c.start;
    form.scenario_records[c.entry].number_2 = c.value;
    form.controlla_progressive();
    EXPECT_EQ(form.error_code, c.fault ? 2 : 0) << c.entry << " " << c.start << " " << c.value;
    EXPECT_EQ(form.error_position, 777);  // the check records no position
  }
}

// Flag 1 adds 100: the largest value that still fits is taken; one above it is refused with
// code 25 naming the value, and the line file is deleted, not stored wrapped around.
TEST(ProgressiveRaise, ValueNearTheTopOfThirtyTwoBits) {
  for (int32_t value : {2147483547, 2147483548, 2147483647}) {
    line_fixture f;
    f.read("[generale]\nlunghezza percorso,    82000\ntre progressiva,  1000,  " +
           std::to_string(value) + ",  1\n[curve]\n[fine]\n");
    if (value == 2147483547) {
      EXPECT_EQ(f.form.error_code, 0) << f.console.str();
      EXPECT_EQ(f.form.scenario_records[81].number_2, 2147483647);
    } else {
      EXPECT_EQ(f.form.error_code, 25);
      EXPECT_EQ(f.console.str(),
                "Zenvro_Quarvel_linea.txt: error 25: the text files cannot be read: the "
                "progressive value " + std::to_string(value) +
                    " with flag 1 does not fit a 32-bit field once 100 is added\n");
      EXPECT_FALSE(f.form.file_exists(line_file_name(f.form.route_name)));
    }
  }
}

TEST(Minimo, ReturnsTheSmallerAndTheFirstOnATie) {
  EXPECT_EQ(Form1::minimo(3, 5), 3);
  EXPECT_EQ(Form1::minimo(5, 3), 3);
  EXPECT_EQ(Form1::minimo(4, 4), 4);
  EXPECT_EQ(Form1::minimo(180, -20), -20);
}

}  // namespace
