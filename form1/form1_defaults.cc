// A Form1 starts in the executable's folder and reports on standard error. Every subsystem's
// tests make one, so this lives with the Form1 services, not with the run sequence.
#include "form1/form1.h"

#include <iostream>

#include "files/file_names.h"

Form1::Form1() {
  program_folder = executable_folder();
  console = &std::cerr;
  diagnostics.send_to([this](const diagnostic& d) { print_diagnostic(*console, d); });
}
