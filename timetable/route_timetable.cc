#include "timetable/route_timetable.h"

#include "inspect/route_features.h"

timetable route_timetable(const std::vector<track_cell>& cells,
                          const std::vector<scenario_record>& records,
                          const rate_overrides& overrides) {
  const int32_t braked_mass = records.at(route_length_entry).number_1;
  return compute_timetable(read_route_features(cells, records), rates_for(braked_mass, overrides));
}
