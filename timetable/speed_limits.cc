#include "timetable/speed_limits.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <set>

namespace {

// Appends [from, to) at `kmh`, joined to the step before when it goes on at the same speed.
void append(std::vector<limit_step>& out, double from, double to, double kmh) {
  if (to <= from) return;
  if (!out.empty() && out.back().kmh == kmh && out.back().to == from)
    out.back().to = to;
  else
    out.push_back({from, to, kmh});
}

}  // namespace

std::vector<limit_step> speed_limits(const route_features& f) {
  // Every place where a limit may change: the runs' ends and the slowdowns' ends.
  std::vector<double> cuts;
  std::vector<const slowdown_mark*> by_start, by_end;
  for (const value_run& r : f.speed) cuts.insert(cuts.end(), {r.from, r.to});
  for (const slowdown_mark& s : f.slowdowns)
    if (s.end > s.start) {
      cuts.insert(cuts.end(), {s.start, s.end});
      by_start.push_back(&s);
      by_end.push_back(&s);
    }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  std::sort(by_start.begin(), by_start.end(),
            [](const slowdown_mark* a, const slowdown_mark* b) { return a->start < b->start; });
  std::sort(by_end.begin(), by_end.end(),
            [](const slowdown_mark* a, const slowdown_mark* b) { return a->end < b->end; });

  // One sweep: a slowdown's ends are cuts, so it covers a stretch between cuts whole or not at
  // all; the speeds of those that cover it are kept in order.
  std::vector<limit_step> out;
  std::multiset<int> active;
  size_t run = 0, started = 0, ended = 0;
  for (size_t k = 0; k + 1 < cuts.size(); ++k) {
    const double from = cuts[k], to = cuts[k + 1];
    for (; ended < by_end.size() && by_end[ended]->end <= from; ++ended)
      if (by_end[ended]->start < from) active.erase(active.find(by_end[ended]->speed));
    for (; started < by_start.size() && by_start[started]->start <= from; ++started)
      if (by_start[started]->end > from) active.insert(by_start[started]->speed);
    while (run < f.speed.size() && f.speed[run].to <= from) ++run;
    if (run == f.speed.size() || f.speed[run].from > from) continue;  // outside the cells
    double kmh = f.speed[run].value;
    if (!active.empty()) kmh = std::min<double>(kmh, *active.begin());
    append(out, from, to, std::max(kmh, 0.0));
  }
  return out;
}

const limit_step* limit_at(std::span<const limit_step> limits, double metre) {
  auto after = std::upper_bound(limits.begin(), limits.end(), metre,
                                [](double m, const limit_step& s) { return m < s.from; });
  if (after == limits.begin()) return nullptr;
  return &*std::prev(after);
}

double line_speed_seconds(std::span<const limit_step> limits, double from, double to) {
  if (to <= from) return 0;
  if (limits.empty() || from < limits.front().from || to > limits.back().to)
    return std::numeric_limits<double>::infinity();
  double seconds = 0;
  for (const limit_step& s : limits) {
    const double a = std::max(s.from, from), b = std::min(s.to, to);
    if (b <= a) continue;
    if (s.kmh <= 0) return std::numeric_limits<double>::infinity();
    seconds += (b - a) / (s.kmh / 3.6);
  }
  return seconds;
}

std::optional<double> first_stop_limit(std::span<const limit_step> limits, double from, double to) {
  if (to <= from) return std::nullopt;
  if (limits.empty() || from < limits.front().from) return from;
  double covered = from;  // the way is known up to here
  for (const limit_step& s : limits) {
    if (s.to <= from) continue;
    if (s.from >= to) break;
    if (s.from > covered) return covered;  // a gap between steps
    if (s.kmh <= 0) return std::max(s.from, from);
    covered = s.to;
  }
  return covered < to ? std::optional<double>(covered) : std::nullopt;
}
