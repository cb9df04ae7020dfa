// Test helper: the compiler (memorizza_dati) run on a line file and a train file held in memory,
// with no file touched and every diagnostic kept. The files are named as an author's
// "Mini_linea.txt" and "Mini_42-.txt".
#pragma once

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "form1/form1.h"
#include "files/file_names.h"

// The lines of a file joined with CR LF, as the format writes them.
inline std::string crlf_text(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

struct memory_compile {
  std::unique_ptr<Form1> form = std::make_unique<Form1>();  // a Form1 cannot be moved
  std::vector<diagnostic> told;
  std::ostringstream console;

  memory_compile(const std::string& line_text, const std::string& train_text) {
    form->console = &console;
    form->route_name = "Mini";
    form->train_number = "42";
    form->write_binaries = false;
    form->plan_enabled = 0;
    form->memory_files.emplace();
    (*form->memory_files)[line_file_name("Mini")] = line_text;
    (*form->memory_files)[train_file_name("Mini", "42")] = train_text;
    form->diagnostics.send_to(keeper(told));
    form->memorizza_dati();
  }

  // The warnings of one kind, in the order they were told.
  std::vector<diagnostic> warnings(const std::string& name) const {
    std::vector<diagnostic> out;
    for (const diagnostic& d : told)
      if (d.level == severity::warning && d.name == name) out.push_back(d);
    return out;
  }
  const track_cell& cell(int64_t c) const { return form->track_cells.at(static_cast<size_t>(c)); }
};
