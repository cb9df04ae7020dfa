#include "diagnostics/diagnostic.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string printed(const diagnostic& d) {
  std::ostringstream out;
  print_diagnostic(out, d);
  return out.str();
}

struct print_case {
  const char* name;
  diagnostic fault;
  std::string expected;
};

void PrintTo(const print_case& c, std::ostream* os) { *os << c.name; }

class PrintDiagnostic : public testing::TestWithParam<print_case> {};

TEST_P(PrintDiagnostic, OneForm) { EXPECT_EQ(printed(GetParam().fault), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Forms, PrintDiagnostic,
    testing::Values(
        print_case{"row", fault_at({"Zenvro_Quarvel_linea.txt", 12, 1, "pendenza,  90000,   5"}, 15,
                                   90000),
                   "Zenvro_Quarvel_linea.txt:12:1: error 15: the row's position lies beyond the "
                   "end of the grid (at 90000 m)\npendenza,  90000,   5\n^\n"},
        print_case{"file_only", fault_at(file_only("Zenvro_Quarvel_linea.txt"), 102),
                   "Zenvro_Quarvel_linea.txt: error 102: no field containing \"[generale]\" in "
                   "the line description file\n"},
        print_case{"no_file", fault_at({}, 12, 1050),
                   "scenario-compiler: error 12: no room for a speed-cut cell in one of the three "
                   "windows before a slowdown start (at 1050 m)\n"},
        print_case{"detail_and_caret",
                   fault_at({"t.txt", 3, 11, "sabbia,    3x0"}, 25, std::nullopt,
                            "\"3x0\" is not a number"),
                   "t.txt:3:11: error 25: the row cannot be read: \"3x0\" is not a "
                   "number\nsabbia,    3x0\n          ^\n"},
        // A file that cannot be opened is no fault of a row.
        print_case{"unreadable_file",
                   fault_at(file_only("t.txt"), 25, std::nullopt,
                            "cannot open the file: no such file"),
                   "t.txt: error 25: the text files cannot be read: cannot open the file: no such "
                   "file\n"},
        // A line without a column points at its start.
        print_case{"no_column", fault_at({"t.txt", 2, 0, "x"}, 1),
                   "t.txt:2:1: error 1: route length above 1000000 m\nx\n^\n"},
        print_case{"unknown_code", fault_at({}, 999), "scenario-compiler: error 999: unknown fault\n"},
        print_case{"no_code", failure("cannot write out/a.dat: No space left on device"),
                   "scenario-compiler: error: cannot write out/a.dat: No space left on device\n"},
        print_case{"warning",
                   warning_at({"t.txt", 5, 9, "pendnza, 100, 5"}, "unknown-row",
                              "no row starts with \"pendnza\"; did you mean \"pendenza\"?"),
                   "t.txt:5:9: warning: no row starts with \"pendnza\"; did you mean "
                   "\"pendenza\"? [-Wunknown-row]\npendnza, 100, 5\n        ^\n"},
        print_case{"system_message", system_message(" Errore n. 1250"), " Errore n. 1250\n"},
        // The caret stands under its field on a terminal: the row's tabs are tabs before it.
        print_case{"tabs",
                   warning_at({"t.txt", 2, 15, "pendenza\t9000\t4"}, "misaligned-row", "x"),
                   "t.txt:2:15: warning: x [-Wmisaligned-row]\npendenza\t9000\t4\n"
                   "        \t    \t^\n"}));

TEST(PrintDiagnostic, AWarningSaysSo) {
  diagnostic d = fault_at({"t.txt", 4, 7, "segnale, 1"}, 16, 400);
  d.level = severity::warning;
  EXPECT_EQ(printed(d),
            "t.txt:4:7: warning 16: the signal's cell is taken (at 400 m)\nsegnale, 1\n      ^\n");
}

TEST(PrintDiagnostic, RelatedPlacesFollowAsNotes) {
  diagnostic d = fault_at({"t.txt", 9, 10, "segnale,  1750, 4"}, 16, 1750);
  d.related.push_back({{"t.txt", 4, 11, "stazione, 1750, 200"}, "the station's stop cell is here"});
  d.related.push_back({file_only("u.txt"), "read from here"});
  EXPECT_EQ(printed(d),
            "t.txt:9:10: error 16: the signal's cell is taken (at 1750 m)\n"
            "segnale,  1750, 4\n         ^\n"
            "t.txt:4:11: note: the station's stop cell is here\n"
            "stazione, 1750, 200\n          ^\n"
            "u.txt: note: read from here\n");
}

}  // namespace
