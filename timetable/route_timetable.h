// The timetable of a compiled route, from its cells and records as a reader of its files sees
// them, under the train's own rates: the braking rate from its braked mass unless the author
// gives one.
#pragma once

#include <vector>

#include "model/route_model.h"
#include "timetable/timetable.h"

// `records` holds scenario_record_count entries.
timetable route_timetable(const std::vector<track_cell>& cells,
                          const std::vector<scenario_record>& records,
                          const rate_overrides& overrides);
