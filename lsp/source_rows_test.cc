#include "lsp/source_rows.h"

#include <gtest/gtest.h>

#include <string>

namespace {

constexpr std::string_view kLine =
    "a note before the section\n"
    "[generale]\n"
    "lunghezza percorso,    82000\n"
    "-, sfondo uno, 1\n"
    "[curve]\n"
    "curvad6,  1000,  400\n"
    "pendenza, 100\n"
    "  12\n"
    "indicatori_vmax, 800, 30,30,30,0, ,,,0\n";

constexpr std::string_view kTrain =
    "[generale]\n"
    "segnale, 1750, 2, 5,6,1, 0, 0, 0,0,0, 0\n"
    "stazione, 500, 8, 800, 1,0,0, 4,1,0, 2,1,1, 60, 8,25,0, ZENVRO CENTRALE\n"
    "velocita, 0";

TEST(SourceRows, RowsAreTakenAsTheReadersTakeThem) {
  const std::vector<source_row> line = source_rows(kLine, true);
  ASSERT_EQ(line.size(), 5u);
  EXPECT_EQ(line[0].spec->kind, row_kind::route_length);
  // A "-" keyword field gives way to the next field.
  EXPECT_EQ(line[1].spec->kind, row_kind::background);
  EXPECT_EQ(line[1].keyword.text, "sfondo uno");
  EXPECT_EQ(line[2].spec->kind, row_kind::curve);
  // A row's fields run on across a line end, as the reader takes them.
  EXPECT_EQ(line[3].spec->kind, row_kind::gradient);
  ASSERT_EQ(line[3].values.size(), 2u);
  EXPECT_EQ(line[3].values[1].text, "12");
  EXPECT_EQ(line[3].values[1].line, 8);
  EXPECT_EQ(line[4].values.size(), 9u);

  const std::vector<source_row> train = source_rows(kTrain, false);
  ASSERT_EQ(train.size(), 3u);
  EXPECT_EQ(train[1].values.back().text, "ZENVRO CENTRALE");
  // The row the author is typing at the file's end is kept, with what it has.
  EXPECT_EQ(train[2].spec->kind, row_kind::speed);
  EXPECT_EQ(train[2].values.size(), 1u);
  // Without the section nothing is read.
  EXPECT_TRUE(source_rows("segnale, 1750\n", false).empty());
}

TEST(SourceRows, TheFieldAtAColumn) {
  const std::vector<source_row> train = source_rows(kTrain, false);
  struct case_ {
    int line, column;
    int row;    // -1: none
    int field;  // -1: the keyword
  } cases[] = {
      {3, 1, 1, -1},   // on the keyword
      {3, 8, 1, -1},   // its last letter
      {3, 11, 1, 0},   // "500"
      {3, 14, 1, 0},   // just past it, before the comma
      {3, 45, 1, 12},  // the stop value "60"
      {3, 70, 1, 16},  // the name, from column 57
      {2, 2, 0, -1},
      {1, 3, -1, 0},   // the section header is no row
      {4, 12, 2, 0},
      {3, 10, 1, 0},   // the blank after a comma, before "500"
  };
  for (const case_& c : cases) {
    const std::optional<field_place> at = field_at(train, kTrain, c.line, c.column);
    if (c.row < 0) {
      EXPECT_FALSE(at) << c.line << ":" << c.column;
      continue;
    }
    ASSERT_TRUE(at) << c.line << ":" << c.column;
    EXPECT_EQ(at->row, &train[static_cast<size_t>(c.row)]) << c.line << ":" << c.column;
    EXPECT_EQ(at->field, c.field) << c.line << ":" << c.column;
  }
  // Past a comma that no field of a row follows: no field; nor in a line no row took.
  EXPECT_FALSE(field_at(source_rows("[generale]\nvelocita, 0, 30, \n", false),
                        "[generale]\nvelocita, 0, 30, \n", 2, 17));
}

}  // namespace
