#include "cli/format_reference_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/format_reference_rows.h"

namespace {

constexpr row_keyword kNoTest[] = {row_keyword::gradient};

// A range wraps where its line would pass 72 columns (here "ten" would end at 73).
TEST(FieldTable, ColumnsStandThreeBlanksPastTheirWidestAndALongRangeWrapsUnderItself) {
  const field_spec fields[] = {
      {"position", false, "m", "32-bit", ""},
      {"code", false, "per mille",
       "one two three four five six seven eight nine ten eleven twelve thirteen", ""},
  };
  const row_spec row{row_kind::gradient, "gradient", "pendenza", kNoTest, fields, ""};
  const row_spec* rows[] = {&row};
  EXPECT_EQ(field_table(rows),
            "  field      unit        range\n"
            "  position   m           32-bit\n"
            "  code       per mille   one two three four five six seven eight nine\n"
            "                         ten eleven twelve thirteen\n");
}

// A range the same as the one above is left blank, and a wrapped range runs on beside those
// blanks before it takes lines of its own; a line of 72 columns is not wrapped.
TEST(FieldTable, ARepeatedRangeIsBlankAndAWrappedOneRunsOnBesideIt) {
  const char* shared = "the scheduled time; 0, 0, 0 where the train passes by this place";
  const field_spec fields[] = {
      {"hours", false, "h", shared, ""},
      {"minutes", false, "min", shared, ""},
      {"seconds", false, "s", "16-bit", ""},
      {"flag", false, "-", "16-bit", ""},
      {"again", false, "-", shared, ""},
  };
  const row_spec row{row_kind::station, "station", "stazione", kNoTest, fields, ""};
  const row_spec* rows[] = {&row};
  EXPECT_EQ(field_table(rows),
            "  field     unit   range\n"
            "  hours     h      the scheduled time; 0, 0, 0 where the train passes by\n"
            "  minutes   min    this place\n"
            "  seconds   s      16-bit\n"
            "  flag      -\n"
            "  again     -      the scheduled time; 0, 0, 0 where the train passes by\n"
            "                   this place\n");
}

// Several rows in one table: each named by its keyword on its first line; a range is left
// blank only under its own row's.
TEST(FieldTable, RowsSideBySideAreNamedByTheirKeywords) {
  const field_spec sand[] = {{"sand", false, "-", "16-bit", ""}};
  const field_spec clock[] = {{"hours", false, "h", "16-bit", ""},
                              {"minutes", false, "min", "16-bit", ""}};
  const row_spec rows_of[] = {{row_kind::sand, "sand", "sabbia", kNoTest, sand, ""},
                              {row_kind::clock, "clock", "orologio", kNoTest, clock, ""}};
  const row_spec* rows[] = {&rows_of[0], &rows_of[1]};
  EXPECT_EQ(field_table(rows),
            "  row        field     unit   range\n"
            "  sabbia     sand      -      16-bit\n"
            "  orologio   hours     h      16-bit\n"
            "             minutes   min\n");
}

// Every row of the table has its fields printed in the reference, under its own file.
TEST(FieldTable, EveryRowKindHasOneSectionOfItsFile) {
  std::vector<int> sections(row_specs().size());
  for (bool line_file : {true, false})
    for (const row_section& s : line_file ? line_row_sections() : train_row_sections())
      for (row_kind kind : s.rows) {
        ++sections[static_cast<size_t>(kind)];
        EXPECT_EQ(row_spec_of(kind).part() != row_part::train, line_file) << s.title;
      }
  for (const row_spec& row : row_specs())
    EXPECT_EQ(sections[static_cast<size_t>(row.kind)], 1) << row.name;
}

}  // namespace
