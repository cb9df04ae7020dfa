// The timetable's warnings in a compile: told at the station rows once the route is finished,
// before any binary file is written, through the compile's own engine (-Wno-NAME, --werror).
#pragma once

#include <optional>

#include "form1/form1.h"
#include "timetable/timetable.h"

// Sets `form` to tell them when its route is finished. A compile with faults tells none: its
// route is cut short. `kept`, when given, receives the timetable; it must outlive the compile.
void check_timetable(Form1& form, const rate_overrides& rates,
                     std::optional<timetable>* kept = nullptr);
