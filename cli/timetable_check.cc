#include "cli/timetable_check.h"

#include <vector>

#include "timetable/findings.h"
#include "timetable/route_timetable.h"

void check_timetable(Form1& form, const rate_overrides& rates, std::optional<timetable>* kept) {
  form.finished_route_check = [rates, kept](Form1& f) {
    if (f.faults_reported > 0) return;
    const std::vector<scenario_record> records(f.scenario_records.begin(), f.scenario_records.end());
    timetable t = route_timetable(f.track_cells, records, rates);
    for (const timetable_finding& found : timetable_findings(t)) {
      const timetable_leg& leg = t.legs[found.leg];
      diagnostic d = f.station_warning(t.stations[leg.to].entry, found.name, found.detail);
      d.related.push_back(f.station_note(t.stations[leg.from].entry, found.note));
      f.report_warning(d);
    }
    if (kept) *kept = std::move(t);
  };
}
