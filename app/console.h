// The console layer in place of the window and the message box.
#pragma once

#include <iosfwd>
#include <string>

// Showing the window: its label's text as one line, before the work starts.
void show_window(std::ostream& console);

// The message box: the message as one line; dismissing it ends the run at once with status 1
// (throws program_end).
[[noreturn]] void message_box(std::ostream& console, const std::string& message);
