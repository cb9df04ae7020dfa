// A command's usage line read as a grammar: the words it takes and the options it knows, each
// with its argument's placeholder. The completion and the manual's checks read the table's usage
// lines through this, so neither keeps a list of its own.
#pragma once

#include <string>
#include <vector>

struct usage_option {
  std::string name;      // with its dashes: "--out", "-o"; "-Wno-" for "-Wno-NAME"
  std::string argument;  // "DIR", "utf-8|windows-1252"; empty for a flag
  bool glued = false;    // the argument is written onto the name: -Wno-NAME
};

struct usage_syntax {
  std::vector<std::string> words;  // placeholders of the words taken: "LINE_FILE", "COMMAND"
  std::vector<usage_option> options;
};

// Reads "scenario-compiler NAME WORD [--opt ARG] [--flag] [-Wno-NAME...]"; "[NAME]" (the command
// that no command means) is the command's own name, not a word.
usage_syntax parse_usage(const std::string& usage, const std::string& command_name);

// An option word as written in help or usage ("-Wno-NAME...", "--out") split into the option's
// name and a glued placeholder: {"-Wno-", "NAME"}, {"--out", ""}.
usage_option option_word(const std::string& word);
