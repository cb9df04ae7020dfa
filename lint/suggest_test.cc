#include "lint/suggest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "source/row_table.h"

namespace {

// The search as first written, every stretch of the field measured against every keyword:
// slow, and plainly what the contract says. The fast search must find the same keyword.
std::string reference_closest(std::string_view field, std::span<const std::string_view> keywords) {
  if (field.size() > 64) return {};
  std::string f(field);
  for (char& c : f)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  std::string best;
  size_t best_distance = SIZE_MAX;
  for (std::string_view keyword : keywords) {
    const size_t allowed = keyword.size() <= 5 ? 1 : 2;
    for (size_t len = keyword.size() - allowed; len <= keyword.size() + allowed; ++len)
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

TEST(Suggest, MistypedKeywordsAndWhatIsNoKeyword) {
  struct suggestion {
    const char* field;
    bool line_file;
    const char* expected;
  };
  for (const suggestion& s : {
           suggestion{"pendnza", true, "pendenza"},
           {"cruvad3", true, "curva"},                // a swap of neighbours is one edit
           {"PENDNZA", true, "pendenza"},             // letter case ignored
           {"la pendnza qui sale", true, "pendenza"},  // a stretch of the field
           {"Sfondo uno", true, "sfondo"},
           {"curv", true, "curva"},
           {"cur", true, ""},  // two edits from a keyword of five letters
           {"segnal", false, "segnale"},
           {"stazion", false, "stazione"},
           {"pendnza", false, ""},  // no keyword of the train file
           {"nota qualunque", false, ""},
           {"", false, ""},
       }) {
    EXPECT_EQ(closest_keyword(s.field, author_keywords(s.line_file)), s.expected) << s.field;
  }
  // A keyword at the end of a field of 65 characters is not looked for: that is a note.
  EXPECT_EQ(closest_keyword(std::string(58, 'x') + "pendnza", author_keywords(true)), "");
  EXPECT_EQ(closest_keyword(std::string(57, 'x') + "pendnza", author_keywords(true)), "pendenza");
}

// Keywords mistyped by up to three edits, inside other text or alone, and text of no keyword:
// the search finds what every stretch tried one by one finds.
TEST(Suggest, FindsWhatTryingEveryStretchFinds) {
  std::mt19937 random(20261211);
  const std::string letters = "abcdefghilmnoprstuvz _-0123456789AEIO";
  auto letter = [&] { return letters[random() % letters.size()]; };
  auto text = [&](size_t most) {
    std::string s(random() % (most + 1), ' ');
    for (char& c : s) c = letter();
    return s;
  };
  size_t found = 0;
  for (bool line_file : {true, false}) {
    const std::span<const std::string_view> keywords = author_keywords(line_file);
    for (int n = 0; n < 400; ++n) {
      std::string field;
      if (n % 4 == 0) {
        field = text(70);
      } else {
        field = keywords[random() % keywords.size()];
        for (size_t edits = random() % 4; edits > 0 && !field.empty(); --edits) {
          const size_t at = random() % field.size();
          switch (random() % 4) {
            case 0: field.erase(at, 1); break;
            case 1: field.insert(at, 1, letter()); break;
            case 2: field[at] = letter(); break;
            default:
              if (at + 1 < field.size()) std::swap(field[at], field[at + 1]);
          }
        }
        if (n % 4 == 2) field = text(20) + field + text(20);
      }
      const std::string expected = reference_closest(field, keywords);
      EXPECT_EQ(closest_keyword(field, keywords), expected) << "\"" << field << "\"";
      found += !expected.empty();
    }
  }
  EXPECT_GT(found, 200u);  // the cases hold near misses, not only text far from any keyword
}

TEST(Suggest, EachTextIsLookedAtOnceAndNoMoreTextsThanTheBudget) {
  keyword_suggester suggest(author_keywords(true), 3);
  EXPECT_EQ(suggest.closest("pendnza"), "pendenza");
  EXPECT_EQ(suggest.closest("PENDNZA"), "pendenza");  // the same text, letter case aside
  EXPECT_EQ(suggest.closest("nota"), "");
  EXPECT_EQ(suggest.looked_at(), 2u);
  // A field too long to hold a keyword is no text to look at.
  EXPECT_EQ(suggest.closest(std::string(65, 'x')), "");
  EXPECT_EQ(suggest.looked_at(), 2u);
  EXPECT_EQ(suggest.closest("cruvad3"), "curva");
  // The budget spent: a new text gets nothing, one looked at before its answer.
  EXPECT_EQ(suggest.closest("montgna"), std::nullopt);
  EXPECT_EQ(suggest.closest("Pendnza"), "pendenza");
  EXPECT_EQ(suggest.looked_at(), 3u);
}

}  // namespace
