#include "lsp/code_actions.h"

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>

#include "files/keywords.h"
#include "lint/suggest.h"
#include "lsp/field_text.h"
#include "lsp/lsp_diagnostics.h"
#include "model/rounding.h"
#include "source/row_table.h"

namespace {

// The field a diagnostic points at in the buffer: its line, its first and past-last
// characters and its text (UTF-8).
struct buffer_field {
  int line = 0;
  int from = 0, to = 0;
  std::string text;
};

buffer_field field_of(const source_view& view, const nlohmann::json& range) {
  buffer_field f;
  f.line = position_value(range.at("start").at("line"));
  f.from = view.character_at(f.line, position_value(range.at("start").at("character")));
  f.to = view.lines.field_end(f.line, f.from);
  const std::string_view line = view.lines.line(f.line);
  const size_t a = view.lines.byte_of(f.line, f.from), b = view.lines.byte_of(f.line, f.to);
  f.text = std::string(line.substr(a, b - a));
  return f;
}

std::string lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

// The stretch of `field` that `keyword` was taken for: of the stretches within reach of it,
// the one nearest its length, the first of those.
std::optional<std::pair<size_t, size_t>> stretch_like(const std::string& field,
                                                      std::string_view keyword) {
  const std::string_view only[] = {keyword};
  for (size_t off = 0; off <= 2; ++off)
    for (int sign : {0, -1, 1}) {
      if (off == 0 && sign != 0) continue;
      if (off != 0 && sign == 0) continue;
      const long len = static_cast<long>(keyword.size()) + sign * static_cast<long>(off);
      if (len <= 0 || static_cast<size_t>(len) > field.size()) continue;
      for (size_t start = 0; start + static_cast<size_t>(len) <= field.size(); ++start)
        if (!closest_word(std::string_view(field).substr(start, static_cast<size_t>(len)), only).empty())
          return std::pair{start, static_cast<size_t>(len)};
    }
  return std::nullopt;
}

// The keyword field as the did-you-mean would have it, or nothing.
std::optional<std::string> spelt_right(const std::string& field, bool line_file) {
  const std::string close = closest_keyword(field, author_keywords(line_file));
  if (close.empty()) return std::nullopt;
  // The general section's keywords are read in small letters only.
  if (contains_nocase(field, close)) return lower(field);
  const auto stretch = stretch_like(field, close);
  if (!stretch) return std::nullopt;
  std::string fixed = field;
  fixed.replace(stretch->first, stretch->second, close);
  return fixed;
}


// A curve keyword with the class whose radius comes closest to the number written in it.
std::optional<std::string> curve_for_radius(const std::string& keyword) {
  const size_t first = keyword.find_first_of("0123456789");
  if (first == std::string::npos) return std::nullopt;
  const size_t last = keyword.find_first_not_of("0123456789", first);
  const std::string digits = keyword.substr(first, last == std::string::npos ? last : last - first);
  const std::optional<int32_t> radius = number_in(digits);
  if (!radius) return std::nullopt;
  size_t best = 0;
  for (size_t k = 1; k < std::size(kCurveRadii); ++k)
    if (std::abs(kCurveRadii[k] - *radius) < std::abs(kCurveRadii[best] - *radius)) best = k;
  std::string fixed = keyword;
  fixed.replace(first, digits.size(), kCurveClasses[best]);
  return fixed;
}

// The diagnostic the fix answers, as the client sent it, less what the server does not read
// (its "data" may nest as deep as a client likes).
nlohmann::json answered(const nlohmann::json& d) {
  auto position = [](const nlohmann::json& p) {
    return lsp_position(position_value(p.at("line")), position_value(p.at("character")));
  };
  const nlohmann::json& range = d.at("range");
  nlohmann::json out = {{"range", {{"start", position(range.at("start"))}, {"end", position(range.at("end"))}}},
                        {"code", d.at("code").get<std::string>()}};
  for (const char* key : {"message", "source"})
    if (d.contains(key) && d[key].is_string()) out[key] = d[key];
  if (d.contains("severity") && d["severity"].is_number_integer()) out["severity"] = d["severity"];
  return out;
}

nlohmann::json action(const source_view& view, const nlohmann::json& diagnostic,
                      const buffer_field& f, const std::string& title, const std::string& text) {
  nlohmann::json edit = {
      {"range",
       {{"start", {{"line", f.line}, {"character", view.lines.utf16_column(f.line, f.from)}}},
        {"end", {{"line", f.line}, {"character", view.lines.utf16_column(f.line, f.to)}}}}},
      {"newText", text}};
  return {{"title", title},
          {"kind", "quickfix"},
          {"diagnostics", nlohmann::json::array({answered(diagnostic)})},
          {"isPreferred", true},
          {"edit", {{"changes", {{view.document.uri, nlohmann::json::array({edit})}}}}}};
}

}  // namespace

nlohmann::json code_actions(const source_view& view, const nlohmann::json& diagnostics) {
  nlohmann::json actions = nlohmann::json::array();
  for (const nlohmann::json& d : diagnostics) {
    if (!d.is_object() || !d.contains("code") || !d["code"].is_string()) continue;
    const std::string code = d["code"].get<std::string>();
    const buffer_field f = field_of(view, d.at("range"));
    if (f.text.empty()) continue;
    std::optional<std::string> fixed;
    std::string title;
    if (code == "unknown-row") {
      fixed = spelt_right(f.text, view.line_file);
      if (fixed) title = "Write \"" + *fixed + "\"";
    } else if (code == "off-grid") {
      if (std::optional<int32_t> v = number_in(f.text)) {
        fixed = std::to_string(round_even(*v / 50.0) * 50);
        title = "Write " + *fixed + ", where the compiler puts it on the 50 m grid";
      }
    } else if (code == "curve-class") {
      fixed = curve_for_radius(f.text);
      if (fixed) title = "Write \"" + *fixed + "\", the class nearest the radius written";
    } else if (code == "text-field" && contains(f.text, "\"")) {
      fixed = f.text;
      std::erase(*fixed, '"');
      title = "Take the quotes out of the text";
    }
    if (fixed && *fixed != f.text) actions.push_back(action(view, d, f, title, *fixed));
  }
  return actions;
}
