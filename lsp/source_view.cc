#include "lsp/source_view.h"

#include "lint/encoding.h"
#include "lsp/lsp_diagnostics.h"

source_view::source_view(const open_document& d)
    : document(d),
      line_file(d.kind == source_kind::line),
      encoding_faults(),
      bytes(utf8_to_windows_1252({d.path, d.text}, encoding_faults)),
      rows(source_rows(bytes, line_file)),
      lines(d.text) {}

nlohmann::json source_view::range_of(const source_field& f) const {
  const int line = f.line - 1;
  const int from = f.column - 1;
  const int to = from + static_cast<int>(f.text.size());
  return {{"start", lsp_position(line, lines.utf16_column(line, from))},
          {"end", lsp_position(line, lines.utf16_column(line, to))}};
}
