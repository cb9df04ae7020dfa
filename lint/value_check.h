// One kind of warning about the values of the rows a walk read whole: each kind is one check,
// in a file of its own, and `value_checks` runs them all over every sound row in file order.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "lint/file_walk.h"

// Each field of a row as a number, when it is one.
using row_numbers = std::vector<std::optional<int32_t>>;

// What every check knows of its file: the walk that takes its warnings, and the route's length
// from the line file, when it has one.
struct value_context {
  file_walk& walk;
  std::optional<int32_t> route_length;

  // True when `position` lies on the grid the route length makes; without one, never: the
  // checks that place a row on the grid are then silent.
  bool within_grid(int32_t position) const;
};

class value_check {
 public:
  virtual ~value_check() = default;
  // Called for each sound row in file order; a check that follows a sequence keeps its state.
  virtual void check(const read_row& row, const row_numbers& v) = 0;
};

// "off-grid": a position that is no multiple of 50 m, and where the compiler puts it.
std::unique_ptr<value_check> off_grid_check(const value_context& c);
// "run-out": a row past the route's end, in the 7000 m of run-out.
std::unique_ptr<value_check> run_out_check(const value_context& c);
// "range": a gradient, speed, adhesion, curve or station length no line would have.
std::unique_ptr<value_check> range_check(const value_context& c);
// "row-order": gradient, speed and adhesion rows that do not go forward.
std::unique_ptr<value_check> row_order_check(const value_context& c);
// "curve-overlap": a curve that starts before the previous one ends.
std::unique_ptr<value_check> curve_overlap_check(const value_context& c);
// "curve-class": a curve keyword holding more digits than its one class digit.
std::unique_ptr<value_check> curve_class_check(const value_context& c);
// "text-field": quotes in a text field, which the text keeps.
std::unique_ptr<value_check> kept_quotes_check(const value_context& c);
