#include "preview/problem_list.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>


std::optional<double> metre_of(const diagnostic& d, bool row_positioned) {
  if (d.position) return *d.position;
  if (d.where.line <= 0 || !row_positioned) return std::nullopt;
  // The field after the keyword, when it reads as a number (a broken one tells nothing).
  const std::string& row = d.where.text;
  const size_t comma = row.find(',');
  if (comma == std::string::npos) return std::nullopt;
  std::string field = row.substr(comma + 1, row.find(',', comma + 1) - comma - 1);
  const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
  while (!field.empty() && blank(static_cast<unsigned char>(field.back()))) field.pop_back();
  size_t first = 0;
  while (first < field.size() && blank(static_cast<unsigned char>(field[first]))) ++first;
  field.erase(0, first);
  if (field.empty() || !std::isdigit(static_cast<unsigned char>(field[0]))) return std::nullopt;
  char* end = nullptr;
  const double metre = std::strtod(field.c_str(), &end);
  if (*end != '\0' || !std::isfinite(metre)) return std::nullopt;
  return metre;
}

std::vector<problem> problems_of(const std::vector<diagnostic>& diagnostics,
                                 const std::function<bool(const diagnostic&)>& row_positioned,
                                 const plan_path* plan) {
  std::vector<problem> out;
  for (const diagnostic& d : diagnostics) {
    problem p;
    p.error = d.level == severity::error;
    if (!d.where.file.empty())
      p.where = d.where.line > 0 ? d.where.file + ":" + std::to_string(d.where.line) : d.where.file;
    // The row comes already in UTF-8, as the console shows it.
    std::ostringstream text;
    print_diagnostic(text, d);
    p.text = text.str();
    while (!p.text.empty() && p.text.back() == '\n') p.text.pop_back();
    p.metre = metre_of(d, row_positioned(d));
    if (p.metre && plan && plan->count() > 0) {
      plan_point at = plan->at(*p.metre);
      p.plan_x = at.x;
      p.plan_y = at.y;
    }
    out.push_back(std::move(p));
  }
  return out;
}
