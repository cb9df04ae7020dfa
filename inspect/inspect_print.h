// Printing the decoded binary scenario files: for a person (what the file holds, in the model's
// field names) or as JSON (every field of every entry, doubles to the last bit).
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/route_model.h"

void print_cells(std::ostream& out, const std::string& file, const std::vector<track_cell>& cells);
void print_records(std::ostream& out, const std::string& file,
                   const std::vector<scenario_record>& records);
void print_plan(std::ostream& out, const std::string& file, const route_plan_table& plan);

void print_cells_json(std::ostream& out, const std::string& file,
                      const std::vector<track_cell>& cells);
void print_records_json(std::ostream& out, const std::string& file,
                        const std::vector<scenario_record>& records);
void print_plan_json(std::ostream& out, const std::string& file, const route_plan_table& plan);

// A double as JSON that reads back to the same bits: 17 significant digits, always with a
// point or an exponent so that -0.0 stays a real number. Not for NaN or infinities.
std::string json_double(double v);
