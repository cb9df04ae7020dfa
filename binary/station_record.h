// A station's record entry, as the compiler fills it and inspect reads it (the compiler reads
// most fields straight into the entry, and codes the time and the extent): the stop position in
// number_3, the extent in number_1 and number_2, the type in tag, the scheduled time in seconds
// since midnight in number_4, the stop value in byte_2 and the name in text.
#pragma once

#include <cstdint>
#include <string>

#include "model/route_model.h"

struct station_object {
  int32_t position = 0;
  int32_t start = 0;
  int32_t end = 0;
  int type = 0;
  int32_t scheduled = 0;  // 0 where the timetable gives none
  int stop_value = 0;
  std::string name;

  bool operator==(const station_object&) const = default;
};

// The scheduled time's code before it is narrowed to number_4.
inline int64_t station_time_code(int64_t hours, int64_t minutes, int64_t seconds) {
  return (hours * 60 + minutes) * 60 + seconds;
}

inline station_object read_station_record(const scenario_record& r) {
  return {r.number_3, r.number_1, r.number_2, r.tag, r.number_4, r.byte_2, r.text};
}
