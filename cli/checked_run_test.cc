// What `check` and `serve` hand on about each diagnostic besides its text: the row's kind and its
// place along the route, taken from the row as it was read.
#include "cli/checked_run.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli/source_run.h"
#include "testing/temp_folder.h"

namespace {

const std::string kLine = "[generale]\r\nlunghezza percorso, 1000\r\n[pendenze]\r\npendenza, 0, 0\r\n";
const std::string kTrain =
    "[generale]\r\nvelocita, 0, 100\r\naderenza, 0, 100\r\n"
    "segnale, 400, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n";

struct row_case {
  const char* name;
  std::string line_rows, train_rows;  // added at the end of each file
  std::string row_kind;               // of the first diagnostic
  std::optional<double> metre;
};

void PrintTo(const row_case& c, std::ostream* os) { *os << c.name; }

class RowPlaces : public testing::TestWithParam<row_case> {};

TEST_P(RowPlaces, TheFirstDiagnosticCarriesItsRowsKindAndMetre) {
  const row_case& c = GetParam();
  temp_folder author;
  write_file(author.file("Mini_linea.txt"), kLine + c.line_rows + "[fine]\r\n");
  write_file(author.file("Mini_42-.txt"), kTrain + c.train_rows + "[fine]\r\n");
  std::ostringstream err;
  diagnostic_engine diagnostics(console_printer(err));
  source_run run;
  ASSERT_EQ(parse_source_run(*find_command("check"),
                             {author.file("Mini_linea.txt"), author.file("Mini_42-.txt")}, {}, run,
                             diagnostics),
            exit_clean);
  ASSERT_EQ(read_sources(run, diagnostics), exit_clean);
  const checked_run checked = run_checked(run, diagnostics);
  ASSERT_FALSE(checked.diagnostics.empty());
  const diagnostic& d = checked.diagnostics.front();
  std::ostringstream printed;
  print_diagnostic(printed, d);
  EXPECT_EQ(d.row_kind, c.row_kind) << printed.str();
  EXPECT_EQ(d.metre, c.metre) << printed.str();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowPlaces,
    testing::Values(
        // The compiler's faults.
        row_case{"signal_cell_taken", "", "segnale, 400, 2, 4, 0, 0, 0, 0, 0,0,0, 0\r\n",
                 "segnale", 400},
        row_case{"slowdown_beyond_grid", "", "rallentamento, 9000, 60, 100, 0, 0, 0\r\n",
                 "rallentamento", 9000},
        row_case{"speed_cut_value_unread", "", "abbattimento, 600, 3x\r\n", "abbattimento", 600},
        row_case{"station_position_unread", "", "stazione, 5x0, 2, 400\r\n", "stazione",
                 std::nullopt},
        row_case{"car_count_unread", "", "numero vetture, 8x\r\n", "numero vetture",
                 std::nullopt},
        // The lint's warnings.
        row_case{"steep_gradient", "pendenza, 300, 99\r\n", "", "pendenza", 300},
        row_case{"misaligned_car_count", "", "numero vetture, 8, 9\r\n", "numero vetture",
                 std::nullopt},
        // A row that is none of the format's is no kind and no place.
        row_case{"unknown_row", "", "segnal, 700, 2\r\n", "", std::nullopt}),
    [](const testing::TestParamInfo<row_case>& p) { return std::string(p.param.name); });

}  // namespace
