// Did-you-mean for keyword fields, and for the words of the command line.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

// Edits between a and b: insertions, deletions, substitutions and swaps of neighbours.
size_t edit_distance(std::string_view a, std::string_view b);

// The keyword of `keywords` closest to some stretch of `field` (letter case ignored): within
// one edit for keywords of up to five letters, two for longer ones, a swap of neighbours
// counting as one. Empty when none is that close, and for a field of over 64 characters.
std::string closest_keyword(std::string_view field, std::span<const std::string_view> keywords);

// How many different fields one file's did-you-mean looks at: a file of more notes than that
// that start no row is no file of mistyped keywords, and looking costs a few microseconds each.
inline constexpr size_t kSuggestionBudget = 4096;

// Did-you-mean over one file's keyword fields: each different text (letter case ignored) is
// looked at once, and no more than `budget` of them, so the cost is bounded per file however
// many lines it has.
class keyword_suggester {
 public:
  explicit keyword_suggester(std::span<const std::string_view> keywords,
                             size_t budget = kSuggestionBudget);

  // closest_keyword(field, keywords); nothing once `budget` other texts were looked at.
  std::optional<std::string> closest(std::string_view field);
  // How many different texts were looked at.
  size_t looked_at() const { return sought_.size(); }

 private:
  std::span<const std::string_view> keywords_;
  size_t budget_;
  std::unordered_map<std::string, std::string> sought_;
};

// The word of `words` closest to the whole of `word` (letter case ignored), by the same measure:
// for a mistyped command, option or warning name. Empty when none is that close.
std::string closest_word(std::string_view word, std::span<const std::string_view> words);
