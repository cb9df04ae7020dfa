// Numbers for the picture: round steps (inspect/nice_step.h) and kilometres for a reader.
#pragma once

#include <cmath>
#include <cstdio>
#include <string>

#include "inspect/nice_step.h"

// Metres as kilometres for a reader: to the metre, without trailing zeros ("1.75", "82").
inline std::string km_text(double metre) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%.3f", std::isfinite(metre) ? metre / 1000 : 0.0);
  std::string s = buffer;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}
