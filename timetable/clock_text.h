// Times as a timetable reads them: a time of day as h:mm:ss, a running time or a slack as
// m:ss (h:mm:ss from an hour), whole seconds, rounded.
#pragma once

#include <string>

// "8:25:00"; a time past midnight reads on ("25:10:00"), one before it with a minus sign.
std::string clock_text(double seconds_since_midnight);

// "3:38", "1:02:05"; with `sign`, "+1:28" and "-0:45".
std::string duration_text(double seconds, bool sign = false);
