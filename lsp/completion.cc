#include "lsp/completion.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "files/keywords.h"
#include "lsp/field_text.h"
#include "source/row_table.h"

namespace {

// The protocol's kinds of completion items and of insert texts.
constexpr int kFieldItem = 5;
constexpr int kKeywordItem = 14;
constexpr int kSnippet = 2;

// "${1:position}": a snippet's placeholder, with the characters a snippet reserves escaped.
std::string placeholder(size_t n, std::string_view name) {
  std::string out = "${" + std::to_string(n) + ":";
  for (char c : name) {
    if (c == '$' || c == '}' || c == '\\') out += '\\';
    out += c;
  }
  return out + "}";
}

std::string documentation(const row_spec& spec) {
  std::string out = std::string(spec.does) + ".\n\n";
  for (const field_spec& f : spec.fields)
    out += "- " + std::string(f.name) + " (" + f.unit + "): " + f.meaning + "\n";
  return out;
}

nlohmann::json keyword_items(bool line_file) {
  nlohmann::json items = nlohmann::json::array();
  for (const keyword_test& t : keyword_tests()) {
    if ((t.part != row_part::train) != line_file) continue;
    const row_spec& spec = row_spec_of(t.row);
    std::string snippet(t.written);
    for (size_t i = 0; i < spec.fields.size(); ++i)
      snippet += ", " + placeholder(i + 1, spec.fields[i].name);
    items.push_back({{"label", std::string(t.written)},
                     {"kind", kKeywordItem},
                     {"detail", std::string(spec.name) + " row"},
                     {"documentation", {{"kind", "markdown"}, {"value", documentation(spec)}}},
                     {"insertText", snippet},
                     {"insertTextFormat", kSnippet}});
  }
  return items;
}


}  // namespace

nlohmann::json completion_at(const source_view& view, int line, int column) {
  const int character = view.character_at(line, column);
  // The buffer's line up to the cursor; the commas before it say which field it is in.
  const std::string_view whole = view.lines.line(line);
  const std::string_view before = whole.substr(0, view.lines.byte_of(line, character));
  const size_t commas = static_cast<size_t>(std::count(before.begin(), before.end(), ','));
  nlohmann::json items = nlohmann::json::array();
  if (commas == 0) {
    items = keyword_items(view.line_file);
  } else {
    const std::string keyword(trimmed(whole.substr(0, whole.find(','))));
    const row_spec* spec = row_spec_of(keyword, view.line_file);
    if (spec && commas <= spec->fields.size()) {
      const field_spec& f = spec->fields[commas - 1];
      // The item stands for the field: choosing it leaves what is typed as it is.
      const std::string typed(trimmed(before.substr(before.rfind(',') + 1)));
      items.push_back({{"label", std::string(f.name)},
                       {"kind", kFieldItem},
                       {"detail", std::string(spec->name) + " row, field " +
                                      std::to_string(commas) + " of " +
                                      std::to_string(spec->fields.size()) + ", " + f.unit},
                       {"documentation", std::string(f.meaning) + "; range: " + f.range},
                       {"filterText", typed},
                       {"insertText", typed}});
    }
  }
  return {{"isIncomplete", false}, {"items", items}};
}
