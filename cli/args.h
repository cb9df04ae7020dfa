// A small command-line parser: positional words and --options, some of which take a value.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

struct known_option {
  std::string name;  // with its dashes: "--out"
  bool takes_value;
};

struct parsed_args {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // options that take a value
  std::set<std::string> flags;                // options that do not
  std::string error;                          // empty when the words were understood

  bool has(const std::string& flag) const { return flags.count(flag) > 0; }
  std::string value(const std::string& option, const std::string& otherwise = {}) const {
    auto it = values.find(option);
    return it == values.end() ? otherwise : it->second;
  }
};

parsed_args parse_args(const std::vector<std::string>& args,
                       const std::vector<known_option>& known);

// "; did you mean 'check'?" for a mistyped command line word: the closest of `names`, shown
// between `before` and `after`; empty when none is close.
std::string did_you_mean(std::string_view word, const std::vector<std::string_view>& names,
                         std::string_view before, std::string_view after);
