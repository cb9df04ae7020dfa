// Reading a whole regular file: anything else is refused before a byte is read, and a file
// larger than its bound is refused as it grows.
#pragma once

#include <cstdint>
#include <string>

#include "platform/file_kind.h"

struct regular_file_read {
  bool ok = false;
  std::string bytes;
  file_kind kind = file_kind::unknown;  // what stands there when it is not a regular file
  bool too_large = false;
  std::string error;  // the system's words, when the call itself failed
};

regular_file_read read_regular_file(const std::string& path, uint64_t limit);
