#include "lsp/lsp_diagnostics.h"

#include <sstream>
#include <stdexcept>

#include "lsp/documents.h"

nlohmann::json lsp_position(int line, int character) {
  return {{"line", line}, {"character", character}};
}

nlohmann::json field_range(const source_location& where, const text_lines* text) {
  if (where.line <= 0) return {{"start", lsp_position(0, 0)}, {"end", lsp_position(0, 0)}};
  const int line = where.line - 1;
  const int from = where.column > 0 ? where.column - 1 : 0;
  if (!text) return {{"start", lsp_position(line, from)}, {"end", lsp_position(line, from + 1)}};
  const int to = text->field_end(line, from);
  return {{"start", lsp_position(line, text->utf16_column(line, from))},
          {"end", lsp_position(line, text->utf16_column(line, to))}};
}

int position_value(const nlohmann::json& value) {
  constexpr int64_t kLargest = int64_t{1} << 30;
  if (!value.is_number_integer() || (value.is_number_unsigned() && value.get<uint64_t>() > kLargest) ||
      value.get<int64_t>() < 0 || value.get<int64_t>() > kLargest)
    throw std::invalid_argument("a line or character that is no whole number from 0 to 2^30");
  return static_cast<int>(value.get<int64_t>());
}

std::string message_of(const diagnostic& d) {
  diagnostic alone = d;
  alone.where.file.clear();
  alone.where.text.clear();
  alone.related.clear();
  std::ostringstream out;
  print_diagnostic(out, alone, false);
  std::string text = out.str();
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

nlohmann::json lsp_diagnostic(const diagnostic& d, const text_of_file& text) {
  nlohmann::json out = {
      {"range", field_range(d.where, text(d.where.file))},
      {"severity", d.level == severity::error ? 1 : 2},
      {"source", "scenario-compiler"},
      {"message", message_of(d)},
  };
  if (!d.name.empty())
    out["code"] = d.name;
  else if (d.code != 0)
    out["code"] = d.code;
  if (!d.related.empty()) {
    nlohmann::json related = nlohmann::json::array();
    for (const related_place& r : d.related)
      related.push_back({{"location",
                          {{"uri", uri_of_path(r.where.file)},
                           {"range", field_range(r.where, text(r.where.file))}}},
                         {"message", r.message}});
    out["relatedInformation"] = related;
  }
  return out;
}
