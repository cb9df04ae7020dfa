// Rows of the text files are recognised by keywords found anywhere in their first field,
// without regard to letter case.
#pragma once

#include <algorithm>
#include <string_view>

// True when `word` (lower-case ASCII) stands anywhere in `field`, whatever the case of its
// letters. Only ASCII letters change case: no accented letter lower-cases to a keyword's letter.
inline bool has_keyword(std::string_view field, std::string_view word) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  auto it = std::search(field.begin(), field.end(), word.begin(), word.end(),
                        [&](char a, char b) { return lower(a) == b; });
  return it != field.end() || word.empty();
}
