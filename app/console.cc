#include "app/console.h"

#include <ostream>

#include "app/form1.h"

void show_window(std::ostream& console) { console << "Attendere" << std::endl; }

void message_box(std::ostream& console, const std::string& message) {
  console << message << std::endl;
  throw program_end{1};
}
