// What the timetable warnings tell, leg by leg, in words: a time not after the one before
// (timetable-order), a time not even the line-speed bound meets (timetable), a time the
// modelled run misses (timetable-model). Each is told at the later station, with a note at the
// earlier; where they stand in the sources is the caller's to say.
#pragma once

#include <string>
#include <vector>

#include "timetable/timetable.h"

inline constexpr const char* kTimetableOrder = "timetable-order";
inline constexpr const char* kTimetableLineSpeed = "timetable";
inline constexpr const char* kTimetableModel = "timetable-model";

struct timetable_finding {
  const char* name;  // the warning's kind
  size_t leg;        // into the timetable's legs
  std::string detail;  // told at the leg's later station
  std::string note;    // told at its earlier station
};

// One finding at most for each leg, the gravest: out of order, then beyond the line-speed
// bound, then late in the modelled run.
std::vector<timetable_finding> timetable_findings(const timetable& t);

// "5.5 km", "350 m".
std::string distance_text(double metres);
