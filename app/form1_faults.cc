// The fault services of Form1: a fault is recorded and reported as it is found.
#include "app/form1.h"

#include <ostream>

#include "app/console.h"
#include "diagnostics/error_codes.h"

void Form1::errore(const std::string& a) { message_box(*console, " Errore n. " + a); }

std::string Form1::shown_name(const std::string& file_name) const {
  auto it = source_names.find(file_name);
  return it == source_names.end() ? file_name : it->second;
}

void Form1::record_fault(int32_t code, std::optional<int32_t> position,
                         const std::string& detail) {
  error_code = code;
  if (position) error_position = *position;
  ++faults_reported;

  const error_code_info* info = find_error_code(code);
  std::ostream& out = *console;
  if (fault_location.file.empty())
    out << "scenario-compiler: ";
  else if (fault_location.line > 0)
    out << fault_location.file << ':' << fault_location.line << ": ";
  else
    out << fault_location.file << ": ";
  out << "error " << code << ": " << (info ? info->meaning : "unknown fault");
  if (!detail.empty()) out << ": " << detail;
  if (position) out << " (at " << *position << " m)";
  out << '\n';
  if (fault_location.line > 0 && !fault_location.text.empty()) {
    out << fault_location.text << '\n';
    int column = fault_location.column > 0 ? fault_location.column : 1;
    out << std::string(static_cast<size_t>(column - 1), ' ') << "^\n";
  }
  out.flush();
}
