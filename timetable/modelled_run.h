// The modelled run from one stop to the next: the fastest a train can go when it gains speed
// and brakes at constant rates, starts and ends at rest, and is never above the limit at any
// metre: it is at or under a lower limit where that limit starts, braking before it as a driver
// must, and speeds up only from where a higher limit starts. The train is taken as its head.
//
// Worked out exactly, stretch by stretch of constant limit: the highest speed the train may
// have where each stretch meets the next is the least of the two limits, of what it can reach
// speeding up from the start and of what it can still brake from before the end; within a
// stretch it speeds up, runs at the limit, then brakes, each part a closed form.
#pragma once

#include <span>
#include <vector>

#include "timetable/rates.h"
#include "timetable/speed_limits.h"

// One point of the run, for drawing: where, how fast and when.
struct run_point {
  double metre = 0;
  double speed = 0;    // m/s
  double seconds = 0;  // since the run left
};

class modelled_run {
 public:
  // The run from rest at `from` to rest at `to` under `limits`. A limit of 0 on the way (or a
  // stretch no limit covers) stops the train before it, and the run never gets past it.
  modelled_run(std::span<const limit_step> limits, double from, double to,
               const running_rates& rates);

  double from() const { return from_; }
  double to() const { return to_; }
  // The seconds from `from` to `metre`, within [from, to]; infinite past a limit of 0.
  double seconds_at(double metre) const;
  double seconds() const { return seconds_at(to_); }
  double speed_at(double metre) const;  // m/s
  // Points along the run: every stretch's ends and where the train stops speeding up or starts
  // braking, and points at most `step` metres apart where it does either.
  std::vector<run_point> points(double step) const;

 private:
  // A stretch of constant limit and the run across it.
  struct stretch {
    double from = 0, to = 0;
    double limit = 0;            // m/s
    double entry = 0, exit = 0;  // m/s, where it enters and leaves
    double top = 0;              // the highest speed within it
    double start = 0;            // seconds since the run left, at `from`
    double length() const { return to - from; }
  };
  const stretch* stretch_at(double metre) const;
  double speed_in(const stretch& s, double metre) const;
  double seconds_in(const stretch& s, double metre) const;  // since the stretch's start

  double from_ = 0, to_ = 0;
  running_rates rates_;
  std::vector<stretch> stretches_;
};
