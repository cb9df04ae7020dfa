#include "diagnostics/engine.h"

#include <ostream>

diagnostic_sink console_printer(std::ostream& out) {
  return [&out](const diagnostic& d) { print_diagnostic(out, d); };
}

diagnostic_sink keeper(std::vector<diagnostic>& kept) {
  return [&kept](const diagnostic& d) { kept.push_back(d); };
}

bool diagnostic_engine::report(diagnostic d) {
  if (d.level == severity::warning) {
    if (settings_.disabled.count(d.name) > 0) return false;
    if (settings_.werror) d.level = severity::error;
  }
  // The program's own words and the system's message are told, not counted as faults.
  if (d.message.empty()) ++(d.level == severity::error ? errors_ : warnings_);
  if (sink_) sink_(d);
  return true;
}

void diagnostic_engine::tell(std::string text) { report(program_message(std::move(text))); }
