#include "lint/lint.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "lint/suggest.h"

namespace {

std::string crlf(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

// A small scenario that compiles clean: every mistake below is one edit of it.
const std::vector<std::string> kLine = {
    "[generale]",                 // 1
    "lunghezza percorso, 10000",  // 2
    "[curve]",                    // 3
    "curvad3, 1000, 500",         // 4
    "[pendenze]",                 // 5
    "pendenza, 0, 0",             // 6
    "pendenza, 4000, 5",          // 7
    "[fine]",                     // 8
};
const std::vector<std::string> kTrain = {
    "[generale]",                                                     // 1
    "numero vetture, 8",                                              // 2
    "velocita, 0, 100",                                               // 3
    "aderenza, 0, 100",                                               // 4
    "stazione, 500, 8, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,25,0, ALFA",   // 5
    "stazione, 5000, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, BETA",  // 6
    "segnale, 2000, 2, 4, 0, 0, 0, 0, 0,0,0, 0",                      // 7
    "orologio, 8   24   15",                                          // 8
    "[fine]",                                                         // 9
};

std::vector<diagnostic> lint(const std::vector<std::string>& line,
                             const std::vector<std::string>& train, lint_options options = {}) {
  return lint_scenario({"r_linea.txt", crlf(line)}, {"r_1-.txt", crlf(train)}, options);
}

std::string printed(const std::vector<diagnostic>& ds) {
  std::ostringstream out;
  for (const diagnostic& d : ds) print_diagnostic(out, d);
  return out.str();
}

TEST(Lint, TheSmallScenarioIsClean) { EXPECT_EQ(printed(lint(kLine, kTrain)), ""); }

// One author's mistake: line `at` of the line file ('L') or the train file ('T') replaced by
// `text` (which may hold more than one line).
struct mistake {
  const char* name;
  char file;
  int at;
  std::string text;
  int expected_line;
  const char* kind;
  const char* says;
};

void PrintTo(const mistake& m, std::ostream* os) { *os << m.name; }

class AuthorMistake : public testing::TestWithParam<mistake> {};

TEST_P(AuthorMistake, IsWarnedAtItsLine) {
  const mistake& m = GetParam();
  std::vector<std::string> line = kLine, train = kTrain;
  std::vector<std::string>& edited = m.file == 'L' ? line : train;
  edited[static_cast<size_t>(m.at - 1)] = m.text;
  const std::vector<diagnostic> ds = lint(line, train);
  const std::string file = m.file == 'L' ? "r_linea.txt" : "r_1-.txt";
  int found = 0;
  for (const diagnostic& d : ds) {
    EXPECT_EQ(d.level, severity::warning);
    if (d.name != m.kind) continue;
    ++found;
    EXPECT_EQ(d.where.file, file);
    EXPECT_EQ(d.where.line, m.expected_line);
    EXPECT_THAT(d.detail, testing::HasSubstr(m.says));
  }
  EXPECT_EQ(found, 1) << printed(ds);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AuthorMistake,
    testing::Values(
        mistake{"station_one_field_short", 'T', 5,
                "stazione, 500, 8, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,25, ALFA", 5, "misaligned-row",
                "the reader takes \"stazione\" from line 6 as its name"},
        mistake{"gradient_without_value", 'L', 7, "pendenza,  4000", 7, "misaligned-row",
                "ends before its gradient"},
        mistake{"last_row_short_at_the_end_of_the_file", 'T', 9, "velocita, 9000", 9,
                "misaligned-row", "ends before its speed, and the file ends there"},
        mistake{"speed_one_field_more", 'T', 3, "velocita, 0, 100, 5", 3, "misaligned-row",
                "the one more, \"5\", is read as the next row's keyword"},
        mistake{"clock_two_fields_short", 'T', 8, "orologio, 8", 8, "misaligned-row",
                "as its minutes"},
        mistake{"misspelt_station", 'T', 6,
                "stazion, 5000, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, BETA", 6, "unknown-row",
                "did you mean \"stazione\"?"},
        mistake{"misspelt_gradient", 'L', 7, "pendnza, 4000, 5", 7, "unknown-row",
                "did you mean \"pendenza\"?"},
        mistake{"swapped_letters_in_curve", 'L', 4, "cruvad3, 1000, 500", 4, "unknown-row",
                "did you mean \"curva\"?"},
        mistake{"capital_in_the_general_section", 'L', 2,
                "lunghezza percorso, 10000\r\nSfondo uno, 1", 3, "unknown-row",
                "letter case counts in the general section"},
        mistake{"train_without_its_section", 'T', 1, "[generle]", 1, "unknown-row",
                "none of the train file's rows is read"},
        mistake{"misspelt_signal", 'T', 7, "segnal, 2000, 2, 4, 0, 0, 0, 0, 0,0,0, 0", 7,
                "unknown-row", "did you mean \"segnale\"?"},
        mistake{"comma_in_station_name", 'T', 6,
                "stazione, 5000, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, BORGO, BIVIO", 6,
                "text-field",
                "it reads \"BORGO\", and \"BIVIO\" is read as the next row's keyword"},
        mistake{"quotes_in_station_name", 'T', 6,
                "stazione, 5000, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, \"BETA\"", 6,
                "text-field", "the name reads \"\"BETA\"\""},
        mistake{"utf8_station_name", 'T', 6,
                "stazione, 5000, 2, 400, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, CITT\xC3\x80", 6,
                "encoding", "\"CITT\xC3\x80\" will read as \"CITT\xC3\x83\xE2\x82\xAC\""},
        mistake{"gradient_behind_the_last", 'L', 7, "pendenza, 4000, 5\r\npendenza, 2000, 3", 8,
                "row-order",
                "is not after the one at 4000 m (line 7): cells are filled in "
                "order, so its gradient applies from 4050 m on"},
        mistake{"speed_at_the_same_position", 'T', 3, "velocita, 0, 100\r\nvelocita, 0, 80", 4,
                "row-order", "its speed applies from 0 m on"},
        mistake{"signal_off_the_grid", 'T', 7, "segnale, 2030, 2, 4, 0, 0, 0, 0, 0,0,0, 0", 7,
                "off-grid", "the position 2030 m is off the 50 m grid: it is rounded to 2050 m"},
        mistake{"gradient_in_the_run_out", 'L', 7, "pendenza, 12000, 5", 7, "run-out",
                "at 12000 m lies past the route's end at 10000 m"},
        mistake{"general_row_after_the_section", 'L', 7, "sfondo uno, 1", 7, "unknown-row",
                "\"sfondo uno\" is read only in the general section, before the field that "
                "closes it"},
        mistake{"overlapping_curves", 'L', 4, "curvad3, 1000, 500\r\ncurvas2, 1200, 400", 5,
                "curve-overlap", "ends at 1500 m: the plan turns it from 1500 m to 1600 m"},
        mistake{"curve_inside_the_last", 'L', 4, "curvad3, 1000, 500\r\ncurvas2, 1200, 300", 5,
                "curve-overlap", "ends at 1500 m: the plan leaves it out"},
        mistake{"steep_gradient", 'L', 7, "pendenza, 4000, 600", 7, "range",
                "the gradient 600 per mille lies outside -60 to 60 per mille"},
        mistake{"long_station", 'T', 6,
                "stazione, 5000, 2, 4000, 0,0,0, 2,1,0, 2,1,1, 60, 8,35,0, BETA", 6, "range",
                "station length 4000 m"},
        mistake{"decimal_comma", 'L', 7, "pendenza, 4000, 4,5", 7, "misaligned-row",
                "the one more, \"5\", is read as the next row's keyword; if \"4,5\" is one "
                "number with a decimal comma, write it whole"},
        mistake{"tabs_for_commas", 'L', 6, "pendenza\t0\t0", 6, "misaligned-row",
                "(it reads 2 fields after its keyword); its fields are parted by tabs, but only a "
                "comma parts fields: the reader takes \"pendenza\" from line 7 as its position"},
        mistake{"curve_written_with_a_radius", 'L', 4, "curvad1000, 1000, 500", 4, "curve-class",
                "the curve keyword \"curvad1000\" holds the digits \"1000\", but a class is one "
                "digit 1 to 6: the compiler takes class 1 (radius 10000 m)"},
        mistake{"note_holding_a_keyword", 'T', 3, "nota, velocita, 0, 100", 3, "unknown-row",
                "\"nota\" starts no row of the train file, but \"velocita\", a later field of "
                "its line, does: the reader starts a speed limit row there"},
        // A keyword field holding "-" is given up for the next: "0" and "100" start nothing.
        mistake{"note_holding_a_keyword_with_a_minus", 'T', 3, "nota, velocita-x, 0, 100", 3,
                "unknown-row",
                "\"nota\" starts no row of the train file: the line is passed over"},
        mistake{"general_row_after_the_section_before_a_row", 'L', 7,
                "sfondo uno, pendenza, 4000, 5", 7, "unknown-row",
                "\"sfondo uno\" is read only in the general section, before the field that "
                "closes it; here \"pendenza\", a later field of its line, starts a gradient row"},
        mistake{"note_closing_the_general_section", 'L', 3, "nota, [curve]", 3, "unknown-row",
                "\"nota\" starts no row of the line file, but \"[curve]\", a later field of its "
                "line, closes the general section"},
        // The minus sign gives up the next line's first field as well.
        mistake{"note_ending_with_a_minus", 'T', 3, "nota, -\r\nvelocita, 0, 100", 3,
                "unknown-row",
                "\"nota\" starts no row of the train file, nor does a later field of its line; "
                "but the reader gives up a field holding \"-\" for the one after it, and here "
                "that runs across a line end"},
        mistake{"byte_order_mark", 'L', 1, "\xEF\xBB\xBF[generale]", 1, "encoding",
                "the file starts with a UTF-8 byte-order mark (EF BB BF)"}));

// The reader acts on no field that ends the file: a last line after the field that opens the
// general section keeps that field from ending it, and is not told passed over.
TEST(Lint, ALastLineAfterTheSectionFieldIsNotPassedOver) {
  for (const char* after : {"nota, 1", "lunghezza percorslo, 1000"}) {
    const std::vector<diagnostic> told =
        lint_scenario({"r_linea.txt", crlf({"[generale]", after})}, {"r_1-.txt", crlf(kTrain)}, {});
    ASSERT_EQ(told.size(), 1u) << printed(told);
    EXPECT_THAT(told[0].detail, testing::HasSubstr("it is the file's last line, after the field "
                                                   "that opens or closes the general section"));
  }
}

// In the general section the reader does not look for the file's end while it gives up fields
// holding "-": it acts on the last field when it gets there so, and reads past the end when
// that field holds "-" too.
TEST(Lint, TheGeneralSectionGivesUpFieldsToTheFilesEnd) {
  struct ending {
    const char* last_line;
    const char* says;
  };
  for (const ending& e : {
           ending{"nota, -, sfondo uno", "but \"sfondo uno\", a later field of its line, does"},
           {"nota, -, -", "here that runs past the file's end"},
       }) {
    const std::vector<diagnostic> told = lint_scenario(
        {"r_linea.txt", crlf({"[generale]", "lunghezza percorso, 10000", e.last_line})},
        {"r_1-.txt", crlf(kTrain)}, {});
    std::string unknown;
    for (const diagnostic& d : told)
      if (d.name == "unknown-row") unknown += d.detail;
    EXPECT_THAT(unknown, testing::HasSubstr(e.says)) << e.last_line << "\n" << printed(told);
  }
}

// A comma that parts two numbers with a blank after it is no decimal comma.
TEST(Lint, OneFieldMoreIsNoDecimalCommaWithABlank) {
  std::vector<std::string> train = kTrain;
  train[2] = "velocita, 0, 100, 5";
  const std::string told = printed(lint(kLine, train));
  EXPECT_THAT(told, testing::HasSubstr("the one more, \"5\""));
  EXPECT_THAT(told, testing::Not(testing::HasSubstr("decimal comma")));
}

// Files given the wrong way round are one error, said before anything else and instead of it.
TEST(Lint, SwappedFilesAreOneError) {
  const std::vector<diagnostic> ds =
      lint_scenario({"r_1-.txt", crlf(kTrain)}, {"r_linea.txt", crlf(kLine)}, {});
  ASSERT_EQ(ds.size(), 1u) << printed(ds);
  EXPECT_EQ(printed(ds),
            "r_1-.txt: error: the two files seem swapped: r_1-.txt, given as the line file, holds "
            "7 rows of a train file, and r_linea.txt, given as the train file, 4 rows of a line "
            "file; give the line file first\n");
  // One file of each kind given twice is not taken for a swap.
  EXPECT_THAT(printed(lint_scenario({"a", crlf(kLine)}, {"b", crlf(kLine)}, {})),
              testing::Not(testing::HasSubstr("swapped")));
}

TEST(Lint, PrintsInTheGnuFormWithItsName) {
  std::vector<std::string> line = kLine;
  line[6] = "pendenza,  4000";
  EXPECT_EQ(printed(lint(line, kTrain)),
            "r_linea.txt:7:16: warning: the \"pendenza\" row ends before its gradient (it reads 2 "
            "fields after its keyword): the reader takes \"[fine]\" from line 8 as its gradient, "
            "and the rows after it shift [-Wmisaligned-row]\n"
            "pendenza,  4000\n"
            "               ^\n");
}

TEST(Lint, AKindCanBeSilenced) {
  std::vector<std::string> line = kLine;
  line[6] = "pendnza, 4000, 5";
  line.insert(line.begin() + 6, "pendenza, 130, 2");
  lint_options quiet;
  quiet.disabled = {"unknown-row"};
  const std::vector<diagnostic> ds = lint(line, kTrain, quiet);
  ASSERT_EQ(ds.size(), 1u) << printed(ds);
  EXPECT_EQ(ds[0].name, "off-grid");
  quiet.disabled.insert("off-grid");
  EXPECT_EQ(printed(lint(line, kTrain, quiet)), "");
}

// Without a route plan the compiler reads no curve row, so its fields are keywords.
TEST(Lint, CurvesAreRowsOnlyWithAPlan) {
  std::vector<std::string> line = kLine;
  line[3] = "curvad3, 1000";
  lint_options no_plan;
  no_plan.plan = false;
  EXPECT_EQ(printed(lint(line, kTrain, no_plan)), "");
  EXPECT_EQ(lint(line, kTrain).size(), 1u);
}

TEST(Lint, ProseAndHeadersAreNoRows) {
  std::vector<std::string> line = kLine;
  line.insert(line.begin() + 2, "Una linea di prova");
  line.insert(line.begin() + 2, "[sezione senza nome]");
  line.insert(line.begin() + 2, "");
  EXPECT_EQ(printed(lint(line, kTrain)), "");
}

// A megabyte-long first field is quoted by its start and its length, the line under it is cut,
// and no keyword is sought in it (that would take minutes).
TEST(Lint, ALongUnknownFieldIsQuotedShort) {
  std::vector<std::string> train = kTrain;
  std::string row(1000000, 'x');
  row += "segnal, 1";
  train.insert(train.begin() + 7, row);
  std::vector<diagnostic> ds = lint(kLine, train);
  ASSERT_EQ(ds.size(), 1u);
  const std::string text = printed(ds);
  EXPECT_THAT(text, testing::HasSubstr("r_1-.txt:8:1: warning: \"" + std::string(80, 'x') +
                                       "...\" (1000006 characters) starts no row of the train "
                                       "file: the line is passed over [-Wunknown-row]\n"));
  EXPECT_LT(text.size(), 1000u);
}

// The compiler makes the grid anew at each route length row: the last one holds.
TEST(Lint, TheLastRouteLengthHolds) {
  std::vector<std::string> line = kLine;
  line[1] = "lunghezza percorso, 3000\r\nlunghezza percorso, 10000";
  EXPECT_EQ(printed(lint(line, kTrain)), "");
  line[1] = "lunghezza percorso, 10000\r\nlunghezza percorso, 3000";
  EXPECT_THAT(printed(lint(line, kTrain)),
              testing::HasSubstr("r_linea.txt:8:11: warning: the \"pendenza\" row at 4000 m lies "
                                 "past the route's end at 3000 m"));
}

// Did-you-mean looks at a bounded number of different first fields a file; the line where the
// budget runs out says so, and a text looked at before keeps its answer.
TEST(Lint, DidYouMeanHasABudgetAFile) {
  std::vector<std::string> line = kLine;
  std::vector<std::string> notes = {"pendnza, 50, 5"};
  for (size_t n = 0; n < kSuggestionBudget + 100; ++n)
    notes.push_back("nota " + std::to_string(n) + ", 1, 2");
  notes.insert(notes.end(), {"montgna, 100, 5", "pendnza, 150, 5", "montgna"});
  line.insert(line.begin() + 7, notes.begin(), notes.end());
  lint_options options;
  options.disabled = {"off-grid", "row-order"};
  const std::vector<diagnostic> told = lint(line, kTrain, options);
  // Every line but the last, a single field past the budget, is told.
  ASSERT_EQ(told.size(), notes.size() - 1);
  EXPECT_THAT(told.front().detail, testing::HasSubstr("did you mean \"pendenza\"?"));
  std::vector<int> noted;
  for (const diagnostic& d : told)
    if (d.detail.find("different first fields that start no row") != std::string::npos)
      noted.push_back(d.where.line);
  // The budget's texts: "pendnza" and the first notes.
  EXPECT_EQ(noted, std::vector<int>{8 + static_cast<int>(kSuggestionBudget)});
  EXPECT_THAT(told[told.size() - 2].detail,
              testing::EndsWith("\"montgna\" starts no row of the line file: the line is passed "
                                "over"));
  EXPECT_THAT(told.back().detail, testing::HasSubstr("did you mean \"pendenza\"?"));
}

// A load test: a file of 50,000 lines whose first fields start no row, each different. Each
// once took a millisecond and more of did-you-mean, even when the warning was silenced.
TEST(Lint, ManyDifferentUnknownLinesTakeNoLongerThanTheirReading) {
  std::vector<std::string> line = kLine;
  for (int n = 0; n < 50000; ++n)
    line.insert(line.end() - 1,
                "nota numero " + std::to_string(n) + " di una lunga serie di note, 1, 2");
  for (bool silenced : {false, true}) {
    lint_options options;
    if (silenced) options.disabled = {"unknown-row"};
    const auto start = std::chrono::steady_clock::now();
    const std::vector<diagnostic> told = lint(line, kTrain, options);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(told.size(), silenced ? 0u : 50000u);
    EXPECT_LT(took, std::chrono::seconds(30)) << (silenced ? "silenced" : "told");
  }
}

TEST(Lint, EveryKindIsKnownByItsName) {
  for (const warning_kind& k : warning_kinds()) EXPECT_TRUE(is_warning_kind(k.name));
  EXPECT_FALSE(is_warning_kind("bogus"));
}

}  // namespace
