#include <gtest/gtest.h>

#include "testing/train_fixture.h"

namespace {

std::string slowdown(int32_t x, int32_t v, int32_t l, int32_t f_tt, int32_t f_ta, int32_t d_v) {
  return "rallentamento, " + std::to_string(x) + ", " + std::to_string(v) + ", " +
         std::to_string(l) + ", " + std::to_string(f_tt) + ", " + std::to_string(f_ta) + ", " +
         std::to_string(d_v);
}

track_cell object(uint8_t kind, int16_t value_1, int16_t value_2 = 0, int16_t value_3 = 0) {
  track_cell c;
  c.kind = kind;
  c.value_1 = value_1;
  c.value_2 = value_2;
  c.value_3 = value_3;
  return c;
}

// Every cell that is not empty, as "cell:kind/value_1/value_2/value_3".
std::string objects(const train_fixture& f) {
  std::string out;
  for (size_t c = 0; c < f.form.track_cells.size(); ++c) {
    const track_cell& t = f.form.track_cells[c];
    if (t == track_cell{}) continue;
    if (!out.empty()) out += ' ';
    out += std::to_string(c) + ":" + std::to_string(t.kind) + "/" + std::to_string(t.value_1) +
           "/" + std::to_string(t.value_2) + "/" + std::to_string(t.value_3);
  }
  return out;
}

TEST(Slowdowns, TheWorkedExample) {
  train_fixture f;
  f.run({slowdown(5000, 60, 1000, 0, 1, 0)});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(objects(f), "73:5/4/0/0 74:5/3/0/0 75:5/2/0/0 76:5/1/0/0 77:4/60/0/0 101:3/60/0/0 "
                        "121:2/60/0/0");
}

TEST(Slowdowns, CodesGoIntoValue2And3OnlyWhereAsked) {
  struct code_case {
    int32_t f_tt, d_v;
    const char* objects;
  };
  for (const code_case& c :
       {// with d_v 0 value_2 keeps what it held (7 here)
        code_case{0, 0, "73:5/4/7/0 74:5/3/7/0 75:5/2/7/0 76:5/1/7/0 77:4/60/7/0 101:3/60/7/0 "
                        "121:2/60/7/0"},
        code_case{9, 3, "73:5/4/4/0 74:5/3/3/0 75:5/2/2/0 76:5/1/1/0 77:4/60/3/0 101:3/60/3/9 "
                        "121:2/60/3/9"}}) {
    train_fixture f;
    for (int cell : {73, 74, 75, 76, 77, 101, 121}) f.cell(cell).value_2 = 7;
    f.run({slowdown(5000, 60, 1000, c.f_tt, 1, c.d_v)});
    EXPECT_EQ(f.form.error_code, 0);
    EXPECT_EQ(objects(f), c.objects) << c.d_v;
  }
}

TEST(Slowdowns, WarningBoardAndApproachOnlyAbove1500) {
  struct warning_case {
    int32_t x;
    const char* objects;
  };
  for (const warning_case& c :
       {warning_case{1500, "31:3/60/0/0 51:2/60/0/0"},
        warning_case{1550, "4:5/4/0/0 5:5/3/0/0 6:5/2/0/0 7:5/1/0/0 8:4/60/0/0 32:3/60/0/0 "
                           "52:2/60/0/0"}}) {
    train_fixture f;
    f.run({slowdown(c.x, 60, 1000, 0, 1, 0)});
    EXPECT_EQ(f.form.error_code, 0);
    EXPECT_EQ(objects(f), c.objects) << c.x;
  }
}

TEST(Slowdowns, SixteenBitValuesKeepTheirLowBits) {
  train_fixture f;
  f.run({slowdown(5000, 65536 + 60, 1000, 65536 + 2, 0, 0)});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(objects(f), "77:4/60/0/0 101:3/60/0/2 121:2/60/0/2");
}

TEST(Slowdowns, ATakenWarningStartOrEndCellLeavesTheGridUnchanged) {
  struct taken_case {
    int cell;
    int32_t code;
  };
  for (const taken_case& c : {taken_case{77, 17}, taken_case{101, 18}, taken_case{121, 19}}) {
    train_fixture f;
    f.cell(c.cell) = object(kind_signal, 50);
    std::vector<track_cell> before = f.form.track_cells;
    f.run({slowdown(5000, 60, 1000, 0, 1, 3), "sabbia, 3"});
    EXPECT_EQ(f.form.error_code, c.code);
    EXPECT_EQ(f.form.error_position, 5000);
    EXPECT_EQ(f.record(86).short_1, 0);
    EXPECT_TRUE(f.form.track_cells == before) << c.code;
    EXPECT_FALSE(f.file_left());
  }
}

TEST(Slowdowns, ATakenApproachCellRecords20AfterTheWrites) {
  train_fixture f;
  f.cell(75) = object(kind_signal, 50);
  f.run({slowdown(5000, 60, 1000, 0, 1, 0)});
  EXPECT_EQ(f.form.error_code, 20);
  EXPECT_EQ(f.form.error_position, 5000);
  EXPECT_EQ(objects(f), "75:1/50/0/0 77:4/60/0/0 101:3/60/0/0 121:2/60/0/0");
}

TEST(Slowdowns, AMountainCellGivesWay) {
  train_fixture f;
  f.cell(101).kind = kind_mountain_marker;
  f.run({slowdown(5000, 60, 1000, 0, 0, 0)});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.cell(101).kind, kind_slowdown_start);
}

