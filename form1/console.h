// What the run tells its user, on standard error.
#pragma once

#include <iosfwd>
#include <string>

#include "diagnostics/engine.h"

// Prints "Attendere" as one line, before the work starts.
void show_window(std::ostream& console);

// Tells the message, one line, through the run's diagnostics and ends the run with status 1
// (throws program_end).
[[noreturn]] void message_box(diagnostic_engine& diagnostics, const std::string& message);
