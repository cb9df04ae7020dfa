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

TEST(Troff, ArgumentsKeepTheirSpacesAndQuotes) {
  EXPECT_EQ(troff_argument("EXIT STATUS"), "\"EXIT STATUS\"");
  EXPECT_EQ(troff_argument("the \"segnale\" row"), "\"the \\(dqsegnale\\(dq row\"");
  EXPECT_EQ(troff_argument(".dat-files"), "\".dat\\-files\"");
}

}  // namespace
