// The fuzzer's dictionary against the readers: every word a reader looks for in a field must be
// in fuzz/keywords.dict, so a new row kind is fuzzed from the start.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>
#include <string>

#include "files/keywords.h"
#include "testing/temp_folder.h"

namespace {

namespace fs = std::filesystem;

// The dictionary's entries: each line "..." with \xNN escapes, comments and blanks left out.
std::set<std::string> dictionary_words(const std::string& text) {
  std::set<std::string> words;
  std::regex entry("^\"(.*)\"$");
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    start = end + 1;
    std::smatch m;
    if (!std::regex_match(line, m, entry)) continue;
    std::string raw = m[1], word;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\\' && i + 3 < raw.size() && raw[i + 1] == 'x') {
        word += static_cast<char>(std::stoi(raw.substr(i + 2, 2), nullptr, 16));
        i += 3;
      } else if (raw[i] == '\\' && i + 1 < raw.size()) {
        word += raw[++i];
      } else {
        word += raw[i];
      }
    }
    words.insert(word);
  }
  return words;
}

// The words the readers test fields for: their keyword table, and the words still written as
// contains(field, "word") or contains_nocase(field, "word") in compiler/.
std::set<std::string> reader_words(const fs::path& compiler) {
  std::set<std::string> words;
  for (const keyword_test& t : keyword_tests())
    for (std::string_view w : {t.first, t.second})
      if (!w.empty()) words.insert(std::string(w));
  for (std::string_view w : {kGeneralSection, kSkipMark, kLeftCurve}) words.insert(std::string(w));
  for (std::string_view w : kCurveClasses) words.insert(std::string(w));
  for (std::string_view w : kRepetitionCodes) words.insert(std::string(w));
  std::regex test(R"re(contains(?:_nocase)?\(\s*\w+\s*,\s*"([^"]+)"\s*\))re");
  std::regex table(R"re(\{\s*(?:std::pair\{)?\s*"([^"]+)"\s*,\s*\w+_entry\s*\})re");
  for (const auto& entry : fs::directory_iterator(compiler)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".cc" || name.ends_with("_test.cc")) continue;
    const std::string source = read_file(entry.path().string());
    for (const std::regex* r : {&test, &table})
      for (std::sregex_iterator it(source.begin(), source.end(), *r), end; it != end; ++it)
        words.insert((*it)[1]);
  }
  return words;
}

TEST(FuzzDictionary, HoldsEveryWordTheReadersLookFor) {
  const fs::path root(SC_SOURCE_DIR);
  std::set<std::string> dictionary = dictionary_words(read_file((root / "fuzz" / "keywords.dict").string()));
  std::set<std::string> readers = reader_words(root / "compiler");
  // The scan itself must see the readers' words, or the comparison below proves nothing.
  for (const char* known : {"[generale]", "pendenza", "stazione", "uno", "tre", "ripetizione"})
    EXPECT_TRUE(readers.count(known)) << "the scan of compiler/ missed " << known;
  for (const std::string& word : readers)
    EXPECT_TRUE(dictionary.count(word)) << "fuzz/keywords.dict lacks \"" << word << "\"";
}

}  // namespace
