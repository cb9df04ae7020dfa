#include <gtest/gtest.h>

#include "testing/train_fixture.h"

namespace {

constexpr auto speed = &track_cell::speed_code;
constexpr auto adhesion = &track_cell::adhesion_code;

TEST(TrainFile, GeneralDataGoesIntoEntries84And86) {
  train_fixture f;
  f.run({"numero vetture,    8", "percentuale massa frenata,    120", "sabbia,    300",
         "orologio,    8               24            15 "});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.record(84).number_3, 8);
  EXPECT_EQ(f.record(84).number_1, 120);
  EXPECT_EQ(f.record(86).short_1, 300);
  EXPECT_EQ(f.record(86).short_3, 8);
  EXPECT_EQ(f.record(86).short_4, 24);
  EXPECT_EQ(f.record(86).short_5, 15);
  EXPECT_EQ(f.record(84).number_2, 0);  // the route length belongs to the line file
}

TEST(TrainFile, KeywordsAreFoundAnywhereWithoutRegardToCase) {
  train_fixture f;
  // "[aderenze]" is no adhesion row: it would read "NUMERO VETTURE" as a number (code 25).
  // An accented last letter after "velocit" still makes a speed row.
  f.run({"[aderenze]", "NUMERO VETTURE, 6", "x Massa FRENATA y, 90", "Velocit\xe0, 0, 30",
         "[vel_limite]", "SABBIA, 12"});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.record(84).number_3, 6);
  EXPECT_EQ(f.record(84).number_1, 90);
  EXPECT_EQ(f.record(86).short_1, 12);
  EXPECT_EQ(f.runs(speed), "0..1777=6 1778..1780=0");
}

TEST(TrainFile, EveryMatchingKeywordRunsInItsOrder) {
  train_fixture f;
  // The speed test comes before the adhesion test: the first two numbers are a speed row's.
  f.run({"aderenza velocita, 1000, 50, 2000, 90"});
  EXPECT_EQ(f.runs(speed), "0..19=0 20..1777=10 1778..1780=0");
  EXPECT_EQ(f.runs(adhesion), "0..39=0 40..1777=90 1778..1780=0");
}

TEST(TrainFile, NothingBeforeTheGeneralHeaderIsUsed) {
  train_fixture f;
  f.run_file({"sabbia, 300", "x, [GENERALE], numero vetture, 4", "[fine]"});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.record(86).short_1, 0);
  EXPECT_EQ(f.record(84).number_3, 4);
}

// Speed and adhesion as the built-in file has them at its start: each row applies from its own
// cell, the last runs on to the cell before the last three.
TEST(TrainFile, SpeedAndAdhesionFillEveryCell) {
  train_fixture f;
  f.run({"[aderenze]", "aderenza,   0,    100", "aderenza,   33600,    95",
         "aderenza,   36950,    90", "[vel_limite]", "velocita,   0,    30",
         "velocita,    1200,    95", "velocita,    2000,   105", "velocita,    4500,   150"});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.runs(speed), "0..23=6 24..39=19 40..89=21 90..1777=30 1778..1780=0");
  EXPECT_EQ(f.runs(adhesion), "0..671=100 672..738=95 739..1777=90 1778..1780=0");
}

TEST(TrainFile, AdhesionKeepsItsLowEightBits) {
  train_fixture f;
  f.run({"aderenza, 0, 300"});
  EXPECT_EQ(f.cell(0).adhesion_code, 44);
}

TEST(TrainFile, TheFirstCellIsWrittenBeforeTheComparison) {
  train_fixture f;
  // Two rows at one position: the second writes one more cell with the first row's speed; a row
  // behind the cells already written still writes one.
  f.run({"velocita, 0, 30", "velocita, 1000, 50", "velocita, 1000, 80", "velocita, 500, 100",
         "velocita, 1100, 120"});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.runs(speed), "0..19=6 20..20=10 21..21=16 22..22=20 23..1777=24 1778..1780=0");
}

TEST(TrainFile, PositionsRoundToTheNearestCellHalvesToEven) {
  struct rounding_case {
    int32_t position;
    const char* runs;
  };
  for (const rounding_case& c :
       {rounding_case{1225, "0..23=6 24..1777=19 1778..1780=0"},   // 24.5 gives 24
        rounding_case{1275, "0..25=6 26..1777=19 1778..1780=0"},   // 25.5 gives 26
        rounding_case{1224, "0..23=6 24..1777=19 1778..1780=0"},
        rounding_case{1226, "0..24=6 25..1777=19 1778..1780=0"}}) {
    train_fixture f;
    f.run({"velocita, 0, 30", "velocita, " + std::to_string(c.position) + ", 95"});
    EXPECT_EQ(f.runs(speed), c.runs) << c.position;
  }
}

