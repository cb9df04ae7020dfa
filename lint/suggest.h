// Did-you-mean for keyword fields, and for the words of the command line.
#pragma once

#include <span>
#include <string>
#include <string_view>

// The keyword of `keywords` closest to some stretch of `field` (letter case ignored): within
// one edit for keywords of up to five letters, two for longer ones, a swap of neighbours
// counting as one. Empty when none is that close, and for a field of over 64 characters.
std::string closest_keyword(std::string_view field, std::span<const std::string_view> keywords);

// The word of `words` closest to the whole of `word` (letter case ignored), by the same measure:
// for a mistyped command, option or warning name. Empty when none is that close.
std::string closest_word(std::string_view word, std::span<const std::string_view> words);
