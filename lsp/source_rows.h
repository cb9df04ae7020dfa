// The rows of an open source file as the compiler's readers take them: the general section
// found first, each keyword field tried against the row table (a "-" giving way to the next
// field), each row's fields taken by the scanner's rules across line ends. What the editor's
// hover, outline and completion stand on. Unlike the readers, a row at the file's very end
// is kept: the author is typing it.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "source/row_table.h"
#include "source/scanner.h"

struct source_row {
  const row_spec* spec;
  source_field keyword;
  std::vector<source_field> values;  // as many of the row's fields as the file holds
};

std::vector<source_row> source_rows(std::string_view bytes, bool line_file);

// A field of a row: `field` indexes the row's fields, -1 for its keyword.
struct field_place {
  const source_row* row = nullptr;
  int field = -1;
  const source_field* at() const {
    return field < 0 ? &row->keyword : &row->values[static_cast<size_t>(field)];
  }
};

// The field at `line` and `column` (from 1, in bytes): the field of that line the column
// falls in, with the blanks on either side of it up to its commas.
std::optional<field_place> field_at(const std::vector<source_row>& rows, std::string_view bytes,
                                    int line, int column);
