#include "cli/usage.h"

#include <gtest/gtest.h>

namespace {

std::string options_of(const usage_syntax& s) {
  std::string text;
  for (const usage_option& o : s.options)
    text += "(" + o.name + (o.glued ? "+" : " ") + o.argument + ")";
  return text;
}

std::string words_of(const usage_syntax& s) {
  std::string text;
  for (const std::string& w : s.words) text += "(" + w + ")";
  return text;
}

TEST(Usage, WordsAndOptions) {
  struct {
    const char* usage;
    const char* command;
    const char* words;
    const char* options;
  } cases[] = {
      // The command that no command means is not a word of its own.
      {"scenario-compiler [run] [--out DIR] [--no-plan]", "run", "", "(--out DIR)(--no-plan )"},
      {"scenario-compiler compile LINE_FILE TRAIN_FILE [--route NAME] [-Wno-NAME...] "
       "[--encoding utf-8|windows-1252]",
       "compile", "(LINE_FILE)(TRAIN_FILE)",
       "(--route NAME)(-Wno-+NAME)(--encoding utf-8|windows-1252)"},
      {"scenario-compiler inspect FILE [--json] [--kind plan|records|cells]", "inspect", "(FILE)",
       "(--json )(--kind plan|records|cells)"},
      // Alternatives in one group are options each.
      {"scenario-compiler inspect FILE [--raw | --json] [--kind plan|records|cells]", "inspect",
       "(FILE)", "(--raw )(--json )(--kind plan|records|cells)"},
      {"scenario-compiler render [-o FILE.svg]", "render", "", "(-o FILE.svg)"},
      {"scenario-compiler help [COMMAND]", "help", "(COMMAND)", ""},
      {"scenario-compiler merge FILE... [--into DIR]", "merge", "(FILE)", "(--into DIR)"},
  };
  for (const auto& c : cases) {
    usage_syntax s = parse_usage(c.usage, c.command);
    EXPECT_EQ(words_of(s), c.words) << c.usage;
    EXPECT_EQ(options_of(s), c.options) << c.usage;
  }
}

TEST(Usage, OptionWords) {
  struct {
    const char* word;
    const char* name;
    const char* argument;
  } cases[] = {
      {"-Wno-NAME...", "-Wno-", "NAME"},
      {"-Wno-NAME", "-Wno-", "NAME"},
      {"--no-plan", "--no-plan", ""},
      {"--emit-on-fault", "--emit-on-fault", ""},
      {"-o", "-o", ""},
  };
  for (const auto& c : cases) {
    usage_option o = option_word(c.word);
    EXPECT_EQ(o.name, c.name) << c.word;
    EXPECT_EQ(o.argument, c.argument) << c.word;
  }
}

}  // namespace
