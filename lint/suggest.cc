#include "lint/suggest.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace {

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// A keyword mistyped stands in a short field; a longer one is a note.
constexpr size_t kLongestSuggested = 64;

// Edits allowed for a keyword of `size` characters.
size_t edits_allowed(size_t size) { return size <= 5 ? 1 : 2; }

// Whether some stretch of `field` could be within `allowed` edits of `keyword`, by counting
// letters: a stretch that close is at most keyword.size() + allowed long, and lacks at most
// `allowed` of the keyword's letters (a swap keeps them all, every other edit loses one at
// most). One pass over the field, each window of that length slid along it.
bool letters_close(std::string_view field, std::string_view keyword, size_t allowed) {
  std::array<int16_t, 256> wanted{};
  for (char c : keyword) ++wanted[static_cast<unsigned char>(c)];
  const size_t window = std::min(keyword.size() + allowed, field.size());
  size_t missing = keyword.size();
  auto enter = [&](char c) { missing -= wanted[static_cast<unsigned char>(c)]-- > 0; };
  auto leave = [&](char c) { missing += ++wanted[static_cast<unsigned char>(c)] > 0; };
  for (size_t j = 0; j < window; ++j) enter(field[j]);
  if (missing <= allowed) return true;
  for (size_t j = window; j < field.size(); ++j) {
    leave(field[j - window]);
    enter(field[j]);
    if (missing <= allowed) return true;
  }
  return false;
}

// The fewest edits between `keyword` and any stretch of `field`: the edit distance above with
// the stretch's start and end free, in one table of the keyword's length by the field's.
size_t distance_to_a_stretch(std::string_view field, std::string_view keyword) {
  const size_t m = keyword.size();
  // Three columns of the table: the field's characters j - 2, j - 1 and j.
  std::vector<size_t> before(m + 1), last(m + 1), now(m + 1);
  for (size_t i = 0; i <= m; ++i) last[i] = i;
  size_t best = m;
  for (size_t j = 1; j <= field.size(); ++j) {
    now[0] = 0;  // a stretch may start anywhere
    for (size_t i = 1; i <= m; ++i) {
      const size_t cost = field[j - 1] == keyword[i - 1] ? 0 : 1;
      now[i] = std::min({last[i] + 1, now[i - 1] + 1, last[i - 1] + cost});
      if (i > 1 && j > 1 && field[j - 1] == keyword[i - 2] && field[j - 2] == keyword[i - 1])
        now[i] = std::min(now[i], before[i - 2] + 1);
    }
    best = std::min(best, now[m]);  // and end anywhere
    std::swap(before, last);
    std::swap(last, now);
  }
  return best;
}

}  // namespace

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

std::string closest_keyword(std::string_view field, std::span<const std::string_view> keywords) {
  if (field.size() > kLongestSuggested) return {};
  const std::string f = lower(field);
  std::string best;
  size_t best_distance = SIZE_MAX;
  for (std::string_view keyword : keywords) {
    const size_t allowed = edits_allowed(keyword.size());
    // Cheap tests first: too short a field, or too few of the keyword's letters in any stretch.
    if (f.size() + allowed < keyword.size() || !letters_close(f, keyword, allowed)) continue;
    const size_t d = distance_to_a_stretch(f, keyword);
    if (d <= allowed && d < best_distance) {
      best_distance = d;
      best = keyword;
    }
  }
  return best;
}

keyword_suggester::keyword_suggester(std::span<const std::string_view> keywords, size_t budget)
    : keywords_(keywords), budget_(budget) {}

std::optional<std::string> keyword_suggester::closest(std::string_view field) {
  if (field.size() > kLongestSuggested) return std::string();
  std::string key = lower(field);
  if (auto found = sought_.find(key); found != sought_.end()) return found->second;
  if (sought_.size() >= budget_) return std::nullopt;
  std::string close = closest_keyword(key, keywords_);
  sought_.emplace(std::move(key), close);
  return close;
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
