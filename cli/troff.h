// Text made safe for the manual pages' troff: a hyphen that stays a hyphen, a backslash that
// prints, a line that cannot be taken for a request, characters beyond ASCII by their code point.
#pragma once

#include <string>

// One line of text (no line end in it) as troff prints it.
std::string troff_line(const std::string& text);

// Text to be filled, in input lines of at most `width` bytes where its words allow (troff joins
// them again): a page's source stays readable, and no checker finds over-long lines.
std::string troff_text(const std::string& text, size_t width = 80);

// The same for text already escaped (styled, say): broken only at plain spaces, never at an
// escaped one ("\ ").
std::string troff_wrapped(const std::string& escaped_text, size_t width = 80);

// `line`, already escaped, made safe at the start of an input line.
std::string troff_line_start(std::string line);

// A macro argument: quoted, so spaces stay inside it.
std::string troff_argument(const std::string& text);
