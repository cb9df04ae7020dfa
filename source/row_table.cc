#include "source/row_table.h"

#include <optional>
#include <vector>

#include "source/row_table_parts.h"

namespace {

// In row_kind order, so a kind is its own index (row_table_test.cc checks it).
const std::vector<row_spec>& all_rows() {
  static const std::vector<row_spec> rows = [] {
    std::vector<row_spec> v(line_row_specs().begin(), line_row_specs().end());
    v.insert(v.end(), train_row_specs().begin(), train_row_specs().end());
    return v;
  }();
  return rows;
}

// Which row each keyword test starts, indexed by row_keyword (row_table_test.cc checks that
// every test starts one).
const std::vector<const row_spec*>& rows_by_test() {
  static const std::vector<const row_spec*> by_test = [] {
    std::vector<const row_spec*> v(keyword_tests().size(), nullptr);
    for (const row_spec& row : all_rows())
      for (row_keyword test : row.tests) v[static_cast<size_t>(test)] = &row;
    return v;
  }();
  return by_test;
}

std::vector<std::string_view> keywords_of(bool line_file) {
  std::vector<std::string_view> out;
  for (const row_spec& row : all_rows())
    if ((row.part() != row_part::train) == line_file) out.push_back(row.keyword);
  return out;
}

}  // namespace

std::span<const row_spec> row_specs() { return all_rows(); }

const row_spec& row_spec_of(row_kind kind) { return all_rows().at(static_cast<size_t>(kind)); }

const row_spec& row_spec_of(row_keyword test) {
  return *rows_by_test().at(static_cast<size_t>(test));
}

const row_spec* row_spec_of(std::string_view keyword_field, bool line_file) {
  const std::optional<row_keyword> test = row_keyword_of(keyword_field, line_file);
  return test ? &row_spec_of(*test) : nullptr;
}

std::span<const std::string_view> author_keywords(bool line_file) {
  static const std::vector<std::string_view> line = keywords_of(true);
  static const std::vector<std::string_view> train = keywords_of(false);
  return line_file ? line : train;
}
