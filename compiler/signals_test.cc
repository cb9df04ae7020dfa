#include <gtest/gtest.h>

#include "testing/train_fixture.h"

namespace {

std::string signal(int32_t position, int sx, int dx, int32_t tempo) {
  return "segnale, " + std::to_string(position) + ", " + std::to_string(sx) + ", 5, 6, 1, 0, " +
         std::to_string(dx) + ", 0, 0, 0, " + std::to_string(tempo);
}

// Every cell that differs from an empty one, by index.
std::vector<int64_t> touched(const train_fixture& f) {
  std::vector<int64_t> out;
  for (size_t c = 0; c < f.form.track_cells.size(); ++c)
    if (!(f.form.track_cells[c] == track_cell{})) out.push_back(static_cast<int64_t>(c));
  return out;
}

struct quoted_case {
  const char* row;
  int64_t cell;
  int16_t value_1, value_2, value_3, value_4;
  uint8_t time_code;
  uint8_t first_marker;  // in the cell 2 before; the next three 2, 4 and 6 cells further back
};

void PrintTo(const quoted_case& c, std::ostream* os) { *os << c.row; }

class QuotedSignal : public testing::TestWithParam<quoted_case> {};

TEST_P(QuotedSignal, GivesItsCellAndMarkers) {
  const quoted_case& c = GetParam();
  train_fixture f;
  f.run({c.row});
  EXPECT_EQ(f.form.error_code, 0);
  track_cell expected;
  expected.kind = kind_signal;
  expected.value_1 = c.value_1;
  expected.value_2 = c.value_2;
  expected.value_3 = c.value_3;
  expected.value_4 = c.value_4;
  expected.time_code = c.time_code;
  // Speed and adhesion are 0 all along: the file has none.
  EXPECT_EQ(f.cell(c.cell), expected);
  for (int k = 1; k <= 4; ++k) {
    track_cell marker;
    marker.marker_code = static_cast<uint8_t>(c.first_marker + k - 1);
    EXPECT_EQ(f.cell(c.cell - 2 * k), marker) << k;
  }
  EXPECT_EQ(touched(f), (std::vector<int64_t>{c.cell - 8, c.cell - 6, c.cell - 4, c.cell - 2,
                                              c.cell}));
}

INSTANTIATE_TEST_SUITE_P(
    BuiltIn, QuotedSignal,
    testing::Values(
        quoted_case{"segnale,    1750,   2, 5, 6,  1, 0,    0,  0,0,0, 0", 36, 50, 60, 10, 6, 0, 61},
        quoted_case{"segnale,    2850,   2, 2, 3,  1, 1,    2,  2,1,1, 0", 58, 22, 31, 11, 18, 0,
                    81},
        quoted_case{"segnale,    6650,   2, 4, 1,  0, 0,    2,  1,1,0, 120", 134, 41, 11, 0, 8,
                    120, 81}));

TEST(Signals, TimeCodeAndMarkersBySideCodes) {
  struct time_case {
    int sx, dx;
    int32_t tempo;
    uint8_t time_code;
    uint8_t first_marker;
  };
  for (const time_case& c :
       {time_case{2, 0, 50, 101, 61}, time_case{2, 0, 0, 0, 61}, time_case{2, 0, 1, 101, 61},
        time_case{2, 0, 100, 101, 61}, time_case{2, 0, 101, 101, 61},
        time_case{2, 1, 300, 44, 71},  // the low 8 bits
        time_case{2, 2, -1, 255, 81}, time_case{1, 0, 120, 0, 31}, time_case{1, 1, 50, 0, 41}}) {
    train_fixture f;
    f.run({signal(1750, c.sx, c.dx, c.tempo)});
    EXPECT_EQ(f.form.error_code, 0);
    EXPECT_EQ(f.cell(36).time_code, c.time_code) << c.sx << " " << c.tempo;
    EXPECT_EQ(f.cell(36).value_4, 3 * c.sx + c.dx);
    EXPECT_EQ(f.cell(34).marker_code, c.first_marker);
    EXPECT_EQ(f.cell(28).marker_code, c.first_marker + 3);
  }
}

TEST(Signals, ATakenCellRecords16) {
  train_fixture f;
  f.run({signal(1750, 2, 0, 0), signal(1760, 2, 2, 0), "sabbia, 3"});  // both in cell 36
  EXPECT_EQ(f.form.error_code, 16);
  EXPECT_EQ(f.form.error_position, 1760);
  EXPECT_EQ(f.record(86).short_1, 0);
  EXPECT_EQ(f.cell(36).value_4, 6);  // the first signal stays
  EXPECT_EQ(f.cell(34).marker_code, 61);
  EXPECT_FALSE(f.file_left());
}

TEST(Signals, AMountainCellGivesWay) {
  train_fixture f;
  f.cell(36).kind = kind_mountain_marker;
  f.cell(36).mountain_type = 3;
  f.run({signal(1750, 2, 0, 0)});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.cell(36).kind, kind_signal);
  EXPECT_EQ(f.cell(36).mountain_type, 3);
}

