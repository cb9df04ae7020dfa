#include "cli/help_blocks.h"

#include <gtest/gtest.h>

namespace {

std::string shown(const std::vector<help_block>& blocks) {
  std::string text;
  for (const help_block& b : blocks) {
    if (!b.paragraph.empty()) text += "P[" + b.paragraph + "]";
    for (const help_entry& e : b.entries) text += "E[" + e.term + "|" + e.text + "]";
    text += "\n";
  }
  return text;
}

TEST(HelpBlocks, ParagraphsAndLists) {
  struct {
    const char* help;
    const char* blocks;
  } cases[] = {
      {"Reads a file\nand prints it.\n\nExit status: 0.\n",
       "P[Reads a file and prints it.]\nP[Exit status: 0.]\n"},
      // An option's text runs on over lines indented deeper; its argument stays in the term.
      {"  --out DIR         write into DIR\n"
       "  --emit-on-fault   write the files despite faults,\n"
       "                    to look at them\n",
       "E[--out DIR|write into DIR]E[--emit-on-fault|write the files despite faults, to look at "
       "them]\n"},
      // A heading and its list in one block, then prose right after the list.
      {"Warnings (FILE:LINE: warning):\n"
       "  off-grid   a position off the grid\n"
       "  range      a value out of range\n"
       "Exit status: 0.\n",
       "P[Warnings (FILE:LINE: warning):]\nE[off-grid|a position off the grid]E[range|a value out "
       "of range]\nP[Exit status: 0.]\n"},
      {"  --json\n\n  --kind K   the kind\n", "E[--json|]\nE[--kind K|the kind]\n"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(help_blocks(c.help)), c.blocks) << c.help;
}

}  // namespace
