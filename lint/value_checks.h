// The checks on the values of the rows a walk read whole, one kind of warning a file
// (value_check.h): off the grid, in the run-out, out of range, out of order, overlapping
// curves, quotes kept in a text.
#pragma once

#include <cstdint>
#include <optional>

#include "lint/file_walk.h"

// Warns of the values of `walk`'s rows; `route_length` is the line file's, when it has one.
void check_values(file_walk& walk, std::optional<int32_t> route_length);
