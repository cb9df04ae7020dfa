#include "cli/help_blocks.h"

#include <sstream>

namespace {

void append(std::string& to, const std::string& words) {
  if (!to.empty()) to += ' ';
  to += words;
}

std::string trimmed(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<help_block> help_blocks(const std::string& long_help) {
  std::vector<help_block> blocks;
  bool open = false;  // the last block takes the next line
  std::istringstream lines(long_help);
  std::string line;
  while (std::getline(lines, line)) {
    if (trimmed(line).empty()) {
      open = false;
      continue;
    }
    const bool indented = line.compare(0, 2, "  ") == 0;
    const bool deeper = line.compare(0, 3, "   ") == 0;
    const bool in_list = open && !blocks.back().entries.empty();
    if (deeper && in_list) {
      append(blocks.back().entries.back().text, trimmed(line));
    } else if (indented) {
      if (!in_list) blocks.push_back({});
      size_t gap = line.find("  ", 2);
      std::string term = trimmed(line.substr(0, gap));
      std::string text = gap == std::string::npos ? std::string() : trimmed(line.substr(gap));
      blocks.back().entries.push_back({term, text});
    } else {
      if (!open || in_list) blocks.push_back({});
      append(blocks.back().paragraph, line);
    }
    open = true;
  }
  return blocks;
}
