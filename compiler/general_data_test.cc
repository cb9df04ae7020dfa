#include <gtest/gtest.h>

#include "testing/line_fixture.h"

namespace {

// One number of the general data after the general section below is read.
struct general_case {
  const char* name;
  const char* rows;  // after "lunghezza percorso,    1000"
  int entry;
  int32_t scenario_record::*field;
  int32_t expected;
};

void PrintTo(const general_case& c, std::ostream* os) { *os << c.name; }

class GeneralRows : public testing::TestWithParam<general_case> {};

TEST_P(GeneralRows, StoresTheGeneralData) {
  const general_case& c = GetParam();
  line_fixture t;
  ASSERT_TRUE(t.read(std::string("[generale]\nlunghezza percorso,    1000\n") + c.rows +
                     "sfondo tre,    77\n[fine]\n"))
      << t.console.str();
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.form.scenario_records[c.entry].*c.field, c.expected);
}

constexpr auto n1 = &scenario_record::number_1;
constexpr auto n2 = &scenario_record::number_2;
constexpr auto n3 = &scenario_record::number_3;

// The rows end with "[curve]" unless a case says otherwise; "sfondo tre, 77" follows the
// section, so entry 85 number_2 shows whether the general phase went on.
INSTANTIATE_TEST_SUITE_P(
    Keywords, GeneralRows,
    testing::Values(
        general_case{"background_one", "sfondo uno,    1\n[curve]\n", 85, n1, 1},
        general_case{"background_two_in_number_3", "sfondo due,    31000\n[curve]\n", 85, n3,
                     31000},
        general_case{"background_keyword_case_counts", "Sfondo uno,    5\n[curve]\n", 85, n1, 0},
        general_case{"background_number_case_counts", "sfondo UNO,    5\n[curve]\n", 85, n1, 0},
        general_case{"progressive_uno_ordered_to_81",
                     "progressiva chilometrica uno,    9600,    -9550,    0\n[curve]\n", 81, n2,
                     -9550},
        general_case{"progressive_case_counts",
                     "Progressiva chilometrica uno,    9600,    -9550,    0\n[curve]\n", 81, n1, 0},
        general_case{"repetition_4", "ripetizione segnali 4 codici,    10550,    79900\n[curve]\n",
                     86, n3, 4},
        general_case{"repetition_9", "ripetizione segnali 9 codici,    10550,    79900\n[curve]\n",
                     86, n3, 9},
        general_case{"repetition_4_tested_before_9",
                     "ripetizione segnali 94 codici,    10550,    79900\n[curve]\n", 86, n3, 4},
        general_case{"repetition_end_0_clears_the_count",
                     "ripetizione segnali 4 codici,    10550,    0\n[curve]\n", 86, n3, 0},
        general_case{"repetition_case_counts",
                     "Ripetizione segnali 4 codici,    10525,    79900\n[curve]\n", 86, n1, 0},
        general_case{"length_case_ignored", "LUNGHEZZA Percorso,    5000\n[curve]\n", 84, n2, 5000},
        // A field matching two tests reads the numbers of both.
        general_case{"two_tests_fire", "sfondo uno due,    5,    6\n[curve]\n", 85, n3, 6},
        // The section end: both brackets, not starting with a minus sign.
        general_case{"section_end", "[curve]\n", 85, n2, 0},
        general_case{"section_end_any_case_and_order", "]Curve[\n", 85, n2, 0},
        general_case{"one_bracket_does_not_end", "[curve\n", 85, n2, 77},
        general_case{"no_end_at_all", "", 85, n2, 77},
        // Ten minus fields are skipped; the eleventh field is examined whatever it holds.
        general_case{"ten_skips_then_examined",
                     "-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-sfondo uno,   5\n[curve]\n", 85, n1, 5},
        general_case{"eleven_is_past_the_limit",
                     "-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n-sfondo uno,   5\n[curve]\n", 85, n1, 0},
        general_case{"minus_header_does_not_end", "-\n-\n-\n-\n-\n-\n-\n-\n-\n-\n  -[curve]\n", 85,
                     n2, 77}));

struct fault_case {
  const char* name;
  const char* row;
  int32_t code;
};

void PrintTo(const fault_case& c, std::ostream* os) { *os << c.name; }

class GeneralFaults : public testing::TestWithParam<fault_case> {};

