#include "cli/troff.h"

#include <gtest/gtest.h>

namespace {

TEST(Troff, Lines) {
  struct {
    const char* text;
    const char* line;
  } cases[] = {
      {"--out DIR", "\\-\\-out DIR"},
      // A leading '.' or '\'' would be read as a request and the line would vanish.
      {".5 km", "\\&.5 km"},
      {"'quoted' at the start", "\\&'quoted' at the start"},
      {"a.b 'c'", "a.b 'c'"},
      {"C:\\route\\n", "C:\\eroute\\en"},
      {"\\fB", "\\efB"},
      {"pi\xC3\xB9 \xE2\x80\xB0", "pi\\[u00F9] \\[u2030]"},
      // A byte that starts no UTF-8 sequence is taken as Windows-1252 would read it.
      {"citt\xE0", "citt\\[u00E0]"},
      {"\xC3", "\\[u00C3]"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(troff_line(c.text), c.line) << c.text;
}

// Filled text comes in input lines of at most the width, each safe at its start, and an
// unbreakable space ("\ ") never ends one.
TEST(Troff, FilledTextIsWrappedAtPlainSpaces) {
  EXPECT_EQ(troff_text("one two three four", 9), "one two\nthree\nfour");
  EXPECT_EQ(troff_text("a .5 km step", 3), "a\n\\&.5\nkm\nstep");
  EXPECT_EQ(troff_text("a-b c-d", 5), "a\\-b\nc\\-d");
  EXPECT_EQ(troff_text("averyveryverylongword x", 6), "averyveryverylongword\nx");
  EXPECT_EQ(troff_wrapped("[\\fB\\-\\-out\\fR\\ \\fIDIR\\fR] x", 10),
            "[\\fB\\-\\-out\\fR\\ \\fIDIR\\fR]\nx");
  EXPECT_EQ(troff_text(""), "");
}

TEST(Troff, ArgumentsKeepTheirSpacesAndQuotes) {
  EXPECT_EQ(troff_argument("EXIT STATUS"), "\"EXIT STATUS\"");
  EXPECT_EQ(troff_argument("the \"segnale\" row"), "\"the \\(dqsegnale\\(dq row\"");
  EXPECT_EQ(troff_argument(".dat-files"), "\".dat\\-files\"");
}

}  // namespace
