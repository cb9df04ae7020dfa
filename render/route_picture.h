// One self-contained SVG picture of a compiled route: the title, the plan view (when the
// scenario has a plan) and the profiles along the route, with a legend.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/route_model.h"
#include "render/plan_geometry.h"
#include "timetable/rates.h"

struct route_picture_input {
  std::string route_name;
  std::string train_number;
  std::vector<track_cell> cells;
  std::vector<scenario_record> records;  // scenario_record_count entries
  std::optional<plan_path> plan;         // absent when the scenario was compiled without one
  std::string plan_file;                 // the plan file's name, for the note when it is absent
  rate_overrides rates;                  // the modelled run's, where the author gives them
};

std::string draw_route_picture(const route_picture_input& input);
