#include "lsp/hover.h"

#include <cstring>
#include <optional>

#include "files/keywords.h"
#include "lsp/field_text.h"
#include "model/rounding.h"

namespace {

// The fields that give a place along the route, in metres (not a length or a mark's value).
bool is_place(const field_spec& f) {
  if (std::strcmp(f.unit, "m") != 0) return false;
  for (const char* name : {"position", "start", "end"})
    if (std::strcmp(f.name, name) == 0) return true;
  return false;
}

// The cell a row's place falls in, as the compiler places it: a point object one cell on,
// a running value and anything else from the cell that starts there.
int64_t cell_of(row_kind kind, int32_t metre) {
  switch (kind) {
    case row_kind::signal:
    case row_kind::speed_board:
    case row_kind::indicator_board:
    case row_kind::slowdown:
    case row_kind::speed_cut:
      return point_cell(metre);
    default:
      return running_cell(metre);
  }
}


std::string field_list(const row_spec& spec) {
  std::string out;
  for (const field_spec& f : spec.fields) out += (out.empty() ? "" : ", ") + std::string(f.name);
  return out;
}

}  // namespace

nlohmann::json hover_at(const source_view& view, int line, int column,
                        const kilometre_marks& marks) {
  const int character = view.character_at(line, column);
  const std::optional<field_place> place = field_at(view.rows, view.bytes, line + 1, character + 1);
  if (!place) return nullptr;
  const source_row& row = *place->row;
  const row_spec& spec = *row.spec;
  std::string text;
  if (place->field < 0) {
    text = "**" + std::string(spec.name) + "** row (`" + spec.keyword + "`): " + spec.does +
           ".\n\n" + std::to_string(spec.fields.size()) + " fields after the keyword: " +
           field_list(spec) + ".";
  } else {
    const field_spec& f = spec.fields[static_cast<size_t>(place->field)];
    text = "**" + std::string(f.name) + "**: field " + std::to_string(place->field + 1) + " of " +
           std::to_string(spec.fields.size()) + " of a **" + spec.name + "** row (`" +
           spec.keyword + "`)\n\n" + f.meaning + "\n\n- unit: " + f.unit + "\n- range: " +
           f.range;
    if (is_place(f))
      if (std::optional<int32_t> metre = number_in(row.values[static_cast<size_t>(place->field)].text))
        text += "\n- " + std::to_string(*metre) + " m: cell " +
                std::to_string(cell_of(spec.kind, *metre)) + ", km " + marks.text(*metre);
  }
  return {{"contents", {{"kind", "markdown"}, {"value", text}}},
          {"range", view.range_of(*place->at())}};
}
