#include "inspect/route_print.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <set>
#include <utility>

#include "inspect/describe.h"
#include "inspect/nice_step.h"
#include "inspect/plan_reading.h"
#include "inspect/route_features.h"

namespace {

struct listed {
  double metre;
  std::string text;
};

// Every object of the grid, in the order of the route; objects at one metre keep the order
// they are added in.
std::vector<listed> objects_along(const route_features& f) {
  std::vector<listed> out;
  for (const point_mark& p : f.stop_points) {
    std::string name;
    for (const station_mark& s : f.stations)
      if (s.entry == p.value) name = s.name;
    out.push_back({p.metre, describe_stop_point(p, name)});
  }
  for (const signal_mark& s : f.signals) out.push_back({s.metre, describe_signal(s)});
  for (const speed_board_mark& b : f.speed_boards)
    out.push_back({b.metre, describe_speed_board(b)});
  for (const point_mark& b : f.indicator_boards)
    out.push_back({b.metre, describe_indicator_board(b)});
  for (const point_mark& w : f.warning_boards) out.push_back({w.metre, describe_warning_board(w)});
  for (const slowdown_mark& s : f.slowdowns) {
    out.push_back({s.start, describe_slowdown_start(s)});
    if (s.end > s.start) out.push_back({s.end, describe_slowdown_end(s)});
  }
  for (const point_mark& c : f.speed_cuts) out.push_back({c.metre, describe_speed_cut(c)});
  for (const value_run& m : f.mountains) out.push_back({m.from, describe_mountain(m)});
  for (const point_mark& o : f.unknown_objects)
    out.push_back({o.metre, describe_unknown_object(o)});
  std::stable_sort(out.begin(), out.end(),
                   [](const listed& a, const listed& b) { return a.metre < b.metre; });
  return out;
}

template <class Describe>
void print_runs(std::ostream& out, const kilometre_marks& marks, const std::vector<value_run>& runs,
                Describe describe) {
  for (const value_run& r : runs)
    out << "  " << stretch_text(marks, r.from, r.to) << ": " << describe(r) << '\n';
}

// Says where the kilometre marks beside the metres come from.
void print_marks_source(std::ostream& out, const kilometre_marks& marks) {
  out << (marks.from_progressives() ? "km: the line's kilometre marks, from its progressives\n"
                                    : "km: metres from the route's start (no kilometre progressive)\n");
}

// Metres to the decimetre; a value far beyond any route in six digits.
std::string coordinate(double v) {
  char buffer[48];
  if (v == 0) v = 0;  // no "-0.0"
  std::snprintf(buffer, sizeof buffer, std::fabs(v) < 1e9 ? "%.1f" : "%.6g", v);
  return buffer;
}

// The round step, a whole metre or more, that cuts `span` into ten pieces or fewer.
int32_t sample_step(int32_t span) {
  return static_cast<int32_t>(std::max(1.0, nice_step(span, 10, step_rounding::up)));
}

}  // namespace

void print_route_cells(std::ostream& out, const std::string& file,
                       const std::vector<track_cell>& cells,
                       const std::vector<scenario_record>& records,
                       const std::string& records_file) {
  route_features f = read_route_features(cells, records);
  const kilometre_marks& marks = f.marks;
  out << file << ": track cells 0 to " << cells.size() - 1 << ", 50 m each, from 0 m to "
      << metres_text(marks, f.grid_length) << '\n';
  if (!records.empty())
    out << "Route length: " << metres_text(marks, read_route_records(records).data.length)
        << ", without the run-out; station names, board texts and kilometre progressives from "
        << records_file << '\n';
  print_marks_source(out, marks);
  if (f.check_stamp != 0 || f.check_code != 0)
    out << "cell 1 holds the stamp " << f.check_stamp << " and the check code " << f.check_code
        << '\n';
  std::vector<listed> objects = objects_along(f);
  out << "Along the route (" << objects.size() << (objects.size() == 1 ? " object" : " objects")
      << "):\n";
  for (const listed& o : objects) out << "  " << located(marks, o.metre, o.text) << '\n';
  out << "Speed limit:\n";
  print_runs(out, marks, f.speed, describe_speed);
  out << "Gradient:\n";
  print_runs(out, marks, f.gradient, describe_gradient);
  out << "Adhesion:\n";
  print_runs(out, marks, f.adhesion, describe_adhesion);
}

