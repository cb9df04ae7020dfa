#include "lint/suggest.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// Edits between a and b: insertions, deletions, substitutions and swaps of neighbours.
size_t edit_distance(std::string_view a, std::string_view b) {
  std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
  for (size_t i = 0; i <= a.size(); ++i) d[i][0] = i;
  for (size_t j = 0; j <= b.size(); ++j) d[0][j] = j;
  for (size_t i = 1; i <= a.size(); ++i)
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  return d[a.size()][b.size()];
}

}  // namespace

// A keyword mistyped stands in a short field; a longer one is a note, and sliding every
// keyword over a field of a megabyte would take minutes.
constexpr size_t kLongestSuggested = 64;

// Edits allowed for a keyword of `size` characters.
static size_t edits_allowed(size_t size) { return size <= 5 ? 1 : 2; }

std::string closest_keyword(std::string_view field, std::span<const std::string_view> keywords) {
  if (field.size() > kLongestSuggested) return {};
  const std::string f = lower(field);
  std::string best;
  size_t best_distance = SIZE_MAX;
  for (std::string_view keyword : keywords) {
    const size_t allowed = edits_allowed(keyword.size());
    for (size_t len = keyword.size() > allowed ? keyword.size() - allowed : 1;
         len <= keyword.size() + allowed; ++len)
      for (size_t start = 0; start + len <= f.size(); ++start) {
        const size_t d = edit_distance(std::string_view(f).substr(start, len), keyword);
        if (d <= allowed && d < best_distance) {
          best_distance = d;
          best = keyword;
        }
      }
  }
  return best;
}

std::string closest_word(std::string_view word, std::span<const std::string_view> words) {
  if (word.size() > kLongestSuggested) return {};
  const std::string w = lower(word);
  std::string best;
  size_t best_distance = SIZE_MAX;
  for (std::string_view candidate : words) {
    const size_t d = edit_distance(w, lower(candidate));
    if (d <= edits_allowed(candidate.size()) && d < best_distance) {
      best_distance = d;
      best = candidate;
    }
  }
  return best;
}
