// An open source file as the server's requests read it: its buffer's lines (UTF-8, for the
// protocol's columns), its bytes in Windows-1252 as the compiler reads them, and its rows.
#pragma once

#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "lsp/documents.h"
#include "lsp/source_rows.h"
#include "lsp/text_positions.h"

#include <nlohmann/json.hpp>

struct source_view {
  const open_document& document;
  bool line_file;
  // Characters the code page lacks, each an error; filled as `bytes` is made, so before it.
  std::vector<diagnostic> encoding_faults;
  std::string bytes;  // one byte a character of the buffer
  std::vector<source_row> rows;
  text_lines lines;

  explicit source_view(const open_document& d);

  // The character (from 0) at the protocol's line and UTF-16 column.
  int character_at(int line, int column) const { return lines.character_at(line, column); }
  // The protocol's {"start", "end"} of `f`.
  nlohmann::json range_of(const source_field& f) const;
};