void print_route_records(std::ostream& out, const std::string& file,
                         const std::vector<scenario_record>& records) {
  route_records r = read_route_records(records);
  const route_data& d = r.data;
  const kilometre_marks marks(d.progressives);
  out << file << ": scenario records of train " << quoted(d.train_number) << " on route "
      << quoted(d.route_name) << '\n'
      << "Route length: " << metres_text(marks, d.length) << ", without the run-out\n";
  print_marks_source(out, marks);
  out << "Stations (" << r.stations.size() << "):\n";
  for (const station_mark& s : r.stations) out << "  " << describe_station(marks, s) << '\n';
  if (!r.board_texts.empty()) {
    out << "Indicator board texts:\n";
    for (const auto& [entry, text] : r.board_texts)
      out << "  entry " << entry << ": " << quoted(text) << '\n';
  }
  out << "Kilometre progressives:";
  bool any = false;
  for (const progressive_mark& p : d.progressives) {
    if (p.start == 0 && p.value == 0 && p.flag == 0) continue;
    out << "\n  " << describe_progressive(p);
    any = true;
  }
  out << (any ? "\n" : " none\n");
  out << "Backgrounds: one from " << d.backgrounds[0] << " m, two from " << d.backgrounds[1]
      << " m, three from " << d.backgrounds[2] << " m\n"
      << "Train: braked mass " << d.braked_mass << " %, " << d.cars
      << (d.cars == 1 ? " car" : " cars") << ", sand " << d.sand << '\n'
      << "Clock at the start: "
      << time_of_day(d.clock[0] * 3600 + d.clock[1] * 60 + d.clock[2]) << '\n';
  if (d.repetition_codes != 0 || d.repetition_end != 0)
    out << "Signal repetition: " << d.repetition_codes << " codes from "
        << metres_text(marks, d.repetition_start) << " to " << metres_text(marks, d.repetition_end)
        << '\n';
  else
    out << "Signal repetition: none\n";
  out << "Stamps: " << d.stamp << " and the check code " << d.check_code << '\n';

  // Entries that hold something this view does not read: --raw shows them.
  std::set<int> read;
  for (const station_mark& s : r.stations) read.insert(s.entry);
  for (const auto& board : r.board_texts) read.insert(board.first);
  std::string others;
  const scenario_record blank{};
  for (int e = 0; e <= first_board_entry; ++e)
    if (!read.count(e) && !(records[e] == blank)) others += " " + std::to_string(e);
  if (!others.empty()) out << "Other entries that hold something (see --raw):" << others << '\n';
}

void print_route_plan(std::ostream& out, const std::string& file, const route_plan_table& plan) {
  plan_summary s = read_plan(plan);
  // The plan is the route's, shared by its trains: the progressives are in each train's records.
  const kilometre_marks marks;
  out << file << ": route plan from 0 m to " << metres_text(marks, plan.upper) << ", " << s.points
      << (s.points == 1 ? " point" : " points");
  if (s.points == 0) {
    out << '\n';
    return;
  }
  out << " (metres " << s.first << " to " << s.last << ")\n"
      << "Extent: x " << coordinate(s.extent.xmin) << " m to " << coordinate(s.extent.xmax)
      << " m, y " << coordinate(s.extent.ymin) << " m to " << coordinate(s.extent.ymax)
      << " m (north is +y)\n"
      << "Curves (" << s.curves.size() << "):\n";
  for (const curve_mark& c : s.curves) out << "  " << describe_curve(marks, c) << '\n';
  out << "Along the route:\n";
  int32_t step = sample_step(s.last - s.first);
  for (int32_t m = s.first;;) {
    if (has_point(plan, m)) {
      plan_place p = point_at(plan, m);
      out << "  " << metres_text(marks, m) << ": x " << coordinate(p.x) << " m, y " << coordinate(p.y)
          << " m";
      if (std::isfinite(p.heading)) {
        char heading[32];
        std::snprintf(heading, sizeof heading, "%.1f", p.heading);
        out << ", heading " << heading << "\u00b0";
      }
      out << '\n';
    }
    if (m == s.last) break;
    m = std::min(s.last, (m / step + 1) * step);
  }
}
