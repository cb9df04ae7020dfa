// Round numbers for axes and scale bars: 1, 2 or 5 times a power of ten.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

// The round step that cuts `span` into about `parts` pieces.
inline double nice_step(double span, double parts) {
  if (!(span > 0) || !(parts > 0)) return 1;
  double raw = span / parts;
  double power = std::pow(10.0, std::floor(std::log10(raw)));
  double f = raw / power;
  double nice = f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10;
  return nice * power;
}

// The greatest round length (1, 2 or 5 times a power of ten) not above `limit`.
inline double nice_floor(double limit) {
  if (!(limit > 0)) return 0;
  double power = std::pow(10.0, std::floor(std::log10(limit)));
  double f = limit / power;
  return (f >= 5 ? 5 : f >= 2 ? 2 : 1) * power;
}

// Metres as kilometres for a reader: to the metre, without trailing zeros ("1.75", "82").
inline std::string km_text(double metre) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.3f", std::isfinite(metre) ? metre / 1000 : 0.0);
  std::string s = buffer;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}
