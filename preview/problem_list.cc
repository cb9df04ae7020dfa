#include "preview/problem_list.h"

#include <sstream>

std::optional<double> metre_of(const diagnostic& d) {
  if (d.metre) return d.metre;
  if (d.position) return *d.position;
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
    // The row comes already in UTF-8, as the console shows it.
    std::ostringstream text;
    print_diagnostic(text, d);
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
