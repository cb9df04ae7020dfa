#include "cli/row_position.h"

#include <string_view>

#include "lint/row_rules.h"

namespace {

bool starts_with_metre(std::span<const row_rule> rules, std::string_view keyword) {
  for (const row_rule& rule : rules) {
    if (!rule.matches(keyword) || rule.fields.empty()) continue;
    const std::string_view first = rule.fields.front().name;
    return first == "position" || first == "start";
  }
  return false;
}

}  // namespace

bool row_has_position(const diagnostic& d, const source_run& run) {
  if (d.where.line <= 0 || d.where.text.empty()) return false;
  const std::string_view row = d.where.text;
  const std::string_view keyword = row.substr(0, row.find(','));
  if (d.where.file == run.line_source)
    return starts_with_metre(general_rules(), keyword) ||
           starts_with_metre(main_line_rules(), keyword);
  if (d.where.file == run.train_source) return starts_with_metre(train_rules(), keyword);
  return false;
}
