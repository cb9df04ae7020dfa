#include "lsp/symbols.h"

#include "binary/cp1252.h"
#include "lsp/field_text.h"

namespace {

// The protocol's symbol kinds.
constexpr int kClassSymbol = 5;
constexpr int kConstantSymbol = 14;
constexpr int kStructSymbol = 23;
constexpr int kEventSymbol = 24;

int symbol_kind(row_kind kind) {
  switch (kind) {
    case row_kind::station: return kClassSymbol;
    case row_kind::signal: return kEventSymbol;
    case row_kind::slowdown: return kStructSymbol;
    case row_kind::speed_board:
    case row_kind::indicator_board: return kConstantSymbol;
    default: return 0;
  }
}

const std::string* field_text(const source_row& row, size_t i) {
  return i < row.values.size() ? &row.values[i].text : nullptr;
}

}  // namespace

nlohmann::json document_symbols(const source_view& view, const kilometre_marks& marks) {
  nlohmann::json symbols = nlohmann::json::array();
  for (const source_row& row : view.rows) {
    const int kind = symbol_kind(row.spec->kind);
    if (kind == 0) continue;
    // Every one of these rows starts with its place along the route.
    std::string name = row.spec->name;
    const std::string* last = field_text(row, row.spec->fields.size() - 1);
    if (row.spec->fields.back().text && last && !last->empty()) name = cp1252_to_utf8(*last);
    if (row.spec->kind == row_kind::indicator_board && last) name = "board \"" + cp1252_to_utf8(*last) + "\"";
    std::string detail;
    if (const std::string* place = field_text(row, 0)) {
      const std::optional<int32_t> metre = number_in(*place);
      detail = metre ? std::to_string(*metre) + " m (km " + marks.text(*metre) + ")"
                     : cp1252_to_utf8(*place);
    }
    if (row.spec->kind == row_kind::station) detail = "station at " + detail;
    const source_field& end_field = row.values.empty() ? row.keyword : row.values.back();
    nlohmann::json range = view.range_of(row.keyword);
    range["end"] = view.range_of(end_field)["end"];
    symbols.push_back({{"name", name.empty() ? std::string(row.spec->name) : name},
                       {"detail", detail},
                       {"kind", kind},
                       {"range", range},
                       {"selectionRange", view.range_of(row.keyword)}});
  }
  return symbols;
}
