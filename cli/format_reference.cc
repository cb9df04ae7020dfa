#include "cli/format_reference.h"

#include <ostream>

namespace {

const reference_section kSections[] = {
    {"THE SOURCE FILES",
     "A scenario is written as two text files: the line file (NAME_linea.txt) and the train\n"
     "file (NAME_NUMBER-.txt).\n"},
};

}  // namespace

std::span<const reference_section> format_reference() { return kSections; }

void print_format_reference(std::ostream& out) {
  bool first = true;
  for (const reference_section& s : kSections) {
    if (!first) out << '\n';
    first = false;
    out << s.title << "\n\n" << s.text;
  }
}
