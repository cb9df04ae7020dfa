// The route model: the 50-metre cell grid, the scenario records and the route plan.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/field_table.h"
#include "model/huge_pages.h"

// One 50-metre cell of the grid. The cell file writes its fields in the order of
// track_cell_fields below.
struct track_cell {
  uint8_t kind = 0;
  int16_t value_1 = 0;
  int16_t value_2 = 0;
  int16_t value_3 = 0;
  int16_t value_4 = 0;
  uint8_t time_code = 0;
  uint8_t marker_code = 0;
  uint8_t mountain_type = 0;
  uint8_t speed_code = 0;
  uint8_t gradient_code = 0;
  uint8_t adhesion_code = 0;

  bool operator==(const track_cell&) const = default;
};

// A cell's fields in file order: first the object the cell holds, then its running values.
inline constexpr auto track_cell_object_fields = std::tuple{
    field("kind", &track_cell::kind),
    field("value_1", &track_cell::value_1),
    field("value_2", &track_cell::value_2),
    field("value_3", &track_cell::value_3),
    field("value_4", &track_cell::value_4),
    field("time_code", &track_cell::time_code),
    field("marker_code", &track_cell::marker_code),
    field("mountain_type", &track_cell::mountain_type),
};
inline constexpr auto track_cell_running_fields = std::tuple{
    field("speed_code", &track_cell::speed_code),
    field("gradient_code", &track_cell::gradient_code),
    field("adhesion_code", &track_cell::adhesion_code),
};
inline constexpr auto track_cell_fields =
    std::tuple_cat(track_cell_object_fields, track_cell_running_fields);

// What a cell carries, by `kind`.
enum cell_kind : uint8_t {
  kind_empty = 0,
  kind_signal = 1,
  kind_slowdown_end = 2,
  kind_slowdown_start = 3,
  kind_warning_board = 4,
  kind_approach_marker = 5,
  kind_speed_board = 6,
  kind_stop_point = 10,
  kind_mountain_marker = 11,
  kind_speed_cut_value = 12,
  kind_speed_cut = 13,
  kind_indicator_board = 14,
};

// A cell is free for a new object when it is empty or holds only a mountain marker.
inline bool cell_is_free(const track_cell& c) {
  return c.kind == kind_empty || c.kind == kind_mountain_marker;
}

// One entry of the scenario record table. The .sim file writes its fields in the order of
// scenario_record_fields below. `text` is UTF-8 in memory and Windows-1252 on disk.
struct scenario_record {
  uint8_t tag = 0;
  int32_t number_1 = 0;
  int32_t number_2 = 0;
  int32_t number_3 = 0;
  uint8_t flag_byte = 0;
  std::string text;
  int16_t short_1 = 0;
  int16_t short_2 = 0;
  int16_t short_3 = 0;
  int16_t short_4 = 0;
  int16_t short_5 = 0;
  uint8_t byte_1 = 0;
  uint8_t byte_2 = 0;
  uint8_t byte_3 = 0;
  uint8_t byte_4 = 0;
  int32_t number_4 = 0;

  bool operator==(const scenario_record&) const = default;
};

inline constexpr auto scenario_record_fields = std::tuple{
    field("tag", &scenario_record::tag),
    field("number_1", &scenario_record::number_1),
    field("number_2", &scenario_record::number_2),
    field("number_3", &scenario_record::number_3),
    field("flag_byte", &scenario_record::flag_byte),
    field("text", &scenario_record::text),
    field("short_1", &scenario_record::short_1),
    field("short_2", &scenario_record::short_2),
    field("short_3", &scenario_record::short_3),
    field("short_4", &scenario_record::short_4),
    field("short_5", &scenario_record::short_5),
    field("byte_1", &scenario_record::byte_1),
    field("byte_2", &scenario_record::byte_2),
    field("byte_3", &scenario_record::byte_3),
    field("byte_4", &scenario_record::byte_4),
    field("number_4", &scenario_record::number_4),
};

constexpr int scenario_record_count = 87;

// The record table's entries. Stations take the entries from 1 upward and indicator-board texts
// from first_board_entry downward; the entries above hold the route's own data.
constexpr int first_board_entry = 80;
// Kilometre progressive changes, read from the rows "tre", "due" and "uno", then ordered by
// start, greatest first: number_1 the start (m), number_2 the progressive value, number_3 the
// flag.
constexpr int progressive_three_entry = 81;
constexpr int progressive_two_entry = 82;
constexpr int progressive_one_entry = 83;
// number_2 the route length (m, without the run-out); number_1 the braked-mass percentage and
// number_3 the car count of the train.
constexpr int route_length_entry = 84;
// text the route name; number_1, number_3 and number_2 the starts of backgrounds one, two and
// three; short_1 and number_4 the stamps the simulator checks.
constexpr int route_name_entry = 85;
// text the train number; number_1 and number_2 the start and end of the signal repetition,
// number_3 its number of codes; short_1 the sand, short_3 to short_5 the clock's hours, minutes
// and seconds.
constexpr int train_number_entry = 86;

// Type codes of a variant entry, as the simulator reads them.
enum variant_type : uint16_t {
  variant_empty = 0,
  variant_int16 = 2,
  variant_int32 = 3,
  variant_double = 5,
};

// One variant entry: its type code and its value (an int16 is held exactly in the double).
struct variant_entry {
  uint16_t type = variant_empty;
  double value = 0;

  bool operator==(const variant_entry&) const = default;
};

// The route plan: points (x, y) for metres 0 .. upper, one per metre, as variant entries.
// Stored in file order (every x first, then every y: the metre runs fastest), with the type
// codes apart from the values so that a long route costs 9 bytes an entry, not 16.
struct route_plan_table {
  int32_t upper = -1;  // the highest metre; -1 while the plan does not exist
  std::vector<double, huge_page_allocator<double>> values;
  std::vector<uint8_t, huge_page_allocator<uint8_t>> types;

  bool exists() const { return upper >= 0; }
  size_t entry_count() const { return values.size(); }
  void create(int32_t highest_metre) {
    size_t n = 2 * (static_cast<size_t>(highest_metre) + 1);
    // Fresh arrays, value-initialised: the allocator hands out zeroed memory and writes none.
    clear();
    upper = highest_metre;
    values.resize(n);
    types.resize(n);
  }
  void clear() {
    upper = -1;
    // Moved from empty vectors, so the memory goes (`= {}` would keep it for the next create).
    values = decltype(values)();
    types = decltype(types)();
  }
  size_t index(int32_t metre, int axis) const {
    return static_cast<size_t>(axis) * (static_cast<size_t>(upper) + 1) + static_cast<size_t>(metre);
  }
  variant_entry get(int32_t metre, int axis) const {
    size_t i = index(metre, axis);
    return {types[i], values[i]};
  }
  double coordinate(int32_t metre, int axis) const { return values[index(metre, axis)]; }
  void set_double(int32_t metre, int axis, double v) {
    size_t i = index(metre, axis);
    types[i] = variant_double;
    values[i] = v;
  }
  void set_int16(int32_t metre, int axis, int16_t v) {
    size_t i = index(metre, axis);
    types[i] = variant_int16;
    values[i] = v;
  }
};
