// Where the objects and values of the run came from, and the warnings when a later row takes
// what an earlier one placed. The rows write the same cells and records either way: the
// warnings only tell the loss.
#include <algorithm>
#include <string>

#include "form1/form1.h"
#include "compiler/cell_holder.h"
#include "files/keywords.h"

namespace {

constexpr const char* kOverwrite = "overwrite";

std::string metres(int64_t m) { return std::to_string(m) + " m"; }

// "approach marker 3 of station 2 (BORGO)": a signal's markers and a station's both end in
// their number, 1 next to the object, 4 furthest from it.
std::string marker_words(uint8_t code, const std::string& placer) {
  return "approach marker " + std::to_string(code % 10) + " of " + placer;
}

}  // namespace

// A silenced kind is dropped by the engine anyway; a route of many losses need not word them.
bool Form1::overwrite_silenced() const {
  return diagnostics.settings().disabled.count(kOverwrite) > 0;
}

uint32_t Form1::note_placing_row(placed_kind what, int64_t at, size_t field) {
  // Where the field starts, as field_place gives it, without its text.
  int line = row_place.line, column = row_place.column;
  size_t offset = row_line_offset;
  if (line > 0 && !row_fields.empty()) {
    const field_start& f = row_fields[field < row_fields.size() ? field : 0];
    line = f.line;
    column = f.column;
    offset = f.line_offset;
  }
  auto source = std::find_if(placing_sources.begin(), placing_sources.end(),
                             [&](const placing_source& s) { return s.name == input_name; });
  if (source == placing_sources.end())
    source = placing_sources.insert(placing_sources.end(), {input_name, nullptr});
  std::optional<int32_t> metre;
  if (row_kind_read && starts_with_metre(*row_kind_read)) metre = row_first_number;
  placing_rows.push_back({what, static_cast<uint8_t>(source - placing_sources.begin()),
                          row_kind_read, metre, line, column, offset, at});
  return static_cast<uint32_t>(placing_rows.size() - 1);
}

std::string Form1::placed_words(uint32_t row) const {
  const placing_row& r = placing_rows[row];
  switch (r.what) {
    case placed_kind::speed_board: return "the speed board at " + metres(r.at);
    case placed_kind::indicator_board: return "the indicator board at " + metres(r.at);
    case placed_kind::signal: return "the signal at " + metres(r.at);
    case placed_kind::slowdown: return "the slowdown from " + metres(r.at);
    case placed_kind::speed_cut: return "the speed cut at " + metres(r.at);
    case placed_kind::station: {
      const std::string& name = scenario_records.at(static_cast<size_t>(r.at)).text;
      return "station " + std::to_string(r.at) + (name.empty() ? "" : " (" + name + ")");
    }
    case placed_kind::speed: return "speed";
    case placed_kind::adhesion: return "adhesion";
    case placed_kind::route_length: return "route length";
    case placed_kind::progressive: return "kilometre progressive";
  }
  return {};
}

source_location Form1::placing_place(uint32_t row) const {
  const placing_row& r = placing_rows[row];
  const placing_source& s = placing_sources[r.source];
  // The file still open reads its text from the reader; a closed one from what it kept.
  const field_reader* text = s.text ? s.text.get() : s.name == input_name ? input.get() : nullptr;
  return {shown_name(s.name), r.line, r.column,
          text && r.line > 0 ? text->line_text_at(r.line_offset, r.column) : std::string()};
}

diagnostic Form1::station_warning(int entry, const std::string& name,
                                  const std::string& detail) const {
  const auto row = station_rows.find(entry);
  if (row == station_rows.end()) return warning_at({}, name, detail);
  const placing_row& r = placing_rows[row->second];
  diagnostic d = warning_at(placing_place(row->second), name, detail);
  if (r.kind) d.row_kind = keyword_test_of(*r.kind).written;
  if (r.metre) d.metre = *r.metre;
  return d;
}

related_place Form1::station_note(int entry, const std::string& message) const {
  const auto row = station_rows.find(entry);
  if (row == station_rows.end()) return {{}, message};
  return {placing_place(row->second), message};
}

void Form1::note_point_object(int64_t index, uint32_t placer) { point_placers[index] = placer; }

void Form1::take_point_cell(int64_t index, uint32_t placer) {
  const track_cell& cell = grid_cell(index);
  const auto held = point_placers.find(index);
  const bool own = held != point_placers.end() && held->second == placer;
  // A mountain marker gives way to any object by design; it is no loss.
  if (!cell_is_free(cell) && !own && !overwrite_silenced()) {
    std::optional<uint32_t> loser;
    if (held != point_placers.end()) loser = held->second;
    const std::string taker =
        (placing_rows[placer].what == placed_kind::station ? "the stop point of " : "") +
        placed_words(placer);
    tell_overwrite(taker + " takes the cell at " + metres(index * 50) + " from " +
                       cell_holder(cell, index, scenario_records) + ", which is lost",
                   loser, loser ? placed_words(*loser) + " is placed here" : "");
  }
  point_placers[index] = placer;
}