TEST(TrainFile, SpeedsAreStoredAsTheirFifthRoundedToEven) {
  struct speed_case {
    int32_t speed;
    int expected_code;  // -1: refused with code 25
  };
  for (const speed_case& c : {speed_case{32, 6}, speed_case{37, 7}, speed_case{1277, 255},
                              speed_case{1278, -1}, speed_case{-2, 0}, speed_case{-3, -1}}) {
    train_fixture f;
    f.run({"velocita, 0, " + std::to_string(c.speed), "sabbia, 5"});
    if (c.expected_code < 0) {
      EXPECT_EQ(f.form.error_code, 25) << c.speed;
      EXPECT_EQ(f.record(86).short_1, 0) << c.speed;  // reading stopped at the speed row
      EXPECT_NE(f.console.str().find(":2:1: error 25:"), std::string::npos) << f.console.str();
    } else {
      EXPECT_EQ(f.form.error_code, 0) << c.speed;
      EXPECT_EQ(f.cell(0).speed_code, c.expected_code) << c.speed;
    }
    EXPECT_FALSE(f.file_left());
  }
}

// With last_cell_index 1780: (1780 * 50) - 100 passes the range rule, one metre more fails it,
// for every row kind that uses the 100 m margin.
TEST(TrainFile, RowsBeyondTheGridRecord15AndEndTheReading) {
  const std::vector<std::string> rows = {"velocita, {}, 30", "aderenza, {}, 90",
                                         "segnale, {}, 2, 5, 6, 1, 0, 0, 0, 0, 0, 0",
                                         "rallentamento, {}, 60, 0, 0, 0, 0", "abbattimento, {}, 80"};
  auto with = [](std::string row, int32_t p) {
    return row.replace(row.find("{}"), 2, std::to_string(p));
  };
  for (const std::string& row : rows) {
    train_fixture accepted;
    accepted.run({with(row, 88900)});
    EXPECT_EQ(accepted.form.error_code, 0) << row;

    train_fixture refused;
    refused.run({"velocita, 0, 50", with(row, 88901), "sabbia, 300"});
    EXPECT_EQ(refused.form.error_code, 15) << row;
    EXPECT_EQ(refused.form.error_position, 88901) << row;
    EXPECT_EQ(refused.record(86).short_1, 0) << row;  // nothing after the row is read
    // End of reading still runs: every cell up to the last three gets the speed.
    EXPECT_EQ(refused.runs(speed), "0..1777=10 1778..1780=0") << row;
    EXPECT_FALSE(refused.file_left()) << row;
  }
}

TEST(TrainFile, EndOfReadingWritesOneCellWhenTheIndexIsAlreadyAtTheEnd) {
  train_fixture f;
  // Rows at the last position in range write one cell each past the last three; cells past the
  // grid's end do not exist and are left out.
  f.run({"velocita, 0, 30", "velocita, 88900, 50", "velocita, 88900, 60", "velocita, 88900, 70",
         "velocita, 88900, 80", "velocita, 88900, 90"});
  EXPECT_EQ(f.form.error_code, 0);
  EXPECT_EQ(f.runs(speed), "0..1777=6 1778..1778=10 1779..1779=12 1780..1780=14");
}

TEST(TrainFile, TheDashRuleSkipsAtMostTwoFields) {
  struct dash_case {
    const char* row;
    int16_t sand;
  };
  for (const dash_case& c : {dash_case{"-, sabbia, 300", 300},
                             dash_case{"a-b, c-d, sabbia, 300", 300},
                             // the third field with "-" is tested like any other
                             dash_case{"-, -, sabbia-x, 300", 300},
                             // the second "sabbia-" is skipped too, and "300" matches nothing
                             dash_case{"-, sabbia-, 300", 0}}) {
    train_fixture f;
    f.run({c.row});
    EXPECT_EQ(f.form.error_code, 0) << c.row;
    EXPECT_EQ(f.record(86).short_1, c.sand) << c.row;
  }
}

TEST(TrainFile, TheFieldThatEndsTheFileIsNeverActedOn) {
  struct end_case {
    const char* text;
    int16_t sand;
  };
  for (const end_case& c : {end_case{"[generale]\r\nsabbia, 300", 300},  // a last row is read whole
                            end_case{"[generale]\r\nsabbia", 0},
                            end_case{"[generale]\r\nx-y, sabbia\r\n", 0},
                            end_case{"[generale]\r\n-\r\n", 0}, end_case{"[generale]", 0},
                            end_case{"", 0}, end_case{"sabbia, 300\r\n", 0}}) {
    train_fixture f;
    f.form.previous_speed = 50;  // whatever the phase starts with runs on to the end
    f.run_bytes(c.text);
    EXPECT_EQ(f.form.error_code, 0) << c.text;
    EXPECT_EQ(f.record(86).short_1, c.sand) << c.text;
    EXPECT_EQ(f.runs(speed), "0..1777=10 1778..1780=0") << c.text;
    EXPECT_FALSE(f.file_left()) << c.text;
  }
}

