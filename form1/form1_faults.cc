// The fault services of Form1: a fault is recorded and reported as it is found.
#include "form1/form1.h"

#include <ostream>

#include "form1/console.h"
#include "diagnostics/diagnostic.h"

void Form1::errore(const std::string& a) {
  message_box(diagnostics, " Errore n. " + a);
}

std::string Form1::shown_name(const std::string& file_name) const {
  auto it = source_names.find(file_name);
  return it == source_names.end() ? file_name : it->second;
}

void Form1::record_fault(const diagnostic& fault) {
  error_code = fault.code;
  if (fault.position) error_position = *fault.position;
  ++faults_reported;
  diagnostics.report(fault);
}

void Form1::report_warning(const diagnostic& warning) {
  if (diagnostics.report(warning) && diagnostics.settings().werror) ++warnings_made_errors;
}