void Form1::take_marker(int64_t index, uint8_t code, uint32_t placer) {
  const uint8_t held_code = grid_cell(index).marker_code;
  const auto held = marker_placers.find(index);
  const bool own = held != marker_placers.end() && held->second == placer;
  // The same code from another row loses nothing: the cell reads as it did.
  if (held_code != 0 && held_code != code && !own && !overwrite_silenced()) {
    std::optional<uint32_t> loser;
    if (held != marker_placers.end()) loser = held->second;
    const std::string lost = loser ? marker_words(held_code, placed_words(*loser))
                                   : "approach marker code " + std::to_string(held_code);
    tell_overwrite(marker_words(code, placed_words(placer)) + " takes the marker of the cell at " +
                       metres(index * 50) + " from " + lost + ", which is lost",
                   loser, loser ? placed_words(*loser) + " is placed here" : "");
  }
  marker_placers[index] = placer;
}

void Form1::tell_overwrite(const std::string& detail, std::optional<uint32_t> loser,
                           const std::string& note) {
  diagnostic d = at_row(warning_at(field_place(0), kOverwrite, detail));
  if (loser) d.related.push_back({placing_place(*loser), note});
  report_warning(d);
}

void Form1::tell_overwrite_at(uint32_t row, const std::string& detail,
                              const std::vector<std::pair<uint32_t, std::string>>& notes) {
  const placing_row& r = placing_rows[row];
  diagnostic d = warning_at(placing_place(row), kOverwrite, detail);
  if (r.kind) d.row_kind = keyword_test_of(*r.kind).written;
  if (r.metre) d.metre = *r.metre;
  for (const auto& [at, note] : notes) d.related.push_back({placing_place(at), note});
  report_warning(d);
}

// A row fills the cells before its own with the value of the row before it, at least one cell
// even when none is left before its own; a row at cell 0 or below fills none.
void Form1::tell_running_loss(const std::string& what, std::optional<uint32_t> before,
                              int32_t index, int64_t n, int32_t earlier, int32_t value) {
  if (!before || (n > 0 && index < n)) return;
  const bool one_cell = n > 0 && index >= 0 && index <= last_cell_index;
  const std::string head = "the " + what + " " + std::to_string(earlier) + " of the row before ";
  const std::string detail =
      one_cell ? head + "applies only to the cell at " + metres(int64_t{index} * 50) +
                     ": this row is not after it, so its " + what + " " + std::to_string(value) +
                     " starts at " + metres((int64_t{index} + 1) * 50)
               : head + "applies to no cell: this row is not after it, and its " + what + " " +
                     std::to_string(value) + " takes its place from " +
                     metres(int64_t{std::max(index, 0)} * 50);
  tell_overwrite(detail, before, "the " + placed_words(*before) + " row before is here");
}

void Form1::tell_cleared_progressives(bool by_start) {
  struct given {
    int entry;  // 81 to 83
    std::string name;
    const scenario_record* read;
  };
  // In the order the author counts them: "uno" (entry 83) first.
  std::vector<given> all;
  for (int entry = progressive_one_entry; entry >= progressive_three_entry; --entry) {
    const row_keyword kind = entry == progressive_one_entry   ? row_keyword::progressive_one
                             : entry == progressive_two_entry ? row_keyword::progressive_two
                                                              : row_keyword::progressive_three;
    all.push_back({entry, "\"" + std::string(keyword_test_of(kind).first) + "\"",
                   &scenario_records[static_cast<size_t>(entry)]});
  }
  auto placer = [&](const given& g) {
    return progressive_placers[static_cast<size_t>(g.entry - progressive_three_entry)];
  };
  auto holds = [](const given& g) {
    return g.read->number_1 != 0 || g.read->number_2 != 0 || g.read->number_3 != 0;
  };

  int32_t greatest = INT32_MIN;
  for (const given& g : all) greatest = std::max(greatest, g.read->number_1);
  std::vector<const given*> sharers;
  for (const given& g : all)
    if (g.read->number_1 == greatest) sharers.push_back(&g);

  std::string reason;
  if (by_start) {
    std::string names;
    bool absent = false;
    for (size_t k = 0; k < sharers.size(); ++k) {
      names += (k == 0 ? "" : k + 1 == sharers.size() ? " and " : ", ") + sharers[k]->name;
      absent = absent || !placer(*sharers[k]);
    }
    reason = "the greatest start, " + metres(greatest) + ", is shared by " + names +
             (absent ? " (a progressive not given starts at 0 m)" : "");
  } else {
    reason = "the starts add up to 0 m and no value is above 0";
  }

  // Each given row that held anything is told, in line order, with notes at the rows behind
  // the clearing: those that share the greatest start, or every other given row.
  std::vector<const given*> told;
  for (const given& g : all)
    if (placer(g) && holds(g)) told.push_back(&g);
  std::sort(told.begin(), told.end(), [&](const given* a, const given* b) {
    return placing_rows[*placer(*a)].line < placing_rows[*placer(*b)].line;
  });
  for (const given* g : told) {
    std::vector<std::pair<uint32_t, std::string>> notes;
    for (const given& other : all) {
      if (&other == g || !placer(other)) continue;
      const bool shares = other.read->number_1 == greatest;
      if (by_start && !shares) continue;
      notes.push_back({*placer(other), "kilometre progressive " + other.name +
                                           (by_start ? " starts at " + metres(greatest) + " here"
                                                     : " is here")});
    }
    tell_overwrite_at(*placer(*g), "this kilometre progressive is cleared, with the others: " + reason,
                      notes);
  }
}
