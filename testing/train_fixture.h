// Test fixture for the train file phase: the state the line file phase leaves behind (a grid
// for a given route length, no indicator boards) and a train file in a private folder.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "form1/form1.h"
#include "files/file_names.h"
#include "testing/temp_folder.h"

struct train_fixture {
  temp_folder folder;
  Form1 form;
  std::ostringstream console;

  explicit train_fixture(int32_t route_length = 82000) {
    form.console = &console;
    form.program_folder = folder.path();
    form.route_name = "Rotta";
    form.train_number = "77";
    form.make_grid(route_length);
  }

  std::string file_name() const { return train_file_name(form.route_name, form.train_number); }
  std::string file_path() const { return folder.file(file_name()); }

  // Writes the file as given (lines joined with CR LF) and runs the phase as the compiler does.
  void run_file(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    run_bytes(text);
  }

  void run_bytes(const std::string& text) {
    write_file(file_path(), text);
    try {
      form.leggi_treno();
    } catch (const reading_fault& f) {
      form.handle_reading_fault(f);
    }
  }

  // The rows under a general header, with "[fine]" as the last line.
  void run(std::vector<std::string> rows) {
    rows.insert(rows.begin(), "[generale]");
    rows.push_back("[fine]");
    run_file(rows);
  }

  const track_cell& cell(int64_t c) const { return form.track_cells.at(static_cast<size_t>(c)); }
  track_cell& cell(int64_t c) { return form.track_cells.at(static_cast<size_t>(c)); }
  const scenario_record& record(int e) const { return form.scenario_records.at(static_cast<size_t>(e)); }
  // One field over the whole grid as runs of equal values: "0..23=6 24..1780=0".
  std::string runs(uint8_t track_cell::*field) const {
    std::string out;
    const auto& cells = form.track_cells;
    for (size_t from = 0; from < cells.size();) {
      size_t to = from;
      while (to + 1 < cells.size() && cells[to + 1].*field == cells[from].*field) ++to;
      if (!out.empty()) out += ' ';
      out += std::to_string(from) + ".." + std::to_string(to) + "=" +
             std::to_string(cells[from].*field);
      from = to + 1;
    }
    return out;
  }

  bool file_left() const { return file_present(file_path()); }
};
