// The picture of a route compiled in memory: what `render` would draw from the files `compile`
// writes for the same sources.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/route_model.h"
#include "render/plan_geometry.h"
#include "timetable/rates.h"

struct compiled_route {
  std::string route_name, train_number;
  const std::vector<track_cell>* cells = nullptr;
  const std::array<scenario_record, scenario_record_count>* records = nullptr;
  const route_plan_table* plan = nullptr;  // null when compiled without a plan
  rate_overrides rates;  // the modelled run's, where the author gives them
};

// The plan as the picture reads it; nothing when there is none or it cannot be drawn.
std::optional<plan_path> plan_of(const compiled_route& route);

// The SVG. The cells and records go through their byte form first, as a reader of the files
// would see them.
std::string draw_compiled_picture(const compiled_route& route,
                                  const std::optional<plan_path>& plan);
