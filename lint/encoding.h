// Sources saved as UTF-8: the compiler reads every byte as Windows-1252.
#pragma once

#include <string>
#include <vector>

#include "diagnostics/diagnostic.h"
#include "lint/lint.h"

// Valid UTF-8 holding at least one character beyond ASCII.
bool is_utf8_beyond_ascii(const std::string& bytes);

// One warning per line holding such characters, showing how the line will read.
std::vector<diagnostic> encoding_warnings(const source_text& source);

// The file in Windows-1252. A character the code page lacks is an error naming it and its
// place; it becomes '?' in the result, which is then not to be compiled.
std::string utf8_to_windows_1252(const source_text& source, std::vector<diagnostic>& errors);
