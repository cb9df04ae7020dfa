#include "compiler/cell_holder.h"

namespace {

std::string at_metres(int64_t m) { return " at " + std::to_string(m) + " m"; }

}  // namespace

std::string cell_holder(const track_cell& cell, int64_t index,
                        const std::array<scenario_record, scenario_record_count>& records) {
  const std::string point = at_metres((index - 1) * 50);
  const auto record_text = [&](int16_t entry) -> std::string {
    if (entry < 0 || entry >= scenario_record_count) return {};
    return records[static_cast<size_t>(entry)].text;
  };
  switch (cell.kind) {
    case kind_signal: return "a signal" + point;
    case kind_slowdown_end: return "a slowdown end" + point;
    case kind_slowdown_start: return "a slowdown start" + point;
    case kind_warning_board: return "a slowdown warning board" + point;
    case kind_approach_marker:
      return "approach marker " + std::to_string(cell.value_1) +
             " of a slowdown warning board, in the cell" + at_metres(index * 50);
    case kind_speed_board: return "a speed board" + point;
    case kind_stop_point: {
      const std::string name = record_text(cell.value_1);
      return "the stop point of station " + std::to_string(cell.value_1) +
             (name.empty() ? "" : " (" + name + ")");
    }
    case kind_speed_cut_value:
    case kind_speed_cut: return "a speed cut" + at_metres(index * 50);
    case kind_indicator_board: {
      const std::string text = record_text(cell.value_1);
      return "an indicator board" + (text.empty() ? "" : " (\"" + text + "\")") + point;
    }
    default: return "an object of kind " + std::to_string(cell.kind) + point;
  }
}

diagnostic cell_taken(const Form1& form, size_t k, int32_t code, int32_t position, int64_t index) {
  const track_cell& cell = form.track_cells.at(static_cast<size_t>(index));
  return form.field_diagnostic(k, code, position,
                               "it holds " + cell_holder(cell, index, form.scenario_records));
}
