// A command's long help read as blocks, for the manual page: paragraphs of prose, and lists of
// terms each with its text (the options "  --out DIR   write into DIR", the kinds of warning).
#pragma once

#include <string>
#include <vector>

struct help_entry {
  std::string term;  // "--out DIR"
  std::string text;  // its lines joined by spaces
};

struct help_block {
  std::string paragraph;           // prose, its lines joined by spaces; empty for a list
  std::vector<help_entry> entries;  // a list: lines "  TERM  TEXT", further indented lines go on
};

// A list entry starts with two spaces, its term ends at the first run of two spaces; a line
// indented deeper continues the entry above. A blank line ends a block.
std::vector<help_block> help_blocks(const std::string& long_help);
