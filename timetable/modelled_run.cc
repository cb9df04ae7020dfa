#include "timetable/modelled_run.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double kInfinite = std::numeric_limits<double>::infinity();

double metres_per_second(double kmh) { return kmh / 3.6; }

}  // namespace

modelled_run::modelled_run(std::span<const limit_step> limits, double from, double to,
                           const running_rates& rates)
    : from_(from), to_(std::max(from, to)), rates_(rates) {
  // The stretches of the way, a gap in the limits as a stretch of limit 0.
  double covered = from_;
  for (const limit_step& s : limits) {
    if (s.to <= covered) continue;
    if (s.from >= to_) break;
    if (s.from > covered) stretches_.push_back({covered, s.from, 0});
    const double end = std::min(s.to, to_);
    stretches_.push_back({std::max(s.from, covered), end, metres_per_second(s.kmh)});
    covered = end;
  }
  if (covered < to_) stretches_.push_back({covered, to_, 0});

  // The highest speed allowed where stretches meet: from rest, to rest, and under both limits.
  const size_t n = stretches_.size();
  const double a = rates_.acceleration, b = rates_.deceleration;
  std::vector<double> cap(n + 1, 0), ahead(n + 1, 0), behind(n + 1, 0);
  for (size_t j = 1; j < n; ++j) cap[j] = std::min(stretches_[j - 1].limit, stretches_[j].limit);
  // What speeding up from the start can reach, and what braking can still lose before the end.
  for (size_t j = 0; j < n; ++j)
    ahead[j + 1] = std::min(cap[j + 1], std::sqrt(ahead[j] * ahead[j] + 2 * a * stretches_[j].length()));
  for (size_t j = n; j-- > 0;)
    behind[j] = std::min(cap[j], std::sqrt(behind[j + 1] * behind[j + 1] + 2 * b * stretches_[j].length()));

  double clock = 0;
  for (size_t j = 0; j < n; ++j) {
    stretch& s = stretches_[j];
    s.entry = std::min(ahead[j], behind[j]);
    s.exit = std::min(ahead[j + 1], behind[j + 1]);
    // Where the rising and the falling curve meet, if the limit does not cut them first.
    const double u = s.entry, w = s.exit, d = s.length();
    const double peak = std::sqrt((b * u * u + a * w * w + 2 * a * b * d) / (a + b));
    s.top = std::max({std::min(s.limit, peak), u, w});
    s.start = clock;
    clock += seconds_in(s, s.to);
  }
}

const modelled_run::stretch* modelled_run::stretch_at(double metre) const {
  if (stretches_.empty()) return nullptr;
  auto after = std::upper_bound(stretches_.begin(), stretches_.end(), metre,
                                [](double m, const stretch& s) { return m < s.from; });
  return after == stretches_.begin() ? &stretches_.front() : &*std::prev(after);
}

double modelled_run::speed_in(const stretch& s, double metre) const {
  const double x = std::clamp(metre - s.from, 0.0, s.length());
  const double rising = std::sqrt(s.entry * s.entry + 2 * rates_.acceleration * x);
  const double falling = std::sqrt(s.exit * s.exit + 2 * rates_.deceleration * (s.length() - x));
  return std::min({s.top, rising, falling});
}

double modelled_run::seconds_in(const stretch& s, double metre) const {
  const double a = rates_.acceleration, b = rates_.deceleration;
  const double d = s.length(), x = std::clamp(metre - s.from, 0.0, d);
  if (x <= 0) return 0;
  const double p = s.top, u = s.entry, w = s.exit;
  if (p <= 0) return kInfinite;
  // Speeding up to p, running at p, braking from p.
  const double rise = std::clamp((p * p - u * u) / (2 * a), 0.0, d);
  const double fall = std::clamp((p * p - w * w) / (2 * b), 0.0, d - rise);
  const double cruise = d - rise - fall;
  if (x <= rise) return (std::sqrt(u * u + 2 * a * x) - u) / a;
  const double risen = (p - u) / a;
  if (x <= rise + cruise) return risen + (x - rise) / p;
  const double v = std::min(p, std::sqrt(w * w + 2 * b * (d - x)));
  return risen + cruise / p + (p - v) / b;
}

double modelled_run::seconds_at(double metre) const {
  const stretch* s = stretch_at(metre);
  if (!s) return 0;
  return s->start + seconds_in(*s, std::clamp(metre, from_, to_));
}

double modelled_run::speed_at(double metre) const {
  const stretch* s = stretch_at(metre);
  return s ? speed_in(*s, std::clamp(metre, from_, to_)) : 0;
}

std::vector<run_point> modelled_run::points(double step) const {
  std::vector<run_point> out;
  if (!(step > 0)) step = kInfinite;
  auto add = [&](const stretch& s, double metre) {
    const double seconds = s.start + seconds_in(s, metre);
    if (!std::isfinite(seconds)) return false;
    if (out.empty() || metre > out.back().metre) out.push_back({metre, speed_in(s, metre), seconds});
    return true;
  };
  const double a = rates_.acceleration, b = rates_.deceleration;
  for (const stretch& s : stretches_) {
    const double d = s.length(), p = s.top;
    const double rise = std::clamp((p * p - s.entry * s.entry) / (2 * a), 0.0, d);
    const double fall = std::clamp((p * p - s.exit * s.exit) / (2 * b), 0.0, d - rise);
    std::vector<double> at = {s.from};
    for (double x = step; x < rise; x += step) at.push_back(s.from + x);
    at.push_back(s.from + rise);
    at.push_back(s.to - fall);
    for (double x = d - fall + step; x < d; x += step) at.push_back(s.from + x);
    at.push_back(s.to);
    for (double metre : at)
      if (!add(s, metre)) return out;
  }
  return out;
}
