#include "timetable/findings.h"

#include <cmath>
#include <cstdio>

#include "timetable/clock_text.h"

std::string distance_text(double metres) {
  char text[48];
  if (metres < 1000)
    std::snprintf(text, sizeof text, "%.0f m", metres);
  else
    std::snprintf(text, sizeof text, "%.1f km", metres / 1000);
  return text;
}

namespace {

// "it arrives at 8:28:38 at the earliest, and it stops 60 s there", "it gets there at 8:28:38".
std::string reaching(const timed_station& b, double at, const std::string& how) {
  return b.stop_value > 0 ? "it arrives at " + clock_text(at) + how + ", and it stops " +
                                std::to_string(b.stop_value) + " s there"
                          : "it gets there at " + clock_text(at) + how;
}

}  // namespace

std::vector<timetable_finding> timetable_findings(const timetable& t) {
  std::vector<timetable_finding> out;
  for (size_t k = 0; k < t.legs.size(); ++k) {
    const timetable_leg& leg = t.legs[k];
    const timed_station& a = t.stations[leg.from];
    const timed_station& b = t.stations[leg.to];
    const std::string due = "due " + clock_text(b.scheduled);
    const std::string from = a.name + " (" + clock_text(a.scheduled) + ", " +
                             distance_text(leg.distance) + ")";
    const std::string note = "the leg starts at " + a.name + ", due " + clock_text(a.scheduled);
    if (b.scheduled <= a.scheduled) {
      out.push_back({kTimetableOrder, k,
                     due + ", not after " + a.name + " before it, due " + clock_text(a.scheduled),
                     a.name + " is due " + clock_text(a.scheduled) + " here"});
    } else if (leg.blocked_at) {
      out.push_back({kTimetableLineSpeed, k,
                     due + "; no train gets here from " + from + ": the speed limit is 0 km/h at " +
                         std::to_string(std::lround(*leg.blocked_at)) + " m",
                     note});
    } else if (leg.line_speed > leg.scheduled) {
      out.push_back({kTimetableLineSpeed, k,
                     due + "; at line speed from " + from + " " +
                         reaching(b, a.scheduled + leg.line_speed, " at the earliest") + ": " +
                         duration_text(leg.line_speed - leg.scheduled) +
                         " more than the timetable gives",
                     note});
    } else if (std::isfinite(leg.modelled) && leg.modelled > leg.scheduled) {
      out.push_back({kTimetableModel, k,
                     due + "; in the modelled run from " + from + " " +
                         reaching(b, leg.modelled_arrival(a), "") + ": " +
                         duration_text(leg.modelled - leg.scheduled) + " late, at " +
                         rates_words(t.rates),
                     note});
    }
  }
  return out;
}
