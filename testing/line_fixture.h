// Test helper: a line description file in a private folder, read by the line file phase.
#pragma once

#include <sstream>
#include <string>

#include "form1/form1.h"
#include "files/file_names.h"
#include "testing/temp_folder.h"

class line_fixture {
 public:
  explicit line_fixture(int32_t plan_enabled = 0) {
    form.program_folder = folder.path();
    form.console = &console;
    form.route_name = "Zenvro_Quarvel";
    form.train_number = "2417";
    form.plan_enabled = plan_enabled;
  }

  std::string line_path() const { return folder.file(line_file_name(form.route_name)); }
  std::string train_path() const {
    return folder.file(train_file_name(form.route_name, form.train_number));
  }

  // Writes `text` as the line file, each "\n" becoming CR LF.
  void write(const std::string& text) const {
    std::string bytes;
    for (char c : text) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    write_file(line_path(), bytes);
  }

  // Reads the line file as the compiler does: a reading fault is handled as code 25. Returns
  // whether the compiler would go on with the train file.
  bool read(const std::string& text) {
    write(text);
    try {
      return form.leggi_linea();
    } catch (const reading_fault& fault) {
      form.handle_reading_fault(fault);
      return false;
    }
  }

  // A file with a general section holding only the route length, then `rows`.
  bool read_rows(const std::string& rows, int32_t route_length = 82000) {
    return read("[generale]\nlunghezza percorso,    " + std::to_string(route_length) +
                "\n[curve]\n" + rows + "[fine]\n");
  }

  const track_cell& cell(int64_t i) const { return form.track_cells.at(static_cast<size_t>(i)); }

  temp_folder folder;
  Form1 form;
  std::ostringstream console;
};
