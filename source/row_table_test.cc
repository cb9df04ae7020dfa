#include "source/row_table.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

TEST(RowTable, EveryKindIsAtItsOwnPlaceAndEveryKeywordTestStartsOneRow) {
  ASSERT_EQ(row_specs().size(), static_cast<size_t>(row_kind::station) + 1);
  for (size_t i = 0; i < row_specs().size(); ++i)
    EXPECT_EQ(static_cast<size_t>(row_specs()[i].kind), i) << row_specs()[i].name;
  std::vector<int> started(keyword_tests().size());
  for (const row_spec& row : row_specs()) {
    ASSERT_FALSE(row.tests.empty()) << row.name;
    for (row_keyword test : row.tests) {
      ++started[static_cast<size_t>(test)];
      // A row is read in one part of one file.
      EXPECT_EQ(keyword_test_of(test).part, row.part()) << row.name;
    }
  }
  for (const keyword_test& t : keyword_tests())
    EXPECT_EQ(started[static_cast<size_t>(t.row)], 1) << t.written;
}

// The lint names a field in its messages and takes a text only as a row's last field.
TEST(RowTable, FieldsAreNamedOnceAndOnlyTheLastIsAText) {
  for (const row_spec& row : row_specs()) {
    ASSERT_FALSE(row.fields.empty()) << row.name;
    std::set<std::string> names;
    for (size_t i = 0; i < row.fields.size(); ++i) {
      const field_spec& f = row.fields[i];
      EXPECT_TRUE(names.insert(f.name).second) << row.name << ": " << f.name << " twice";
      EXPECT_TRUE(!f.text || i + 1 == row.fields.size()) << row.name << ": " << f.name;
      for (const char* told : {f.unit, f.range, f.meaning})
        EXPECT_NE(std::string(told), "") << row.name << ": " << f.name;
    }
  }
}

// What did-you-mean offers is what an author writes: part of every keyword that starts the
// row, and in the row's own file.
TEST(RowTable, TheAuthorsKeywordIsPartOfEveryWrittenKeyword) {
  for (const row_spec& row : row_specs())
    for (row_keyword test : row.tests)
      EXPECT_NE(keyword_test_of(test).written.find(row.keyword), std::string_view::npos)
          << row.name << ": " << keyword_test_of(test).written;
  for (bool line_file : {true, false}) {
    size_t kinds = 0;
    for (const row_spec& row : row_specs()) kinds += (row.part() != row_part::train) == line_file;
    ASSERT_EQ(author_keywords(line_file).size(), kinds);
    for (std::string_view keyword : author_keywords(line_file)) {
      const row_spec* row = nullptr;
      for (const row_spec& r : row_specs())
        if (keyword == r.keyword) row = &r;
      ASSERT_NE(row, nullptr) << keyword;
      EXPECT_EQ(row->part() != row_part::train, line_file) << keyword;
    }
  }
}

TEST(RowTable, AKeywordFieldFindsItsRowInItsFile) {
  const struct {
    const char* field;
    bool line_file;
    std::optional<row_kind> kind;
  } cases[] = {
      {"VELOCITA'", false, row_kind::speed},
      {"limite velocita", false, row_kind::speed},
      {"velocita", true, std::nullopt},  // no row of the line file
      {"[aderenze]", false, std::nullopt},
      {"curvas3", true, row_kind::curve},
      {"progressiva chilometrica due", true, row_kind::progressive},
      {"Progressiva chilometrica due", true, std::nullopt},  // small letters in the general section
      {"sfondo tre", true, row_kind::background},
      {"cartello_indicatore", true, row_kind::indicator_board},
      {"indicatori_vmax", true, row_kind::speed_board},
      {"stazione", true, std::nullopt},
  };
  for (const auto& c : cases) {
    const row_spec* row = row_spec_of(c.field, c.line_file);
    EXPECT_EQ(row ? std::optional(row->kind) : std::nullopt, c.kind) << c.field;
  }
  // What a hover shows of a field.
  const row_spec& gradient = *row_spec_of("pendenza", true);
  EXPECT_STREQ(gradient.name, "gradient");
  EXPECT_STREQ(gradient.fields[1].unit, "per mille");
  EXPECT_EQ(&row_spec_of(row_kind::gradient), &gradient);
  EXPECT_EQ(&row_spec_of(row_keyword::progressive_one), &row_spec_of(row_kind::progressive));
}

}  // namespace
