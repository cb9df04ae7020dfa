// What already stands in a cell, in the author's words, for the faults that find it taken.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "form1/form1.h"
#include "model/route_model.h"

// "a signal at 1000 m", "the stop point of station 2 (BORGO)", ...: the object in cell `index`,
// with its position as the cell gives it back (a point object at (index - 1) * 50 m, a speed
// cut at index * 50 m); a station's stop point by its station.
std::string cell_holder(const track_cell& cell, int64_t index,
                        const std::array<scenario_record, scenario_record_count>& records);

// Code `code` at field `k` of the row being handled, for the cell `index` it finds taken: the
// detail says what holds the cell.
diagnostic cell_taken(const Form1& form, size_t k, int32_t code, int32_t position, int64_t index);