TEST(TrainFile, TheEarlyExitLeavesLaterCellsAtZero) {
  train_fixture f;
  f.run({"aderenza, 0, 100", "aderenza, 1000, 90", "velocita, 0, 30", "velocita, 2000, 50",
         "stazione, 5025, 2, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X", "velocita, 3000, 70"});
  EXPECT_EQ(f.form.error_code, 8);
  EXPECT_EQ(f.runs(speed), "0..39=6 40..1780=0");
  EXPECT_EQ(f.runs(adhesion), "0..19=100 20..1780=0");
  EXPECT_FALSE(f.file_left());
}

TEST(TrainFile, TheFileIsDeletedOnEveryPath) {
  struct path_case {
    const char* name;
    std::vector<std::string> lines;
    int32_t code;
  };
  for (const path_case& c :
       {path_case{"clean", {"[generale]", "sabbia, 3", "[fine]"}, 0},
        path_case{"no general header", {"sabbia, 3"}, 0},
        path_case{"range", {"[generale]", "velocita, 99000, 3", "[fine]"}, 15},
        path_case{"early exit", {"[generale]", "abbattimento, -100, 3", "[fine]"}, 32},
        path_case{"not a number", {"[generale]", "sabbia, 3x0", "[fine]"}, 25},
        path_case{"too wide", {"[generale]", "sabbia, 40000", "[fine]"}, 25},
        path_case{"read past the end", {"[generale]", "orologio, 8, 24"}, 25}}) {
    train_fixture f;
    f.run_file(c.lines);
    EXPECT_EQ(f.form.error_code, c.code) << c.name;
    EXPECT_FALSE(f.file_left()) << c.name;
    EXPECT_FALSE(f.form.input) << c.name;  // the file slot is free
  }
}

TEST(TrainFile, AMissingFileIsAReadingFault) {
  train_fixture f;
  try {
    f.form.leggi_treno();
  } catch (const reading_fault& fault) {
    f.form.handle_reading_fault(fault);
  }
  EXPECT_EQ(f.form.error_code, 25);
}

TEST(TrainFile, Error2ReplacesA15AfterTheFileIsGone) {
  train_fixture f;
  f.form.scenario_records[progressive_two_entry].number_2 = 63225;
  f.run({"velocita, 0, 30", "velocita, 99000, 50"});
  EXPECT_EQ(f.form.error_code, 2);
  EXPECT_EQ(f.form.error_position, 99000);  // the 15's position stays
  EXPECT_EQ(f.form.faults_reported, 2);
  EXPECT_EQ(f.runs(speed), "0..1777=6 1778..1780=0");
  // The progressives come from the line file: the diagnostic names it, not a train file row.
  EXPECT_NE(f.console.str().find("Rotta_linea.txt: error 2: "), std::string::npos)
      << f.console.str();
}

TEST(TrainFile, TheEarlyExitSkipsTheProgressiveCheck) {
  train_fixture f;
  f.form.scenario_records[progressive_two_entry].number_2 = 63225;
  f.run({"abbattimento, 100, 0", "abbattimento, 100, 0"});
  EXPECT_EQ(f.form.error_code, 7);
  EXPECT_EQ(f.form.faults_reported, 1);
}

TEST(TrainFile, AFaultNamesItsFileLineAndPosition) {
  train_fixture f;
  f.run({"sabbia, 3", "stazione,    1225,  2,  400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"});
  EXPECT_EQ(f.console.str(),
            "Rotta_77-.txt:3:14: error 8: station position is not a multiple of 50 m (at 1225 m)\n"
            "stazione,    1225,  2,  400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\n"
            "             ^\n");
}

TEST(TrainFile, AReadingFaultNamesItsFileAndLine) {
  train_fixture f;
  f.run({"sabbia, 3", "sabbia,    3x0"});
  EXPECT_EQ(f.form.error_code, 25);
  EXPECT_EQ(f.console.str(),
            "Rotta_77-.txt:3:12: error 25: the row cannot be read: \"3x0\" is not a number\n"
            "sabbia,    3x0\n"
            "           ^\n");
}

}  // namespace
