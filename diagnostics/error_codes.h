// The table of every error code the system records or shows, with its one-line meaning.
#pragma once

#include <cstdint>
#include <span>

struct error_code_info {
  int32_t code;
  const char* meaning;
  bool has_position;  // whether the code records `error_position`
  // What the code means when it is found at a row rather than for a file as a whole, when that
  // differs.
  const char* row_meaning = nullptr;
};

// The code's meaning at a row (`on_row`) or for a file as a whole.
const char* meaning_of(const error_code_info& info, bool on_row);

// All codes, in ascending order.
std::span<const error_code_info> error_code_table();

// The entry for `code`, or nullptr when the system has no such code.
const error_code_info* find_error_code(int32_t code);
