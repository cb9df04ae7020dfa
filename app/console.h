// What the run tells its user, on standard error.
#pragma once

#include <iosfwd>
#include <string>

// Prints "Attendere" as one line, before the work starts.
void show_window(std::ostream& console);

// Prints the message as one line and ends the run with status 1 (throws program_end).
[[noreturn]] void message_box(std::ostream& console, const std::string& message);
