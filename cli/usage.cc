#include "cli/usage.h"

#include <cctype>
#include <sstream>

namespace {

bool is_placeholder(const std::string& s) {
  return !s.empty() && std::isupper(static_cast<unsigned char>(s[0]));
}

std::string without_repeat(std::string word) {
  if (word.size() > 3 && word.compare(word.size() - 3, 3, "...") == 0) word.resize(word.size() - 3);
  return word;
}

// The usage's items: a bracketed group is one item, without its brackets; a group of
// alternatives, "[--raw | --json]", is one item each.
std::vector<std::string> items_of(const std::string& usage) {
  std::vector<std::string> items;
  std::string current;
  int depth = 0;
  for (char c : usage) {
    if (c == '[') {
      if (depth++ == 0) continue;
    } else if (c == ']') {
      if (--depth == 0) continue;
    } else if (c == ' ' && depth == 0) {
      if (!current.empty()) items.push_back(current);
      current.clear();
      continue;
    }
    current += c;
  }
  if (!current.empty()) items.push_back(current);
  std::vector<std::string> split;
  for (const std::string& item : items) {
    size_t from = 0;
    for (size_t bar; (bar = item.find(" | ", from)) != std::string::npos; from = bar + 3)
      split.push_back(item.substr(from, bar - from));
    split.push_back(item.substr(from));
  }
  return split;
}

}  // namespace

usage_option option_word(const std::string& word) {
  std::string name = without_repeat(word);
  size_t dash = name.rfind('-');
  if (dash != std::string::npos && is_placeholder(name.substr(dash + 1)))
    return {name.substr(0, dash + 1), name.substr(dash + 1), true};
  return {name, {}, false};
}

usage_syntax parse_usage(const std::string& usage, const std::string& command_name) {
  usage_syntax syntax;
  std::vector<std::string> items = items_of(usage);
  for (size_t i = 1; i < items.size(); ++i) {  // items[0] is the program's name
    std::istringstream words(items[i]);
    std::string first, argument;
    words >> first;
    std::getline(words >> std::ws, argument);
    if (first == command_name) continue;
    if (first[0] == '-') {
      usage_option option = option_word(first);
      if (!option.glued) option.argument = argument;
      syntax.options.push_back(option);
    } else {
      syntax.words.push_back(without_repeat(first));
    }
  }
  return syntax;
}
