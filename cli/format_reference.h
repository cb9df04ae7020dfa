// The reference of the two source formats, the line file and the train file: each row kind's
// keyword and how it is recognised, its fields with units and ranges, what the compiler makes
// of it, an example row and the codes and warnings it can give. `help format` prints it and the
// format manual page is made from it, so the two never drift.
#pragma once

#include <iosfwd>
#include <span>

// One section of the reference. `text` is plain text: paragraphs split by blank lines; a line
// that starts with two spaces is shown as it stands (an example row, a table of fields).
struct reference_section {
  const char* title;
  const char* text;
};

std::span<const reference_section> format_reference();

// The whole reference as `help format` shows it.
void print_format_reference(std::ostream& out);
