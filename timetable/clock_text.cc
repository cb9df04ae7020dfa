#include "timetable/clock_text.h"

#include <cmath>
#include <cstdio>

namespace {

std::string hms(long long whole, bool hours_always) {
  char text[48];
  const long long h = whole / 3600, m = whole / 60 % 60, s = whole % 60;
  if (hours_always || h > 0)
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", h, m, s);
  else
    std::snprintf(text, sizeof text, "%lld:%02lld", m, s);
  return text;
}

}  // namespace

std::string clock_text(double seconds) {
  if (!std::isfinite(seconds)) return "-";
  const long long whole = std::llround(seconds);
  return (whole < 0 ? "-" : "") + hms(std::llabs(whole), true);
}

std::string duration_text(double seconds, bool sign) {
  if (!std::isfinite(seconds)) return "-";
  const long long whole = std::llround(seconds);
  const std::string text = hms(std::llabs(whole), false);
  return (whole < 0 ? "-" : sign ? "+" : "") + text;
}
