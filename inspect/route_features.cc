#include "inspect/route_features.h"

#include <algorithm>
#include <set>

#include "binary/cell_objects.h"
#include "binary/profile_codes.h"
#include "binary/station_record.h"
#include "model/grid.h"

namespace {

constexpr double kCell = 50.0;

// The metre where cell `c` starts (cell counts are far below 2^53: exact).
double cell_start(size_t c) { return static_cast<double>(c) * kCell; }

// Runs of equal values over cells [0, count), as stretches in metres.
template <class Value>
std::vector<value_run> runs(const std::vector<track_cell>& cells, size_t count, Value value) {
  std::vector<value_run> out;
  for (size_t c = 0; c < count; ++c) {
    int v = value(cells[c]);
    if (!out.empty() && out.back().value == v && out.back().to == cell_start(c))
      out.back().to = cell_start(c + 1);
    else
      out.push_back({cell_start(c), cell_start(c + 1), v});
  }
  return out;
}

// Stations fill the entries from 1 upwards, indicator-board texts from 80 downwards; the
// stations end at the first blank entry or at the first entry a board cell names.
std::vector<station_mark> read_stations(const std::vector<scenario_record>& records,
                                        const std::set<int>& board_entries) {
  std::vector<station_mark> out;
  const scenario_record blank{};
  for (int e = 1; e <= first_board_entry && e < static_cast<int>(records.size()); ++e) {
    const scenario_record& r = records[e];
    if (r == blank || board_entries.count(e)) break;
    const station_object s = read_station_record(r);
    const int64_t stop_cell = stop_cell_of(s.end);
    out.push_back({e, s.name, s.position, s.start, s.end, s.type, s.scheduled, s.stop_value,
                   s.type < 25 && stop_cell > 1, static_cast<double>(stop_cell) * kCell});
  }
  return out;
}

signal_mark read_signal(const track_cell& c, int cell) {
  const signal_object o = read_signal_cell(c);
  return {point_object_metre(cell), {o.aspects[0], o.aspects[1], o.aspects[2]},
          o.left_side, o.right_side, o.rapp, o.time};
}

speed_board_mark read_speed_board(const track_cell& c, int cell) {
  const speed_board_object o = read_speed_board_cell(c);
  speed_board_mark b;
  b.metre = point_object_metre(cell);
  for (int k = 0; k < 3; ++k) {
    b.left[k] = o.speeds[k].left;
    b.right[k] = o.speeds[k].right;
  }
  b.left_stripes = o.left_stripes;
  b.right_stripes = o.right_stripes;
  return b;
}

bool only_text(const scenario_record& r) {
  scenario_record text_alone;
  text_alone.text = r.text;
  return !r.text.empty() && r == text_alone;
}

route_data read_data(const std::vector<scenario_record>& records) {
  route_data d;
  const scenario_record& length = records[route_length_entry];
  const scenario_record& route = records[route_name_entry];
  const scenario_record& train = records[train_number_entry];
  d.route_name = route.text;
  d.train_number = train.text;
  d.length = length.number_2;
  d.braked_mass = length.number_1;
  d.cars = length.number_3;
  const int entries[3] = {progressive_three_entry, progressive_two_entry, progressive_one_entry};
  for (int k = 0; k < 3; ++k) {
    const scenario_record& p = records[entries[k]];
    d.progressives[k] = {p.number_1, p.number_2, p.number_3};
  }
  // Entry 85 keeps background three before background two.
  d.backgrounds[0] = route.number_1;
  d.backgrounds[1] = route.number_3;
  d.backgrounds[2] = route.number_2;
  d.repetition_start = train.number_1;
  d.repetition_end = train.number_2;
  d.repetition_codes = train.number_3;
  d.sand = train.short_1;
  d.clock[0] = train.short_3;
  d.clock[1] = train.short_4;
  d.clock[2] = train.short_5;
  d.stamp = route.short_1;
  d.check_code = route.number_4;
  return d;
}

}  // namespace

