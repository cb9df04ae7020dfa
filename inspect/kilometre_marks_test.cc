#include "inspect/kilometre_marks.h"

#include <gtest/gtest.h>

namespace {

struct case_of_marks {
  const char* name;
  progressive_mark progressives[3];
  double metre;
  double mark;
};

TEST(KilometreMarks, FromTheProgressiveThatApplies) {
  const case_of_marks cases[] = {
      {"none: the route's own count", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, 12345, 12345},
      {"one from the route's start", {{0, 12000, 0}, {0, 0, 0}, {0, 0, 0}}, 500, 12500},
      {"before its start", {{5000, 12100, 1}, {0, 0, 0}, {0, 0, 0}}, 4950, 4950},
      {"at its start", {{5000, 12100, 1}, {0, 0, 0}, {0, 0, 0}}, 5000, 12100},
      {"the later one wins", {{40500, 63300, 1}, {9600, -9550, 0}, {0, 0, 0}}, 40500, 63300},
      {"the earlier one before it", {{40500, 63300, 1}, {9600, -9550, 0}, {0, 0, 0}}, 40499,
       21349},
      {"any order", {{9600, -9550, 0}, {63200, 101400, 1}, {40500, 63300, 1}}, 70000, 108200},
  };
  for (const case_of_marks& c : cases) {
    EXPECT_EQ(kilometre_marks(c.progressives).at(c.metre), c.mark) << c.name;
    EXPECT_EQ(kilometre_marks(c.progressives).from_progressives(),
              c.progressives[0].start != 0 || c.progressives[0].value != 0)
        << c.name;
  }
}

TEST(KilometreMarks, InKilometres) {
  EXPECT_EQ(kilometres(12350), "12.350");
  EXPECT_EQ(kilometres(-0.1), "0.000");
  EXPECT_EQ(kilometres(-9550), "-9.550");
}

}  // namespace