TEST(Signals, BelowThe350MetreMarkRecords33) {
  train_fixture low;
  low.run({signal(349, 2, 0, 0), "sabbia, 3"});
  EXPECT_EQ(low.form.error_code, 33);
  EXPECT_EQ(low.form.error_position, 349);
  EXPECT_EQ(low.record(86).short_1, 0);
  EXPECT_TRUE(touched(low).empty());
  EXPECT_FALSE(low.file_left());

  train_fixture lowest;
  lowest.run({signal(350, 2, 0, 0)});
  EXPECT_EQ(lowest.form.error_code, 0);
  EXPECT_EQ(touched(lowest), (std::vector<int64_t>{0, 2, 4, 6, 8}));
  EXPECT_EQ(lowest.cell(0).marker_code, 64);
}

TEST(Signals, ValuesThatDoNotFitTheirFieldAreReadingFaults) {
  struct fit_case {
    const char* row;
    int32_t code;
  };
  for (const fit_case& c :
       {fit_case{"segnale, 1750, 2, 3276, 0, 0, 0, 0, 7, 0, 0, 0", 0},     // 32767
        fit_case{"segnale, 1750, 2, 3277, 0, 0, 0, 0, 0, 0, 0, 0", 25},    // 32770
        fit_case{"segnale, 1750, 2, -3277, 0, 0, 0, 0, 0, 0, 0, 0", 25},
        fit_case{"segnale, 1750, 2, 0, 0, 3277, 0, 0, 0, 0, 0, 0", 25},    // value_3
        fit_case{"segnale, 1750, 2, 0, 0, 0, 3276, 2, 0, 0, 0, 0", 25},    // 32760 + 6 + 2
        fit_case{"segnale, 1750, 8, 0, 0, 0, 0, 1, 0, 0, 0, 0", 0},        // markers 251 to 254
        fit_case{"segnale, 1750, 8, 0, 0, 0, 0, 2, 0, 0, 0, 0", 25},       // markers to 264
        fit_case{"segnale, 1750, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0", 25}}) {   // markers below 0
    train_fixture f;
    f.run({c.row});
    EXPECT_EQ(f.form.error_code, c.code) << c.row;
    if (c.code) {
      EXPECT_TRUE(touched(f).empty()) << c.row;  // refused before any write
      EXPECT_FALSE(f.file_left()) << c.row;
    }
  }
}

// A 15 left by the line file is no fault of a signal row: the phase goes on to its end.
TEST(Signals, ACodeLeftByTheLineFileDoesNotStopThePhase) {
  train_fixture f;
  f.form.error_code = 15;
  f.form.error_position = 90000;
  f.form.faults_reported = 1;
  f.run({"velocita, 0, 30", signal(1750, 2, 0, 0), "rallentamento, 5000, 60, 1000, 0, 1, 0",
         "velocita, 2000, 50"});
  EXPECT_EQ(f.form.error_code, 15);
  EXPECT_EQ(f.form.error_position, 90000);
  EXPECT_EQ(f.cell(36).kind, kind_signal);
  EXPECT_EQ(f.cell(101).kind, kind_slowdown_start);
  EXPECT_EQ(f.runs(&track_cell::speed_code), "0..39=6 40..1777=10 1778..1780=0");
}

}  // namespace
