#include "cli/row_position.h"

#include <gtest/gtest.h>

namespace {

TEST(RowHasPosition, RowsWhoseFirstFieldIsAMetre) {
  source_run run;
  run.line_source = "R_linea.txt";
  run.train_source = "R_1-.txt";
  const struct {
    const char* file;
    const char* row;
    bool positioned;
  } cases[] = {
      {"R_1-.txt", "segnale, 4150, 2, 4", true},
      {"R_1-.txt", "  STAZIONE , 500, 2, 400", true},
      {"R_1-.txt", "rallentamento, 3000, 60, 800", true},
      {"R_1-.txt", "velocita, 0, 150", true},
      {"R_1-.txt", "numero vetture, 8", false},  // a count, not a metre
      {"R_1-.txt", "orologio, 8, 25, 0", false},
      {"R_1-.txt", "segnaleX", true},            // read as a signal: the keyword contains it
      {"R_1-.txt", "pendenza, 400, 5", false},   // a line file's row, in the train file
      {"R_linea.txt", "pendenza, 400, 5", true},
      {"R_linea.txt", "curvad3, 2000, 1500", true},
      {"R_linea.txt", "lunghezza percorso, 1000", false},
      {"R_linea.txt", "[generale]", false},
      {"other.txt", "segnale, 4150", false},
  };
  for (const auto& c : cases) {
    diagnostic d = warning_at({c.file, 3, 1, c.row}, "range", "x");
    EXPECT_EQ(row_has_position(d, run), c.positioned) << c.file << ": " << c.row;
  }
  // A diagnostic of a file as a whole has no row.
  EXPECT_FALSE(row_has_position(failure("cannot read R_1-.txt"), run));
}

}  // namespace
