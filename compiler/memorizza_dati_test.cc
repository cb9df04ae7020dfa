#include <gtest/gtest.h>

#include "testing/line_fixture.h"

namespace {

TEST(LineFile, MissingFileRecords101AndNamesTheFileAlone) {
  line_fixture t;
  t.form.error_position = 321;
  t.form.memorizza_dati();  // ends before the train file, which is not built here
  EXPECT_EQ(t.form.error_code, 101);
  EXPECT_EQ(t.form.error_position, 321);
  EXPECT_EQ(t.form.scenario_records[route_name_entry].text, "Zenvro_Quarvel");
  EXPECT_EQ(t.form.scenario_records[train_number_entry].text, "2417");
  EXPECT_EQ(t.console.str(),
            "Zenvro_Quarvel_linea.txt: error 101: the line description text file does not exist\n");
}

TEST(LineFile, DiagnosticNamesTheFileShownForIt) {
  line_fixture t;
  t.form.source_names[line_file_name(t.form.route_name)] = "authors/route.txt";
  t.form.leggi_linea();
  EXPECT_EQ(t.console.str(),
            "authors/route.txt: error 101: the line description text file does not exist\n");
}

TEST(LineFile, AFolderOfThatNameIsNotTheFile) {
  line_fixture t;
  std::filesystem::create_directory(t.line_path());
  EXPECT_FALSE(t.form.leggi_linea());
  EXPECT_EQ(t.form.error_code, 101);
}

struct search_case {
  const char* name;
  const char* text;
  int32_t code;  // 0 when the general section is found
};

void PrintTo(const search_case& c, std::ostream* os) { *os << c.name; }

class GeneralSearch : public testing::TestWithParam<search_case> {};

TEST_P(GeneralSearch, FindsTheSectionOrGives102) {
  const search_case& c = GetParam();
  line_fixture t;
  t.form.error_position = 55;
  bool go_on = t.read(c.text);
  EXPECT_EQ(t.form.error_code, c.code);
  EXPECT_EQ(go_on, c.code == 0);
  EXPECT_EQ(t.form.error_position, 55);
  EXPECT_FALSE(file_present(t.line_path()));
  if (c.code == 0) {
    EXPECT_EQ(t.form.last_cell_index, 160);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeneralSearch,
    testing::Values(
        search_case{"found", "note, 5\n[generale]\nlunghezza percorso, 1000\n[fine]\n", 0},
        search_case{"case_ignored", "[GENERALE]\nlunghezza percorso, 1000\n[fine]\n", 0},
        search_case{"inside_a_longer_field", "xx[Generale]yy\nlunghezza percorso, 1000\n", 0},
        search_case{"only_as_last_field", "note, 5\n[generale]\n", 102},
        search_case{"absent", "[curve]\ncurvad6,  1000,  400\n[fine]\n", 102},
        // An empty file has no "[generale]" either.
        search_case{"empty_file", "", 102}));

TEST(LineFile, ExactDiagnosticForAFileFault) {
  line_fixture t;
  t.read("[curve]\n[fine]\n");
  EXPECT_EQ(t.console.str(),
            "Zenvro_Quarvel_linea.txt: error 102: no field containing \"[generale]\" in the line "
            "description file\n");
}

TEST(LineFile, ExactDiagnosticForARowFault) {
  line_fixture t;
  EXPECT_TRUE(t.read_rows(
      "pendenza,  0,   0\n  indicatori_vmax,  88950,  30,  30,  30,  0,  ,  ,  ,  0\n"));
  EXPECT_EQ(t.console.str(),
            "Zenvro_Quarvel_linea.txt:5:21: error 15: the row's position lies beyond the end of the "
            "grid: the grid ends at 89000 m, so this row may stand at most at 88900 m "
            "(at 88950 m)\n"
            "  indicatori_vmax,  88950,  30,  30,  30,  0,  ,  ,  ,  0\n"
            "                    ^\n"
            "Zenvro_Quarvel_linea.txt:2:24: note: the route length row makes the grid: 82000 m "
            "and 7000 m of run-out\n"
            "lunghezza percorso,    82000\n"
            "                       ^\n");
}

TEST(LineFile, ReadingFaultGives25WithTheRowAndDeletesBothTextFiles) {
  line_fixture t;
  write_file(t.train_path(), "[generale]\r\n");
  t.write("[generale]\nlunghezza percorso,    82000\n[pendenze]\npendenza,  12x0,   5\n[fine]\n");
  t.form.memorizza_dati();
  EXPECT_EQ(t.form.error_code, 25);
  EXPECT_FALSE(file_present(t.line_path()));
  EXPECT_FALSE(file_present(t.train_path()));
  EXPECT_EQ(
      t.console.str(),
      "Zenvro_Quarvel_linea.txt:4:12: error 25: the row cannot be read: \"12x0\" is not a "
      "number\n"
      "pendenza,  12x0,   5\n"
      "           ^\n");
}

// Codes that end the compiler leave the train file alone; memorizza_dati does not go on.
TEST(LineFile, CompilerEndsBeforeTheTrainFileOnAGeneralFault) {
  line_fixture t;
  write_file(t.train_path(), "[generale]\r\n");
  t.write("[generale]\nlunghezza percorso,    1000001\n[fine]\n");
  t.form.memorizza_dati();
  EXPECT_EQ(t.form.error_code, 1);
  EXPECT_FALSE(file_present(t.line_path()));
  EXPECT_TRUE(file_present(t.train_path()));
  EXPECT_EQ(t.console.str(),
            "Zenvro_Quarvel_linea.txt:2:1: error 1: route length above 1000000 m\n"
            "lunghezza percorso,    1000001\n"
            "^\n");
}

TEST(LineFile, FileEndingInTheGeneralSectionStillRunsTheClosingSteps) {
  line_fixture t(1);
  EXPECT_TRUE(t.read("[generale]\nlunghezza percorso,    1000\n"));
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.cell(0).gradient_code, 100);
  EXPECT_EQ(t.form.route_plan.get(7998, 1), (variant_entry{variant_double, 7998}));
  EXPECT_FALSE(file_present(t.line_path()));
}

TEST(LineFile, NoRouteLengthRowIsAReadingFault) {
  for (int32_t plan : {0, 1}) {
    line_fixture t(plan);
    EXPECT_FALSE(t.read("[generale]\nsfondo uno,    1\n[curve]\n[fine]\n"));
    EXPECT_EQ(t.form.error_code, 25) << plan;
    EXPECT_NE(t.console.str().find("no route length row"), std::string::npos) << t.console.str();
    EXPECT_FALSE(file_present(t.line_path()));
  }
}

// Main phase: a keyword field holding "-" gives way to the next field at most twice in a row,
// and a field read at the end of the file is never examined.
struct main_phase_case {
  const char* name;
  const char* rows;
  uint8_t gradient;  // of cell 0 after the final fill: 100 + the last gradient recognised
};

void PrintTo(const main_phase_case& c, std::ostream* os) { *os << c.name; }

class MainPhaseFields : public testing::TestWithParam<main_phase_case> {};

TEST_P(MainPhaseFields, RecognisesRowsByTheirKeywordField) {
  const main_phase_case& c = GetParam();
  line_fixture t;
  ASSERT_TRUE(t.read(std::string("[generale]\nlunghezza percorso,    1000\n[curve]\n") + c.rows));
  EXPECT_EQ(t.form.error_code, 0);
  EXPECT_EQ(t.cell(0).gradient_code, c.gradient);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MainPhaseFields,
    testing::Values(
        main_phase_case{"plain", "pendenza,  0,   7\n[fine]\n", 107},
        main_phase_case{"case_ignored", "PenDENZA,  0,   7\n[fine]\n", 107},
        main_phase_case{"in_any_section", "[montagne]\npendenza,  0,   7\n[fine]\n", 107},
        main_phase_case{"one_minus_field_skipped", "---\npendenza,  0,   7\n[fine]\n", 107},
        // The third field is examined even though it holds a minus sign.
        main_phase_case{"two_skips_then_examined", "-\n-\n-pendenza,  0,   7\n[fine]\n", 107},
        // After three minus fields, "-pendenza" is skipped in favour of its first number.
        main_phase_case{"three_is_past_the_limit", "-\n-\n-\n-pendenza,  0,   7\n[fine]\n", 100},
        main_phase_case{"last_field_not_examined", "pendenza,  0,   7\npendenza\n", 107},
        main_phase_case{"field_after_skip_at_end", "pendenza,  0,   7\n-\npendenza\n", 107},
        main_phase_case{"unknown_rows_passed_over", "segnale,  100,  3\npendenza,  0,  7\n[fine]\n",
                        107}));

// The general phase tests the end of the file only before its skipping: a keyword read in
// place of a minus field at the end is examined, and its number read fails.
TEST(LineFile, GeneralPhaseSkipDoesNotTestTheEnd) {
  line_fixture t;
  EXPECT_FALSE(t.read("[generale]\nlunghezza percorso,    1000\n-\nsfondo uno\n"));
  EXPECT_EQ(t.form.error_code, 25);
}

TEST(LineFile, RangeFaultEndsTheMainPhaseAndRunsTheClosingSteps) {
  line_fixture t;
  // 82000 m: the grid ends at cell 1780, so 88900 fits ((88900 + 100) / 50 = 1780) and 88950
  // does not.
  EXPECT_TRUE(
      t.read_rows("pendenza,  0,   2\n"
                  "indicatori_vmax,  88900,  30,  30,  30,  0,  ,  ,  ,  0\n"
                  "pendenza,  88950,   5\n"
                  "pendenza,  100,   9\n"));
  EXPECT_EQ(t.form.error_code, 15);
  EXPECT_EQ(t.form.error_position, 88950);
  EXPECT_EQ(t.cell(1779).kind, kind_speed_board);  // round(88900 / 50 + 1)
  EXPECT_EQ(t.cell(0).gradient_code, 102);         // the row after the fault is not read
  EXPECT_EQ(t.cell(1777).gradient_code, 102);      // but the final fill ran
  EXPECT_FALSE(file_present(t.line_path()));
}

}  // namespace
