// The format reference's tables of fields, printed from the row table (source/row_table.h) so
// that the reference and the readers' rows cannot drift apart.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/format_reference.h"
#include "source/row_table.h"

// The table of the fields of `rows`, each line indented by two: a heading "field unit range"
// and a line for each field. With more than one row, a first column names each row by its
// keyword. A range that repeats the one above it is left blank, and a range too long for the
// line runs on beside the blank ranges below it, else on lines of its own.
std::string field_table(std::span<const row_spec* const> rows);

// A section of one kind of row, or of a few read alike: the text above its table of fields,
// the rows the table holds, and the text below it.
struct row_section {
  const char* title;
  const char* before;
  std::vector<row_kind> rows;
  const char* after;
};

// The sections with their tables in place, a blank line either side. Their texts are made
// once and kept for the rest of the run.
std::vector<reference_section> with_field_tables(std::span<const row_section> sections);
