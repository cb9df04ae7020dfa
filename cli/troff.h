// Text made safe for the manual pages' troff: a hyphen that stays a hyphen, a backslash that
// prints, a line that cannot be taken for a request, characters beyond ASCII by their code point.
#pragma once

#include <string>

// One line of text (no line end in it) as troff prints it.
std::string troff_line(const std::string& text);

// A macro argument: quoted, so spaces stay inside it.
std::string troff_argument(const std::string& text);
