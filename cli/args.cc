#include "cli/args.h"

#include <string_view>

#include "lint/suggest.h"

parsed_args parse_args(const std::vector<std::string>& args,
                       const std::vector<known_option>& known) {
  parsed_args out;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || a[0] != '-') {
      out.positional.push_back(a);
      continue;
    }
    std::string name = a, value;
    bool inline_value = false;
    if (auto eq = a.find('='); eq != std::string::npos && a.starts_with("--")) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
      inline_value = true;
    }
    const known_option* option = nullptr;
    for (const known_option& k : known)
      if (k.name == name) option = &k;
    if (!option) {
      std::vector<std::string_view> names;
      for (const known_option& k : known) names.push_back(k.name);
      out.error = "unknown option " + name + did_you_mean(name, names, "", "");
      return out;
    }
    if (!option->takes_value) {
      if (inline_value) {
        out.error = "option " + name + " takes no value";
        return out;
      }
      out.flags.insert(name);
      continue;
    }
    if (!inline_value) {
      if (i + 1 >= args.size()) {
        out.error = "option " + name + " needs a value";
        return out;
      }
      value = args[++i];
    }
    out.values[name] = value;
  }
  return out;
}

std::string did_you_mean(std::string_view word, const std::vector<std::string_view>& names,
                         std::string_view before, std::string_view after) {
  const std::string close = closest_word(word, names);
  if (close.empty()) return {};
  return "; did you mean " + std::string(before) + close + std::string(after) + "?";
}
