// Test helper: a compiled scenario built by hand (cells, records and a plan with curves) and
// written as the three binary files, for the readers of those files to work on.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "files/atomic_file.h"
#include "binary/binary_encoding.h"
#include "files/file_names.h"
#include "model/route_model.h"
#include "model/grid.h"
#include "model/rounding.h"
#include "model/speed_pair.h"

class sample_route {
 public:
  // A route of `length` metres with the usual run-out; speed 100, gradient 0 and adhesion 100
  // everywhere until set otherwise.
  explicit sample_route(int32_t length)
      : length_(length), grid_length_(static_cast<int32_t>(grid_length_of(length))) {
    cells.resize(static_cast<size_t>(last_cell_of(grid_length_)) + 1);
    records.resize(scenario_record_count);
    records[route_length_entry].number_2 = length;
    running(0, [](track_cell& c) { c.speed_code = 20; });
    running(0, [](track_cell& c) { c.gradient_code = 100; });
    running(0, [](track_cell& c) { c.adhesion_code = 100; });
  }

  void speed(int32_t from, int v) {
    running(from, [v](track_cell& c) { c.speed_code = static_cast<uint8_t>(v / 5); });
  }
  void gradient(int32_t from, int g) {
    running(from, [g](track_cell& c) { c.gradient_code = static_cast<uint8_t>(g + 100); });
  }
  void adhesion(int32_t from, int a) {
    running(from, [a](track_cell& c) { c.adhesion_code = static_cast<uint8_t>(a); });
  }

  // A curve of `length` metres from `start` turning by `factor` a metre (right when positive).
  void curve(int32_t start, int32_t length, double factor) { curves_.push_back({start, length, factor}); }

  // The next station entry; a stop cell is marked as the compiler does for an ordinary type.
  void station(const std::string& name, int32_t position, int32_t length = 400, uint8_t type = 2) {
    scenario_record& r = records[next_station_++];
    r.tag = type;
    r.number_1 = position - length / 2;
    r.number_2 = position + length / 2;
    r.number_3 = position;
    r.text = name;
    if (type < 25) {
      track_cell& stop = cells.at(static_cast<size_t>(r.number_2 / 50 - 1));
      stop.kind = kind_stop_point;
      stop.value_1 = static_cast<int16_t>(next_station_ - 1);
    }
  }

  void signal(int32_t position) { point(position).kind = kind_signal; }

  void speed_board(int32_t position, int left_a, int right_a = 0) {
    track_cell& c = point(position);
    c.kind = kind_speed_board;
    c.value_1 = c.value_2 = c.value_3 = static_cast<int16_t>(speed_pair_code(left_a, right_a));
  }

  void indicator_board(int32_t position, const std::string& text) {
    track_cell& c = point(position);
    c.kind = kind_indicator_board;
    c.value_1 = static_cast<int16_t>(next_board_);
    records[next_board_--].text = text;
  }

  void mountain(int32_t from, int32_t to, int type) {
    for (int64_t c = first_mountain_cell(from); c <= last_mountain_cell(to); ++c)
      cells.at(static_cast<size_t>(c)).mountain_type = static_cast<uint8_t>(type);
  }

  void slowdown(int32_t x, int32_t length, int v) {
    point(x - 1200).kind = kind_warning_board;
    point(x - 1200).value_1 = static_cast<int16_t>(v);
    point(x).kind = kind_slowdown_start;
    point(x).value_1 = static_cast<int16_t>(v);
    point(x + length).kind = kind_slowdown_end;
    point(x + length).value_1 = static_cast<int16_t>(v);
  }

  void speed_cut(int32_t p, int value) {
    track_cell& c = cells.at(static_cast<size_t>(running_cell(p)));
    c.kind = value > 0 ? kind_speed_cut_value : kind_speed_cut;
    if (value > 0) c.value_1 = static_cast<int16_t>(value);
  }

  // The plan as the compiler integrates it: metres 0 and 1 fixed, then a step a metre, turned
  // inside the curves; the last two metres stay empty.
  route_plan_table plan() const {
    route_plan_table plan;
    plan.create(grid_length_);
    plan.set_int16(0, 0, 0);
    plan.set_int16(0, 1, 0);
    plan.set_int16(1, 0, 0);
    plan.set_int16(1, 1, 1);
    for (int32_t k = 2; k <= grid_length_ - 2; ++k) {
      double f = 0;
      for (const curve_row& c : curves_)
        if (k > c.start && k <= c.start + c.length) f = c.factor;
      double x1 = plan.coordinate(k - 1, 0), y1 = plan.coordinate(k - 1, 1);
      double dx = x1 - plan.coordinate(k - 2, 0), dy = y1 - plan.coordinate(k - 2, 1);
      plan.set_double(k, 0, x1 + (dx + f * dy));
      plan.set_double(k, 1, y1 + (dy - f * dx));
    }
    return plan;
  }

  std::string cell_bytes() const {
    byte_buffer out;
    encode_array(out, cells);
    return out.bytes();
  }
  std::string record_bytes() const {
    byte_buffer out;
    encode_array(out, records);
    return out.bytes();
  }

  // Writes the three files (the plan only when asked) into `folder`.
  void write(const std::string& folder, const std::string& route, const std::string& train,
             bool with_plan = true) const {
    replace_file(join_path(folder, cells_file_name(route, train)), cell_bytes());
    replace_file(join_path(folder, records_file_name(route, train)), record_bytes());
    if (!with_plan) return;
    route_plan_table p = plan();
    std::string bytes(p.entry_count() * max_variant_size, '\0');
    size_t used = 0;
    for (size_t i = 0; i < p.entry_count(); ++i)
      used += encode_variant(bytes.data() + used, {p.types[i], p.values[i]});
    bytes.resize(used);
    replace_file(join_path(folder, plan_file_name(route)), bytes);
  }

  std::vector<track_cell> cells;
  std::vector<scenario_record> records;

 private:
  struct curve_row {
    int32_t start;
    int32_t length;
    double factor;
  };

  // Point objects go to the cell after the one that holds their position.
  track_cell& point(int32_t position) {
    return cells.at(static_cast<size_t>(point_cell(position)));
  }

  // A running value from cell round(from / 50) to the last filled cell.
  template <class Set>
  void running(int32_t from, Set set) {
    for (size_t c = static_cast<size_t>(running_cell(from)); c + 3 < cells.size(); ++c)
      set(cells[c]);
  }

  int32_t length_;
  int32_t grid_length_;
  int next_station_ = 1;
  int next_board_ = first_board_entry;
  std::vector<curve_row> curves_;
};
