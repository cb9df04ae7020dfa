// Printing the binary scenario files in the author's terms: what lies along the route and
// where, the stations and the route's data, the plan's extent and curves.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "model/route_model.h"

// `records` are the same train's records when at hand (they name the stations and hold the
// board texts), empty otherwise; `records_file` names them.
void print_route_cells(std::ostream& out, const std::string& file,
                       const std::vector<track_cell>& cells,
                       const std::vector<scenario_record>& records,
                       const std::string& records_file);
// Records must hold scenario_record_count entries.
void print_route_records(std::ostream& out, const std::string& file,
                         const std::vector<scenario_record>& records);
void print_route_plan(std::ostream& out, const std::string& file, const route_plan_table& plan);
