#include "form1/console.h"

#include <ostream>

#include "form1/form1.h"
#include "diagnostics/diagnostic.h"

void show_window(std::ostream& console) { console << "Attendere" << std::endl; }

void message_box(diagnostic_engine& diagnostics, const std::string& message) {
  diagnostics.report(system_message(message));
  throw program_end{1};
}
