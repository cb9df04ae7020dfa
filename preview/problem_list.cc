#include "preview/problem_list.h"

#include <cctype>
#include <sstream>

#include "files/cp1252.h"

std::optional<double> metre_of(const diagnostic& d) {
  if (d.position) return *d.position;
  if (d.where.line <= 0) return std::nullopt;
  // The keyword comes first; the first whole number standing alone is the row's metre. Digits
  // within a word (a name, a keyword) are not.
  const std::string& row = d.where.text;
  auto in_word = [&](size_t i) {
    unsigned char c = static_cast<unsigned char>(row[i]);
    return std::isalpha(c) || c == '_' || c >= 0x80;
  };
  for (size_t i = 0; i < row.size();) {
    if (!std::isdigit(static_cast<unsigned char>(row[i]))) {
      ++i;
      continue;
    }
    size_t end = i;
    while (end < row.size() && std::isdigit(static_cast<unsigned char>(row[end]))) ++end;
    const bool alone = (i == 0 || (!in_word(i - 1) && row[i - 1] != '.')) && (end == row.size() || !in_word(end)) &&
                       (end == row.size() || row[end] != '.') && end - i <= 9;
    if (alone) return std::stod(row.substr(i, end - i));
    i = end;
  }
  return std::nullopt;
}

std::vector<problem> problems_of(const std::vector<diagnostic>& diagnostics,
                                 const plan_path* plan) {
  std::vector<problem> out;
  for (const diagnostic& d : diagnostics) {
    problem p;
    p.error = d.level == severity::error;
    if (!d.where.file.empty())
      p.where = d.where.line > 0 ? d.where.file + ":" + std::to_string(d.where.line) : d.where.file;
    // The row is the author's Windows-1252 text; the page reads UTF-8.
    diagnostic shown = d;
    shown.where.text = cp1252_to_utf8(d.where.text);
    std::ostringstream text;
    print_diagnostic(text, shown);
    p.text = text.str();
    while (!p.text.empty() && p.text.back() == '\n') p.text.pop_back();
    p.metre = metre_of(d);
    if (p.metre && plan && plan->count() > 0) {
      plan_point at = plan->at(*p.metre);
      p.plan_x = at.x;
      p.plan_y = at.y;
    }
    out.push_back(std::move(p));
  }
  return out;
}
