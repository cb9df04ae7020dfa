// Round numbers for axes, scale bars and printed samples: 1, 2 or 5 times a power of ten.
#pragma once

#include <cmath>

// How the step `span / parts` becomes a round one: the nearest (an axis keeps about `parts`
// ticks), or the next at or above it (a sample never takes more than `parts` steps).
enum class step_rounding { nearest, up };

// The round step that cuts `span` into about `parts` pieces; 1 for an empty span.
inline double nice_step(double span, double parts,
                        step_rounding rounding = step_rounding::nearest) {
  if (!(span > 0) || !(parts > 0)) return 1;
  double raw = span / parts;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  double f = raw / power;
  double nice;
  if (rounding == step_rounding::nearest)
    nice = f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10;
  else
    nice = f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10;
  return nice * power;
}

// The greatest round length (1, 2 or 5 times a power of ten) not above `limit`.
inline double nice_floor(double limit) {
  if (!(limit > 0)) return 0;
  double power = std::pow(10.0, std::floor(std::log10(limit)));
  double f = limit / power;
  return (f >= 5 ? 5 : f >= 2 ? 2 : 1) * power;
}
