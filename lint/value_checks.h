// The checks on the values of the rows a walk reads whole, one kind of warning a file
// (value_check.h): off the grid, in the run-out, out of range, out of order, overlapping
// curves, quotes kept in a text.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "lint/file_walk.h"
#include "lint/value_check.h"

// Every check, run over each row as the walk reads it whole, so no row is kept for later.
class value_checks {
 public:
  // `route_length`: the line file's, for the train file; the line file finds its own.
  value_checks(file_walk& walk, std::optional<int32_t> route_length);
  value_checks(const value_checks&) = delete;
  value_checks& operator=(const value_checks&) = delete;

  // A row read whole. The compiler makes the grid anew at each route length row, all of them
  // in the general section before any row placed on the grid: the last one holds.
  void check(const read_row& row);
  void check(const std::vector<read_row>& rows) {
    for (const read_row& row : rows) check(row);
  }

  std::optional<int32_t> route_length() const { return context_.route_length; }

 private:
  value_context context_;
  std::vector<std::unique_ptr<value_check>> checks_;
};