TEST(Slowdowns, CellsOutsideTheGridAreRefused) {
  struct outside_case {
    int32_t x, l;
    int32_t code;
  };
  for (const outside_case& c :
       {outside_case{-100, 1000, 32}, outside_case{100, -200, 32},  // start, end before 0 m
        // A start or end up to 75 m before 0 m rounds to cell 0, which exists.
        outside_case{-1, 1000, 0}, outside_case{-75, 1000, 0}, outside_case{-76, 1000, 32},
        outside_case{100, -175, 0}, outside_case{100, -176, 32},
        outside_case{100, -100, 0},                                    // end at 0 m
        outside_case{80000, 8950, 0},                                  // end cell 1780, the last
        outside_case{80000, 9000, 35}}) {                              // end cell 1781
    train_fixture f;
    f.run({slowdown(c.x, 60, c.l, 0, 0, 0), "sabbia, 3"});
    EXPECT_EQ(f.form.error_code, c.code) << c.x << " " << c.l;
    if (c.code) {
      EXPECT_EQ(f.form.error_position, c.x);
      EXPECT_EQ(objects(f), "");
      EXPECT_EQ(f.record(86).short_1, 0);
      EXPECT_FALSE(f.file_left());
    }
  }
}

TEST(Slowdowns, AStartJustBefore0mIsPlacedInCell0) {
  train_fixture f;
  f.run({slowdown(-50, 60, 1000, 0, 1, 0)});
  EXPECT_EQ(f.form.error_code, 0);
  // No warning board or approach cells: the start lies within 1500 m of the route's start.
  EXPECT_EQ(objects(f), "0:3/60/0/0 20:2/60/0/0");
}

TEST(SpeedCuts, KindByValue) {
  struct cut_case {
    const char* row;
    const char* objects;
  };
  for (const cut_case& c : {cut_case{"abbattimento, 2500, 80", "50:12/80/0/0"},
                            cut_case{"abbattimento, 2500, 0", "50:13/5/0/0"},  // value_1 kept
                            cut_case{"abbattimento, 2500, -5", "50:13/5/0/0"},
                            cut_case{"abbattimento, 2525, 32767", "50:12/32767/0/0"},  // 50.5
                            cut_case{"abbattimento, 2475, 1", "50:12/1/0/0"},          // 49.5
                            cut_case{"abbattimento, 0, 1", "0:12/1/0/0 50:0/5/0/0"},
                            // up to 25 m before 0 m the cut still rounds to cell 0
                            cut_case{"abbattimento, -25, 1", "0:12/1/0/0 50:0/5/0/0"},
                            cut_case{"abbattimento, -1, 1", "0:12/1/0/0 50:0/5/0/0"}}) {
    train_fixture f;
    f.cell(50).value_1 = 5;
    f.run({c.row});
    EXPECT_EQ(f.form.error_code, 0) << c.row;
    EXPECT_EQ(objects(f), c.objects) << c.row;
  }
}

TEST(SpeedCuts, AMountainCellGivesWayAndATakenOneRecords7) {
  train_fixture f;
  f.cell(50).kind = kind_mountain_marker;
  f.run({"abbattimento, 2500, 80", "abbattimento, 2510, 0", "sabbia, 3"});
  EXPECT_EQ(f.form.error_code, 7);
  EXPECT_EQ(f.form.error_position, 2510);
  EXPECT_EQ(f.cell(50).kind, kind_speed_cut_value);
  EXPECT_EQ(f.record(86).short_1, 0);
  EXPECT_FALSE(f.file_left());
}

TEST(SpeedCuts, RefusedBeforeTheRouteStartOrWhenTheValueDoesNotFit) {
  struct refused_case {
    const char* row;
    int32_t code;
  };
  for (const refused_case& c : {refused_case{"abbattimento, -50, 80", 32},
                                refused_case{"abbattimento, -26, 80", 32},
                                refused_case{"abbattimento, 2500, 32768", 25}}) {
    train_fixture f;
    f.run({c.row});
    EXPECT_EQ(f.form.error_code, c.code) << c.row;
    EXPECT_EQ(objects(f), "") << c.row;
    EXPECT_FALSE(f.file_left()) << c.row;
  }
}

}  // namespace