route_records read_route_records(const std::vector<scenario_record>& records) {
  route_records out;
  std::set<int> boards;
  for (int e = first_board_entry; e >= 1 && only_text(records[e]); --e) {
    boards.insert(e);
    out.board_texts.push_back({e, records[e].text});
  }
  out.stations = read_stations(records, boards);
  out.data = read_data(records);
  return out;
}

route_features read_route_features(const std::vector<track_cell>& cells,
                                   const std::vector<scenario_record>& records) {
  route_features f;
  f.grid_length = cell_start(cells.size());
  if (cells.size() > 1) f.check_stamp = cells[1].value_1, f.check_code = cells[1].value_2;
  std::set<int> board_entries;
  double furthest = 0;  // the furthest object, to keep it on the profiles' axis
  bool slowdown_open = false;  // a start seen, its end not yet
  for (size_t i = 0; i < cells.size(); ++i) {
    const track_cell& c = cells[i];
    int cell = static_cast<int>(i);
    double metre = point_object_metre(cell);
    switch (c.kind) {
      case kind_signal:
        f.signals.push_back(read_signal(c, cell));
        break;
      case kind_speed_board:
        f.speed_boards.push_back(read_speed_board(c, cell));
        break;
      case kind_slowdown_start:
        f.slowdowns.push_back({metre, metre, read_slowdown_part(c).speed});
        slowdown_open = true;
        break;
      case kind_slowdown_end:
        if (slowdown_open) f.slowdowns.back().end = metre;
        slowdown_open = false;
        break;
      case kind_warning_board:
        f.warning_boards.push_back({metre, read_slowdown_part(c).speed, {}});
        break;
      case kind_speed_cut_value:
      case kind_speed_cut:
        // Speed cuts lie in the cell that starts at their position.
        metre = cell * kCell;
        f.speed_cuts.push_back({metre, read_speed_cut_cell(c), {}});
        break;
      case kind_stop_point:
        // Listed where the stop cell starts: it ends at the station's end.
        f.stop_points.push_back({cell_start(i), read_stop_point_cell(c), {}});
        continue;  // the picture's axis follows the stations' stop positions
      case kind_indicator_board: {
        const int entry = read_indicator_board_cell(c);
        std::string text;
        if (entry >= 1 && entry <= first_board_entry && entry < static_cast<int>(records.size())) {
          board_entries.insert(entry);
          text = records[static_cast<size_t>(entry)].text;
        }
        f.indicator_boards.push_back({metre, entry, text});
        break;
      }
      case kind_empty:
      case kind_approach_marker:   // part of its slowdown
      case kind_mountain_marker:   // part of its mountain
        continue;
      default:
        f.unknown_objects.push_back({metre, c.kind, {}});
        continue;
    }
    furthest = std::max(furthest, metre);
  }

  f.stations = read_stations(records, board_entries);
  if (records.size() >= scenario_record_count)
    f.marks = kilometre_marks(read_data(records).progressives);
  for (const station_mark& s : f.stations) furthest = std::max<double>(furthest, s.position);

  // The last three cells of a grid are never filled: the profiles stop before them.
  size_t filled = cells.size() > 3 ? cells.size() - 3 : cells.size();
  f.speed = runs(cells, filled, [](const track_cell& c) { return speed_of_code(c.speed_code); });
  f.gradient =
      runs(cells, filled, [](const track_cell& c) { return gradient_of_code(c.gradient_code); });
  f.adhesion =
      runs(cells, filled, [](const track_cell& c) { return adhesion_of_code(c.adhesion_code); });
  for (const value_run& m : runs(cells, cells.size(), [](const track_cell& c) {
         return int{c.mountain_type};
       }))
    if (m.value != 0) f.mountains.push_back(m);

  double filled_end = cell_start(filled);
  int32_t length = records.size() > route_length_entry ? records[route_length_entry].number_2 : 0;
  f.route_length = length > 0 ? std::min<double>(length, filled_end) : filled_end;
  f.axis_end = furthest > f.route_length ? std::min(furthest + 500, filled_end) : f.route_length;
  if (f.axis_end <= 0) f.axis_end = kCell;
  return f;
}
