// What the server asks of the compile: the two sources in memory, checked as `check` checks
// them. The command that starts the server hands it the real check (cli/lsp_command.cc); the
// server's tests hand it their own.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "inspect/kilometre_marks.h"

struct check_request {
  std::string line_path, train_path;  // the names the diagnostics give
  std::string route, train;
  std::string line_bytes, train_bytes;  // Windows-1252, as the compiler reads them
  // Characters of an editor's buffer without a Windows-1252 form, each an error.
  std::vector<diagnostic> encoding_faults;
};

struct check_outcome {
  std::vector<diagnostic> diagnostics;  // as `check` tells them, in its order
  kilometre_marks marks;                // the line's marks, from its progressives
};

using checker = std::function<check_outcome(const check_request&)>;