TEST_P(GeneralFaults, EndTheCompilerAndDeleteTheFile) {
  const fault_case& c = GetParam();
  line_fixture t;
  t.form.error_position = 9;
  EXPECT_FALSE(
      t.read(std::string("[generale]\n") + c.row + "\n[curve]\npendenza,  0,  7\n[fine]\n"));
  EXPECT_EQ(t.form.error_code, c.code);
  EXPECT_EQ(t.form.error_position, 9);
  EXPECT_FALSE(file_present(t.line_path()));
  EXPECT_EQ(t.form.faults_reported, 1);
  // Every fault names the row's line.
  EXPECT_EQ(t.console.str().rfind("Zenvro_Quarvel_linea.txt:2:1: error " + std::to_string(c.code), 0),
            0u)
      << t.console.str();
}

INSTANTIATE_TEST_SUITE_P(
    Codes, GeneralFaults,
    testing::Values(
        fault_case{"length_too_long", "lunghezza percorso,    1000001", 1},
        fault_case{"repetition_start", "ripetizione segnali 4 codici,    10525,    79900", 3},
        // The start is tested first.
        fault_case{"repetition_start_and_end", "ripetizione segnali 4 codici,    10525,    79925",
                   3},
        fault_case{"repetition_end", "ripetizione segnali 4 codici,    10550,    79925", 4},
        fault_case{"repetition_without_4_or_9", "ripetizione segnali codici,    10550,    79900",
                   5},
        fault_case{"length_below_zero", "lunghezza percorso,    -1", 25}));

TEST(GeneralRows, RouteLengthSizesTheGridAndThePlan) {
  struct length_case {
    int32_t length;
    int32_t grid_length, last_cell_index;
  };
  for (const length_case& c :
       {length_case{82000, 89000, 1780}, length_case{1000000, 1007000, 20140},
        length_case{1175, 8175, 164},  // 163.5 rounds to even
        length_case{1225, 8225, 164},  // 164.5 rounds to even
        length_case{0, 7000, 140}}) {
    line_fixture t(1);
    ASSERT_TRUE(
        t.read("[generale]\nlunghezza percorso,    " + std::to_string(c.length) + "\n[fine]\n"));
    EXPECT_EQ(t.form.scenario_records[route_length_entry].number_2, c.length);
    EXPECT_EQ(t.form.grid_length, c.grid_length);
    EXPECT_EQ(t.form.last_cell_index, c.last_cell_index);
    EXPECT_EQ(t.form.track_cells.size(), static_cast<size_t>(c.last_cell_index) + 1);
    EXPECT_EQ(t.form.route_plan.upper, c.grid_length);
  }
}

TEST(GeneralRows, PlanIsNotCreatedWhenDisabled) {
  line_fixture t(0);
  ASSERT_TRUE(t.read("[generale]\nlunghezza percorso,    1000\n[fine]\n"));
  EXPECT_FALSE(t.form.route_plan.exists());
}

TEST(GeneralRows, ProgressivesAreOrderedWhenTheSectionEnds) {
  line_fixture t;
  ASSERT_TRUE(
      t.read("[generale]\nlunghezza percorso,    82000\n"
             "progressiva chilometrica uno,    40000,    1,    0\n"
             "progressiva chilometrica due,    40000,    2,    0\n"
             "progressiva chilometrica tre,    10000,    3,    1\n[curve]\n[fine]\n"));
  // The greatest start is shared: all three progressives are cleared.
  for (int e = 81; e <= 83; ++e) {
    EXPECT_EQ(t.form.scenario_records[e].number_1, 0) << e;
    EXPECT_EQ(t.form.scenario_records[e].number_2, 0) << e;
    EXPECT_EQ(t.form.scenario_records[e].number_3, 0) << e;
  }
}

}  // namespace

namespace {

// A negative route length would leave a grid too short for the stamps in cell 1 and the plan's
// first two points: it cannot be read. A length of 0 still gives the 7000 m run-out.
TEST(GeneralRows, RouteLengthBelowZeroIsRefused) {
  for (int plan : {0, 1}) {
    line_fixture t(plan);
    EXPECT_FALSE(t.read("[generale]\nlunghezza percorso,    -50\n[fine]\n"));
    EXPECT_EQ(t.form.error_code, 25);
    EXPECT_NE(t.console.str().find("a route length of -50 m is below 0"), std::string::npos);
  }
  line_fixture zero(1);
  EXPECT_TRUE(zero.read("[generale]\nlunghezza percorso,    0\n[fine]\n"));
  EXPECT_EQ(zero.form.track_cells.size(), 141u);
}

}  // namespace
