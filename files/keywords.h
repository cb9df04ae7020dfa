// Rows are recognised by substring tests on their keyword field.
#pragma once

#include <string>
#include <string_view>

// The field contains `word` anywhere, letter case counting.
inline bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

// The field contains `word` anywhere, letter case ignored. Every keyword is plain ASCII, so
// folding the ASCII letters is enough.
inline bool contains_nocase(std::string_view field, std::string_view word) {
  auto fold = [](std::string_view s) {
    std::string out(s);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
  };
  return fold(field).find(fold(word)) != std::string::npos;
}
